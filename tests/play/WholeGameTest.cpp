// One whole game as a player plays it: a seeded 3 x 3 shuffle solved by
// clicks on the board, then the win through to the front screen.
#include "EightPuzzleSolver.h"
#include "PlayFixture.h"

namespace {

TEST_F(PlayScreenTest, WholeGameOnThreeByThree)
{
    ASSERT_TRUE(startGame(3, 2024));
    ASSERT_TRUE(checkWellShuffled());
    const std::vector<int> clicks = tilemere::testing::solveThreeByThree(tilemere::testing::boardPosition());

    form().TimeTimer_Timer();
    for (std::size_t move = 0; move < clicks.size(); ++move) {
        clickCell(clicks[move]);
        ASSERT_EQ(form().lblMoves->text(), QString::number(move + 1)); // the first accepted click shows 1
    }
    EXPECT_TRUE(checkSolved());
    ASSERT_EQ(sounds.size(), static_cast<qsizetype>(clicks.size() + 1));
    EXPECT_EQ(sounds.last(), QStringLiteral("claps.wav"));

    // The solved board is the picture with the bottom-right cell blank.
    const QImage &board = form().Picture2->surface();
    EXPECT_EQ(board.pixel(60, 60), form().Picture1.pixel(60, 60));
    EXPECT_EQ(board.pixel(330, 330), form().Picture2->backgroundColour().rgb());

    EXPECT_EQ(finishWin(), 26);
    EXPECT_TRUE(scoreEntryOpened);
    EXPECT_EQ(form().lblTime->text(), QStringLiteral("0:01"));
    EXPECT_TRUE(onFrontScreen());
}

} // namespace
