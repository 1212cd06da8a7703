#include "BoardText.h"
#include "Shuffle.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ShuffleTest, DrawsRoundHalvesToTheEvenCell)
{
    EXPECT_EQ(tilemere::shuffleIndex(0.0625f, 3), 0); // 0.5
    EXPECT_EQ(tilemere::shuffleIndex(0.1875f, 3), 2); // 1.5
    EXPECT_EQ(tilemere::shuffleIndex(0.3125f, 3), 2); // 2.5
    EXPECT_EQ(tilemere::shuffleIndex(0.99f, 3), 8);
    EXPECT_EQ(tilemere::shuffleIndex(0.99999994f, 6), 35);
}

// Parity of the permutation plus the hole's distance from home must be even
// for a board that moves can reach from the solved one.
bool reachableByMoves(const tilemere::Board &board)
{
    const int side = board.side(), hole = board.holeIndex();
    int inversions = 0;
    for (int i = 1; i <= board.cellCount(); ++i)
        for (int j = i + 1; j <= board.cellCount(); ++j)
            inversions += board(i) > board(j);
    return (inversions + (side - 1 - hole % side) + (side - 1 - hole / side)) % 2 == 0;
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
            ASSERT_TRUE(board.isWellShuffled() && counts.moves > 0 && counts.draws >= counts.moves);
            ASSERT_TRUE(reachableByMoves(board)) << boardText(board);
            boards.insert(boardText(board));
        }
        EXPECT_GT(boards.size(), 200u) << "seeds give different boards";
    }
}

} // namespace
