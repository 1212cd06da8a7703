#include "ScoreTestSupport.h"

#include "GameState.h"
#include "SettingsStore.h"
#include "frmScoresBoard.h"

#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace scorewindowstest;
using tilemere::kEmptyScore;

class ScoresBoardTest : public testing::Test {
protected:
    void SetUp() override
    {
        removeStore();
        gScores = {};
        gChosenSize = 4;
    }

    static QString title(const frmScoresBoard &board)
    {
        return board.findChild<QLabel *>(QStringLiteral("lblScoreBoard"))->text();
    }
};

TEST_F(ScoresBoardTest, FirstRunListsPlaceholderNamesWithoutResults)
{
    loadSettings();
    frmScoresBoard board;
    EXPECT_EQ(title(board), QStringLiteral("4x4 Score Board"));
    EXPECT_EQ(listRows(board, "lstName"), repeated(QStringLiteral("Anononymous")));
    EXPECT_EQ(listRows(board, "lstName2"), repeated(QStringLiteral("Anononymous")));
    EXPECT_EQ(listRows(board, "lstTotMoves"), repeated(QStringLiteral("-")));
    EXPECT_EQ(listRows(board, "lstTime"), repeated(QStringLiteral("-")));
}

TEST_F(ScoresBoardTest, ResultsAreWrittenAsCountsAndMinutes)
{
    fillTable(1, 4, {1, 57, 999, 32766}, "m");
    fillTable(2, 4, {0, 5, 59, 60, 75, 600, 3599, 3600, 32766}, "t");
    frmScoresBoard board;
    EXPECT_EQ(listRows(board, "lstTotMoves"),
              QStringList({"1", "57", "999", "32766", "-", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(listRows(board, "lstTime"), QStringList({"0:00", "0:05", "0:59", "1:00", "1:15", "10:00",
                                                       "59:59", "60:00", "546:06", "-"}));
    EXPECT_EQ(listRows(board, "lstName").front(), QStringLiteral("m1"));
    EXPECT_EQ(listRows(board, "lstName2").back(), QStringLiteral("t10"));
}

TEST_F(ScoresBoardTest, ShowsTheChosenSizeWhateverWasLastPlayed)
{
    fillTable(1, 3, {10}, "three");
    fillTable(2, 3, {20}, "three");
    fillTable(1, 6, {300}, "six-moves");
    fillTable(2, 6, {400}, "six-time");
    gBoardSide = 3;
    gChosenSize = 6;
    frmScoresBoard board;
    EXPECT_EQ(title(board), QStringLiteral("6x6 Score Board"));
    EXPECT_EQ(listRows(board, "lstName").front(), QStringLiteral("six-moves1"));
    EXPECT_EQ(listRows(board, "lstTotMoves").front(), QStringLiteral("300"));
    EXPECT_EQ(listRows(board, "lstName2").front(), QStringLiteral("six-time1"));
    EXPECT_EQ(listRows(board, "lstTime").front(), QStringLiteral("6:40"));
}

TEST_F(ScoresBoardTest, ClearScoresEmptiesTheChosenSizeOnlyAndSavesAtOnce)
{
    for (int side = 3; side <= 6; ++side) {
        fillTable(1, side, {side * 10, side * 11}, "m" + std::to_string(side) + "-");
        fillTable(2, side, {side * 20}, "t" + std::to_string(side) + "-");
    }
    const tilemere::ScoreTables before = gScores;
    gChosenSize = 5;
    frmScoresBoard board;
    board.show();
    clickChild(board, "lblClearScores");

    EXPECT_TRUE(board.isVisible()) << "the board stays open after clearing";
    EXPECT_EQ(listRows(board, "lstName"), repeated(QStringLiteral("Anonymous")));
    EXPECT_EQ(listRows(board, "lstName2"), repeated(QStringLiteral("Anonymous")));
    EXPECT_EQ(listRows(board, "lstTotMoves"), repeated(QStringLiteral("-")));
    EXPECT_EQ(listRows(board, "lstTime"), repeated(QStringLiteral("-")));

    gScores = {};
    loadSettings();
    for (int scoreMode = 1; scoreMode <= 2; ++scoreMode) {
        for (int side = 3; side <= 6; ++side) {
            SCOPED_TRACE(testing::Message() << "mode " << scoreMode << ", side " << side);
            const auto &stored = gScores(scoreMode, side - 2);
            if (side == 5) {
                for (std::size_t place = 0; place < stored.values.size(); ++place) {
                    EXPECT_EQ(stored.values[place], kEmptyScore);
                    EXPECT_EQ(stored.names[place], "Anonymous");
                }
            } else {
                EXPECT_EQ(stored.values, before(scoreMode, side - 2).values);
                EXPECT_EQ(stored.names, before(scoreMode, side - 2).names);
            }
        }
    }
}

// Enter closes the board like "Close", wherever the focus is.
struct EnterRow {
    const char *name;
    const char *focusedList; // nullptr: the window itself
    Qt::Key key;
};

class ScoresBoardEnterTest : public ScoresBoardTest, public testing::WithParamInterface<EnterRow> {};

TEST_P(ScoresBoardEnterTest, EnterClosesTheBoard)
{
    frmScoresBoard board;
    board.show();
    QWidget *target = &board;
    if (GetParam().focusedList) {
        target = board.findChild<QListWidget *>(QString::fromLatin1(GetParam().focusedList));
        ASSERT_NE(target, nullptr);
        target->setFocus();
    }
    QTest::keyClick(target, GetParam().key);
    EXPECT_FALSE(board.isVisible());
    EXPECT_EQ(board.result(), QDialog::Accepted);
}

INSTANTIATE_TEST_SUITE_P(Focus, ScoresBoardEnterTest,
                         testing::Values(EnterRow{"Window", nullptr, Qt::Key_Return},
                                         EnterRow{"MoveNames", "lstName", Qt::Key_Return},
                                         EnterRow{"Times", "lstTime", Qt::Key_Return},
                                         EnterRow{"KeypadEnterOnMoves", "lstTotMoves", Qt::Key_Enter}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
