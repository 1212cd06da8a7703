#include "ScoreTestSupport.h"

using namespace scorewindowstest;
using tilemere::ScoreEntry;
using tilemere::WinResult;

static QLineEdit *nameBox(QWidget *entry) { return entry->findChild<QLineEdit *>("nameEdit"); }

// Types text one character at a time, as a keyboard or input method delivers it.
static void type(QLineEdit *box, const QString &text)
{
    for (qsizetype i = 0, length = 1; i < text.size(); i += length) {
        length = text.at(i).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
    }
}

static WinResult result57(std::int16_t movesRank, std::int16_t timeRank) // on 4x4
{
    return {4, 57, 83, movesRank, timeRank};
}

// Ok, clicked or as Enter in the name box, records the name as the store
// will keep it where the result places, saves and shows the board, once
// only; Cancel and the close box record and save nothing, and Escape does
// nothing at all.
TEST(ScoreEntryTest, OkRecordsOnceWhatTheStoreKeepsAndLeavingRecordsNothing)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const struct { const char *name; QString typed; const char *action; QString recorded; } cases[] = {
        {"blanks only, Enter", "     ", "Enter", "Anonymous"},
        {"padded, Enter", "  Ada Byron  ", "Enter", "Ada Byron"},
        {"no 21st character", "abcdefghijklmnopqrstuvwxy", "okButton", "abcdefghijklmnopqrst"},
        {"an emoji is refused, not halved", "abcdefghijklmnopqrs" + emoji + "t", "okButton", "abcdefghijklmnopqrst"},
        {"what the code page keeps", QString::fromUtf8("Zo\u00eb \u6771\u4eac\u20ac"), "Enter",
         QString::fromUtf8("Zo\u00eb \u20ac")},
        {"letters folded as typed", QString::fromUtf8("\u015e\u00fckr\u00fc \u0130\u011fd\u0131r J\u00f6rg"), "Enter",
         QString::fromUtf8("Sukru Igdir J\u00f6rg")},
        {"Escape, then Ok", "Kept", "Escape", "Kept"},
        {"Cancel", "Nobody", "cancelButton", {}},
        {"Tab to Ok, Space", "Tabby", "Tab Space", "Tabby"},
        {"Tab to Cancel, Enter", "Nobody", "Tab Tab Enter", {}},
        {"close box", "Nobody", "close box", {}}};
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        removeStore();
        ScoreBook book;
        book.load();
        fill(book, tilemere::ScoreMode::Moves, 4, {40, 50, 60}, "m");
        fill(book, tilemere::ScoreMode::Time, 4, {100}, "t");
        const tilemere::ScoreTables before = book.tables;
        ScoreEntry entry(book, result57(book.tables.rank(tilemere::ScoreMode::Moves, 2, 57), book.tables.rank(tilemere::ScoreMode::Time, 2, 83)));
        entry.show();
        type(nameBox(&entry), row.typed);
        ModalPlayer player;
        if (row.action == QLatin1String("Escape")) { // then Ok
            QTest::keyClick(nameBox(&entry), Qt::Key_Escape);
            EXPECT_TRUE(entry.isVisible() && nameBox(&entry)->text() == row.typed);
        }
        if (QString(row.action).startsWith("Tab")) { // from the name box, as the player goes on
            entry.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&entry));
            for (const QString &key : QString(row.action).split(' '))
                QTest::keyClick(QApplication::focusWidget(),
                                key == "Tab" ? Qt::Key_Tab : key == "Space" ? Qt::Key_Space : Qt::Key_Return);
        } else if (row.action == QLatin1String("Enter"))
            QTest::keyClick(nameBox(&entry), Qt::Key_Return);
        else if (row.action == QLatin1String("close box"))
            entry.close();
        else
            click(entry, row.action == QLatin1String("Escape") ? "okButton" : row.action);
        EXPECT_FALSE(entry.isVisible());
        if (row.recorded.isNull()) {
            EXPECT_EQ(entry.result(), QDialog::Rejected);
            EXPECT_TRUE(book.tables == before);
            EXPECT_EQ(reloaded()(tilemere::ScoreMode::Moves, 2).names[0], "Anononymous") << "nothing was saved";
            continue;
        }
        entry.record(); // a second Ok, as a second Enter or click while the board is up
        EXPECT_EQ(entry.result(), QDialog::Accepted);
        EXPECT_EQ(player.boards, 1);
        EXPECT_EQ(player.shown[0].mid(1, 3), QStringList({"m2", row.recorded, "m3"}));
        EXPECT_EQ(player.shown[1].mid(1, 4), QStringList({"50", "57", "60", "-"}));
        EXPECT_EQ(player.shown[2].mid(0, 2), QStringList({row.recorded, "t1"}));
        EXPECT_EQ(player.shown[3].mid(0, 2), QStringList({"1:23", "1:40"}));
        // The next start shows exactly what this board showed.
        ScoreBook next;
        next.load();
        tilemere::ScoreBoard board(next, 4);
        EXPECT_EQ(lists(board), player.shown);
    }
}

