#pragma once
// The state of one run of the game, shared by the screens: created once by
// main and handed to the windows that need it.

#include "Board.h"

#include <cstdint>

namespace tilemere {

// The 16-bit counters stop here instead of wrapping to negative numbers.
inline constexpr std::int16_t kCounterLimit = 32767;

// Adds one unless the counter already stands at kCounterLimit.
void countUp(std::int16_t &counter);

struct Game {
    Board board;                      // the board in play; its side is 3..6
    std::int16_t chosenSize = 4;      // side chosen on the front screen, 3..6
    std::int16_t selectedPicture = 0; // 0-based index into the front screen's picture list
    std::int16_t currentPage = 0;     // thumbnail page shown, 0-based
    std::int16_t pageCount = 0;       // number of full pages of nine pictures
    bool soundOn = true;
    std::int16_t moveCount = 0;
    std::int16_t elapsedSeconds = 0;

    // The board re-dimensioned to chosenSize and solved.
    void resetBoard() { board.resetSolved(chosenSize); }

    // Slides the tile at the 0-based index into the hole when it is next to
    // it, counting the move. Returns whether a tile moved.
    bool makeMove(int index);
};

} // namespace tilemere
