// The folder and drive lists, driven as the player drives them: keys,
// type-ahead, the mouse, and a folder with more subfolders than rows.
#include "DriveList.h"
#include "FolderList.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <variant>

namespace {

QString highlightedName(const FolderList &list)
{
    return list.highlightedPath().section(QLatin1Char('/'), -1);
}

bool rowInView(const FolderList &list, int row)
{
    return list.contentsRect().contains(list.rowRect(row));
}

} // namespace

TEST(FolderList, KeysAndTypingMoveTheHighlightWhichStaysInViewAndEnterOpens)
{
    QTemporaryDir top;
    const QStringList names = {"apple", "Apricot", "banana", "Cherry", "date", "elder", "fig", "grape",
                               "kiwi", "lemon", "lime", "mango", "nut", "olive", "pear", "plum", "quince", "trip 2", "trip 10", "zest"};
    for (const QString &name : names)
        ASSERT_TRUE(QDir(top.path()).mkpath(name + "/inner"));
    FolderList list(nullptr);
    list.resize(180, 120); // fewer rows than folders
    ASSERT_TRUE(list.setPath(top.path()));
    const QStringList rows = list.rowNames();
    ASSERT_EQ(rows.mid(rows.size() - names.size()), names) << "case ignored, numbers by value";
    EXPECT_EQ(list.highlightedPath(), QDir::cleanPath(top.path()));

    // Letters typed within the interval make one search; a key that moves
    // the highlight, or a pause, ends it.
    QApplication::setKeyboardInputInterval(100);
    const struct { std::variant<Qt::Key, const char *> key; const char *name; } steps[] = {
        {Qt::Key_Down, "apple"}, {"a", "Apricot"}, {"a", "apple"}, {Qt::Key_Down, "Apricot"},
        {"l", "lemon"}, {"i", "lime"}, {"", "lime"}, {"l", "lemon"},
        {Qt::Key_End, "zest"}, {Qt::Key_Up, "trip 10"}, {"ch", "Cherry"},
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
    // Assistive tools see a list and the highlighted folder.
    QAccessibleInterface *described = QAccessible::queryAccessibleInterface(&list);
    ASSERT_TRUE(described);
    EXPECT_EQ(described->role(), QAccessible::List);
    EXPECT_EQ(described->text(QAccessible::Value), QStringLiteral("Cherry"));

    auto *scrollBar = list.findChild<QScrollBar *>();
    ASSERT_TRUE(scrollBar && !scrollBar->isHidden());

    QTest::keyClick(&list, Qt::Key_Left); // to the folder holding it
    EXPECT_EQ(list.highlightedPath(), QDir::cleanPath(top.path()));
    QTest::keyClick(&list, Qt::Key_Right);
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(list.path(), QDir::cleanPath(top.path()) + "/apple");
    EXPECT_TRUE(scrollBar->isHidden()) << "all rows fit again";
    EXPECT_EQ(list.rowNames().last(), QStringLiteral("inner"));

    // The mouse: a click highlights, a double-click opens.
    const int inner = static_cast<int>(list.rowNames().size()) - 1;
    QTest::mouseClick(&list, Qt::LeftButton, {}, list.rowRect(inner).center());
    EXPECT_EQ(list.path(), QDir::cleanPath(top.path()) + "/apple");
    EXPECT_EQ(highlightedName(list), QStringLiteral("inner"));
    QTest::mouseDClick(&list, Qt::LeftButton, {}, list.rowRect(inner - 2).center());
    EXPECT_EQ(list.path(), QDir::cleanPath(top.path()));

    // Rows follow the font, so that a large one is not cut.
    QFont large = list.font();
    large.setPointSize(3 * QFontInfo(large).pointSize());
    list.setFont(large);
    EXPECT_GE(list.rowRect(0).height(), QFontMetrics(large).height());
}

TEST(DriveList, KeysTypingAndTheDropDownPickAVolumeAndEachChangeIsRaisedOnce)
{
    DriveList drives(nullptr);
    drives.resize(180, 22);
    drives.setVolumes({"/", "/media/backup", "/media/camera", "/mnt"});
    QSignalSpy changes(&drives, &DriveList::currentIndexChanged);
    QTest::keyClick(&drives, Qt::Key_Down);
    QTest::keyClick(&drives, Qt::Key_End);
    QTest::keyClick(&drives, Qt::Key_Down); // already the last: no change
    EXPECT_EQ(drives.drive(), QStringLiteral("/mnt"));
    QTest::keyClicks(&drives, "/"); // type-ahead: from the next row on, around
    EXPECT_EQ(drives.drive(), QStringLiteral("/"));
    EXPECT_EQ(changes.count(), 3);
    QAccessibleInterface *described = QAccessible::queryAccessibleInterface(&drives);
    ASSERT_TRUE(described);
    EXPECT_EQ(described->role(), QAccessible::ComboBox);
    EXPECT_EQ(described->text(QAccessible::Value), QStringLiteral("/"));

    drives.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&drives));
    // The drop-down shows the volumes from the shown one on; two rows down
    // and Enter pick the third.
    QTest::keyClick(&drives, Qt::Key_Space);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_TRUE(menu);
    QStringList offered;
    for (const QAction *action : menu->actions())
        offered << action->text() + (action == menu->activeAction() ? "*" : "");
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_EQ(offered, QStringList({"/*", "/media/backup", "/media/camera", "/mnt"}));
    EXPECT_EQ(drives.drive(), QStringLiteral("/media/camera"));
    EXPECT_EQ(changes.count(), 4);
    EXPECT_EQ(changes.last().value(0).toInt(), 2);
}
