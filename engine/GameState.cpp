#include "GameState.h"

tilemere::TileBoard gBoard;
std::int16_t gBoardSide = 0;
std::int16_t gChosenSize = 4;
std::int16_t gSelectedPicture = 0;
std::int16_t gCurrentPage = 0;
std::int16_t gPageCount = 0;
std::int16_t gSoundOn = tilemere::kTrue;
std::int16_t moveCount = 0;
std::int16_t elapsedSeconds = 0;

namespace tilemere {

void TileBoard::resetSolved(std::int16_t side)
{
    const int count = side * side;
    cells_.resize(static_cast<std::size_t>(count));
    for (int cell = 1; cell <= count; ++cell)
        (*this)(cell) = static_cast<std::int16_t>(cell);
}

void countUp(std::int16_t &counter)
{
    if (counter < kCounterLimit)
        ++counter;
}

void resetBoardToChosenSize()
{
    gBoardSide = gChosenSize;
    gBoard.resetSolved(gBoardSide);
}

} // namespace tilemere
