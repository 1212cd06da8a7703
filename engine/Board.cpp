#include "Board.h"

#include <utility>

namespace tilemere {

bool isOnBoard(int column, int row, int columns, int rows)
{
    return column >= 0 && column < columns && row >= 0 && row < rows;
}

void Board::resetSolved(std::int16_t side)
{
    side_ = side;
    const int count = side * side;
    cells_.resize(static_cast<std::size_t>(count));
    for (int cell = 1; cell <= count; ++cell)
        (*this)(cell) = static_cast<std::int16_t>(cell);
}

bool Board::slide(int index)
{
    const int hole = side_ * side_;
    const int column = index % side_;
    const int row = index / side_;
    // Neighbours are found by column and row, never by cell number, so a tile
    // at the end of a row cannot slide into the start of the next one.
    static constexpr int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto &step : kSteps) {
        const int nextColumn = column + step[0];
        const int nextRow = row + step[1];
        if (!isOnBoard(nextColumn, nextRow, side_, side_))
            continue;
        const int neighbourCell = nextRow * side_ + nextColumn + 1;
        if ((*this)(neighbourCell) == hole) {
            std::swap((*this)(index + 1), (*this)(neighbourCell));
            return true;
        }
    }
    return false;
}

int Board::holeIndex() const
{
    for (int cell = 1; cell <= cellCount(); ++cell)
        if ((*this)(cell) == cellCount())
            return cell - 1;
    return -1;
}

int Board::tileToward(Direction direction) const
{
    const int hole = holeIndex();
    // The tile comes from the side opposite to where it goes.
    int column = hole % side_;
    int row = hole / side_;
    switch (direction) {
    case Direction::Left: ++column; break;
    case Direction::Right: --column; break;
    case Direction::Up: ++row; break;
    case Direction::Down: --row; break;
    }
    return isOnBoard(column, row, side_, side_) ? row * side_ + column : -1;
}

bool Board::isSolved() const
{
    for (int cell = 1; cell <= cellCount(); ++cell)
        if ((*this)(cell) != cell)
            return false;
    return true;
}

bool Board::isWellShuffled() const
{
    for (int cell = 1; cell <= cellCount(); ++cell)
        if ((*this)(cell) == cell)
            return false;
    return true;
}

} // namespace tilemere
