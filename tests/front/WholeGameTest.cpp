// One game as a player plays it, through the real windows: start-up on the
// front screen, a 3 x 3 puzzle solved by clicks on the board, the name typed
// into the score entry, the score board, back to the front screen, the
// program closed, and the score found in the store by the next run.
#include "EightPuzzleSolver.h"
#include "FrontTestSupport.h"
#include "ScoreStore.h"
#include "ScoreTestSupport.h"

using namespace fronttest;

static void clickCell(QWidget *board, int cell)
{
    const int width = board->width() / 3, height = board->height() / 3;
    QTest::mouseClick(board, Qt::LeftButton, {}, {(cell - 1) % 3 * width + width / 2, (cell - 1) / 3 * height + height / 2});
}

TEST(WholeGame, SolvedThreeByThreeIsRecordedShownAndKept)
{
    AppFolder folder({.puzzlePictures = 1});
    QFile::remove(tilemere::ScoreStore::filePath()); // a first run, whatever ran before in this process
    Started front(folder);
    click(front.child("sizeOption3"));
    front->playScreen().setShuffleSeed(20240611);
    click(front.slot(0));
    front.awaitGame();
    ASSERT_TRUE(front->playScreen().isVisible() && !front->isVisible());

    const std::vector<int> clicks = tilemere::testing::solveThreeByThree(tilemere::testing::boardPosition(front.game.board));
    for (int cell : clicks)
        clickCell(front.playControl("boardView"), cell);
    ASSERT_TRUE(front.game.board.isSolved());
    const QString moves = QString::number(clicks.size());

    scorewindowstest::ModalPlayer player(QStringLiteral("  Tess  "));
    for (int tick = 0; tick < 100 && front.playControl("congratsLabel")->isVisibleTo(&front->playScreen()); ++tick)
        front->playScreen().advanceWin();

    const std::int16_t seconds = front.game.elapsedSeconds;
    EXPECT_EQ(player.entryShown, QStringList({"3x3", moves + " (First place)"}));
    EXPECT_EQ(player.title, QStringLiteral("3x3 Score Board"));
    EXPECT_EQ(player.entryParent, &front->playScreen());
    EXPECT_EQ(player.boardParent, &front->playScreen());
    EXPECT_EQ(QStringList({player.shown[0][0], player.shown[1][0], player.shown[3][0]}),
              QStringList({"Tess", moves, tilemere::minutesAndSeconds(seconds)}));
    EXPECT_TRUE(front->isVisible() && !front->playScreen().isVisible());

    front->close();
    EXPECT_EQ(observed.programEnds, 1);
    tilemere::ScoreBook next;
    next.load();
    EXPECT_EQ(next.tables(tilemere::ScoreMode::Moves, 1).names[0], "Tess");
    EXPECT_EQ(next.tables(tilemere::ScoreMode::Moves, 1).values[0], static_cast<std::int32_t>(clicks.size()));
    EXPECT_EQ(next.tables(tilemere::ScoreMode::Time, 1).values[0], seconds);
}
