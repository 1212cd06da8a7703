#pragma once
// A play screen in a folder of its own: small generated pictures in Gfx,
// sounds, messages and the program's end recorded instead of happening,
// and a stand-in front screen to return to.

#include "BoardWidget.h"
#include "Controls.h"
#include "Form1.h"
#include "GameState.h"
#include "Shell.h"

#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Readable failures for texts.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

class RecordingSound : public tilemere::SoundOutput {
public:
    QStringList played; // file names only
    void play(const QString &path) override;
    void beep() override { played << QStringLiteral("beep"); }
};

// Colours of the generated icons, so a test can tell which one is shown.
inline constexpr QRgb kVolumeColour = 0xff00c000;
inline constexpr QRgb kMuteColour = 0xffc00000;

class PlayScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes Gfx the way the program finds it.
    void writeGfx();
    QString folderPath(const QString &name) const { return folder.filePath(name); }

    Form1 &form() { return Form1::instance(); }

    // Shows the play screen as the front screen does and starts a game.
    bool startGame(int side, std::uint32_t seed = 1);

    QPoint cellCentre(int cell) const;
    void clickCell(int cell, Qt::MouseButton button = Qt::LeftButton);

    // Drives the win animation to its end, closing the score entry; returns
    // the number of ticks it took and whether the score entry opened.
    int finishWin(bool *scoreEntryOpened = nullptr);

    QRgb iconColour() const;

    QTemporaryDir folder;
    RecordingSound sounds;
    QStringList messages;
    int programEnds = 0;
    QWidget front;
    QString picturePath;
    bool animateShuffle = false;
};

// A picture with a different colour in each of its 10 x 10 blocks.
QImage blockPicture(int width, int height);
QRgb blockColour(int column, int row);
