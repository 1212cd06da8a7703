#pragma once
// The game's program-wide state. Every screen reads and writes it directly;
// nothing here knows about windows.

#include <cstdint>
#include <vector>

namespace tilemere {

// Board side limits: the front screen offers 3x3 up to 6x6.
inline constexpr std::int16_t kMinBoardSide = 3;
inline constexpr std::int16_t kMaxBoardSide = 6;
// The 16-bit counters stop here instead of wrapping to negative numbers.
inline constexpr std::int16_t kCounterLimit = 32767;

// Cells numbered 1..N² row-major; cell k holds the number of the tile whose
// home is cell k. The value N² is the hole.
class TileBoard {
public:
    // Re-dimensions to side x side cells in the solved arrangement (cell k holds k).
    // Precondition: side >= 1.
    void resetSolved(std::int16_t side);

    // Precondition: 1 <= cell <= cellCount().
    std::int16_t &operator()(int cell) { return cells_[static_cast<std::size_t>(cell - 1)]; }
    std::int16_t operator()(int cell) const { return cells_[static_cast<std::size_t>(cell - 1)]; }

    int cellCount() const { return static_cast<int>(cells_.size()); }
    bool empty() const { return cells_.empty(); }

private:
    std::vector<std::int16_t> cells_;
};

} // namespace tilemere

extern tilemere::TileBoard gBoard;
extern std::int16_t gBoardSide;       // N of the board in play, 3..6
extern std::int16_t gChosenSize;      // side chosen on the front screen, 3..6
extern std::int16_t gSelectedPicture; // 0-based index into the front screen's file list
extern std::int16_t gCurrentPage;     // thumbnail page shown, 0-based
extern std::int16_t gPageCount;       // number of full pages of nine pictures
extern std::int16_t gSoundOn;         // -1 = sounds play, 0 = silent

// The play screen's counters. makeMove counts moves here; the clock counts seconds.
extern std::int16_t moveCount;
extern std::int16_t elapsedSeconds;

namespace tilemere {

inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

// Adds one unless the counter already stands at kCounterLimit.
void countUp(std::int16_t &counter);

// gBoardSide := gChosenSize, and gBoard re-dimensioned and solved.
void resetBoardToChosenSize();

} // namespace tilemere
