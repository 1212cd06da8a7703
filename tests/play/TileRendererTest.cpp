// The board drawn pixel by pixel: tiles from their home squares, the blank
// hole, the red grid, and the picture stretched into the square buffer. Also
// the main of the play tests, which drive the real window and so need an application.
#include "PlayFixture.h"
#include "TileRenderer.h"
#include "WindowTestMain.h"

// Outside the grid lines every pixel is the one of the tile lying in that
// cell, taken at the same place in the tile's home square; the hole is blank.
// The picture has every pixel different (and none red or white), so a tile
// scaled, blurred or shifted by one device pixel shows. On a high-density
// screen the board is drawn in device pixels from a buffer of as many, tiles
// meet without a seam whatever the tile size, and the grid stays two logical
// pixels wide.
TEST(DrawnBoard, ShowsEachTileFromItsHomeOnePixelFineWithTheHoleBlankAndTheGridRed)
{
    const struct { const char *name; double ratio; std::int16_t side; const char *position; int boardSide, lineWidth; } rows[] = {
        {"Solved3", 1, 3, nullptr, 399, 2}, {"Solved4", 1, 4, nullptr, 400, 2}, {"Solved5", 1, 5, nullptr, 400, 2},
        {"Solved6", 1, 6, nullptr, 396, 2}, {"HoleInCellOne4", 1, 4, "16 2 3 4/5 6 7 8/9 10 11 12/13 1 14 15", 400, 2},
        {"Shuffled3", 1, 3, "5 9 1/8 3 2/4 6 7", 399, 2},
        {"Ratio2", 2, 4, "16 2 3 4/5 6 7 8/9 10 11 12/13 1 14 15", 800, 4},
        {"Ratio1.5", 1.5, 3, "5 9 1/8 3 2/4 6 7", 600, 3},
        {"Ratio1.25OddTiles", 1.25, 6,
         "1 2 3 4 5 6/7 8 9 10 11 12/13 14 15 16 17 18/19 20 21 22 23 24/25 26 27 28 29 30/31 32 33 34 36 35", 498, 2}};
    const auto pixel = [](int x, int y) { return qRgb(x & 0xff, y & 0xff, 100 + 16 * (x >> 8) + (y >> 8)); };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const int deviceSide = tilemere::bufferDeviceSide(row.ratio);
        QImage picture(deviceSide, deviceSide, QImage::Format_RGB32);
        for (int y = 0; y < deviceSide; ++y)
            for (int x = 0; x < deviceSide; ++x)
                picture.setPixel(x, y, pixel(x, y));
        tilemere::Board tiles;
        tiles.resetSolved(row.side);
        if (row.position)
            tiles = boardFrom(row.position);
        const int side = row.side;
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
                                          : pixel(home % side * tile + x % tile, home / side * tile + y % tile);
                if (board.pixel(x, y) != expected && ++mismatches <= 3) // the first few tell enough
                    ADD_FAILURE() << "pixel " << x << "," << y;
            }
        }
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

int main(int argc, char **argv) { return runWindowTests(argc, argv); }
