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

TEST(StretchedPicture, WidePictureIsHalvedAcrossOnly)
{
    const QImage buffer = tilemere::stretchToBuffer(blockPicture(800, 400));
    ASSERT_EQ(buffer.size(), QSize(400, 400));
    for (int row = 0; row < 10; ++row) // each 80 x 40 block of the picture becomes a 40 x 40 square
        for (int column = 0; column < 10; ++column)
            EXPECT_EQ(buffer.pixel(40 * column + 20, 40 * row + 20), blockColour(column, row)) << column << "," << row;
}

} // namespace
