#pragma once
// A play screen in a folder of its own: small generated pictures in Gfx,
// sounds, messages and the program's end recorded instead of happening,
// and a stand-in front screen to return to.
#include "BoardText.h"
#include "BoardWidget.h"
#include "Controls.h"
#include "Form1.h"
#include "Moves.h"
#include "Shell.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

// A picture with a different colour in each of its 10 x 10 blocks.
inline QRgb blockColour(int column, int row) { return qRgb(20 + 20 * column, 20 + 20 * row, 90); }
inline QImage blockPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, blockColour(x * 10 / width, y * 10 / height));
    return picture;
}

// Colours of the generated icons, so a test can tell which one is shown.
inline constexpr QRgb kVolumeColour = 0xff00c000;
inline constexpr QRgb kMuteColour = 0xffc00000;

class PlayScreenTest : public ::testing::Test, tilemere::SoundOutput {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid() && QDir(folder.path()).mkpath(QStringLiteral("Gfx")));
        const auto solid = [](int side, QRgb c) { QImage i(side, side, QImage::Format_RGB32); i.fill(c); return i; };
        const std::pair<const char *, QImage> pictures[] = {
            {"Gfx/Volume.bmp", solid(28, kVolumeColour)}, {"Gfx/MuteVolume.bmp", solid(28, kMuteColour)},
            {"Gfx/BW_logo.jpg", solid(55, 0xff3060a0)}, {"blocks.bmp", blockPicture(400, 400)}};
        for (const auto &[name, picture] : pictures)
            ASSERT_TRUE(picture.save(path(name)));
        for (const char *sound : {"Gfx/click.wav", "Gfx/claps.wav"})
            ASSERT_TRUE(QFile(path(sound)).open(QIODevice::WriteOnly));
        picturePath = path("blocks.bmp");
        tilemere::setApplicationFolder(folder.path());
        tilemere::setSoundOutput(this);
        tilemere::setMessageHandler([this](auto &text, auto &title) { messages << text + " | " + title; });
        tilemere::setEndProgramHandler([this] { ++programEnds; });
    }
    void TearDown() override
    {
        delete (Form1::exists() ? &Form1::instance() : nullptr);
        tilemere::setSoundOutput(nullptr);
        tilemere::setMessageHandler({});
        tilemere::setEndProgramHandler({});
        tilemere::setApplicationFolder({});
    }
    void play(const QString &path) override { sounds << path.section(u'/', -1); }
    void beep() override { sounds << QStringLiteral("beep"); }

    QString path(const char *name) const { return folder.filePath(QLatin1String(name)); }
    Form1 &form() { return Form1::instance(); }
    QRgb iconColour() { return form().ImgVolIcon->pixmap().toImage().pixel(14, 14); }
    bool onFrontScreen() { return front.isVisible() && !form().isVisible(); }

    // Shows the play screen as the front screen does and starts a game.
    bool startGame(int side, std::uint32_t seed = 1)
    {
        form().setFrontScreen(&front, [this] { return picturePath; }, [this] { return animateShuffle; });
        std::int16_t size = gChosenSize = static_cast<std::int16_t>(side);
        front.hide();
        form().show();
        form().setShuffleSeed(seed);
        const bool started = form().createNewGame(size);
        QCoreApplication::processEvents();
        return started;
    }

    void clickCell(int cell, Qt::MouseButton button = Qt::LeftButton)
    {
        const int width = form().Picture2->surface().width() / gBoardSide;
        const int height = form().Picture2->surface().height() / gBoardSide;
        QTest::mouseClick(form().Picture2, button, {},
                          {(cell - 1) % gBoardSide * width + width / 2, (cell - 1) / gBoardSide * height + height / 2});
    }

    // Drives the win animation to its end, turning down the score entry;
    // returns the number of ticks it took and notes whether the score entry opened.
    int finishWin()
    {
        scoreEntryOpened = false;
        QTimer closer; // fires only inside the score entry's modal loop
        QObject::connect(&closer, &QTimer::timeout, [this] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                scoreEntryOpened |= dialog->inherits("frmScoreInputs");
                dialog->reject();
            }
        });
        closer.start(0);
        int ticks = 0;
        for (; form().lblCongraz->isVisibleTo(&form()) && ticks < 100; ++ticks)
            form().Timer1_Timer();
        return ticks;
    }

    QTemporaryDir folder;
    QStringList sounds, messages; // sounds by file name
    int programEnds = 0;
    QWidget front;
    QString picturePath;
    bool animateShuffle = false, scoreEntryOpened = false;
};
