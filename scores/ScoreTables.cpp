#include "ScoreTables.h"

namespace tilemere {

ScoreTable &ScoreTables::operator()(ScoreMode scoreMode, int sizeIndex)
{
    return tables_[static_cast<std::size_t>((static_cast<int>(scoreMode) - 1) * 4 + (sizeIndex - 1))];
}

const ScoreTable &ScoreTables::operator()(ScoreMode scoreMode, int sizeIndex) const
{
    return tables_[static_cast<std::size_t>((static_cast<int>(scoreMode) - 1) * 4 + (sizeIndex - 1))];
}

std::int16_t ScoreTables::rank(ScoreMode scoreMode, int sizeIndex, std::int32_t value) const
{
    const auto &table = (*this)(scoreMode, sizeIndex);
    for (int place = 1; place <= kPlaces; ++place)
        if (table.values[static_cast<std::size_t>(place - 1)] > value)
            return static_cast<std::int16_t>(place);
    return kNotPlaced;
}

void ScoreTables::insert(ScoreMode scoreMode, int sizeIndex, std::int32_t value, const std::string &playerName)
{
    const int place = rank(scoreMode, sizeIndex, value);
    if (place > kPlaces)
        return;
    auto &table = (*this)(scoreMode, sizeIndex);
    for (int later = kPlaces - 1; later >= place; --later) {
        table.values[static_cast<std::size_t>(later)] = table.values[static_cast<std::size_t>(later - 1)];
        table.names[static_cast<std::size_t>(later)] = table.names[static_cast<std::size_t>(later - 1)];
    }
    table.values[static_cast<std::size_t>(place - 1)] = value;
    table.names[static_cast<std::size_t>(place - 1)] = playerName;
}

void ScoreTables::clearSide(int boardSide)
{
    for (ScoreMode scoreMode : kScoreModes) {
        auto &table = (*this)(scoreMode, boardSide - 2);
        table.values.fill(kEmptyScore);
        table.names.fill(kClearedName);
    }
}

} // namespace tilemere
