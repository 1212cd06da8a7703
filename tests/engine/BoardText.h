#pragma once
// Boards in tests are written as rows of tile numbers: "1 2 3/4 9 6/7 5 8".

#include "Board.h"

#include <algorithm>
#include <sstream>
#include <string>

inline tilemere::Board boardFrom(std::string text)
{
    tilemere::Board board;
    board.resetSolved(static_cast<std::int16_t>(std::count(text.begin(), text.end(), '/') + 1));
    std::replace(text.begin(), text.end(), '/', ' ');
    std::istringstream numbers(text);
    for (int cell = 1; cell <= board.cellCount(); ++cell)
        numbers >> board(cell);
    return board;
}

inline std::string boardText(const tilemere::Board &board)
{
    std::string text;
    for (int cell = 1; cell <= board.cellCount(); ++cell)
        text += std::to_string(board(cell)) + (cell == board.cellCount() ? "" : cell % board.side() ? " " : "/");
    return text;
}
