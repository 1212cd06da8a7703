// The folder and drive lists, driven as the player drives them: keys,
// type-ahead, the mouse, a folder with more subfolders than rows, and a
// disk that changes under them.
#include "DriveList.h"
#include "FolderList.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <variant>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString highlightedName(const FolderList &list)
{
    return list.highlightedPath().section(QLatin1Char('/'), -1);
}

bool rowInView(const FolderList &list, int row)
{
    return list.viewport()->rect().contains(list.rowRect(row));
}

// The subfolders shown below the current folder, once they have been read.
QStringList subfolders(const FolderList &list)
{
    if (!QTest::qWaitFor([&list] { return !list.listing(); }, 10000))
        return {QStringLiteral("still listing")};
    const QStringList rows = list.rowNames();
    const int current = static_cast<int>(list.path().count(QLatin1Char('/'))) + (list.path() == QLatin1String("/") ? 0 : 1);
    return rows.mid(current);
}

void makeFolders(const QString &top, const QStringList &names)
{
    for (const QString &name : names)
        ASSERT_TRUE(QDir(top).mkpath(name));
}

} // namespace

TEST(FolderList, KeysAndTypingMoveTheHighlightWhichStaysInViewAndEnterOpens)
{
    QTemporaryDir top;
    const QStringList names = {"apple", "Apricot", "banana", "Cherry", "date", "elder", "fig", "grape",
                               "kiwi", "lemon", "lime", "mango", "nut", "olive", "pear", "plum", "quince", "trip 2", "trip 10", "zest"};
    for (const QString &name : names)
        ASSERT_TRUE(QDir(top.path()).mkpath(name + "/inner"));
    makeFolders(top.path(), {".hidden"});
    FolderList list(nullptr);
    list.resize(180, 120); // fewer rows than folders
    list.show();
    ASSERT_TRUE(list.setPath(top.path()));
    ASSERT_EQ(subfolders(list), names) << "case ignored, numbers by value, hidden ones left out";
    EXPECT_EQ(list.highlightedPath(), QDir::cleanPath(top.path()));

    // Letters typed within the interval make one search; a pause ends it.
    QApplication::setKeyboardInputInterval(100);
    const struct { std::variant<Qt::Key, const char *> key; const char *name; } steps[] = {
        {Qt::Key_Down, "apple"}, {"a", "Apricot"}, {"", "Apricot"}, {"a", "apple"}, {Qt::Key_Down, "Apricot"},
        {"", "Apricot"}, {"li", "lime"}, {"", "lime"}, {"l", "lemon"}, {"", "lemon"},
        {Qt::Key_End, "zest"}, {Qt::Key_Up, "trip 10"}, {"", "trip 10"}, {"ch", "Cherry"},
    };
    for (const auto &step : steps) {
        if (const auto *typed = std::get_if<const char *>(&step.key); typed && !**typed)
            QTest::qWait(150);
        else if (typed)
            QTest::keyClicks(&list, QString::fromLatin1(*typed));
        else
            QTest::keyClick(&list, std::get<Qt::Key>(step.key));
        EXPECT_EQ(highlightedName(list), QLatin1String(step.name));
        EXPECT_TRUE(rowInView(list, static_cast<int>(list.rowNames().indexOf(QLatin1String(step.name)))));
    }
    EXPECT_TRUE(list.verticalScrollBar()->isVisible());

    QTest::keyClick(&list, Qt::Key_Left); // to the folder holding it
    EXPECT_EQ(list.highlightedPath(), QDir::cleanPath(top.path()));
    QTest::keyClick(&list, Qt::Key_Right);
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(list.path(), QDir::cleanPath(top.path()) + "/apple");
    EXPECT_EQ(subfolders(list), QStringList({"inner"}));

    // The mouse: a click highlights, a double-click opens.
    const int inner = static_cast<int>(list.rowNames().size()) - 1;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.rowRect(inner).center());
    EXPECT_EQ(list.path(), QDir::cleanPath(top.path()) + "/apple");
    EXPECT_EQ(highlightedName(list), QStringLiteral("inner"));
    QTest::mouseDClick(list.windowHandle(), Qt::LeftButton, {}, list.viewport()->mapTo(&list, list.rowRect(inner - 2).center()));
    EXPECT_EQ(list.path(), QDir::cleanPath(top.path()));
}

