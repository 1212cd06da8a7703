#include "ScoreTables.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

using tilemere::kEmptyScore;
using tilemere::ScoreTables;

// The 4x4 move table holding the given values, the rest empty, names "p1".."p10".
ScoreTables movesTable(std::initializer_list<std::int32_t> values)
{
    ScoreTables tables;
    auto &table = tables(1, 2);
    table.values.fill(kEmptyScore);
    int place = 0;
    for (auto value : values)
        table.values[static_cast<std::size_t>(place++)] = value;
    for (int p = 0; p < tilemere::kPlaces; ++p)
        table.names[static_cast<std::size_t>(p)] = "p" + std::to_string(p + 1);
    return tables;
}

std::vector<std::int32_t> valuesOf(const tilemere::ScoreTable &table)
{
    return {table.values.begin(), table.values.end()};
}

TEST(ScoreTablesTest, TablesNeverLoadedTakeNothing)
{
    const ScoreTables tables;
    EXPECT_EQ(tables.rank(2, 4, 1), tilemere::kNotPlaced);
}

struct InsertRow {
    const char *name;
    std::initializer_list<std::int32_t> before;
    std::int32_t result;
    std::int16_t rank;
    std::vector<std::int32_t> after;
    int namedPlace; // 1-based place that holds "new" afterwards, 0 for none
};

TEST(ScoreTablesTest, RankAndInsert)
{
    constexpr std::int32_t E = kEmptyScore;
    const InsertRow rows[] = {
        {"empty table, any result", {}, 0, 1, {0, E, E, E, E, E, E, E, E, E}, 1},
        {"the empty marker itself never enters", {}, E, 11, {E, E, E, E, E, E, E, E, E, E}, 0},
        {"ties go behind", {10, 12, 12, 15}, 12, 4, {10, 12, 12, 12, 15, E, E, E, E, E}, 4},
        {"first place shifts all, drops the tenth", {31, 32, 33, 34, 35, 36, 37, 38, 39, 40}, 5, 1,
         {5, 31, 32, 33, 34, 35, 36, 37, 38, 39}, 1},
        {"just inside the tenth", {31, 32, 33, 34, 35, 36, 37, 38, 39, 40}, 39, 10,
         {31, 32, 33, 34, 35, 36, 37, 38, 39, 39}, 10},
        {"a tie with the tenth leaves it alone", {31, 32, 33, 34, 35, 36, 37, 38, 39, 40}, 40, 11,
         {31, 32, 33, 34, 35, 36, 37, 38, 39, 40}, 0},
        {"worse than the tenth leaves it alone", {31, 32, 33, 34, 35, 36, 37, 38, 39, 40}, 41, 11,
         {31, 32, 33, 34, 35, 36, 37, 38, 39, 40}, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ScoreTables tables = movesTable(row.before);
        EXPECT_EQ(tables.rank(1, 2, row.result), row.rank);
        tables.insert(1, 2, row.result, "new");
        EXPECT_EQ(valuesOf(tables(1, 2)), row.after);
        if (row.namedPlace > 0) {
            EXPECT_EQ(tables(1, 2).names[static_cast<std::size_t>(row.namedPlace - 1)], "new");
            if (row.namedPlace < tilemere::kPlaces) { // the one it displaced moved down
                EXPECT_EQ(tables(1, 2).names[static_cast<std::size_t>(row.namedPlace)],
                          "p" + std::to_string(row.namedPlace));
            }
        } else {
            EXPECT_EQ(tables(1, 2).names[9], "p10");
        }
    }
}

TEST(ScoreTablesTest, ClearingOneSizeLeavesTheOthersAndTablesRankIndependently)
{
    ScoreTables tables;
    for (int mode = 1; mode <= 2; ++mode)
        for (int size = 1; size <= 4; ++size) {
            tables(mode, size).values.fill(100 * mode + size);
            tables(mode, size).names.fill("kept");
        }
    ScoreTables expected = tables;
    tables.clearSide(4);
    for (int mode = 1; mode <= 2; ++mode) {
        expected(mode, 2).values.fill(kEmptyScore);
        expected(mode, 2).names.fill("Anonymous");
    }
    EXPECT_TRUE(tables == expected);

    tables.clearSide(3);
    tables.insert(2, 1, 30, "fast");
    EXPECT_EQ(tables.rank(2, 1, 40), 2);
    EXPECT_EQ(tables.rank(1, 1, 40), 1);
}

} // namespace
