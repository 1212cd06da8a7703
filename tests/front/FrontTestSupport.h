#pragma once
// What the front screen tests share: an application folder of their own with
// generated pictures, a front screen loaded from it, and the thumbnail page
// read back as a short string.

#include "Controls.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <ostream>

class frmFront;
class QWidget;

namespace fronttest {

// Picture number i is filled with a colour that tells it apart from the
// others; the page string reads it back.
QColor pictureColour(int number);
// Writes number's picture as a small file; the format follows the extension
// (.bmp, .jpg or .jpeg in any case).
void writePicture(const QString &path, int number);
// Writes count pictures named "1.bmp" .. "<count>.bmp" into folder.
void writePictures(const QString &folder, int count);

// An application folder: Gfx with a banner, help, and Puzzleimages with
// the given number of pictures. Each part can be left out.
struct AppFolderParts {
    int puzzlePictures = 9;
    bool gfx = true;
    bool help = true;
    bool puzzleImages = true;
};

class AppFolder {
public:
    explicit AppFolder(const AppFolderParts &parts = {});
    QString path() const { return dir_.path(); }
    QString puzzleImages() const { return dir_.path() + QStringLiteral("/Puzzleimages"); }
    // Creates (with parents) and returns folder path() + "/" + relative.
    QString makeFolder(const QString &relative) const;

private:
    QTemporaryDir dir_;
};

// The messages shown and the program ends asked for since the last reset.
struct Observed {
    QStringList messages;
    QStringList titles;
    int programEnds = 0;
};
Observed &observed();
void resetObserved();

// Points the game at the folder, forgets earlier messages, and gives a front
// screen that has run its start-up (check loadResult for its outcome).
struct LoadedFront {
    std::unique_ptr<frmFront> front;
    bool loadResult = false;
};
LoadedFront loadFront(const AppFolder &folder);

// The nine slots as a string such as "10 11 . . . . . . .": the number of
// the picture each slot shows, "." for an empty slot and "?" for the broken
// picture mark.
QString page(const frmFront &front);

// The file the store writes to, and its removal.
QString storeFile();
void removeStore();

// Clicks a child control of window by its objectName, with the left button.
void click(QWidget &control);

} // namespace fronttest

// Failures print texts and colours readably.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList &texts, std::ostream *out)
{
    *out << '{' << texts.join(QStringLiteral(" | ")).toStdString() << '}';
}
inline void PrintTo(const QColor &colour, std::ostream *out)
{
    *out << colour.name().toStdString();
}
