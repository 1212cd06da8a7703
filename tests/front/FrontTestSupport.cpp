#include "FrontTestSupport.h"

#include "Controls.h"
#include "GameState.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "Thumbnails.h"
#include "frmFront.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace fronttest {

QColor pictureColour(int number)
{
    // The red channel carries the number in steps of ten, far enough apart
    // to survive JPEG compression and smooth scaling of a plain colour.
    return QColor(30 + 10 * number, 120, 200);
}

void writePicture(const QString &path, int number)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(pictureColour(number));
    const QString suffix = QFileInfo(path).suffix().toLower();
    const char *format = suffix == QLatin1String("bmp") ? "BMP" : "JPEG";
    ASSERT_TRUE(image.save(path, format)) << qPrintable(path);
}

void writePictures(const QString &folder, int count)
{
    QDir().mkpath(folder);
    for (int i = 1; i <= count; ++i)
        writePicture(folder + QStringLiteral("/%1.bmp").arg(i), i);
}

AppFolder::AppFolder(const AppFolderParts &parts)
{
    if (parts.gfx) {
        makeFolder(QStringLiteral("Gfx"));
        QImage banner(170, 100, QImage::Format_RGB32);
        banner.fill(Qt::yellow);
        banner.save(path() + QStringLiteral("/Gfx/titleBanner.jpg"), "JPEG");
    }
    if (parts.help)
        makeFolder(QStringLiteral("help"));
    if (parts.puzzleImages)
        writePictures(puzzleImages(), parts.puzzlePictures);
}

QString AppFolder::makeFolder(const QString &relative) const
{
    const QString folder = path() + QLatin1Char('/') + relative;
    QDir().mkpath(folder);
    return folder;
}

Observed &observed()
{
    static Observed seen;
    return seen;
}

void resetObserved()
{
    observed() = Observed{};
    tilemere::setMessageHandler([](const QString &text, const QString &title) {
        observed().messages << text;
        observed().titles << title;
    });
    tilemere::setEndProgramHandler([] { ++observed().programEnds; });
}

LoadedFront loadFront(const AppFolder &folder)
{
    tilemere::setApplicationFolder(folder.path());
    resetObserved();
    LoadedFront loaded;
    loaded.front = std::make_unique<frmFront>();
    loaded.loadResult = loaded.front->formLoad();
    return loaded;
}

QString page(const frmFront &front)
{
    QStringList shown;
    for (const tilemere::ClickLabel *slot : front.Image1) {
        const QPixmap pixmap = slot->pixmap();
        if (pixmap.isNull()) {
            shown << QStringLiteral(".");
            continue;
        }
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
        if (image == thumbnails::brokenPicture(image.size())) {
            shown << QStringLiteral("?");
            continue;
        }
        const QColor centre = image.pixelColor(image.width() / 2, image.height() / 2);
        shown << QString::number(qRound((centre.red() - 30) / 10.0));
    }
    return shown.join(QLatin1Char(' '));
}

QString storeFile()
{
    return tilemere::storeFilePath();
}

void removeStore()
{
    QFile::remove(storeFile());
}

void click(QWidget &control)
{
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, control.rect().center());
}

} // namespace fronttest
