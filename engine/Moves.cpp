#include "Moves.h"

#include "GameState.h"

#include <utility>

void moveSquares(std::int16_t i1, std::int16_t i2)
{
    std::swap(gBoard(i1), gBoard(i2));
}

bool isOnBoard(std::int16_t column, std::int16_t row, std::int16_t columns, std::int16_t rows)
{
    return column >= 0 && column < columns && row >= 0 && row < rows;
}

bool makeMove(std::int16_t index)
{
    const int side = gBoardSide;
    const int hole = side * side;
    const int column = index % side;
    const int row = index / side;
    // Neighbours are found by column and row, never by cell number, so a tile
    // at the end of a row cannot slide into the start of the next one.
    static constexpr int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto &step : kSteps) {
        const int nextColumn = column + step[0];
        const int nextRow = row + step[1];
        if (!isOnBoard(static_cast<std::int16_t>(nextColumn), static_cast<std::int16_t>(nextRow),
                       gBoardSide, gBoardSide))
            continue;
        const int neighbourCell = nextRow * side + nextColumn + 1;
        if (gBoard(neighbourCell) == hole) {
            moveSquares(static_cast<std::int16_t>(index + 1), static_cast<std::int16_t>(neighbourCell));
            tilemere::countUp(moveCount);
            return true;
        }
    }
    return false;
}

bool checkWellShuffled()
{
    for (int cell = 1; cell <= gBoard.cellCount(); ++cell)
        if (gBoard(cell) == cell)
            return false;
    return true;
}

bool checkSolved()
{
    for (int cell = 1; cell <= gBoard.cellCount(); ++cell)
        if (gBoard(cell) != cell)
            return false;
    return true;
}
