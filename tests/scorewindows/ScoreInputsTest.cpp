#include "ScoreTestSupport.h"

#include "GameState.h"
#include "SettingsStore.h"
#include "frmScoreInputs.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace scorewindowstest;
using tilemere::kEmptyScore;

constexpr std::int16_t kNotPlaced = tilemere::kNotPlaced;

class ScoreInputsTest : public testing::Test {
protected:
    void SetUp() override
    {
        removeStore();
        gScores = {};
        gChosenSize = 4;
        clearScoreTables(4);
        playScreen.show();
    }

    static QString text(const QWidget &window, const char *objectName)
    {
        return window.findChild<QLabel *>(QString::fromLatin1(objectName))->text();
    }
    static QLineEdit &nameBox(const QWidget &window)
    {
        return *window.findChild<QLineEdit *>(QStringLiteral("txtPlyrName"));
    }

    QWidget playScreen;
};

struct NameRow {
    const char *name;
    const char *typed;
    const char *recorded;
};

class ScoreInputsNameTest : public ScoreInputsTest, public testing::WithParamInterface<NameRow> {};

TEST_P(ScoreInputsNameTest, OkRecordsTheTrimmedNameInBothTables)
{
    frmScoreInputs entry(&playScreen, QStringLiteral("57"), QStringLiteral("1:23"), 83, 1, 1);
    entry.show();
    QTest::keyClicks(&nameBox(entry), QString::fromLatin1(GetParam().typed));
    BoardCloser closer;
    clickChild(entry, "lblOK");
    EXPECT_TRUE(closer.seen);
    EXPECT_EQ(entry.result(), QDialog::Accepted);
    EXPECT_EQ(gScores(1, 2).names[0], GetParam().recorded);
    EXPECT_EQ(gScores(2, 2).names[0], GetParam().recorded);
}

