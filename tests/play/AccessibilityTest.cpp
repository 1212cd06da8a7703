// The play screen as a screen reader meets it: the board a table of its
// cells, each named for the tile on it, followed through a move; the
// counters read by name with their values; the win announced.
#include "BoardText.h"
#include "PlayFixture.h"

#include "PlayAccessibility.h"

#include <QAccessible>

namespace {

// What assistive tools are told, as "event child" rows, while it is installed.
struct Announcements {
    Announcements()
    {
        heard().clear();
        tilemere::setAnnouncementWatcher([](const QAccessibleEvent &event) {
            heard() << QStringLiteral("%1 %2 %3").arg(event.object() ? event.object()->objectName() : QString())
                                                   .arg(int(event.type()), 0, 16).arg(event.child());
        });
    }
    ~Announcements() { tilemere::setAnnouncementWatcher({}); }
    static QStringList &heard()
    {
        static QStringList events;
        return events;
    }
    static QString of(const char *name, QAccessible::Event type, int child = -1)
    {
        return QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(int(type), 0, 16).arg(child);
    }
};

QStringList cellNames(QAccessibleInterface *board)
{
    QStringList names;
    for (int k = 0; k < board->childCount(); ++k)
        names << board->child(k)->text(QAccessible::Name);
    return names;
}

} // namespace

TEST_F(PlayScreenTest, ScreenReaderFollowsTheBoardAndTheCounters)
{
    ASSERT_TRUE(startGame(3));
    setBoard("1 2 3/4 5 6/7 9 8");
    Announcements announcements;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(&board());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->tableInterface()->rowCount(), 3);
    EXPECT_EQ(table->tableInterface()->cellAt(2, 1)->text(QAccessible::Name), QStringLiteral("empty"));
    EXPECT_EQ(table->child(0)->role(), QAccessible::Cell);
    EXPECT_EQ(cellNames(table).mid(6), QStringList({"tile 7, belongs at row 3, column 1", "empty",
                                                    "tile 8, belongs at row 3, column 2"}));

    clickCell(9); // tile 8 slides left, home
    EXPECT_EQ(cellNames(table).mid(6), QStringList({"tile 7, belongs at row 3, column 1",
                                                    "tile 8, belongs at row 3, column 2", "empty"}));
    EXPECT_TRUE(table->child(7)->state().focused) << "the focus follows the tile that moved";
    EXPECT_EQ(table->child(7)->tableCellInterface()->columnIndex(), 1);
    const QStringList heard = Announcements::heard();
    for (const QString &expected : {Announcements::of("boardView", QAccessible::NameChanged, 8),
                                    Announcements::of("boardView", QAccessible::NameChanged, 7),
                                    Announcements::of("boardView", QAccessible::Focus, 7),
                                    Announcements::of("movesLabel", QAccessible::ValueChanged),
                                    Announcements::of("congratsLabel", QAccessible::Alert)})
        EXPECT_TRUE(heard.contains(expected)) << expected.toStdString() << " among " << heard.join(", ").toStdString();

    QAccessibleInterface *moves = QAccessible::queryAccessibleInterface(child("movesLabel"));
    EXPECT_EQ(moves->text(QAccessible::Name), QStringLiteral("Moves"));
    EXPECT_EQ(moves->text(QAccessible::Value), QStringLiteral("1"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(child("timeLabel"))->text(QAccessible::Name), QStringLiteral("Time"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(child("congratsLabel"))->role(), QAccessible::AlertMessage);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(child("previewPicture"))->text(QAccessible::Name),
              QStringLiteral("blocks.bmp"));

    // A new game of another size: the table has its cells, none left over.
    ASSERT_TRUE(startGame(4));
    EXPECT_EQ(table->childCount(), 16);
    EXPECT_EQ(table->tableInterface()->columnCount(), 4);
    EXPECT_EQ(cellNames(table).count(QStringLiteral("empty")), 1);
}
