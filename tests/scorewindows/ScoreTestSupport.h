#pragma once
// Shared by the score window tests: a first run per case, tables filled with
// recognisable entries, the board's lists, and a player answering the score
// windows that open modally.

#include "ScoreBoard.h"
#include "ScoreBook.h"
#include "ScoreEntry.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace scorewindowstest {

using tilemere::kNotPlaced;
using tilemere::ScoreBook;

// No store file, as when the program first starts; the store is the test's own (set in main).
inline void removeStore()
{
    const QString store = qEnvironmentVariable("XDG_CONFIG_HOME");
    ASSERT_FALSE(store.isEmpty()); // else the working folder would go
    QDir(store).removeRecursively();
    QDir().mkpath(store);
}

// Table (scoreMode, side) holds values from place 1 on, the rest empty, and
// the names prefix + "1" .. prefix + "10".
inline void fill(ScoreBook &book, tilemere::ScoreMode scoreMode, int side, std::initializer_list<std::int32_t> values,
                 const std::string &prefix)
{
    auto &table = book.tables(scoreMode, side - 2);
    table.values.fill(tilemere::kEmptyScore);
    std::copy(values.begin(), values.end(), table.values.begin());
    for (std::size_t place = 0; place < table.names.size(); ++place)
        table.names[place] = prefix + std::to_string(place + 1);
}

// What a new run reads from the store.
inline tilemere::ScoreTables reloaded()
{
    ScoreBook book;
    book.load();
    return book.tables;
}

inline QString text(const QWidget &window, const char *child) { return window.findChild<QLabel *>(child)->text(); }
inline void click(QWidget &in, const char *child) { QTest::mouseClick(in.findChild<QWidget *>(child), Qt::LeftButton); }

// The board's lists: move names, moves, time names, times.
inline QList<QStringList> lists(const QWidget &board)
{
    QList<QStringList> shown;
    for (const char *name : {"movesNames", "movesList", "timeNames", "timeList"}) {
        const auto *list = board.findChild<QListWidget *>(name);
        shown.emplace_back();
        for (int row = 0; list && row < list->count(); ++row)
            shown.back() << list->item(row)->text();
    }
    return shown;
}

inline QList<QStringList> emptyLists(const QString &name)
{
    const QStringList names(tilemere::kPlaces, name), dashes(tilemere::kPlaces, QStringLiteral("-"));
    return {names, dashes, names, dashes};
}

// Answers the score windows as a player would once each is the modal one:
// given a name, types it into the score entry and presses Enter, noting the
// level and result shown; closes every score board with its Close label,
// noting its title and lists.
struct ModalPlayer {
    explicit ModalPlayer(const QString &name = {}) : name(name)
    {
        QObject::connect(&poll, &QTimer::timeout, &poll, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *entry = qobject_cast<tilemere::ScoreEntry *>(modal);
                entry && entry->isVisible() && !this->name.isNull() && entryShown.isEmpty()) {
                entryShown << text(*entry, "levelLabel") << text(*entry, "movesLabel");
                entryParent = entry->parentWidget();
                auto *box = entry->findChild<QLineEdit *>("nameEdit");
                QTest::keyClicks(box, this->name);
                // Answered from the event loop, so that this timer can see the board that follows.
                QTimer::singleShot(0, box, [box] { QTest::keyClick(box, Qt::Key_Return); });
            } else if (auto *board = qobject_cast<tilemere::ScoreBoard *>(modal); board && board->isVisible()) {
                ++boards;
                boardParent = board->parentWidget();
                title = text(*board, "titleLabel");
                shown = lists(*board);
                click(*board, "closeButton");
            }
        });
        poll.start(10);
    }
    QString name, title;
    QStringList entryShown;
    int boards = 0;
    // The windows the score windows were given as parents: the window each
    // blocks, or a compositor may raise that one over them.
    QWidget *entryParent = nullptr, *boardParent = nullptr;
    QList<QStringList> shown = QList<QStringList>(4);
    QTimer poll;
};

} // namespace scorewindowstest
