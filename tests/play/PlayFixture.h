#pragma once
// A play screen in a folder of its own: small generated pictures in Gfx,
// sounds, messages and the program's end recorded instead of happening,
// and a stand-in front screen to return to.
#include "BoardText.h"
#include "BoardView.h"
#include "Controls.h"
#include "Game.h"
#include "PlayScreen.h"
#include "ScoreBook.h"
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
        QDir(folder.path()).mkpath(QStringLiteral("Gfx"));
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
        tilemere::setMessageHandler([](auto &text, auto &) { ADD_FAILURE() << "message: " << text.toStdString(); });
        tilemere::setEndProgramHandler([this] { ++programEnds; });
    }
    void TearDown() override // nothing left pointing at this fixture
    {
        tilemere::setSoundOutput(nullptr);
        tilemere::setMessageHandler({});
        tilemere::setEndProgramHandler({});
    }
    static QImage solid(int side, QRgb colour) { QImage image(side, side, QImage::Format_RGB32); image.fill(colour); return image; }
    void play(const QString &path) override { sounds << path.section(u'/', -1); }
    void beep() override { sounds << QStringLiteral("beep"); }

    QString path(const char *name) const { return folder.filePath(QLatin1String(name)); }
    tilemere::PlayScreen &form()
    {
        if (!screen) {
            screen = std::make_unique<tilemere::PlayScreen>(game, scores);
            QObject::connect(screen.get(), &tilemere::PlayScreen::leftToFront, &front, &QWidget::show);
        }
        return *screen;
    }
    template <typename Control = QWidget> Control *child(const char *name)
    {
        return form().findChild<Control *>(QLatin1String(name));
    }
    QString text(const char *label) { return child<QLabel>(label)->text(); }
    tilemere::BoardView &board() { return *child<tilemere::BoardView>("boardView"); }
    bool timerActive(const char *timer) { return child<QTimer>(timer)->isActive(); }
    QColor textColour(const char *name) { return child(name)->palette().color(QPalette::Active, QPalette::WindowText); }
    QRgb iconColour()
    {
        const QImage drawn = child("soundSwitch")->grab().toImage();
        return drawn.pixel(drawn.width() / 2, drawn.height() / 2);
    }
    bool onFrontScreen() { return front.isVisible() && !form().isVisible(); }
    void setBoard(const char *text) { game.board = boardFrom(text); }

    // Starts a game as the front screen does, and waits for its picture:
    // true once it is shuffled, false when the screen went back instead.
    bool startGame(int side, std::uint32_t seed = 1)
    {
        game.chosenSize = static_cast<std::int16_t>(side);
        front.hide();
        form().setShuffleSeed(seed);
        bool started = false, refused = false;
        const QMetaObject::Connection onStart =
            QObject::connect(&form(), &tilemere::PlayScreen::gameStarted, [&] { started = true; });
        const QMetaObject::Connection onRefusal =
            QObject::connect(&form(), &tilemere::PlayScreen::leftToFront, [&] { refused = true; });
        form().startGame(picturePath, animateShuffle);
        static_cast<void>(QTest::qWaitFor([&] { return started || refused; }, 10'000)); // started says which
        QObject::disconnect(onStart);
        QObject::disconnect(onRefusal);
        QCoreApplication::processEvents();
        return started;
    }

    void clickCell(int cell, Qt::MouseButton button = Qt::LeftButton)
    {
        const int side = game.board.side(), width = board().width() / side, height = board().height() / side;
        QTest::mouseClick(&board(), button, {}, {(cell - 1) % side * width + width / 2, (cell - 1) / side * height + height / 2});
    }

    // A key pressed wherever the keyboard focus is, as a player's would be.
    void pressKey(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    QTemporaryDir folder;
    QStringList sounds; // by file name
    int programEnds = 0;
    tilemere::Game game;
    tilemere::ScoreBook scores;
    QWidget front;
    std::unique_ptr<tilemere::PlayScreen> screen;
    QString picturePath;
    bool animateShuffle = false;
};