// A result placing in one table only goes there only, is still saved and the
// board still opens; a rank that the full table no longer backs (worked out
// at the solving click) never overwrites the tenth place with a worse result.
TEST(ScoreEntryTest, ResultIsRecordedOnlyWhereItStillPlaces)
{
    for (const std::int16_t timeRank : {kNotPlaced, std::int16_t{10}}) {
        SCOPED_TRACE(timeRank);
        removeStore();
        ScoreBook book;
        fill(book, tilemere::ScoreMode::Moves, 4, {40}, "m");
        fill(book, tilemere::ScoreMode::Time, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "t");
        const tilemere::ScoreTable fullTimes = book.tables(tilemere::ScoreMode::Time, 2);
        ScoreEntry entry(book, result57(2, timeRank));
        entry.show();
        ModalPlayer player;
        click(entry, "okButton");
        EXPECT_EQ(player.boards, 1);
        EXPECT_EQ(reloaded()(tilemere::ScoreMode::Moves, 2).values[1], 57);
        EXPECT_TRUE(reloaded()(tilemere::ScoreMode::Time, 2) == fullTimes);
    }
}

TEST(ScoreEntryTest, ResultsShowTheirPlaces)
{
    const struct { const char *name; std::int16_t movesRank, timeRank; const char *moves, *time; } cases[] = {
        {"first and third", 3, 1, "57 (Third place)", "1:23 (First place)"},
        {"second and fourth", 2, 4, "57 (Second place)", "1:23 (Fourth place)"},
        {"nineth and tenth", 9, 10, "57 (Nineth place)", "1:23 (Tenth place)"},
        {"not placed", kNotPlaced, kNotPlaced, "57 (not placed)", "1:23 (not placed)"}};
    ScoreBook book;
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        ScoreEntry entry(book, result57(row.movesRank, row.timeRank)); // the level shown: WholeGameTest
        EXPECT_EQ(text(entry, "movesLabel"), row.moves);
        EXPECT_EQ(text(entry, "timeLabel"), row.time);
    }
}

// What the box shows is what will be kept, as it is typed: a letter the
// store cannot hold turns into its plain Latin form; a name of no Latin
// letters at all cannot be kept, and the box says so instead of leaving the
// player to find "Anonymous" on the board.
TEST(ScoreEntryTest, NameBoxShowsWhatWillBeKept)
{
    const struct { const char *name; QString typed, shown; bool warned; } cases[] = {
        {"Turkish", QString::fromUtf8("\u015e\u00fckr\u00fc \u0130\u011fd\u0131r J\u00f6rg"),
         QString::fromUtf8("Sukru Igdir J\u00f6rg"), false},
        {"Greek", QString::fromUtf8("\u039d\u03af\u03ba\u03b7"), {}, true},
        {"Greek after Latin", QString::fromUtf8("Ann \u03b1"), QStringLiteral("Ann "), true},
        {"ligature", QString::fromUtf8("\ufb01n"), QStringLiteral("fin"), false}};
    ScoreBook book;
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        ScoreEntry entry(book, result57(1, 1));
        entry.show();
        type(nameBox(&entry), row.typed);
        EXPECT_EQ(nameBox(&entry)->text(), row.shown);
        EXPECT_EQ(nameBox(&entry)->placeholderText().isEmpty(), !row.warned);
        EXPECT_EQ(nameBox(&entry)->toolTip().isEmpty(), !row.warned);
    }
}
