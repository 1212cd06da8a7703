// One game as a player plays it, through the real windows: start-up on the
// front screen, a 3 x 3 puzzle solved by clicks on the board, the name typed
// into the score entry, the score board, back to the front screen, the
// program closed, and the score found in the store by the next run.
#include "EightPuzzleSolver.h"
#include "FrontTestSupport.h"
#include "ScoreBoard.h"
#include "ScoreEntry.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

using namespace fronttest;

namespace {

void clickCell(QWidget *board, int cell)
{
    const int width = board->width() / 3, height = board->height() / 3;
    QTest::mouseClick(board, Qt::LeftButton, {}, {(cell - 1) % 3 * width + width / 2, (cell - 1) / 3 * height + height / 2});
}

QString firstRow(const QWidget &board, const char *list)
{
    return board.findChild<QListWidget *>(QLatin1String(list))->item(0)->text();
}

} // namespace

TEST(WholeGame, SolvedThreeByThreeIsRecordedShownAndKept)
{
    AppFolder folder({.puzzlePictures = 1});
    auto started = start(folder);
    Started &front = *started;
    ASSERT_TRUE(front.loaded);
    click(front.child("sizeOption3"));
    front->playScreen().setShuffleSeed(20240611);
    click(front.slot(0));
    ASSERT_TRUE(front->playScreen().isVisible() && !front->isVisible());

    const std::vector<int> clicks = tilemere::testing::solveThreeByThree(tilemere::testing::boardPosition(front.game.board));
    for (int cell : clicks)
        clickCell(front.playControl("boardView"), cell);
    ASSERT_TRUE(front.game.board.isSolved());
    const QString moves = QString::number(clicks.size());

    // The score entry and then the board come up modally; a player answers them.
    QStringList seen;
    QTimer player;
    QObject::connect(&player, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *entry = qobject_cast<tilemere::ScoreEntry *>(modal); entry && entry->isVisible() && seen.isEmpty()) {
            seen << entry->findChild<QLabel *>("levelLabel")->text() << entry->findChild<QLabel *>("movesLabel")->text();
            auto *name = entry->findChild<QLineEdit *>("nameEdit");
            QTest::keyClicks(name, QStringLiteral("  Tess  "));
            // Answered from the event loop, so that this timer can see the board that follows.
            QTimer::singleShot(0, name, [name] { QTest::keyClick(name, Qt::Key_Return); });
        } else if (auto *board = qobject_cast<tilemere::ScoreBoard *>(modal); board && board->isVisible()) {
            seen << board->findChild<QLabel *>("titleLabel")->text() << firstRow(*board, "movesNames")
                 << firstRow(*board, "movesList") << firstRow(*board, "timeList");
            click(board->findChild<QWidget *>("closeButton"));
        }
    });
    player.start(10);
    for (int tick = 0; tick < 100 && front.playControl("congratsLabel")->isVisibleTo(&front->playScreen()); ++tick)
        front->playScreen().advanceWin();

    const std::int16_t seconds = front.game.elapsedSeconds;
    EXPECT_EQ(seen, QStringList({"3x3", moves + " (First place)", "3x3 Score Board", "Tess", moves,
                                 tilemere::minutesAndSeconds(seconds)}));
    EXPECT_TRUE(front->isVisible() && !front->playScreen().isVisible());

    front->close();
    EXPECT_EQ(observed.programEnds, 1);
    tilemere::ScoreBook next;
    next.load();
    EXPECT_EQ(next.tables(1, 1).names[0], "Tess");
    EXPECT_EQ(next.tables(1, 1).values[0], static_cast<std::int32_t>(clicks.size()));
    EXPECT_EQ(next.tables(2, 1).values[0], seconds);
    EXPECT_EQ(next.tables(1, 1).values[1], tilemere::kEmptyScore);
}