TEST(FolderList, FoldersSortAsThePlayersLanguageDoesOnceAskedTo)
{
    QTemporaryDir top;
    makeFolders(top.path(), {"zebra", "Ärger", "Trip 10", "Trip 2", "apple", "Öl"});
    const struct { const char *name; std::optional<QLocale> locale; QStringList order; } rows[] = {
        {"BeforeTheFirstFrame", {}, {"apple", "Trip 2", "Trip 10", "zebra", "Ärger", "Öl"}},
        {"German", QLocale(QLocale::German, QLocale::Germany), {"apple", "Ärger", "Öl", "Trip 2", "Trip 10", "zebra"}},
        {"NoLanguageSet", QLocale::c(), {"apple", "Ärger", "Öl", "Trip 2", "Trip 10", "zebra"}},
        {"Swedish", QLocale(QLocale::Swedish, QLocale::Sweden), {"apple", "Trip 2", "Trip 10", "zebra", "Ärger", "Öl"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        FolderList list(nullptr);
        if (row.locale)
            list.sortBy(*row.locale);
        ASSERT_TRUE(list.setPath(top.path()));
        EXPECT_EQ(subfolders(list), row.order);
    }
}

// Type-ahead follows the player's case rules: in Turkish "i" is the small
// "İ" and "ı" the small "I", so each finds only its own folder.
TEST(FolderList, TypeAheadFindsByThePlayersCaseRules)
{
    QTemporaryDir top;
    makeFolders(top.path(), {"Izgara", QString::fromUtf8("\u0130zmir")});
    const QLocale before;
    const struct { const char *name; QLocale locale; const char *typed; QString found; } rows[] = {
        {"TurkishDotted", QLocale(QLocale::Turkish, QLocale::Turkey), "iz", QString::fromUtf8("\u0130zmir")},
        {"TurkishDotless", QLocale(QLocale::Turkish, QLocale::Turkey), "\xc4\xb1z", QStringLiteral("Izgara")},
        {"English", QLocale(QLocale::English, QLocale::UnitedKingdom), "iz", QStringLiteral("Izgara")},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QLocale::setDefault(row.locale);
        FolderList list(nullptr);
        list.show();
        ASSERT_TRUE(list.setPath(top.path()));
        subfolders(list);
        for (const QChar letter : QString::fromUtf8(row.typed)) { // keyClicks knows ASCII only
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(letter));
            QApplication::sendEvent(&list, &press);
        }
        EXPECT_EQ(highlightedName(list), row.found);
    }
    QLocale::setDefault(before);
}

TEST(FolderList, ThousandsOfSubfoldersFillInWhileTheWindowGoesOn)
{
    QTemporaryDir top;
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(::mkdir(QFile::encodeName(top.filePath(QStringLiteral("f%1").arg(i))).constData(), 0700), 0);
    FolderList list(nullptr);
    ASSERT_TRUE(list.setPath(top.path()));
    // Back from setPath at once, the folder itself already shown.
    EXPECT_TRUE(list.listing());
    EXPECT_EQ(list.rowNames().last(), top.path().section(QLatin1Char('/'), -1));
    const QStringList listed = subfolders(list);
    EXPECT_EQ(listed.size(), 5000);
    EXPECT_EQ(listed.mid(0, 3), QStringList({"f0", "f1", "f2"}));
    EXPECT_EQ(highlightedName(list), top.path().section(QLatin1Char('/'), -1)) << "the highlight stays";
}

TEST(FolderList, FollowsTheDiskAndNamesNotInUtf8)
{
    QTemporaryDir top;
    makeFolders(top.path(), {"shown/stays", "shown/goes"});
    ASSERT_EQ(::mkdir((QFile::encodeName(top.path()) + "/shown/bad\xff").constData(), 0700), 0); // Latin-1 "badÿ"
    FolderList list(nullptr);
    QSignalSpy changes(&list, &FolderList::changed);
    ASSERT_TRUE(list.setPath(top.filePath("shown")));
    EXPECT_EQ(subfolders(list), QStringList({"bad\u00ff", "goes", "stays"}));

    // A Latin-1 name opens as it is shown.
    ASSERT_TRUE(list.setPath(top.filePath(QStringLiteral("shown/bad\u00ff"))));
    EXPECT_EQ(highlightedName(list), QStringLiteral("bad\u00ff"));
    ASSERT_TRUE(list.setPath(top.filePath("shown")));

    // A subfolder removed while shown leaves the list; one made comes.
    ASSERT_TRUE(QDir(top.filePath("shown/goes")).removeRecursively());
    ASSERT_TRUE(QDir(top.filePath("shown")).mkdir("new"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return subfolders(list) == QStringList({"bad\u00ff", "new", "stays"}); }, 5000))
        << subfolders(list).join(',').toStdString();

    // The folder shown removed: the list climbs to what is left, and says so.
    changes.clear();
    ASSERT_EQ(::rmdir((QFile::encodeName(top.path()) + "/shown/bad\xff").constData()), 0); // beyond QDir
    ASSERT_TRUE(QDir(top.filePath("shown")).removeRecursively());
    EXPECT_TRUE(QTest::qWaitFor([&] { return list.path() == QDir::cleanPath(top.path()); }, 5000));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(subfolders(list), QStringList());
}

