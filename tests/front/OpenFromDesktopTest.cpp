// Pictures and folders handed over by the desktop ("Open With", the command
// line) or dropped on the front screen.
#include "FrontTestSupport.h"

#include <QApplication>
#include <QMimeData>
#include <QUrl>

using namespace fronttest;

// Drops path on the window as a file manager would; false when the window refused it.
static bool drop(QWidget *window, const QString &path)
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

TEST(OpenFromDesktop, PictureStartsOnItsPageFolderOpensAnythingElseIsExplained)
{
    // HOME is the application folder; a drop comes after choosing 6x6.
    const struct { const char *name; bool dropped; const char *handed, *game, *folder, *label, *message; } rows[] = {
        {"PictureOnSecondPage", false, "HOME/Holiday/11.jpg", "Holiday/11.jpg", "Holiday", "Page 2 of 2 page(s)", ""},
        {"FileAddress", false, "file://HOME/Holiday/2.jpg", "Holiday/2.jpg", "Holiday", "Page 1 of 2 page(s)", ""},
        {"Folder", false, "HOME/Holiday", "", "Holiday", "Page 1 of 2 page(s)", ""},
        {"Missing", false, "HOME/Holiday/none.jpg", "", "Puzzleimages", "Page 1 of 1 page(s)",
         "There is no picture or folder at HOME/Holiday/none.jpg."},
        {"NotAPicture", false, "HOME/Holiday/notes.txt", "", "Puzzleimages", "Page 1 of 1 page(s)",
         "HOME/Holiday/notes.txt is not a picture the game can open."},
        {"UndecodablePicture", false, "HOME/Holiday/broken.png", "", "Holiday", "Page 2 of 2 page(s)",
         "The picture could not be opened."},
        {"DroppedPictureAtTheChosenSize", true, "HOME/Holiday/12.jpg", "Holiday/12.jpg", "Holiday", "Page 2 of 2 page(s)", ""},
        {"DroppedFolder", true, "HOME/Holiday", "", "Holiday", "Page 1 of 2 page(s)", ""},
        {"DroppedTextIgnored", true, "HOME/Holiday/notes.txt", "", "Puzzleimages", "Page 1 of 1 page(s)", ""}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        AppFolder folder;
        const QString holiday = folder.makeFolder(QStringLiteral("Holiday"));
        writePictures(holiday, 12, ".jpg");
        for (const char *name : {"/notes.txt", "/broken.png"})
            writeFile(holiday + QLatin1String(name), "not a picture");
        Started front(folder);
        const auto inFolder = [&](const char *text) { return QString::fromLatin1(text).replace("HOME", folder.path()); };
        if (row.dropped) {
            click(front.child("sizeOption6"));
            // Taken, and looked at once dropped: a slow disk never holds the pointer up.
            EXPECT_TRUE(drop(front.front.get(), inFolder(row.handed)));
        } else {
            front->openFromDesktop(inFolder(row.handed));
        }
        EXPECT_TRUE(front.listed());
        front.awaitGame();
        EXPECT_EQ(front.startedWith, *row.game ? folder.path() + QLatin1Char('/') + QLatin1String(row.game) : QString());
        EXPECT_EQ(front->isVisible(), !*row.game);
        EXPECT_EQ(front.child<FolderList>("folderList")->path(), folder.path() + QLatin1Char('/') + QLatin1String(row.folder));
        EXPECT_EQ(front.text("pageLabel"), QString::fromLatin1(row.label));
        EXPECT_TRUE(!*row.game || front.game.board.side() == (row.dropped ? 6 : 4));
        EXPECT_EQ(observed.messages,
                  *row.message ? QStringList{QStringLiteral("Brackwater-Tilemere: ") + inFolder(row.message)} : QStringList{});
    }
}
