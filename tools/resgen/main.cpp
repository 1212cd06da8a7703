// resgen: draws the game's pictures, icons and sounds and writes its help page.
//
//   resgen <resources folder> <icons folder> [part of a file name]
//
// The optional third argument redraws only the files whose names contain it.
// Every file comes out the same on each run.
#include "common.h"
#include "pictures.h"

#include <QGuiApplication>

#include <cstdio>

namespace resgen {
bool generateGfx(const QString &resources, const QString &only);
bool generateIcons(const QString &iconsDir, const QString &only);
bool generateSounds(const QString &resources, const QString &only);
bool generateHelp(const QString &resources, const QString &only);
} // namespace resgen

int main(int argc, char **argv)
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s <resources folder> <icons folder> [name filter]\n", argv[0]);
        return 2;
    }
    // Fonts are needed, a display is not.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString resources = QString::fromLocal8Bit(argv[1]);
    const QString icons = QString::fromLocal8Bit(argv[2]);
    const QString only = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();

    bool ok = true;
    ok = resgen::generateGfx(resources, only) && ok;
    ok = resgen::generateIcons(icons, only) && ok;
    ok = resgen::generateSounds(resources, only) && ok;
    ok = resgen::generateHelp(resources, only) && ok;
    ok = resgen::generatePictures(resources, only) && ok;
    return ok ? 0 : 1;
}
