#include "Game.h"

namespace tilemere {

void countUp(std::int16_t &counter)
{
    if (counter < kCounterLimit)
        ++counter;
}

bool Game::makeMove(int index)
{
    if (!board.slide(index))
        return false;
    countUp(moveCount);
    return true;
}

} // namespace tilemere
