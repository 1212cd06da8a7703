#include "Shuffle.h"

#include <cmath>

namespace tilemere {

UniformRandom UniformRandom::fromEntropy()
{
    std::random_device device;
    return UniformRandom(device());
}

float UniformRandom::next()
{
    // 24 random bits scaled by 2^-24 are exact in a float and never reach 1.
    return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
}

std::int16_t shuffleIndex(float r, std::int16_t side)
{
    const float product = r * static_cast<float>(side * side - 1);
    // nearbyint rounds in the current mode, which is to-nearest-even unless changed.
    return static_cast<std::int16_t>(std::nearbyint(product));
}

bool ShuffleWalk::step()
{
    while (!board_.isWellShuffled()) {
        const float r = random_.next();
        ++counts_.draws;
        if (board_.slide(shuffleIndex(r, board_.side()))) {
            ++counts_.moves;
            return true;
        }
    }
    return false;
}

ShuffleCounts shuffleBoard(Board &board, UniformRandom &random, const std::function<void()> &afterMove)
{
    ShuffleWalk walk(board, random);
    while (walk.step())
        if (afterMove)
            afterMove();
    return walk.counts();
}

} // namespace tilemere
