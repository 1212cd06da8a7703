// The window around the board: its look, the preview, the sound switch, the
// links' hover highlight, Back, closing, and artwork that is not there.
#include "TileRenderer.h"
#include "PlayFixture.h"

#include <QCheckBox>

using namespace tilemere;

// Back abandons the game. The sound switch and a disabled Help link are the
// player's for the run, but a new game starts its counters afresh and shows
// the preview again.
TEST_F(PlayScreenTest, BackAbandonsTheGameAndANewGameKeepsOnlyTheSoundAndHelp)
{
    form().disableHelp(); // before the first game, as the front screen's start-up does
    ASSERT_TRUE(startGame(4, 3));
    for (const bool on : {false, true, false}) { // the switch flips the sound and its icon, silently
        QTest::mouseClick(child("soundSwitch"), Qt::LeftButton);
        EXPECT_EQ(game.soundOn, on);
        EXPECT_EQ(iconColour(), on ? kVolumeColour : kMuteColour);
    }
    child<QCheckBox>("previewCheck")->click();
    EXPECT_FALSE(child("previewPicture")->isVisible());
    setBoard("1 2 3 4/5 6 7 8/9 10 11 12/13 14 16 15");
    clickCell(14);
    form().tickClock();

    // Back acts on the release over it: pressed, slid off and let go, it does nothing.
    QTest::mousePress(child("backButton"), Qt::LeftButton);
    QTest::mouseRelease(child("backButton"), Qt::LeftButton, {}, {-20, -20});
    EXPECT_FALSE(onFrontScreen());
    QTest::mouseClick(child("backButton"), Qt::LeftButton);
    EXPECT_TRUE(onFrontScreen());

    ASSERT_TRUE(startGame(3, 4));
    EXPECT_EQ(text("movesLabel"), QStringLiteral("0"));
    EXPECT_EQ(text("timeLabel"), QStringLiteral("0:00"));
    EXPECT_TRUE(!game.soundOn && iconColour() == kMuteColour);
    EXPECT_TRUE(child<QCheckBox>("previewCheck")->isChecked() && child("previewPicture")->isVisible());
    const QColor help = child("helpLink")->palette().color(QPalette::Disabled, QPalette::WindowText);
    EXPECT_TRUE(help != kWhite && help != kHighlightOrange) << help.name().toStdString();
    QTest::mouseMove(child("helpLink"), child("helpLink")->rect().center());
    EXPECT_FALSE(child("helpLink")->font().bold());

    setBoard("1 2 3/4 5 6/9 7 8"); // with the sound off, switching, moving and solving are silent
    clickCell(8);
    clickCell(9);
    ASSERT_TRUE(game.board.isSolved());
    EXPECT_TRUE(sounds.isEmpty());
}

// A link lights up under the pointer and stays lit over the quiet controls
// until the pointer crosses the background or the board.
TEST_F(PlayScreenTest, LinksHighlightUnderThePointerAndResetOverTheBackground)
{
    ASSERT_TRUE(startGame(4));
    const struct { const char *name; bool turnsBold; } rows[] = {
        {"backButton", true}, {"helpLink", true}, {"moreGamesLink", false}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QWidget *link = child(row.name);
        QTest::mouseMove(link, link->rect().center());
        EXPECT_EQ(textColour(row.name), kHighlightOrange);
        EXPECT_EQ(link->font().bold(), row.turnsBold);
        QTest::mouseMove(&form(), {15, 250}); // on the counters panel
        QTest::mouseMove(child("soundSwitch"), {5, 5});
        EXPECT_EQ(textColour(row.name), kHighlightOrange);
        QTest::mouseMove(&form(), {210, 200}); // the background
        EXPECT_EQ(textColour(row.name), kWhite);
        EXPECT_FALSE(link->font().bold());
    }
    QTest::mouseMove(child("backButton"), child("backButton")->rect().center());
    QTest::mouseMove(&board(), {50, 50});
    EXPECT_EQ(textColour("backButton"), kWhite);
}

