#pragma once
// Boards in tests are written as rows of tile numbers: "1 2 3/4 9 6/7 5 8".

#include "Board.h"

#include <sstream>
#include <string>
#include <vector>

inline tilemere::Board boardFrom(const std::string &text)
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
    tilemere::Board board;
    board.resetSolved(static_cast<std::int16_t>(side));
    for (int cell = 1; cell <= board.cellCount(); ++cell)
        board(cell) = cells.at(static_cast<std::size_t>(cell - 1));
    return board;
}

inline std::string boardText(const tilemere::Board &board)
{
    std::string text;
    for (int cell = 1; cell <= board.cellCount(); ++cell) {
        text += std::to_string(board(cell));
        if (cell == board.cellCount())
            break;
        text += (cell % board.side() == 0) ? "/" : " ";
    }
    return text;
}
