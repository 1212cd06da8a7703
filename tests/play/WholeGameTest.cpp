// One whole game as a player plays it: a seeded 3 x 3 shuffle solved by
// clicks on the board, then the win through to the front screen.
#include "PlayFixture.h"

#include "BoardText.h"
#include "Moves.h"

#include <QLabel>
#include <QtTest/QTest>

#include <array>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using Position = std::string; // the nine tile numbers as digits, hole '9'

Position currentPosition()
{
    Position position;
    for (int cell = 1; cell <= 9; ++cell)
        position += static_cast<char>('0' + gBoard(cell));
    return position;
}

// The cells to click, shortest first, found breadth-first over hole moves.
std::vector<int> solution(const Position &start)
{
    const Position solved = "123456789";
    std::unordered_map<Position, Position> cameFrom{{start, start}};
    std::deque<Position> queue{start};
    while (!queue.empty() && !cameFrom.count(solved)) {
        const Position position = queue.front();
        queue.pop_front();
        const int hole = static_cast<int>(position.find('9'));
        const std::array<std::pair<int, int>, 4> steps{{{0, 1}, {0, -1}, {1, 0}, {-1, 0}}};
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
    for (Position position = solved; position != start; position = cameFrom.at(position))
        // The tile clicked is the one that moved into the hole: where the hole is after the move.
        clicks.insert(clicks.begin(), static_cast<int>(position.find('9')) + 1);
    return clicks;
}

TEST_F(PlayScreenTest, WholeGameOnThreeByThree)
{
    ASSERT_TRUE(startGame(3, 2024));
    ASSERT_TRUE(checkWellShuffled());
    const std::vector<int> clicks = solution(currentPosition());
    ASSERT_FALSE(clicks.empty());

    form().TimeTimer_Timer();
    for (std::size_t move = 0; move < clicks.size(); ++move) {
        clickCell(clicks[move]);
        ASSERT_EQ(form().lblMoves->text(), QString::number(move + 1));
    }
    EXPECT_TRUE(checkSolved());
    ASSERT_EQ(sounds.played.size(), static_cast<qsizetype>(clicks.size() + 1));
    EXPECT_EQ(sounds.played.last(), QStringLiteral("claps.wav"));
    EXPECT_TRUE(form().lblCongraz->isVisible());

    // The solved board is the picture with the bottom-right cell blank.
    const QImage &board = form().Picture2->surface();
    EXPECT_EQ(board.pixel(60, 60), form().Picture1.pixel(60, 60));
    EXPECT_EQ(board.pixel(200, 330), form().Picture1.pixel(200, 330));
    EXPECT_EQ(board.pixel(330, 330), form().Picture2->backgroundColour().rgb());

    bool opened = false;
    EXPECT_EQ(finishWin(&opened), 26);
    EXPECT_TRUE(opened);
    EXPECT_EQ(form().lblTime->text(), QStringLiteral("0:01"));
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(front.isVisible());
}

} // namespace