// At any pixel ratio the board keeps the design's size in logical pixels and
// shows a picture of the screen's own resolution pixel for pixel, and the
// logo comes from its double-size drawing above ratio 1. CTest runs the play
// tests once more at ratio 2.
TEST_F(PlayScreenTest, BoardShowsThePictureAtTheScreensResolution)
{
    ASSERT_TRUE(solid(110, qRgb(0, 0, 0)).save(path("Gfx/BW_logo@2x.jpg")));
    const double ratio = form().devicePixelRatioF();
    const int side = tilemere::bufferDeviceSide(ratio);
    QImage checkerboard(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            checkerboard.setPixel(x, y, (x + y) % 2 ? qRgb(0, 0, 200) : qRgb(200, 200, 0));
    picturePath = path("checkerboard.bmp");
    ASSERT_TRUE(checkerboard.save(picturePath));
    ASSERT_TRUE(startGame(4));

    EXPECT_EQ(board().size(), QSize(400, 400));
    EXPECT_EQ(child<QLabel>("logoLink")->pixmap().devicePixelRatio(), ratio > 1 ? 2 : 1);
    const QImage shown = form().grab(board().geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(side, side));
    for (int x = 10; x < 20; ++x) // inside the first tile, wherever it lies
        EXPECT_NE(shown.pixel(x, 10), shown.pixel(x + 1, 10)) << x;
    QImage surface = board().surface(); // painted again from it whenever the window was covered
    surface.setDevicePixelRatio(shown.devicePixelRatio());
    EXPECT_EQ(shown, surface);
}

// Missing pictures leave empty ones of the same size, so the window keeps its
// layout and the sound switch still works. Closing the play screen ends the
// program, saving nothing.
TEST_F(PlayScreenTest, MissingLogoAndIconsKeepTheLayoutAndAWorkingSwitch)
{
    for (const char *name : {"Gfx/BW_logo.jpg", "Gfx/Volume.bmp", "Gfx/MuteVolume.bmp"})
        ASSERT_TRUE(QFile::remove(path(name)));
    ASSERT_TRUE(startGame(4));
    QTest::mouseClick(child("soundSwitch"), Qt::LeftButton);
    EXPECT_FALSE(game.soundOn);
    EXPECT_EQ(child("logoLink")->size(), QSize(55, 55));
    EXPECT_EQ(child("soundSwitch")->size(), QSize(28, 28));

    form().close();
    EXPECT_EQ(programEnds, 1);
    const QDir settingsHome(qEnvironmentVariable("XDG_CONFIG_HOME"));
    EXPECT_TRUE(settingsHome.isEmpty()) << settingsHome.entryList().join(u' ').toStdString();
}

// Tab goes from the board round the controls; Space and Enter press them,
// and the arrow keys move tiles wherever the focus is.
TEST_F(PlayScreenTest, TabReachesEveryControlAndTheArrowsStillPlay)
{
    ASSERT_TRUE(startGame(3));
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    QStringList reached{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 6; ++i) {
        pressKey(Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(reached, QStringList({"boardView", "backButton", "helpLink", "moreGamesLink", "soundSwitch",
                                    "previewCheck", "boardView"}));

    child("soundSwitch")->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Space);
    EXPECT_TRUE(!game.soundOn && iconColour() == kMuteColour);
    child("previewCheck")->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Space);
    EXPECT_TRUE(child("previewPicture")->isHidden());
    for (const char *focused : {"previewCheck", "backButton"}) {
        SCOPED_TRACE(focused);
        child(focused)->setFocus(Qt::TabFocusReason);
        setBoard("1 2 3/4 5 6/9 7 8"); // Left slides the 7 into the hole, not solving
        const int moves = game.moveCount;
        pressKey(Qt::Key_Left);
        EXPECT_EQ(game.moveCount, moves + 1);
        EXPECT_EQ(QApplication::focusWidget(), child(focused)) << "the focus stays";
    }
    pressKey(Qt::Key_Return); // on Back
    EXPECT_TRUE(onFrontScreen());
}
