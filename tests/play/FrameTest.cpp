// The window around the board: its look, the preview, the sound switch, the
// links' hover highlight, Back, closing, and pictures that are not there.
#include "PlayFixture.h"

#include "Controls.h"
#include "Form1Layout.h"
#include "Moves.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QtTest/QTest>

namespace {

using tilemere::kHighlightOrange;
using tilemere::kWhite;

QColor textColour(const QWidget &widget)
{
    return widget.palette().color(QPalette::Active, QPalette::WindowText);
}

// Places on the window, in window pixels.
constexpr QPoint kBackground(210, 200);
constexpr QPoint kOnFrame2(15, 250);

TEST_F(PlayScreenTest, FirstShowHasTitleSoundOnAndPreview)
{
    ASSERT_TRUE(startGame(4));
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Brackwater-Tilemere"));
    EXPECT_EQ(gSoundOn, tilemere::kTrue);
    EXPECT_EQ(iconColour(), kVolumeColour);
    EXPECT_TRUE(form().chkPreviw->isChecked());
    EXPECT_TRUE(form().ImgPreview->isVisible());
    EXPECT_EQ(form().palette().color(QPalette::Window), tilemere::kWindowBlue);
    EXPECT_EQ(form().lblMoves->palette().color(QPalette::Window), tilemere::kLavender);
    EXPECT_EQ(form().ShpRect[0]->fillColour(), tilemere::kButtonBlue);
}

TEST_F(PlayScreenTest, SoundIconTogglesSilently)
{
    ASSERT_TRUE(startGame(4));
    QTest::mouseClick(form().ImgVolIcon, Qt::LeftButton);
    EXPECT_EQ(gSoundOn, tilemere::kFalse);
    EXPECT_EQ(iconColour(), kMuteColour);
    QTest::mouseClick(form().ImgVolIcon, Qt::LeftButton);
    EXPECT_EQ(gSoundOn, tilemere::kTrue);
    EXPECT_EQ(iconColour(), kVolumeColour);
    EXPECT_TRUE(sounds.played.isEmpty());
}

// The switch and the preview box are the player's for the run, except that
// every new game shows the preview again.
TEST_F(PlayScreenTest, SoundStaysOffButPreviewComesBackAfterBackAndNewGame)
{
    ASSERT_TRUE(startGame(4));
    QTest::mouseClick(form().ImgVolIcon, Qt::LeftButton);
    form().chkPreviw->click();
    EXPECT_FALSE(form().ImgPreview->isVisible());

    QTest::mouseClick(form().lblBack, Qt::LeftButton);
    ASSERT_TRUE(startGame(3));
    EXPECT_EQ(gSoundOn, tilemere::kFalse);
    EXPECT_EQ(iconColour(), kMuteColour);
    EXPECT_TRUE(form().chkPreviw->isChecked());
    EXPECT_TRUE(form().ImgPreview->isVisible());
}

struct HoverCase {
    const char *name;
    const char *control;
    bool turnsBold;
};

void PrintTo(const HoverCase &row, std::ostream *out)
{
    *out << row.name;
}


class Hover : public PlayScreenTest, public ::testing::WithParamInterface<HoverCase> {};

TEST_P(Hover, HighlightsOverTheLinkAndResetsOverTheBackground)
{
    ASSERT_TRUE(startGame(4));
    auto *link = form().findChild<QLabel *>(QLatin1String(GetParam().control));
    ASSERT_NE(link, nullptr);
    QTest::mouseMove(link, link->rect().center());
    EXPECT_EQ(textColour(*link), kHighlightOrange);
    EXPECT_EQ(link->font().bold(), GetParam().turnsBold);

    QTest::mouseMove(&form(), kBackground);
    EXPECT_EQ(textColour(*link), kWhite);
    EXPECT_FALSE(link->font().bold());
}

INSTANTIATE_TEST_SUITE_P(Links, Hover,
                         ::testing::Values(HoverCase{"Back", "lblBack", true}, HoverCase{"Help", "lblHelp", true},
                                           HoverCase{"MorePuzzleGames", "lblMorePuzzGames", false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(PlayScreenTest, HighlightStaysOverQuietControlsUntilTheBoard)
{
    ASSERT_TRUE(startGame(4));
    QTest::mouseMove(form().lblBack, form().lblBack->rect().center());
    QTest::mouseMove(&form(), kOnFrame2);
    QTest::mouseMove(form().ImgVolIcon, {5, 5});
    EXPECT_EQ(textColour(*form().lblBack), kHighlightOrange);
    QTest::mouseMove(form().Picture2, {50, 50});
    EXPECT_EQ(textColour(*form().lblBack), kWhite);
}

TEST_F(PlayScreenTest, DisabledHelpIsGreyAndNeverHighlighted)
{
    form().disableHelp(); // before the first game, as the front screen's start-up does
    ASSERT_TRUE(startGame(4));
    QTest::mouseMove(form().lblHelp, form().lblHelp->rect().center());
    EXPECT_FALSE(form().lblHelp->font().bold());
    const QColor shown = form().lblHelp->palette().color(QPalette::Disabled, QPalette::WindowText);
    EXPECT_NE(shown, kWhite);
    EXPECT_NE(shown, kHighlightOrange);
}

TEST_F(PlayScreenTest, BackShowsTheFrontScreenAndTheNextGameStartsAfresh)
{
    ASSERT_TRUE(startGame(4, 3));
    int hole = 1;
    while (gBoard(hole) != 16)
        ++hole;
    clickCell(hole % 4 == 1 ? hole + 1 : hole - 1);
    form().TimeTimer_Timer();

    QTest::mouseClick(form().lblBack, Qt::LeftButton);
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(front.isVisible());
    EXPECT_TRUE(form().TimeTimer->isActive()); // counts on unseen until the next game

    ASSERT_TRUE(startGame(4, 4));
    EXPECT_EQ(form().lblMoves->text(), QStringLiteral("0"));
    EXPECT_EQ(form().lblTime->text(), QStringLiteral("0:00"));
    EXPECT_EQ(elapsedSeconds, 0);
    EXPECT_TRUE(checkWellShuffled());
}

TEST_F(PlayScreenTest, ClosingEndsTheProgramWithoutSaving)
{
    ASSERT_TRUE(startGame(4));
    form().close();
    EXPECT_EQ(programEnds, 1);
    const QDir settingsHome(qEnvironmentVariable("XDG_CONFIG_HOME"));
    EXPECT_TRUE(settingsHome.isEmpty()) << settingsHome.entryList().join(u' ').toStdString();
}

// The window system may throw away what a covered window showed; the board
// must be painted again from its own picture.
TEST_F(PlayScreenTest, BoardPaintsItselfAgainWhenUncovered)
{
    ASSERT_TRUE(startGame(5));
    const QImage drawn = form().Picture2->surface();
    const QImage shown = form().grab(form().Picture2->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, drawn);
}

struct BadPicture {
    const char *name;
    QByteArray contents; // empty name means no file at all
    bool exists;
};

void PrintTo(const BadPicture &row, std::ostream *out)
{
    *out << row.name;
}


class UnreadablePicture : public PlayScreenTest, public ::testing::WithParamInterface<BadPicture> {};

TEST_P(UnreadablePicture, IsReportedAndLeadsBackToTheFrontScreen)
{
    picturePath = folderPath("bad.jpg");
    if (GetParam().exists) {
        QFile file(picturePath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(GetParam().contents);
    }
    EXPECT_FALSE(startGame(4));
    EXPECT_EQ(messages, QStringList{QStringLiteral("The picture could not be opened. | Brackwater-Tilemere")});
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(front.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadablePicture,
    ::testing::Values(BadPicture{"NotAPicture", "these are words, not pixels", true},
                      BadPicture{"EmptyFile", "", true},
                      BadPicture{"TruncatedToItsHeader", QByteArray::fromHex("ffd8ffe000104a464946"), true},
                      BadPicture{"Missing", "", false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PlayScreenTest, MissingLogoAndIconsLeaveEmptyPicturesAndAWorkingSwitch)
{
    for (const char *name : {"BW_logo.jpg", "Volume.bmp", "MuteVolume.bmp"})
        ASSERT_TRUE(QFile::remove(folderPath(QStringLiteral("Gfx/") + QLatin1String(name))));
    ASSERT_TRUE(startGame(4));
    EXPECT_EQ(form().imgBwLogo->size(), QSize(55, 55));
    EXPECT_EQ(form().ImgVolIcon->size(), QSize(28, 28));
    QTest::mouseClick(form().ImgVolIcon, Qt::LeftButton);
    EXPECT_EQ(gSoundOn, tilemere::kFalse);
    EXPECT_EQ(form().ImgVolIcon->size(), QSize(28, 28));
}

// The divider runs on below the window, as it was drawn; everything else is seen whole.
TEST_F(PlayScreenTest, ControlsLieInsideTheWindow)
{
    ASSERT_TRUE(startGame(4));
    const QRect client(0, 0, tilemere::kMainClientWidth, tilemere::kMainClientHeight);
    for (const auto &place : tilemere::kForm1Layout) {
        const auto *control = form().findChild<QWidget *>(QLatin1String(place.name));
        ASSERT_NE(control, nullptr) << place.name;
        if (control == form().Line1)
            continue;
        const QRect onWindow(control->mapTo(&form(), QPoint(0, 0)), control->size());
        EXPECT_TRUE(client.contains(onWindow)) << place.name;
    }
}

} // namespace
