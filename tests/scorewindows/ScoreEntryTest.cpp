#include "ScoreTestSupport.h"

#include <QLineEdit>

namespace {

using namespace scorewindowstest;

QLineEdit *nameBox(QWidget &entry) { return entry.findChild<QLineEdit *>("txtPlyrName"); }

// Ok, clicked or as Enter in the name box, records the trimmed name (of at
// most 20 typed characters) where the result places, saves and shows the
// board, once only; Cancel and the close box record and save nothing. Each
// gives the play screen back; the entry is not its Qt child, so it stays
// usable while the play screen is disabled.
TEST(ScoreInputsTest, OkRecordsOnceAndLeavingRecordsNothing)
{
    const struct { const char *name, *typed, *action, *recorded; } cases[] = {
        {"empty name, clicked", "", "lblOK", "Anonymous"},
        {"blanks only, Enter", "     ", "Enter", "Anonymous"},
        {"padded, Enter", "  Ada Byron  ", "Enter", "Ada Byron"},
        {"no 21st character", "abcdefghijklmnopqrstuvwxy", "lblOK", "abcdefghijklmnopqrst"},
        {"Cancel", "Nobody", "lblCancel", nullptr},
        {"close box", "Nobody", "close box", nullptr}};
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        freshStart();
        fill(1, 4, {40, 50, 60}, "m");
        fill(2, 4, {100}, "t");
        const tilemere::ScoreTables before = gScores;
        QWidget playScreen;
        playScreen.show();
        frmScoreInputs entry(&playScreen, " 57 ", "1:23", 83, scoreRank(1, 2, 57), scoreRank(2, 2, 83));
        entry.show();
        EXPECT_FALSE(playScreen.isEnabled());
        EXPECT_TRUE(entry.isEnabled());
        QTest::keyClicks(nameBox(entry), row.typed);
        BoardCloser closer;
        if (row.action == QLatin1String("Enter"))
            QTest::keyClick(nameBox(entry), Qt::Key_Return);
        else if (row.action == QLatin1String("close box"))
            entry.close();
        else
            click(entry, row.action);
        EXPECT_FALSE(entry.isVisible());
        EXPECT_TRUE(playScreen.isEnabled());
        if (!row.recorded) {
            EXPECT_EQ(entry.result(), QDialog::Rejected);
            for (int scoreMode : {1, 2})
                EXPECT_EQ(contents(gScores(scoreMode, 2)), contents(before(scoreMode, 2)));
            loadSettings();
            EXPECT_EQ(gScores(1, 2).names[0], "Anononymous") << "nothing was saved";
            continue;
        }
        entry.lblOK_Click(); // a second Ok, as a second Enter or click while the board is up
        EXPECT_EQ(entry.result(), QDialog::Accepted);
        EXPECT_EQ(closer.boards, 1);
        EXPECT_EQ(closer.shown[0].mid(1, 3), QStringList({"m2", row.recorded, "m3"}));
        EXPECT_EQ(closer.shown[1].mid(1, 4), QStringList({"50", "57", "60", "-"}));
        EXPECT_EQ(closer.shown[2].mid(0, 2), QStringList({row.recorded, "t1"}));
        EXPECT_EQ(closer.shown[3].mid(0, 2), QStringList({"1:23", "1:40"}));
        const tilemere::ScoreTables recorded = gScores;
        loadSettings();
        for (int scoreMode : {1, 2})
            EXPECT_EQ(contents(gScores(scoreMode, 2)), contents(recorded(scoreMode, 2))) << "saved";
    }
}

// A result placing in one table only goes there only, is still saved and the
// board still opens; a rank that the full table no longer backs (worked out
// at the solving click) never overwrites the tenth place with a worse result.
TEST(ScoreInputsTest, ResultIsRecordedOnlyWhereItStillPlaces)
{
    const struct { const char *name; std::int16_t timeRank; } cases[] = {{"not placed", kNotPlaced}, {"stale", 10}};
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        freshStart();
        fill(1, 4, {40}, "m");
        fill(2, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "t");
        const tilemere::ScoreTable fullTimes = gScores(2, 2);
        frmScoreInputs entry(nullptr, "57", "1:23", 83, 2, row.timeRank);
        entry.show();
        BoardCloser closer;
        click(entry, "lblOK");
        EXPECT_EQ(closer.boards, 1);
        loadSettings();
        EXPECT_EQ(gScores(1, 2).values[1], 57);
        EXPECT_EQ(contents(gScores(2, 2)), contents(fullTimes));
    }
}

TEST(ScoreInputsTest, ResultsShowTheirPlaces)
{
    const struct { const char *name; std::int16_t movesRank, timeRank; const char *moves, *time; } cases[] = {
        {"first and third", 3, 1, "57 (Third place)", "1:23 (First place)"},
        {"nineth and tenth", 9, 10, "57 (Nineth place)", "1:23 (Tenth place)"},
        {"not placed", kNotPlaced, kNotPlaced, "57 (not placed)", "1:23 (not placed)"}};
    gChosenSize = 5;
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        frmScoreInputs entry(nullptr, "57", "1:23", 83, row.movesRank, row.timeRank);
        EXPECT_EQ(text(entry, "lblLevel"), QStringLiteral("5x5"));
        EXPECT_EQ(text(entry, "lblMoves"), row.moves);
        EXPECT_EQ(text(entry, "lblTimePlayed"), row.time);
    }
}

} // namespace
