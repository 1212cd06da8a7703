#include "ScoreTestSupport.h"

namespace {

using namespace scorewindowstest;

TEST(ScoresBoardTest, FirstRunListsPlaceholderNamesWithoutResults)
{
    freshStart();
    loadSettings();
    frmScoresBoard board;
    EXPECT_EQ(text(board, "lblScoreBoard"), QStringLiteral("4x4 Score Board"));
    EXPECT_EQ(lists(board), emptyLists(QStringLiteral("Anononymous")));
}

// The board shows the size chosen, whatever was last played, moves as counts
// and times as minutes; "Clear Scores" empties that size only and saves.
TEST(ScoresBoardTest, ShowsAndClearsTheChosenSizeOnly)
{
    freshStart();
    for (int side = 3; side <= 6; ++side) {
        fill(1, side, {side * 10, side * 11}, "m" + std::to_string(side) + "-");
        fill(2, side, {0, 5, 59, 60, 75, 600, 3599, 3600, 32766}, "t" + std::to_string(side) + "-");
    }
    const tilemere::ScoreTables before = gScores;
    gBoardSide = 3;
    gChosenSize = 6;
    frmScoresBoard board;
    board.show();
    EXPECT_EQ(text(board, "lblScoreBoard"), QStringLiteral("6x6 Score Board"));
    const QList<QStringList> shown = lists(board);
    EXPECT_EQ(shown[0].front(), QStringLiteral("m6-1"));
    EXPECT_EQ(shown[1].mid(0, 3), QStringList({"60", "66", "-"}));
    EXPECT_EQ(shown[2].back(), QStringLiteral("t6-10"));
    EXPECT_EQ(shown[3],
              QStringList({"0:00", "0:05", "0:59", "1:00", "1:15", "10:00", "59:59", "60:00", "546:06", "-"}));

    click(board, "lblClearScores");
    EXPECT_TRUE(board.isVisible()) << "the board stays open after clearing";
    EXPECT_EQ(lists(board), emptyLists(QStringLiteral("Anonymous")));
    gScores = {};
    loadSettings();
    EXPECT_EQ(lists(frmScoresBoard()), emptyLists(QStringLiteral("Anonymous"))) << "stored cleared";
    for (int sizeIndex = 1; sizeIndex <= 3; ++sizeIndex)
        for (int scoreMode : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "mode " << scoreMode << ", side " << sizeIndex + 2);
            EXPECT_EQ(contents(gScores(scoreMode, sizeIndex)), contents(before(scoreMode, sizeIndex)));
        }
}

// Enter closes the board like "Close", wherever the focus is.
TEST(ScoresBoardTest, EnterClosesTheBoard)
{
    const struct { const char *name, *focusedList; Qt::Key key; } cases[] = {
        {"window", nullptr, Qt::Key_Return},
        {"move names", "lstName", Qt::Key_Return},
        {"times", "lstTime", Qt::Key_Return},
        {"keypad Enter on moves", "lstTotMoves", Qt::Key_Enter}};
    freshStart();
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        frmScoresBoard board;
        board.show();
        QWidget *target = row.focusedList ? board.findChild<QWidget *>(row.focusedList) : &board;
        ASSERT_NE(target, nullptr);
        target->setFocus();
        QTest::keyClick(target, row.key);
        EXPECT_FALSE(board.isVisible());
        EXPECT_EQ(board.result(), QDialog::Accepted);
    }
}

// Every control lies wholly inside its container and each button's caption on
// its rounded rectangle ShpRect0/1, so nothing is cut off or hidden.
void expectLaidOut(const QWidget &window, std::initializer_list<const char *> buttons)
{
    QList<const QWidget *> containers{&window};
    if (const auto *frame = window.findChild<QWidget *>("Frame1"))
        containers << frame;
    for (const QWidget *container : containers)
        for (const QWidget *control : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(container->rect().contains(control->geometry())) << qPrintable(control->objectName());
    int shape = 0;
    for (const char *button : buttons)
        EXPECT_TRUE(window.findChild<QWidget *>(QStringLiteral("ShpRect%1").arg(shape++))->geometry().contains(
            window.findChild<QWidget *>(button)->geometry())) << button;
}

TEST(ScoreWindowsLayoutTest, ControlsFitTheirWindows)
{
    freshStart();
    expectLaidOut(frmScoresBoard(), {"lblCloseScores", "lblClearScores"});
    expectLaidOut(frmScoreInputs(nullptr, "32767", "546:07", 32767, kNotPlaced, kNotPlaced), {"lblOK", "lblCancel"});
}

} // namespace
