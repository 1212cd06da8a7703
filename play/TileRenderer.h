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

// The buffer's side in device pixels on a screen of the given pixel ratio:
// 400 at ratio 1, 800 at ratio 2, 500 at 1.25.
inline int bufferDeviceSide(double devicePixelRatio) { return roundHalfEven(kPictureBufferSide * devicePixelRatio); }

// The whole picture stretched (aspect ratio not kept) to the buffer, 400 x
// 400 logical pixels drawn at device resolution: bufferDeviceSide(ratio)
// pixels a side with that ratio set, as Format_RGB32. Precondition: picture
// is not null, devicePixelRatio >= 1.
QImage stretchToBuffer(const QImage &picture, double devicePixelRatio = 1);

// Redraws the whole board of side N from tiles, in device pixels: board
// becomes N x tile pixels (tile = source size \ N) with the source's pixel
// ratio, cleared to background; every tile is copied from its home square of
// source to the cell where it lies, the hole stays blank. One whole tile size
// for every tile, so tiles meet without seams at any ratio. Preconditions:
// 3 <= N <= 6, source is at least N pixels in each direction.
void drawTiles(const Board &tiles, const QImage &source, QImage &board, const QColor &background);

// Red lines two logical pixels wide (2 x the board's pixel ratio, rounded)
// around the board and between its cells. At ratio 1 a line at x covers the
// pixel columns x - 1 and x, so the outer frame shows one pixel wide and the
// inner lines two. Precondition: board is Format_RGB32, as drawTiles makes it.
void drawGrid(QImage &board, int side);

} // namespace tilemere
