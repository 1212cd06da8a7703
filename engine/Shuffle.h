#pragma once
// The shuffle: a random walk of the hole made of the player's own moves, so
// every shuffled board can be solved.

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

// Shuffles gBoard (side gBoardSide, starting from any arrangement) until
// checkWellShuffled holds, calling afterMove after every performed move, then
// sets moveCount to 0.
ShuffleCounts shuffleBoard(UniformRandom &random, const std::function<void()> &afterMove = {});

} // namespace tilemere
