#include "ScoreTables.h"

tilemere::ScoreTables gScores;

namespace tilemere {

ScoreTable &ScoreTables::operator()(int scoreMode, int sizeIndex)
{
    return tables_[static_cast<std::size_t>((scoreMode - 1) * 4 + (sizeIndex - 1))];
}

const ScoreTable &ScoreTables::operator()(int scoreMode, int sizeIndex) const
{
    return tables_[static_cast<std::size_t>((scoreMode - 1) * 4 + (sizeIndex - 1))];
}

} // namespace tilemere

std::int16_t scoreRank(std::int16_t scoreMode, std::int16_t sizeIndex, std::int16_t value)
{
    const auto &table = gScores(scoreMode, sizeIndex);
    for (int place = 1; place <= tilemere::kPlaces; ++place)
        if (table.values[place - 1] > static_cast<std::int32_t>(value))
            return static_cast<std::int16_t>(place);
    return tilemere::kNotPlaced;
}

void insertScore(std::int16_t scoreMode, std::int16_t sizeIndex, std::int16_t value,
                 const std::string &playerName)
{
    auto &table = gScores(scoreMode, sizeIndex);
    int place = tilemere::kPlaces;
    for (int candidate = 1; candidate <= tilemere::kPlaces; ++candidate) {
        if (table.values[candidate - 1] > static_cast<std::int32_t>(value)) {
            place = candidate;
            break;
        }
    }
    for (int later = tilemere::kPlaces - 1; later >= place; --later) {
        table.values[later] = table.values[later - 1];
        table.names[later] = table.names[later - 1];
    }
    table.values[place - 1] = value;
    table.names[place - 1] = playerName;
}

void clearScoreTables(std::int16_t boardSide)
{
    for (int scoreMode = 1; scoreMode <= 2; ++scoreMode) {
        auto &table = gScores(scoreMode, boardSide - 2);
        table.values.fill(tilemere::kEmptyScore);
        table.names.fill(tilemere::kClearedName);
    }
}
