#include "PlayFixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>
#include <QtTest/QTest>

void RecordingSound::play(const QString &path)
{
    played << QFileInfo(path).fileName();
}

QRgb blockColour(int column, int row)
{
    return qRgb(20 + 20 * column, 20 + 20 * row, 90);
}

QImage blockPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, blockColour(x * 10 / width, y * 10 / height));
    return picture;
}

namespace {

void writeSolid(const QString &path, QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path));
}

} // namespace

void PlayScreenTest::writeGfx()
{
    QDir(folder.path()).mkpath(QStringLiteral("Gfx"));
    writeSolid(folderPath("Gfx/Volume.bmp"), {28, 28}, kVolumeColour);
    writeSolid(folderPath("Gfx/MuteVolume.bmp"), {28, 28}, kMuteColour);
    writeSolid(folderPath("Gfx/BW_logo.jpg"), {55, 55}, 0xff3060a0);
    for (const char *sound : {"click.wav", "claps.wav"}) {
        QFile file(folderPath(QStringLiteral("Gfx/") + QLatin1String(sound)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
}

void PlayScreenTest::SetUp()
{
    ASSERT_TRUE(folder.isValid());
    writeGfx();
    picturePath = folderPath("blocks.bmp");
    ASSERT_TRUE(blockPicture(400, 400).save(picturePath));
    tilemere::setApplicationFolder(folder.path());
    tilemere::setSoundOutput(&sounds);
    tilemere::setMessageHandler([this](const QString &text, const QString &title) {
        messages << text + QStringLiteral(" | ") + title;
    });
    tilemere::setEndProgramHandler([this] { ++programEnds; });
    gChosenSize = 4;
}

void PlayScreenTest::TearDown()
{
    if (Form1::exists())
        delete &Form1::instance();
    tilemere::setSoundOutput(nullptr);
    tilemere::setMessageHandler({});
    tilemere::setEndProgramHandler({});
    tilemere::setApplicationFolder({});
}

bool PlayScreenTest::startGame(int side, std::uint32_t seed)
{
    form().setFrontScreen(&front, [this] { return picturePath; }, [this] { return animateShuffle; });
    gChosenSize = static_cast<std::int16_t>(side);
    front.hide();
    form().show();
    QCoreApplication::processEvents();
    form().setShuffleSeed(seed);
    std::int16_t size = gBoardSide;
    const bool started = form().createNewGame(size);
    tilemere::placeForm(form());
    QCoreApplication::processEvents();
    return started;
}

QPoint PlayScreenTest::cellCentre(int cell) const
{
    const QSize board = Form1::instance().Picture2->surface().size();
    const int tileWidth = board.width() / gBoardSide;
    const int tileHeight = board.height() / gBoardSide;
    return {((cell - 1) % gBoardSide) * tileWidth + tileWidth / 2,
            ((cell - 1) / gBoardSide) * tileHeight + tileHeight / 2};
}

void PlayScreenTest::clickCell(int cell, Qt::MouseButton button)
{
    QTest::mouseClick(form().Picture2, button, {}, cellCentre(cell));
}

int PlayScreenTest::finishWin(bool *scoreEntryOpened)
{
    bool opened = false;
    // Fires only inside the modal loop of the score entry, and turns it down.
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&opened] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            opened = opened || dialog->inherits("frmScoreInputs");
            dialog->reject();
        }
    });
    closer.start();
    int ticks = 0;
    while (form().lblCongraz->isVisibleTo(&form()) && ticks < 100) {
        form().Timer1_Timer();
        ++ticks;
    }
    closer.stop();
    if (scoreEntryOpened)
        *scoreEntryOpened = opened;
    return ticks;
}

QRgb PlayScreenTest::iconColour() const
{
    return Form1::instance().ImgVolIcon->pixmap().toImage().pixel(14, 14);
}
