// The board drawn pixel by pixel: tiles from their home squares, the blank
// hole, the red grid, and the picture stretched into the square buffer.
#include "BoardText.h"
#include "GameState.h"
#include "TileRenderer.h"

#include "PlayFixture.h"

#include <gtest/gtest.h>

namespace {

const QColor kBlank(Qt::white);
constexpr QRgb kRed = 0xffff0000;

// Every buffer pixel different, and none of them red or white.
QImage numberedBuffer()
{
    QImage buffer(400, 400, QImage::Format_RGB32);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x)
            buffer.setPixel(x, y, qRgb(x & 0xff, y & 0xff, 100 + 16 * (x >> 8) + (y >> 8)));
    return buffer;
}

// The columns (or rows) a two-pixel grid line covers on a board of side N.
bool onGridLine(int position, int tile, int side)
{
    for (int line = 0; line <= side; ++line)
        if (position == line * tile || position == line * tile - 1)
            return true;
    return false;
}

QImage drawBoard(const QImage &buffer, int side)
{
    QImage board;
    tilemere::drawTiles(buffer, board, side, kBlank);
    tilemere::drawGrid(board, side);
    return board;
}

struct BoardCase {
    const char *name;
    const char *position;
    QSize boardSize;
};

void PrintTo(const BoardCase &row, std::ostream *out)
{
    *out << row.name;
}


class DrawnBoard : public ::testing::TestWithParam<BoardCase> {};

// Outside the grid every pixel is the one of the tile lying in that cell,
// taken at the same place in the tile's home square; the hole is blank.
TEST_P(DrawnBoard, ShowsEachTileFromItsHomeWithTheHoleBlankAndTheGridRed)
{
    setBoard(GetParam().position);
    const QImage buffer = numberedBuffer();
    const QImage board = drawBoard(buffer, gBoardSide);
    ASSERT_EQ(board.size(), GetParam().boardSize);

    const int side = gBoardSide;
    const int tile = board.width() / side;
    int mismatches = 0;
    for (int y = 0; y < board.height(); ++y) {
        for (int x = 0; x < board.width(); ++x) {
            QRgb expected;
            if (onGridLine(x, tile, side) || onGridLine(y, tile, side)) {
                expected = kRed;
            } else {
                const int tileNumber = gBoard((y / tile) * side + x / tile + 1) - 1;
                expected = tileNumber == side * side - 1
                               ? kBlank.rgb()
                               : buffer.pixel((tileNumber % side) * tile + x % tile,
                                              (tileNumber / side) * tile + y % tile);
            }
            if (board.pixel(x, y) != expected && ++mismatches <= 3)
                ADD_FAILURE() << "pixel " << x << "," << y;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Boards, DrawnBoard,
    ::testing::Values(BoardCase{"Solved3", "1 2 3/4 5 6/7 8 9", {399, 399}},
                      BoardCase{"Solved4", "1 2 3 4/5 6 7 8/9 10 11 12/13 14 15 16", {400, 400}},
                      BoardCase{"Solved5", "1 2 3 4 5/6 7 8 9 10/11 12 13 14 15/16 17 18 19 20/21 22 23 24 25",
                                {400, 400}},
                      BoardCase{"Solved6",
                                "1 2 3 4 5 6/7 8 9 10 11 12/13 14 15 16 17 18/19 20 21 22 23 24/"
                                "25 26 27 28 29 30/31 32 33 34 35 36",
                                {396, 396}},
                      BoardCase{"HoleInCellOne4", "16 2 3 4/5 6 7 8/9 10 11 12/13 1 14 15", {400, 400}},
                      BoardCase{"Shuffled3", "5 9 1/8 3 2/4 6 7", {399, 399}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(StretchedPicture, WidePictureIsHalvedAcrossOnly)
{
    const QImage buffer = tilemere::stretchToBuffer(blockPicture(800, 400));
    ASSERT_EQ(buffer.size(), QSize(400, 400));
    // Each 80 x 40 block of the picture becomes a 40 x 40 square.
    for (int row = 0; row < 10; ++row)
        for (int column = 0; column < 10; ++column)
            EXPECT_EQ(buffer.pixel(40 * column + 20, 40 * row + 20), blockColour(column, row))
                << "block " << column << "," << row;
}

} // namespace
