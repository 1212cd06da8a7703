// Start-up with and without the resource folders, the layout and the links.
#include "FrontTestSupport.h"

#include "FolderList.h"
#include "Form1.h"
#include "FrontLayout.h"
#include "GameState.h"
#include "SettingsStore.h"
#include "frmFront.h"

#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace fronttest;

namespace {

TEST(Startup, BeginsWithTheDefaultsWhateverThePreviousRunChose)
{
    AppFolder folder({.puzzlePictures = 10});
    {
        auto previous = loadFront(folder);
        click(*previous.front->opt6x6);
        click(*previous.front->chkAnimShuffle);
        click(*previous.front->lblNext);
        previous.front->close();
    }

    auto loaded = loadFront(folder);
    const frmFront &front = *loaded.front;

    EXPECT_TRUE(loaded.loadResult);
    EXPECT_TRUE(observed().messages.isEmpty());
    EXPECT_EQ(front.windowTitle(), QStringLiteral("Brackwater-Tilemere"));
    EXPECT_TRUE(front.opt4x4->isChecked());
    EXPECT_EQ(gChosenSize, 4);
    EXPECT_FALSE(front.chkAnimShuffle->isChecked());
    EXPECT_EQ(front.lblVerNo->text(), QStringLiteral("v1.0"));
    EXPECT_EQ(front.Dir1->path(), folder.puzzleImages());
    EXPECT_EQ(page(front), QStringLiteral("1 2 3 4 5 6 7 8 9"));
    EXPECT_EQ(front.lblPageNo->text(), QStringLiteral("Page 1 of 2 page(s)"));
    EXPECT_TRUE(front.lblHelp->isEnabled());
}

TEST(Startup, WithoutGfxTellsThePlayerAndEndsWithoutSaving)
{
    AppFolder folder({.gfx = false});
    QFile::remove(tilemere::storeFilePath());

    auto loaded = loadFront(folder);

    EXPECT_FALSE(loaded.loadResult);
    EXPECT_EQ(observed().messages, QStringList{"Setup folder was missing."});
    EXPECT_EQ(observed().titles, QStringList{"Brackwater-Tilemere"});
    EXPECT_FALSE(loaded.front->isVisible());
    EXPECT_FALSE(QFile::exists(tilemere::storeFilePath()));
}

TEST(Startup, WithoutPuzzleimagesBrowsesTheProgramFolderAndSaysNoPictures)
{
    AppFolder folder({.puzzleImages = false});
    writePictures(folder.path(), 2);

    auto loaded = loadFront(folder);

    EXPECT_TRUE(observed().messages.isEmpty());
    EXPECT_EQ(loaded.front->Dir1->path(), folder.path());
    EXPECT_EQ(page(*loaded.front), QStringLiteral("1 2 . . . . . . ."));
    EXPECT_EQ(loaded.front->lblPageNo->text(), QStringLiteral("Page 1 of 1 page(s)"));
    EXPECT_FALSE(loaded.front->lblNoPicsAva->isHidden());
}

TEST(Startup, WithoutHelpSaysSoOnceAndDisablesBothHelpLinksForTheRun)
{
    AppFolder folder({.help = false});
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    ASSERT_TRUE(Form1::exists());
    auto *playHelp = Form1::instance().findChild<QWidget *>(QStringLiteral("lblHelp"));
    auto *back = Form1::instance().findChild<QWidget *>(QStringLiteral("lblBack"));
    ASSERT_TRUE(playHelp && back);

    click(*front.Image1[0]);
    click(*back);

    EXPECT_TRUE(loaded.loadResult);
    EXPECT_EQ(observed().messages, QStringList{"Help system was missing."});
    EXPECT_EQ(observed().titles, QStringList{"Brackwater-Tilemere"});
    EXPECT_TRUE(front.isVisible());
    EXPECT_FALSE(front.lblHelp->isEnabled());
    EXPECT_FALSE(playHelp->isEnabled());
}

TEST(Layout, EveryControlLiesInsideTheWindowInItsContainer)
{
    AppFolder folder;
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    ASSERT_EQ(front.size(), QSize(749, 483));
    for (const frontlayout::Place &place : frontlayout::kPlaces) {
        const QString name = QString::fromLatin1(place.name.data(), static_cast<qsizetype>(place.name.size()));
        SCOPED_TRACE(name.toStdString() + " " + std::to_string(place.index));
        const QWidget *control = nullptr;
        for (const QWidget *candidate : front.findChildren<QWidget *>(name)) {
            if (place.index < 0 || candidate->property("index").toInt() == place.index)
                control = candidate;
        }
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName().toStdString(), place.container);
        EXPECT_TRUE(front.rect().contains(QRect(control->mapTo(&front, QPoint(0, 0)), control->size())));
    }
}

struct HoverRow {
    const char *name;
    const char *link;
    const char *thenOver;
    QPoint spot; // where on thenOver; (-1, -1) for its middle
    bool stillHighlighted;
};

// Only bare background resets: the window's, the thumbnail panel's (between
// the slots), a thumbnail, or a rounded rectangle, which takes no mouse
// events; the left panel and the other links leave the highlight on.
const HoverRow kHoverRows[] = {
    {"NextThenWindow", "lblNext", "frmFront", {10, 200}, false},
    {"NextThenThumbnailPanel", "lblNext", "Frame1", {148, 148}, false},
    {"NextThenThumbnail", "lblNext", "Image1", {-1, -1}, false},
    {"NextThenRoundedRectangle", "lblNext", "ShpRect", {2, 2}, false},
    {"NextThenLeftPanel", "lblNext", "Frame2", {-1, -1}, true},
    {"NextThenPageLabel", "lblNext", "lblPageNo", {-1, -1}, true},
    {"NextThenHelp", "lblNext", "lblHelp", {-1, -1}, true},
    {"HelpThenWindow", "lblHelp", "frmFront", {10, 200}, false},
};

class LinkHighlight : public testing::TestWithParam<HoverRow> {};

TEST_P(LinkHighlight, StaysUntilThePointerReachesBareBackground)
{
    const HoverRow &row = GetParam();
    AppFolder folder;
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    auto named = [&front](const char *name) {
        return front.objectName() == QLatin1String(name) ? &front
                                                         : front.findChild<QWidget *>(QString::fromLatin1(name));
    };
    auto *link = qobject_cast<QLabel *>(named(row.link));
    QWidget *next = named(row.thenOver);
    ASSERT_TRUE(link && next);
    QTest::mouseMove(&front, QPoint(700, 476)); // wherever the last test left the pointer

    QTest::mouseMove(link, link->rect().center());
    EXPECT_TRUE(link->font().bold());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(255, 169, 83));
    QTest::mouseMove(next, row.spot.x() < 0 ? next->rect().center() : row.spot);

    EXPECT_EQ(link->font().bold(), row.stillHighlighted);
    EXPECT_EQ(link->palette().color(QPalette::WindowText),
              row.stillHighlighted ? QColor(255, 169, 83) : QColor(255, 255, 255));
    EXPECT_TRUE(front.lblHelp->font().underline());
}

INSTANTIATE_TEST_SUITE_P(Moves, LinkHighlight, testing::ValuesIn(kHoverRows),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
