#pragma once
// The eight top-ten tables: fewest moves and shortest time for each board
// side 3..6. Pure model; the store loads and saves it, the windows show it.

#include <array>
#include <cstdint>
#include <string>

namespace tilemere {

inline constexpr int kPlaces = 10;
inline constexpr std::int32_t kEmptyScore = 32767;       // marks an empty place
inline constexpr std::int16_t kNotPlaced = 11;           // rank of a result that does not enter
inline constexpr const char *kClearedName = "Anonymous"; // name of a place emptied by a clear

struct ScoreTable {
    std::array<std::int32_t, kPlaces> values{}; // place 1 first; smaller is better
    std::array<std::string, kPlaces> names{};   // UTF-8
    bool operator==(const ScoreTable &) const = default;
};

// Which result a table ranks. The numbers are part of the store's value
// names ("1STATS1VAL" holds move counts).
enum class ScoreMode { Moves = 1, Time = 2 };
inline constexpr std::array<ScoreMode, 2> kScoreModes{ScoreMode::Moves, ScoreMode::Time};

// sizeIndex: board side - 2, so 1..4.
// Every value 0 and every name empty until the store has loaded, so nothing
// places in tables that were never read.
class ScoreTables {
public:
    // Precondition: 1 <= sizeIndex <= 4.
    ScoreTable &operator()(ScoreMode scoreMode, int sizeIndex);
    const ScoreTable &operator()(ScoreMode scoreMode, int sizeIndex) const;

    // The place 1..10 that value would take in the table, or 11. A result goes
    // behind every equal one, so a tie with the tenth place does not enter.
    std::int16_t rank(ScoreMode scoreMode, int sizeIndex, std::int32_t value) const;

    // Inserts (value, playerName) at its place, moving later places down and
    // dropping the tenth. A result that does not place changes nothing.
    void insert(ScoreMode scoreMode, int sizeIndex, std::int32_t value, const std::string &playerName);

    // Empties both tables of one board side (3..6).
    void clearSide(int boardSide);

    bool operator==(const ScoreTables &) const = default;

private:
    std::array<ScoreTable, 8> tables_{};
};

} // namespace tilemere
