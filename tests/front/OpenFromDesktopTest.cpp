// Pictures and folders handed over by the desktop ("Open With", the command
// line) or dropped on the front screen.
#include "FrontTestSupport.h"

#include <QApplication>
#include <QMimeData>
#include <QUrl>

using namespace fronttest;

namespace {

// Drops path on the window as a file manager would; false when the window refused it.
bool drop(QWidget *window, const QString &path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window, &dropped);
    QApplication::processEvents();
    return true;
}

} // namespace

TEST(OpenFromDesktop, PictureStartsOnItsPageFolderOpensAnythingElseIsExplained)
{
    const struct { const char *name, *how, *handed; int side; const char *game, *folder, *label, *message; } rows[] = {
        {"PictureOnSecondPage", "open", "Holiday/11.jpg", 4, "Holiday/11.jpg", "Holiday", "Page 2 of 2 page(s)", ""},
        {"FileAddress", "open", "file://HOME/Holiday/2.jpg", 4, "Holiday/2.jpg", "Holiday", "Page 1 of 2 page(s)", ""},
        {"Folder", "open", "Holiday", 4, "", "Holiday", "Page 1 of 2 page(s)", ""},
        {"Missing", "open", "Holiday/none.jpg", 4, "", "Puzzleimages", "Page 1 of 1 page(s)",
         "There is no picture or folder at HOME/Holiday/none.jpg."},
        {"NotAPicture", "open", "Holiday/notes.txt", 4, "", "Puzzleimages", "Page 1 of 1 page(s)",
         "HOME/Holiday/notes.txt is not a picture the game can open."},
        {"UndecodablePicture", "open", "Holiday/broken.png", 4, "", "Holiday", "Page 2 of 2 page(s)",
         "The picture could not be opened."},
        {"DroppedPictureAtTheChosenSize", "drop", "Holiday/12.jpg", 6, "Holiday/12.jpg", "Holiday",
         "Page 2 of 2 page(s)", ""},
        {"DroppedFolder", "drop", "Holiday", 6, "", "Holiday", "Page 1 of 2 page(s)", ""},
        {"DroppedTextRefused", "drop", "Holiday/notes.txt", 6, "", "Puzzleimages", "Page 1 of 1 page(s)", ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        AppFolder folder;
        const QString holiday = folder.makeFolder(QStringLiteral("Holiday"));
        writePictures(holiday, 12, ".jpg");
        for (const char *name : {"/notes.txt", "/broken.png"})
            writeFile(holiday + QLatin1String(name), "not a picture");
        Started front(folder);
        const auto inFolder = [&](const char *text) { return QString::fromLatin1(text).replace("HOME", folder.path()); };
        const QString handed = QString::fromLatin1(row.handed).startsWith("file:")
                                   ? inFolder(row.handed)
                                   : folder.path() + QLatin1Char('/') + QLatin1String(row.handed);
        if (row.how == std::string("drop")) {
            click(front.child(qPrintable(QStringLiteral("sizeOption%1").arg(row.side))));
            EXPECT_EQ(drop(front.front.get(), handed), std::string(row.folder) == "Holiday");
        } else {
            front->openFromDesktop(handed);
        }

        EXPECT_EQ(front.startedWith, *row.game ? folder.path() + QLatin1Char('/') + QLatin1String(row.game) : QString());
        EXPECT_EQ(front->isVisible(), !*row.game);
        EXPECT_EQ(front.child<FolderList>("folderList")->path(), folder.path() + QLatin1Char('/') + QLatin1String(row.folder));
        EXPECT_EQ(front.text("pageLabel"), QString::fromLatin1(row.label));
        EXPECT_TRUE(!*row.game || front.game.board.side() == row.side);
        EXPECT_EQ(observed.messages,
                  *row.message ? QStringList{QStringLiteral("Brackwater-Tilemere: ") + inFolder(row.message)} : QStringList{});
    }
}