INSTANTIATE_TEST_SUITE_P(Names, ScoreInputsNameTest,
                         testing::Values(NameRow{"Empty", "", "Anonymous"},
                                         NameRow{"BlanksOnly", "     ", "Anonymous"},
                                         NameRow{"Padded", "  Ada Byron  ", "Ada Byron"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ScoreInputsTest, EnterInTheNameBoxRecordsSavesAndShowsTheBoard)
{
    fillTable(1, 4, {40, 50, 60}, "m");
    fillTable(2, 4, {100}, "t");
    frmScoreInputs entry(&playScreen, QStringLiteral(" 57 "), QStringLiteral("1:23"), 83,
                         scoreRank(1, 2, 57), scoreRank(2, 2, 83));
    entry.show();
    QTest::keyClicks(&nameBox(entry), QStringLiteral("Kim"));
    BoardCloser closer;
    QTest::keyClick(&nameBox(entry), Qt::Key_Return);

    ASSERT_TRUE(closer.seen);
    EXPECT_EQ(closer.title, QStringLiteral("4x4 Score Board"));
    EXPECT_EQ(closer.moveNames.mid(1, 3), QStringList({"m2", "Kim", "m3"}));
    EXPECT_EQ(closer.moves.mid(1, 3), QStringList({"50", "57", "60"}));
    EXPECT_EQ(closer.timeNames.front(), QStringLiteral("Kim"));
    EXPECT_EQ(closer.times.front(), QStringLiteral("1:23"));
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(entry.result(), QDialog::Accepted);
    EXPECT_TRUE(playScreen.isEnabled());

    gScores = {};
    loadSettings();
    EXPECT_EQ(gScores(1, 2).values[2], 57);
    EXPECT_EQ(gScores(1, 2).names[2], "Kim");
    EXPECT_EQ(gScores(2, 2).values[0], 83);
    EXPECT_EQ(gScores(2, 2).names[0], "Kim");
}

TEST_F(ScoreInputsTest, ResultPlacingInOneTableIsRecordedThereOnlyAndStillSaved)
{
    fillTable(2, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "t");
    const tilemere::ScoreTable fullTimes = gScores(2, 2);
    saveSettings();
    gScores(1, 3).names[0] = "unsaved until Ok";

    frmScoreInputs entry(&playScreen, QStringLiteral("57"), QStringLiteral("1:23"), 83, 1, kNotPlaced);
    entry.show();
    EXPECT_EQ(text(entry, "lblTimePlayed"), QStringLiteral("1:23 (not placed)"));
    BoardCloser closer;
    clickChild(entry, "lblOK");

    EXPECT_TRUE(closer.seen);
    EXPECT_EQ(gScores(1, 2).values[0], 57);
    EXPECT_EQ(gScores(1, 2).names[0], "Anonymous");
    EXPECT_EQ(gScores(2, 2).values, fullTimes.values);
    EXPECT_EQ(gScores(2, 2).names, fullTimes.names);
    gScores = {};
    loadSettings();
    EXPECT_EQ(gScores(1, 2).values[0], 57);
    EXPECT_EQ(gScores(1, 3).names[0], "unsaved until Ok");
}

// A rank handed over at the solving click that the table no longer backs
// must not push out the tenth place with a worse result.
TEST_F(ScoreInputsTest, StaleRankDoesNotOverwriteABetterTenthPlace)
{
    fillTable(1, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "m");
    frmScoreInputs entry(&playScreen, QStringLiteral("57"), QStringLiteral("1:23"), 83, 10, kNotPlaced);
    entry.show();
    BoardCloser closer;
    clickChild(entry, "lblOK");
    EXPECT_EQ(gScores(1, 2).values[9], 10);
    EXPECT_EQ(gScores(1, 2).names[9], "m10");
}

// Cancel and the close box record nothing, save nothing and give the play
// screen back.
struct LeaveRow {
    const char *name;
    bool useCloseBox;
};

class ScoreInputsLeaveTest : public ScoreInputsTest, public testing::WithParamInterface<LeaveRow> {};

TEST_P(ScoreInputsLeaveTest, LeavingRecordsNothing)
{
    fillTable(1, 3, {5}, "x");
    saveSettings();
    const tilemere::ScoreTables before = gScores;
    gScores(1, 1).names[9] = "unsaved";

    frmScoreInputs entry(&playScreen, QStringLiteral("57"), QStringLiteral("1:23"), 83, 1, 1);
    entry.show();
    EXPECT_FALSE(playScreen.isEnabled());
    EXPECT_TRUE(entry.isEnabled()) << "disabling the play screen must not disable this window";
    QTest::keyClicks(&nameBox(entry), QStringLiteral("Nobody"));
    if (GetParam().useCloseBox)
        entry.close();
    else
        clickChild(entry, "lblCancel");

    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(entry.result(), QDialog::Rejected);
    EXPECT_TRUE(playScreen.isEnabled());
    EXPECT_EQ(gScores(1, 2).values, before(1, 2).values);
    EXPECT_EQ(gScores(2, 2).names, before(2, 2).names);
    gScores = {};
    loadSettings();
    EXPECT_EQ(gScores(1, 1).names[9], before(1, 1).names[9]);
    EXPECT_EQ(gScores(1, 2).values[0], kEmptyScore);
}

INSTANTIATE_TEST_SUITE_P(Ways, ScoreInputsLeaveTest,
                         testing::Values(LeaveRow{"Cancel", false}, LeaveRow{"CloseBox", true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ScoreInputsTest, NameBoxTakesTwentyCharacters)
{
    frmScoreInputs entry(&playScreen, QStringLiteral("57"), QStringLiteral("1:23"), 83, 1, 1);
    entry.show();
    QTest::keyClicks(&nameBox(entry), QStringLiteral("abcdefghijklmnopqrstuvwxy"));
    EXPECT_EQ(nameBox(entry).text(), QStringLiteral("abcdefghijklmnopqrst"));
}

struct PlaceRow {
    const char *name;
    std::int16_t movesRank;
    std::int16_t timeRank;
    const char *moves;
    const char *time;
};

class ScoreInputsPlaceTest : public ScoreInputsTest, public testing::WithParamInterface<PlaceRow> {};

TEST_P(ScoreInputsPlaceTest, ResultsShowTheirPlaces)
{
    gChosenSize = 5;
    frmScoreInputs entry(nullptr, QStringLiteral("57"), QStringLiteral("1:23"), 83, GetParam().movesRank,
                         GetParam().timeRank);
    EXPECT_EQ(text(entry, "lblLevel"), QStringLiteral("5x5"));
    EXPECT_EQ(text(entry, "lblMoves"), QString::fromLatin1(GetParam().moves));
    EXPECT_EQ(text(entry, "lblTimePlayed"), QString::fromLatin1(GetParam().time));
}

INSTANTIATE_TEST_SUITE_P(
    Ranks, ScoreInputsPlaceTest,
    testing::Values(PlaceRow{"FirstAndThird", 3, 1, "57 (Third place)", "1:23 (First place)"},
                    PlaceRow{"NinethAndTenth", 9, 10, "57 (Nineth place)", "1:23 (Tenth place)"},
                    PlaceRow{"NotPlaced", kNotPlaced, kNotPlaced, "57 (not placed)", "1:23 (not placed)"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