// A drive list over a mount table the test writes.
struct FakeMounts {
    QStringList roots{"/", "/media/backup"};
    DriveList::VolumeSource source()
    {
        return [this] { return roots; };
    }
};

TEST(DriveList, VolumesMountedLaterArePickedAndThePickedOneAlwaysOpens)
{
    FakeMounts mounts;
    DriveList drives(nullptr, mounts.source());
    drives.resize(180, 22);
    drives.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&drives));
    QSignalSpy picks(&drives, &DriveList::volumePicked);
    drives.showVolumeOf("/media/backup/photos/2019");
    EXPECT_EQ(drives.drive(), QStringLiteral("/media/backup"));
    EXPECT_EQ(picks.count(), 0) << "showing is no pick";

    // A stick plugged in after start is there when the list drops down.
    mounts.roots << "/media/R&D photos";
    QTest::keyClick(&drives, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(drives.view()->isVisible());
    EXPECT_EQ(drives.count(), 3);
    EXPECT_EQ(drives.drive(), QStringLiteral("/media/backup")) << "the shown volume stays shown";
    QTest::keyClick(drives.view(), Qt::Key_Down);
    QTest::keyClick(drives.view(), Qt::Key_Return);
    EXPECT_EQ(picks.count(), 1);
    EXPECT_EQ(picks.last().value(0).toString(), QStringLiteral("/media/R&D photos"));

    // Picking the shown one again is a pick too: it goes back to its root.
    QTest::keyClick(&drives, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(drives.view(), Qt::Key_Return);
    EXPECT_EQ(picks.count(), 2);
    EXPECT_EQ(picks.last().value(0).toString(), QStringLiteral("/media/R&D photos"));

    // Unplugged: the volume goes, and the one holding the folder shows.
    drives.showVolumeOf("/media/R&D photos/x");
    mounts.roots.removeLast();
    drives.readVolumes();
    EXPECT_EQ(drives.count(), 2);
    EXPECT_EQ(drives.drive(), QStringLiteral("/"));
}

// How far the text drawn on a drive list reaches, in pixels from the left.
static int textReach(DriveList &drives, const QString &root)
{
    drives.setVolumeSource([root] { return QStringList{root}; });
    const QImage drawn = drives.grab().toImage();
    const QColor background = drawn.pixelColor(drawn.width() / 2, 2);
    int reach = 0;
    for (int x = 0; x < drawn.width() * 3 / 4; ++x) // the arrow stays out
        for (int y = 3; y < drawn.height() - 3; ++y)
            if (qGray(drawn.pixel(x, y)) < qGray(background.rgb()) - 80)
                reach = x;
    return reach;
}

TEST(DriveList, AnAmpersandInAVolumeNameIsShown)
{
    DriveList drives(nullptr);
    drives.resize(233, 21);
    const int withAmpersand = textReach(drives, "/media/R&D photos");
    const int without = textReach(drives, "/media/RD photos");
    EXPECT_GT(withAmpersand, without + drives.fontMetrics().horizontalAdvance(QLatin1Char('&')) / 2);
}
