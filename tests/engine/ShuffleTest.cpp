#include "BoardText.h"
#include "Shuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

TEST(ShuffleTest, DrawsRoundHalvesToTheEvenCell)
{
    EXPECT_EQ(tilemere::shuffleIndex(0.0625f, 3), 0); // 0.5
    EXPECT_EQ(tilemere::shuffleIndex(0.1875f, 3), 2); // 1.5
    EXPECT_EQ(tilemere::shuffleIndex(0.3125f, 3), 2); // 2.5
    EXPECT_EQ(tilemere::shuffleIndex(0.99f, 3), 8);
    EXPECT_EQ(tilemere::shuffleIndex(0.0f, 6), 0);
    EXPECT_EQ(tilemere::shuffleIndex(0.99999994f, 6), 35);
}

TEST(ShuffleTest, GeneratorStaysBelowOneAndRepeatsForASeed)
{
    tilemere::UniformRandom a(7), b(7);
    for (int i = 0; i < 100000; ++i) {
        const float r = a.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        ASSERT_EQ(r, b.next());
    }
}

// Parity of the permutation plus the hole's distance from home must be even
// for a board that moves can reach from the solved one.
bool reachableByMoves(const tilemere::Board &board)
{
    const int side = board.side();
    const int count = side * side;
    int inversions = 0;
    for (int i = 1; i <= count; ++i)
        for (int j = i + 1; j <= count; ++j)
            if (board(i) > board(j))
                ++inversions;
    int holeCell = 1;
    while (board(holeCell) != count)
        ++holeCell;
    const int distance = (side - 1 - (holeCell - 1) % side) + (side - 1 - (holeCell - 1) / side);
    return (inversions + distance) % 2 == 0;
}

TEST(ShuffleTest, EveryShuffleIsWellShuffledAndSolvableForEverySize)
{
    for (std::int16_t side = tilemere::kMinBoardSide; side <= tilemere::kMaxBoardSide; ++side) {
        std::set<std::string> boards;
        for (std::uint32_t seed = 1; seed <= 300; ++seed) {
            SCOPED_TRACE(::testing::Message() << "side " << side << " seed " << seed);
            tilemere::Board board;
            board.resetSolved(side);
            tilemere::UniformRandom random(seed);
            const auto counts = tilemere::shuffleBoard(board, random);
            ASSERT_TRUE(board.isWellShuffled());
            ASSERT_FALSE(board.isSolved());
            ASSERT_GT(counts.moves, 0);
            ASSERT_GE(counts.draws, counts.moves);
            std::vector<std::int16_t> tiles;
            for (int cell = 1; cell <= side * side; ++cell)
                tiles.push_back(board(cell));
            std::sort(tiles.begin(), tiles.end());
            for (int i = 0; i < side * side; ++i)
                ASSERT_EQ(tiles[static_cast<std::size_t>(i)], i + 1);
            ASSERT_TRUE(reachableByMoves(board));
            boards.insert(boardText(board));
        }
        EXPECT_GT(boards.size(), 200u) << "seeds give different boards";
    }
}

TEST(ShuffleTest, ReportsEveryPerformedMoveAndNoRefusedDraw)
{
    tilemere::Board board;
    board.resetSolved(4);
    tilemere::UniformRandom random(42);
    long reported = 0;
    std::string previous = boardText(board);
    const auto counts = tilemere::shuffleBoard(board, random, [&] {
        ++reported;
        const std::string now = boardText(board);
        EXPECT_NE(now, previous); // each report follows a real change
        previous = now;
    });
    EXPECT_EQ(reported, counts.moves);
    EXPECT_LT(counts.moves, counts.draws);

    // Taken step by step, the walk is the same one.
    tilemere::Board stepped;
    stepped.resetSolved(4);
    tilemere::UniformRandom again(42);
    tilemere::ShuffleWalk walk(stepped, again);
    while (walk.step()) {
    }
    EXPECT_EQ(boardText(stepped), boardText(board));
    EXPECT_EQ(walk.counts().draws, counts.draws);
}

} // namespace
