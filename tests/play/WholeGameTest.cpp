// One whole game as a player plays it: a seeded 3 x 3 shuffle solved by
// clicks on the board, then the win through to the front screen.
#include "PlayFixture.h"

#include "BoardText.h"
#include "EightPuzzleSolver.h"
#include "Moves.h"

#include <QLabel>
#include <QtTest/QTest>

#include <string>
#include <vector>

namespace {

using tilemere::testing::boardPosition;
using tilemere::testing::solveThreeByThree;

TEST_F(PlayScreenTest, WholeGameOnThreeByThree)
{
    ASSERT_TRUE(startGame(3, 2024));
    ASSERT_TRUE(checkWellShuffled());
    const std::vector<int> clicks = solveThreeByThree(boardPosition());
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
