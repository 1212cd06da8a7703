#pragma once
// Slicing the picture and drawing the board, on plain images so that the
// drawing can be checked pixel by pixel without a window.

#include <QColor>
#include <QImage>

#include <cmath>

namespace tilemere {

class Board;

// The square the picture is stretched into, in pixels.
inline constexpr int kPictureBufferSide = 400;
inline const QColor kGridRed(255, 0, 0);

// Rounds to the nearest integer, halves to the even neighbour, as the
// board's cell and grid positions are rounded.
inline int roundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// The whole picture stretched (aspect ratio not kept) to the 400 x 400
// buffer, as Format_RGB32. Precondition: picture is not null.
QImage stretchToBuffer(const QImage &picture);

// Redraws the whole board of side N from tiles: board becomes N x tile
// pixels (tile = source size \ N), cleared to background; every tile is
// copied from its home square of source to the cell where it lies, the hole
// stays blank. Preconditions: 3 <= N <= 6, source is at least N pixels in
// each direction.
void drawTiles(const Board &tiles, const QImage &source, QImage &board, const QColor &background);

// Red lines two pixels wide around the board and between its cells. A line
// at x covers the pixel columns x - 1 and x, so the outer frame shows one
// pixel wide and the inner lines two. Precondition: board is not null.
void drawGrid(QImage &board, int side);

} // namespace tilemere
