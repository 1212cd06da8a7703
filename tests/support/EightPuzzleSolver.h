#pragma once
// Solves a 3 x 3 board breadth-first, so whole-game tests can
// play to the end by clicking the cells a player would.

#include "Board.h"

#include <array>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

namespace tilemere::testing {

using Position = std::string; // the nine tiles as digits, the hole is '9'

inline Position boardPosition(const Board &board)
{
    Position position;
    for (int cell = 1; cell <= 9; ++cell)
        position += static_cast<char>('0' + board(cell));
    return position;
}

// The cells (1..9) to click, fewest first.
inline std::vector<int> solveThreeByThree(const Position &start)
{
    const Position solved = "123456789";
    std::unordered_map<Position, Position> cameFrom{{start, start}};
    std::deque<Position> queue{start};
    const std::array<std::pair<int, int>, 4> steps{{{0, 1}, {0, -1}, {1, 0}, {-1, 0}}};
    while (!queue.empty() && !cameFrom.count(solved)) {
        const Position position = queue.front();
        queue.pop_front();
        const int hole = static_cast<int>(position.find('9'));
        for (const auto &[rowStep, columnStep] : steps) {
            const int row = hole / 3 + rowStep;
            const int column = hole % 3 + columnStep;
            if (row < 0 || row > 2 || column < 0 || column > 2)
                continue;
            Position next = position;
            std::swap(next[static_cast<std::size_t>(hole)], next[static_cast<std::size_t>(row * 3 + column)]);
            if (cameFrom.emplace(next, position).second)
                queue.push_back(next);
        }
    }
    std::vector<int> clicks;
    // The tile clicked is the one the hole moved onto.
    for (Position position = solved; position != start; position = cameFrom.at(position))
        clicks.insert(clicks.begin(), static_cast<int>(position.find('9')) + 1);
    return clicks;
}

} // namespace tilemere::testing
