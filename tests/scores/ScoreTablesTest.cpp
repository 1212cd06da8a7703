#include "ScoreTables.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tilemere::kEmptyScore;
using tilemere::ScoreTables;

TEST(ScoreTablesTest, TablesNeverLoadedTakeNothing)
{
    EXPECT_EQ(ScoreTables().rank(tilemere::ScoreMode::Time, 4, 1), tilemere::kNotPlaced);
}

// On the 4x4 move table, the given values then empty places, names "p1".."p10".
TEST(ScoreTablesTest, RankAndInsert)
{
    constexpr std::int32_t E = kEmptyScore;
    const std::vector<std::int32_t> full{31, 32, 33, 34, 35, 36, 37, 38, 39, 40};
    const struct { const char *name; std::vector<std::int32_t> before; std::int32_t result; std::int16_t rank;
                   std::vector<std::int32_t> after; } rows[] = {
        {"empty table, any result", {}, 0, 1, {0, E, E, E, E, E, E, E, E, E}},
        {"the empty marker itself never enters", {}, E, 11, {E, E, E, E, E, E, E, E, E, E}},
        {"ties go behind", {10, 12, 12, 15}, 12, 4, {10, 12, 12, 12, 15, E, E, E, E, E}},
        {"first place shifts all, drops the tenth", full, 5, 1, {5, 31, 32, 33, 34, 35, 36, 37, 38, 39}},
        {"just inside the tenth", full, 39, 10, {31, 32, 33, 34, 35, 36, 37, 38, 39, 39}},
        {"a tie with the tenth leaves it alone", full, 40, 11, full},
        {"worse than the tenth leaves it alone", full, 41, 11, full},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ScoreTables tables;
        auto &table = tables(tilemere::ScoreMode::Moves, 2);
        std::vector<std::string> names;
        for (int place = 0; place < tilemere::kPlaces; ++place) {
            table.values[place] = place < int(row.before.size()) ? row.before[place] : E;
            table.names[place] = "p" + std::to_string(place + 1);
            names.push_back(table.names[place]);
        }
        if (row.rank <= tilemere::kPlaces) { // the new name at its place, the later ones one down
            names.insert(names.begin() + row.rank - 1, "new");
            names.pop_back();
        }
        EXPECT_EQ(tables.rank(tilemere::ScoreMode::Moves, 2, row.result), row.rank);
        tables.insert(tilemere::ScoreMode::Moves, 2, row.result, "new");
        EXPECT_EQ(std::vector<std::int32_t>(table.values.begin(), table.values.end()), row.after);
        EXPECT_EQ(std::vector<std::string>(table.names.begin(), table.names.end()), names);
    }
}

} // namespace
