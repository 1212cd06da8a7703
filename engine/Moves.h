#pragma once
// The rules of the puzzle: a tile slides into the orthogonally adjacent hole.
// All routines work on gBoard and gBoardSide.

#include <cstdint>

// Swaps the contents of two cells. Precondition: both in 1..N².
void moveSquares(std::int16_t i1, std::int16_t i2);

// True when 0 <= column < columns and 0 <= row < rows.
bool isOnBoard(std::int16_t column, std::int16_t row, std::int16_t columns, std::int16_t rows);

// Moves the tile at the 0-based cell index into the hole when they are
// neighbours (right, left, below, above); counts the move in moveCount.
// Returns whether a tile moved. Precondition: 0 <= index <= N² - 1.
bool makeMove(std::int16_t index);

// True when no cell, the hole's home included, holds its own tile.
bool checkWellShuffled();

// True when every cell holds its own tile.
bool checkSolved();
