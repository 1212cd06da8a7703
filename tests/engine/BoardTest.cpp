#include "BoardText.h"
#include "Game.h"

#include <gtest/gtest.h>

namespace {

using tilemere::Game;

// The hole itself and diagonal neighbours are tried through the play screen
// (PlayLoopTest); here, the cells a row's end must not wrap to.
TEST(BoardTest, OnlyTheNeighboursOfTheHoleMove)
{
    const struct { const char *name, *before; int index; const char *after; /* nullptr: refused */ } rows[] = {
        {"above hole", "1 2 3 4/5 6 7 8/9 10 11 12/13 14 15 16", 11, "1 2 3 4/5 6 7 8/9 10 11 16/13 14 15 12"},
        {"two away in the row", "1 2 3 4/5 6 7 8/9 10 11 12/13 14 15 16", 13, nullptr},
        {"end of row does not wrap forward", "1 2 3/9 5 6/7 8 4", 2, nullptr},
        {"start of row does not wrap back", "1 2 9/4 5 6/7 8 3", 3, nullptr},
        {"right of a middle hole", "1 2 3/4 9 6/7 8 5", 5, "1 2 3/4 6 9/7 8 5"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Game game;
        game.board = boardFrom(row.before);
        EXPECT_EQ(game.makeMove(row.index), row.after != nullptr);
        EXPECT_EQ(boardText(game.board), row.after ? row.after : row.before);
        EXPECT_EQ(game.moveCount, row.after ? 1 : 0);
    }
}

// A new game takes the chosen size, growing or shrinking the board; the 16-bit
// counters stop at their limit instead of turning negative.
TEST(BoardTest, NewBoardTakesTheChosenSizeAndCountersStopAtTheirLimit)
{
    Game game;
    for (std::int16_t size : {6, 3}) {
        game.chosenSize = size;
        game.resetBoard();
    }
    EXPECT_EQ(boardText(game.board), "1 2 3/4 5 6/7 8 9");
    game.moveCount = tilemere::kCounterLimit - 1;
    EXPECT_TRUE(game.makeMove(7));
    EXPECT_TRUE(game.makeMove(8));
    EXPECT_EQ(game.moveCount, tilemere::kCounterLimit);
    game.elapsedSeconds = tilemere::kCounterLimit;
    tilemere::countUp(game.elapsedSeconds);
    EXPECT_EQ(game.elapsedSeconds, tilemere::kCounterLimit);
}

TEST(BoardTest, SolvedAndWellShuffled)
{
    const struct { const char *board; bool solved, wellShuffled; } rows[] = {
        {"1 2 3/4 5 6/7 8 9", true, false},
        {"2 1 3/4 5 6/7 8 9", false, false}, // tile 3 and the hole still home
        {"2 3 1/5 6 4/9 7 8", false, true},
        {"2 3 1/5 6 4/8 7 9", false, false}, // only the hole at home
        {"9 2 3/4 5 6/7 8 1", false, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.board);
        const tilemere::Board board = boardFrom(row.board);
        EXPECT_EQ(board.isSolved(), row.solved);
        EXPECT_EQ(board.isWellShuffled(), row.wellShuffled);
    }
}

} // namespace
