#pragma once
// Boards in tests are written as rows of tile numbers: "1 2 3/4 9 6/7 5 8".

#include "GameState.h"

#include <sstream>
#include <string>

inline void setBoard(const std::string &text)
{
    std::istringstream rows(text);
    std::string row;
    std::vector<std::int16_t> cells;
    int side = 0;
    while (std::getline(rows, row, '/')) {
        std::istringstream numbers(row);
        int tile = 0;
        while (numbers >> tile)
            cells.push_back(static_cast<std::int16_t>(tile));
        ++side;
    }
    gBoardSide = static_cast<std::int16_t>(side);
    gBoard.resetSolved(gBoardSide);
    for (int cell = 1; cell <= gBoard.cellCount(); ++cell)
        gBoard(cell) = cells.at(static_cast<std::size_t>(cell - 1));
}

inline std::string boardText()
{
    std::string text;
    for (int cell = 1; cell <= gBoard.cellCount(); ++cell) {
        text += std::to_string(gBoard(cell));
        if (cell == gBoard.cellCount())
            break;
        text += (cell % gBoardSide == 0) ? "/" : " ";
    }
    return text;
}
