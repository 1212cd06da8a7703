// The board drawn pixel by pixel: tiles from their home squares, the blank
// hole, the red grid, and the picture stretched into the square buffer.
#include "PlayFixture.h"
#include "TileRenderer.h"

namespace {

// Outside the two-pixel grid lines every pixel is the one of the tile lying
// in that cell, taken at the same place in the tile's home square; the hole is blank.
TEST(DrawnBoard, ShowsEachTileFromItsHomeWithTheHoleBlankAndTheGridRed)
{
    const struct { const char *name; std::int16_t side; const char *position; int boardSide; } rows[] = {
        {"Solved3", 3, nullptr, 399}, {"Solved4", 4, nullptr, 400}, {"Solved5", 5, nullptr, 400},
        {"Solved6", 6, nullptr, 396}, {"HoleInCellOne4", 4, "16 2 3 4/5 6 7 8/9 10 11 12/13 1 14 15", 400},
        {"Shuffled3", 3, "5 9 1/8 3 2/4 6 7", 399}};
    QImage buffer(400, 400, QImage::Format_RGB32); // every pixel different, and none of them red or white
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x)
            buffer.setPixel(x, y, qRgb(x & 0xff, y & 0xff, 100 + 16 * (x >> 8) + (y >> 8)));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        tilemere::Board tiles;
        tiles.resetSolved(row.side);
        if (row.position)
            tiles = boardFrom(row.position);
        const int side = tiles.side();
        QImage board;
        tilemere::drawTiles(tiles, buffer, board, Qt::white);
        tilemere::drawGrid(board, side);
        ASSERT_EQ(board.size(), QSize(row.boardSide, row.boardSide));
        const int tile = board.width() / side;
        const auto onGrid = [tile](int at) { return at % tile == 0 || at % tile == tile - 1; };
        int mismatches = 0;
        for (int y = 0; y < board.height(); ++y) {
            for (int x = 0; x < board.width(); ++x) {
                const int home = tiles(y / tile * side + x / tile + 1) - 1;
                const QRgb expected = onGrid(x) || onGrid(y)     ? qRgb(255, 0, 0)
                                      : home == side * side - 1 ? qRgb(255, 255, 255)
                                          : buffer.pixel(home % side * tile + x % tile, home / side * tile + y % tile);
                if (board.pixel(x, y) != expected && ++mismatches <= 3)
                    ADD_FAILURE() << "pixel " << x << "," << y;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

// On a high-density screen the board is drawn in device pixels from a buffer
// of as many: a picture's one-pixel checkerboard stays one pixel fine on every
// tile, tiles meet without a seam whatever the tile size, and the grid stays
// two logical pixels wide.
TEST(DrawnBoard, KeepsOnePixelDetailAtHigherPixelRatios)
{
    const struct { const char *name; double ratio; const char *position; int boardSide, lineWidth; } rows[] = {
        {"Ratio2", 2, "16 2 3 4/5 6 7 8/9 10 11 12/13 1 14 15", 800, 4},
        {"Ratio1.5", 1.5, "5 9 1/8 3 2/4 6 7", 600, 3},
        {"Ratio1.25OddTiles", 1.25, "1 2 3 4 5 6/7 8 9 10 11 12/13 14 15 16 17 18/19 20 21 22 23 24/25 26 27 28 29 30/31 32 33 "
                                    "34 36 35", 498, 2}};
    const auto checker = [](int x, int y) { return (x + y) % 2 ? qRgb(0, 0, 200) : qRgb(200, 200, 0); };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QImage picture(tilemere::bufferDeviceSide(row.ratio), tilemere::bufferDeviceSide(row.ratio), QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, checker(x, y));
        const tilemere::Board tiles = boardFrom(row.position);
        const int side = tiles.side();
        QImage board;
        tilemere::drawTiles(tiles, tilemere::stretchToBuffer(picture, row.ratio), board, Qt::white);
        tilemere::drawGrid(board, side);
        ASSERT_EQ(board.size(), QSize(row.boardSide, row.boardSide));
        EXPECT_EQ(board.devicePixelRatio(), row.ratio);
        const int tile = board.width() / side;
        const auto onGrid = [&](int at) { return (at + row.lineWidth / 2) % tile < row.lineWidth; };
        int mismatches = 0;
        for (int y = 0; y < board.height(); ++y) {
            for (int x = 0; x < board.width(); ++x) {
                const int home = tiles(y / tile * side + x / tile + 1) - 1;
                const QRgb expected = onGrid(x) || onGrid(y)     ? qRgb(255, 0, 0)
                                      : home == side * side - 1 ? qRgb(255, 255, 255)
                                          : checker(home % side * tile + x % tile, home / side * tile + y % tile);
                if (board.pixel(x, y) != expected && ++mismatches <= 3)
                    ADD_FAILURE() << "pixel " << x << "," << y;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(StretchedPicture, WidePictureIsHalvedAcrossOnly)
{
    const QImage buffer = tilemere::stretchToBuffer(blockPicture(800, 400));
    ASSERT_EQ(buffer.size(), QSize(400, 400));
    for (int row = 0; row < 10; ++row) // each 80 x 40 block of the picture becomes a 40 x 40 square
        for (int column = 0; column < 10; ++column)
            EXPECT_EQ(buffer.pixel(40 * column + 20, 40 * row + 20), blockColour(column, row)) << column << "," << row;
}

} // namespace
