#include "ScoreTestSupport.h"

using namespace scorewindowstest;
using tilemere::ScoreBoard;

// The board shows the size asked for, moves as counts and times as minutes,
// and a result no game gives (a negative one, from a hand-edited store) as
// an empty place; "Clear Scores" empties that size only and saves.
TEST(ScoreBoardTest, ShowsAndClearsOneSizeOnly)
{
    removeStore();
    ScoreBook book;
    for (int side = 3; side <= 6; ++side) {
        fill(book, tilemere::ScoreMode::Moves, side, {side * 10, side * 11}, "m" + std::to_string(side) + "-");
        fill(book, tilemere::ScoreMode::Time, side, {0, 5, 59, 60, 75, 600, 3599, 3600, 32766}, "t" + std::to_string(side) + "-");
    }
    book.tables(tilemere::ScoreMode::Moves, 4).values[2] = -1;
    book.tables(tilemere::ScoreMode::Time, 4).values[9] = -75;
    const tilemere::ScoreTables before = book.tables;
    ScoreBoard board(book, 6);
    board.show();
    EXPECT_EQ(text(board, "titleLabel"), QStringLiteral("6x6 Score Board"));
    const QList<QStringList> shown = lists(board);
    EXPECT_EQ(shown[0].front(), QStringLiteral("m6-1"));
    EXPECT_EQ(shown[1].mid(0, 4), QStringList({"60", "66", "-", "-"}));
    EXPECT_EQ(shown[2].back(), QStringLiteral("t6-10"));
    EXPECT_EQ(shown[3],
              QStringList({"0:00", "0:05", "0:59", "1:00", "1:15", "10:00", "59:59", "60:00", "546:06", "-"}));

    click(board, "clearButton");
    EXPECT_TRUE(board.isVisible()) << "the board stays open after clearing";
    EXPECT_EQ(lists(board), emptyLists(QStringLiteral("Anonymous")));
    const tilemere::ScoreTables stored = reloaded();
    for (int sizeIndex = 1; sizeIndex <= 4; ++sizeIndex)
        for (tilemere::ScoreMode scoreMode : tilemere::kScoreModes) {
            SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(scoreMode) << ", side " << sizeIndex + 2);
            EXPECT_TRUE(stored(scoreMode, sizeIndex) == book.tables(scoreMode, sizeIndex));
            EXPECT_EQ(stored(scoreMode, sizeIndex) == before(scoreMode, sizeIndex), sizeIndex != 4);
        }
}

// A first run lists the placeholder names without results. Enter closes the
// board like "Close", wherever the focus is; so does Escape, as in any dialog
// (nothing is lost).
TEST(ScoreBoardTest, FirstRunListsPlaceholdersAndEnterOrEscapeCloses)
{
    const struct { const char *name, *focusedList; Qt::Key key; } cases[] = {
        {"window", nullptr, Qt::Key_Return},
        {"move names", "movesNames", Qt::Key_Return},
        {"keypad Enter on moves", "movesList", Qt::Key_Enter},
        {"Escape on times", "timeList", Qt::Key_Escape},
        {"Space on Close", "closeButton", Qt::Key_Space}};
    removeStore();
    ScoreBook book;
    book.load();
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        ScoreBoard board(book, 3);
        board.show();
        EXPECT_EQ(lists(board), emptyLists(QStringLiteral("Anononymous")));
        QWidget *target = row.focusedList ? board.findChild<QWidget *>(row.focusedList) : &board;
        target->setFocus();
        QTest::keyClick(target, row.key);
        EXPECT_FALSE(board.isVisible());
    }
}

// Tab goes from Close to Clear Scores and on to the tables; Space on Clear
// Scores clears, and the board stays open.
TEST(ScoreBoardTest, TabReachesTheButtonsFirstAndSpacePressesThem)
{
    removeStore();
    ScoreBook book;
    fill(book, tilemere::ScoreMode::Moves, 3, {12}, "m");
    ScoreBoard board(book, 3);
    board.show();
    board.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&board));
    QStringList reached{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(reached, QStringList({"closeButton", "clearButton", "movesNames", "movesList", "timeNames", "timeList"}));
    board.findChild<QWidget *>("clearButton")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(board.isVisible());
    EXPECT_EQ(lists(board), emptyLists(QStringLiteral("Anonymous")));
}
