#pragma once
// The shuffle: a random walk of the hole made of the player's own moves, so
// every shuffled board can be solved.

#include "Board.h"

#include <cstdint>
#include <functional>
#include <random>

namespace tilemere {

// Uniform single-precision numbers in [0, 1). Seeded explicitly so tests can
// replay a shuffle; the program seeds it from the system's entropy.
class UniformRandom {
public:
    explicit UniformRandom(std::uint32_t seed) : engine_(seed) {}
    static UniformRandom fromEntropy();

    float next();

private:
    std::mt19937 engine_;
};

// The cell a draw names: round(r x (N² - 1)) in single precision, halves to even.
std::int16_t shuffleIndex(float r, std::int16_t side);

struct ShuffleCounts {
    long draws = 0; // random numbers taken
    long moves = 0; // draws that moved a tile
};

// The shuffle taken one performed move at a time, so that a window can show
// each move from its event loop; run to the end it is the same walk.
class ShuffleWalk {
public:
    // Both must outlive the walk.
    ShuffleWalk(Board &board, UniformRandom &random) : board_(board), random_(random) {}

    // Draws until a tile moves. False, with nothing moved, once the board is
    // well shuffled.
    bool step();
    bool finished() const { return board_.isWellShuffled(); }
    const ShuffleCounts &counts() const { return counts_; }

private:
    Board &board_;
    UniformRandom &random_;
    ShuffleCounts counts_;
};

// Shuffles the board (starting from any arrangement) until it is well
// shuffled, calling afterMove after every performed move.
ShuffleCounts shuffleBoard(Board &board, UniformRandom &random, const std::function<void()> &afterMove = {});

} // namespace tilemere
