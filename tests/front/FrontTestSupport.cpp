#include "FrontTestSupport.h"

#include "Shell.h"
#include "Thumbnails.h"
#include "frmFront.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

namespace fronttest {

void writePicture(const QString &path, int number)
{
    // The number rides in the red channel, ten apart: enough to survive
    // JPEG compression and smooth scaling of a plain colour.
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(30 + 10 * number, 120, 200));
    const bool bitmap = QFileInfo(path).suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0;
    ASSERT_TRUE(image.save(path, bitmap ? "BMP" : "JPEG")) << qPrintable(path);
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
        QImage banner(170, 100, QImage::Format_RGB32);
        banner.fill(Qt::yellow);
        banner.save(makeFolder(QStringLiteral("Gfx")) + QStringLiteral("/titleBanner.jpg"), "JPEG");
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
    LoadedFront loaded{std::make_unique<frmFront>()};
    loaded.loadResult = loaded.front->formLoad();
    if (loaded.loadResult)
        loaded.front->show();
    return loaded;
}

QString page(const frmFront &front)
{
    QStringList shown;
    for (const tilemere::ClickLabel *slot : front.Image1) {
        const QImage image = slot->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        if (image.isNull())
            shown << QStringLiteral(".");
        else if (image == thumbnails::brokenPicture(image.size()))
            shown << QStringLiteral("?");
        else
            shown << QString::number(qRound((image.pixelColor(image.rect().center()).red() - 30) / 10.0));
    }
    return shown.join(QLatin1Char(' '));
}

void click(QWidget &control)
{
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, control.rect().center());
}

} // namespace fronttest
