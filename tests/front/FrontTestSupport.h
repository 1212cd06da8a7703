#pragma once
// Shared by the front screen tests: an application folder of their own with
// generated pictures, a loaded front screen, and the thumbnail page read
// back as a short string.

#include "Controls.h"

#include <QTemporaryDir>

#include <memory>
#include <ostream>

class frmFront;

namespace fronttest {

// Writes picture number n, a plain colour the page string reads back; the
// format follows the extension.
void writePicture(const QString &path, int number);
// "1.bmp" .. "<count>.bmp" in folder, which is made if needed.
void writePictures(const QString &folder, int count);

struct AppFolderParts {
    int puzzlePictures = 9;
    bool gfx = true;
    bool help = true;
    bool puzzleImages = true;
};

// An application folder: Gfx with a banner, help, Puzzleimages with pictures.
class AppFolder {
public:
    explicit AppFolder(const AppFolderParts &parts = {});
    QString path() const { return dir_.path(); }
    QString puzzleImages() const { return dir_.path() + QStringLiteral("/Puzzleimages"); }
    QString makeFolder(const QString &relative) const; // returns the full path

private:
    QTemporaryDir dir_;
};

// Messages and program ends since the last front screen was loaded.
struct Observed {
    QStringList messages;
    QStringList titles;
    int programEnds = 0;
};
Observed &observed();
void resetObserved();

// A front screen that has run its start-up in folder, and the outcome.
struct LoadedFront {
    std::unique_ptr<frmFront> front;
    bool loadResult = false;
};
LoadedFront loadFront(const AppFolder &folder);

// The nine slots, e.g. "10 11 . . . . . . .": the picture number in each,
// "." when empty, "?" for the broken-picture mark.
QString page(const frmFront &front);

void click(QWidget &control);

} // namespace fronttest

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
