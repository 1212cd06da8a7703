#include "BoardText.h"
#include "GameState.h"
#include "Moves.h"

#include <gtest/gtest.h>

namespace {

class MovesTest : public ::testing::Test {
protected:
    void SetUp() override { moveCount = 0; }
};

TEST_F(MovesTest, SolvedFourByFourMovesOnlyTheTwoNeighboursOfTheHole)
{
    struct Case {
        const char *name;
        std::int16_t index;
        bool moves;
        const char *after;
    };
    const Case cases[] = {
        {"left of hole", 14, true, "1 2 3 4/5 6 7 8/9 10 11 12/13 14 16 15"},
        {"above hole", 11, true, "1 2 3 4/5 6 7 8/9 10 11 16/13 14 15 12"},
        {"hole itself", 15, false, "1 2 3 4/5 6 7 8/9 10 11 12/13 14 15 16"},
        {"diagonal", 10, false, "1 2 3 4/5 6 7 8/9 10 11 12/13 14 15 16"},
        {"far corner", 0, false, "1 2 3 4/5 6 7 8/9 10 11 12/13 14 15 16"},
        {"two away in the row", 13, false, "1 2 3 4/5 6 7 8/9 10 11 12/13 14 15 16"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        gChosenSize = 4;
        tilemere::resetBoardToChosenSize();
        moveCount = 0;
        EXPECT_EQ(makeMove(c.index), c.moves);
        EXPECT_EQ(boardText(), c.after);
        EXPECT_EQ(moveCount, c.moves ? 1 : 0);
    }
}

TEST_F(MovesTest, TileAtEndOfRowDoesNotWrapIntoNextRow)
{
    setBoard("1 2 3/9 5 6/7 8 4");
    EXPECT_FALSE(makeMove(2)); // cell 3, one less than the hole's cell 4
    EXPECT_EQ(boardText(), "1 2 3/9 5 6/7 8 4");
    setBoard("1 2 9/4 5 6/7 8 3");
    EXPECT_FALSE(makeMove(3)); // cell 4, start of the row below the hole's row
    EXPECT_EQ(moveCount, 0);
}

TEST_F(MovesTest, EveryDirectionMovesIntoAHoleInTheMiddle)
{
    const std::int16_t neighbours[] = {5, 3, 7, 1};
    for (auto index : neighbours) {
        setBoard("1 2 3/4 9 6/7 8 5");
        EXPECT_TRUE(makeMove(index)) << index;
        EXPECT_EQ(gBoard(5), index + 1);
        EXPECT_EQ(gBoard(index + 1), 9);
    }
    EXPECT_EQ(moveCount, 4);
}

TEST_F(MovesTest, CountStopsAtItsLimitInsteadOfTurningNegative)
{
    setBoard("1 2 3/4 5 6/7 8 9");
    moveCount = tilemere::kCounterLimit - 1;
    EXPECT_TRUE(makeMove(7));
    EXPECT_EQ(moveCount, tilemere::kCounterLimit);
    EXPECT_TRUE(makeMove(8));
    EXPECT_EQ(moveCount, tilemere::kCounterLimit);
    elapsedSeconds = tilemere::kCounterLimit;
    tilemere::countUp(elapsedSeconds);
    EXPECT_EQ(elapsedSeconds, tilemere::kCounterLimit);
}

TEST_F(MovesTest, SolvedAndWellShuffledTestsOnHandMadeBoards)
{
    struct Case {
        const char *board;
        bool solved;
        bool wellShuffled;
    };
    const Case cases[] = {
        {"1 2 3/4 5 6/7 8 9", true, false},
        {"2 1 3/4 5 6/7 8 9", false, false}, // tile 3 and the hole still home
        {"2 3 1/5 6 4/9 7 8", false, true},
        {"2 3 1/5 6 4/8 7 9", false, false}, // only the hole at home
        {"9 2 3/4 5 6/7 8 1", false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.board);
        setBoard(c.board);
        EXPECT_EQ(checkSolved(), c.solved);
        EXPECT_EQ(checkWellShuffled(), c.wellShuffled);
    }
}

TEST_F(MovesTest, ResetRedimensionsToTheChosenSize)
{
    gChosenSize = 6;
    tilemere::resetBoardToChosenSize();
    EXPECT_EQ(gBoard.cellCount(), 36);
    EXPECT_EQ(gBoard(36), 36);
    gChosenSize = 3;
    tilemere::resetBoardToChosenSize();
    EXPECT_EQ(gBoardSide, 3);
    EXPECT_EQ(boardText(), "1 2 3/4 5 6/7 8 9");
}

} // namespace
