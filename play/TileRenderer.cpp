#include "TileRenderer.h"

#include "Board.h"


#include <algorithm>
#include <cstring>

namespace tilemere {

QImage stretchToBuffer(const QImage &picture, double devicePixelRatio)
{
    const int side = bufferDeviceSide(devicePixelRatio);
    QImage buffer = picture.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                        .convertToFormat(QImage::Format_RGB32);
    buffer.setDevicePixelRatio(devicePixelRatio);
    return buffer;
}

void drawTiles(const Board &tiles, const QImage &source, QImage &board, const QColor &background)
{
    const int side = tiles.side();
    // Row copies below need both images in the same 32-bit layout.
    const QImage pixels =
        source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    const int tileWidth = pixels.width() / side;
    const int tileHeight = pixels.height() / side;
    const QSize boardSize(side * tileWidth, side * tileHeight);
    if (board.size() != boardSize || board.format() != QImage::Format_RGB32)
        board = QImage(boardSize, QImage::Format_RGB32);
    if (board.devicePixelRatio() != source.devicePixelRatio())
        board.setDevicePixelRatio(source.devicePixelRatio());
    board.fill(background);

    const int hole = side * side - 1;
    const auto rowBytes = static_cast<std::size_t>(tileWidth) * sizeof(QRgb);
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            const int tile = tiles(row * side + column + 1) - 1;
            if (tile == hole)
                continue;
            const int sourceX = (tile % side) * tileWidth;
            const int sourceY = (tile / side) * tileHeight;
            for (int line = 0; line < tileHeight; ++line) {
                const auto *from = reinterpret_cast<const QRgb *>(pixels.constScanLine(sourceY + line)) + sourceX;
                auto *to = reinterpret_cast<QRgb *>(board.scanLine(row * tileHeight + line)) + column * tileWidth;
                std::memcpy(to, from, rowBytes);
            }
        }
    }
}

void drawGrid(QImage &board, int side)
{
    const int width = board.width();
    const int height = board.height();
    const double stepX = static_cast<double>(width) / side;
    const double stepY = static_cast<double>(height) / side;

    // Filled in device pixels, not through a painter, whose scaling would
    // smear a line starting between two pixels at a fractional ratio.
    const int lineWidth = std::max(2, roundHalfEven(2 * board.devicePixelRatio()));
    const int before = lineWidth / 2; // a line is centred on its position
    const QRgb red = kGridRed.rgb();
    const auto fill = [&board, red](QRect area) {
        area &= board.rect(); // the outer halves of the frame fall off the board
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::fill_n(reinterpret_cast<QRgb *>(board.scanLine(y)) + area.left(), area.width(), red);
    };
    auto vertical = [&](int x) { fill(QRect(x - before, 0, lineWidth, height)); };
    auto horizontal = [&](int y) { fill(QRect(0, y - before, width, lineWidth)); };
    vertical(0);
    horizontal(0);
    int x = roundHalfEven(stepX);
    int y = roundHalfEven(stepY);
    for (int line = 0; line < side; ++line) {
        vertical(x);
        x = roundHalfEven(x + stepX);
        horizontal(y);
        y = roundHalfEven(y + stepY);
    }
}

} // namespace tilemere
