#include "ScoreTables.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using tilemere::kEmptyScore;

// Fills the 4x4 move table with the given values, the rest empty, names "p1".."p10".
void fillMoves(std::initializer_list<std::int32_t> values)
{
    auto &table = gScores(1, 2);
    table.values.fill(kEmptyScore);
    int place = 0;
    for (auto value : values)
        table.values[static_cast<std::size_t>(place++)] = value;
    for (int p = 0; p < tilemere::kPlaces; ++p)
        table.names[static_cast<std::size_t>(p)] = "p" + std::to_string(p + 1);
}

TEST(ScoreTablesTest, BeforeLoadingEveryPlaceIsZeroSoNothingPlaces)
{
    EXPECT_EQ(gScores(2, 4).values[9], 0);
    EXPECT_EQ(gScores(2, 4).names[0], "");
    EXPECT_EQ(scoreRank(2, 4, 1), tilemere::kNotPlaced);
}

TEST(ScoreTablesTest, EmptyTableTakesAnyResultBelowTheMarkerAtPlaceOne)
{
    fillMoves({});
    EXPECT_EQ(scoreRank(1, 2, 32766), 1);
    EXPECT_EQ(scoreRank(1, 2, 32767), 11); // the marker itself never enters
    EXPECT_EQ(scoreRank(1, 2, 0), 1);
    insertScore(1, 2, 57, "Ann");
    EXPECT_EQ(gScores(1, 2).values[0], 57);
    EXPECT_EQ(gScores(1, 2).names[0], "Ann");
    EXPECT_EQ(gScores(1, 2).values[1], kEmptyScore);
}

TEST(ScoreTablesTest, TiesGoBehindAndLaterPlacesMoveDown)
{
    fillMoves({10, 12, 12, 15});
    EXPECT_EQ(scoreRank(1, 2, 12), 4);
    insertScore(1, 2, 12, "new");
    const auto &table = gScores(1, 2);
    const std::int32_t expected[] = {10, 12, 12, 12, 15, kEmptyScore, kEmptyScore,
                                     kEmptyScore, kEmptyScore, kEmptyScore};
    for (int p = 0; p < tilemere::kPlaces; ++p)
        EXPECT_EQ(table.values[static_cast<std::size_t>(p)], expected[p]) << "place " << p + 1;
    EXPECT_EQ(table.names[3], "new");
    EXPECT_EQ(table.names[4], "p4");
    EXPECT_EQ(table.names[9], "p9"); // old tenth dropped
}

TEST(ScoreTablesTest, FullTableCutsOffAtTheTenthPlace)
{
    fillMoves({31, 32, 33, 34, 35, 36, 37, 38, 39, 40});
    EXPECT_EQ(scoreRank(1, 2, 40), 11);
    EXPECT_EQ(scoreRank(1, 2, 41), 11);
    EXPECT_EQ(scoreRank(1, 2, 39), 10);
    insertScore(1, 2, 39, "late");
    EXPECT_EQ(gScores(1, 2).values[8], 39);
    EXPECT_EQ(gScores(1, 2).names[8], "p9");
    EXPECT_EQ(gScores(1, 2).values[9], 39);
    EXPECT_EQ(gScores(1, 2).names[9], "late");
}

TEST(ScoreTablesTest, InsertAtFirstPlaceShiftsAllAndDropsTheTenth)
{
    fillMoves({31, 32, 33, 34, 35, 36, 37, 38, 39, 40});
    EXPECT_EQ(scoreRank(1, 2, 5), 1);
    insertScore(1, 2, 5, "best");
    const auto &table = gScores(1, 2);
    EXPECT_EQ(table.values[0], 5);
    for (int p = 1; p < tilemere::kPlaces; ++p) {
        EXPECT_EQ(table.values[static_cast<std::size_t>(p)], 30 + p);
        EXPECT_EQ(table.names[static_cast<std::size_t>(p)], "p" + std::to_string(p));
    }
}

TEST(ScoreTablesTest, ClearingOneSizeLeavesTheOthers)
{
    for (int mode = 1; mode <= 2; ++mode)
        for (int size = 1; size <= 4; ++size) {
            gScores(mode, size).values.fill(100 * mode + size);
            gScores(mode, size).names.fill("kept");
        }
    clearScoreTables(4);
    for (int mode = 1; mode <= 2; ++mode)
        for (int size = 1; size <= 4; ++size) {
            const auto &table = gScores(mode, size);
            for (int p = 0; p < tilemere::kPlaces; ++p) {
                if (size == 2) {
                    EXPECT_EQ(table.values[static_cast<std::size_t>(p)], kEmptyScore);
                    EXPECT_EQ(table.names[static_cast<std::size_t>(p)], "Anonymous");
                } else {
                    EXPECT_EQ(table.values[static_cast<std::size_t>(p)], 100 * mode + size);
                    EXPECT_EQ(table.names[static_cast<std::size_t>(p)], "kept");
                }
            }
        }
}

TEST(ScoreTablesTest, MovesAndTimeTablesRankIndependently)
{
    clearScoreTables(3);
    insertScore(2, 1, 30, "fast");
    EXPECT_EQ(scoreRank(2, 1, 40), 2);
    EXPECT_EQ(scoreRank(1, 1, 40), 1);
}

} // namespace
