// Start-up with and without the resource folders, the layout, the links and
// closing the window.
#include "FrontTestSupport.h"

#include "FolderList.h"
#include "Form1.h"
#include "FrontLayout.h"
#include "GameState.h"
#include "Shell.h"
#include "frmFront.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

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
        ASSERT_EQ(gChosenSize, 6);
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
    EXPECT_TRUE(front.lblNoPicsAva->isHidden());
    EXPECT_TRUE(front.lblHelp->isEnabled());
    EXPECT_EQ(front.Image2->pixmap().size(), QSize(170, 100));
}

TEST(Startup, WithoutGfxTellsThePlayerAndEndsWithoutSaving)
{
    AppFolder folder({.gfx = false});
    removeStore();

    auto loaded = loadFront(folder);

    EXPECT_FALSE(loaded.loadResult);
    EXPECT_EQ(observed().messages, QStringList{"Setup folder was missing."});
    EXPECT_EQ(observed().titles, QStringList{"Brackwater-Tilemere"});
    EXPECT_FALSE(loaded.front->isVisible());
    EXPECT_FALSE(QFile::exists(storeFile()));
}

TEST(Startup, WithoutPuzzleimagesBrowsesTheProgramFolderAndSaysNoPictures)
{
    AppFolder folder({.puzzleImages = false});
    writePictures(folder.path(), 2);

    auto loaded = loadFront(folder);
    const frmFront &front = *loaded.front;

    EXPECT_TRUE(loaded.loadResult);
    EXPECT_TRUE(observed().messages.isEmpty());
    EXPECT_EQ(front.Dir1->path(), folder.path());
    EXPECT_EQ(page(front), QStringLiteral("1 2 . . . . . . ."));
    EXPECT_EQ(front.lblPageNo->text(), QStringLiteral("Page 1 of 1 page(s)"));
    EXPECT_FALSE(front.lblNoPicsAva->isHidden());
}

TEST(Startup, WithoutHelpSaysSoOnceAndDisablesBothHelpLinksForTheRun)
{
    AppFolder folder({.help = false});
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    front.show();

    EXPECT_TRUE(loaded.loadResult);
    EXPECT_EQ(observed().messages, QStringList{"Help system was missing."});
    EXPECT_EQ(observed().titles, QStringList{"Brackwater-Tilemere"});
    EXPECT_FALSE(front.lblHelp->isEnabled());
    ASSERT_TRUE(Form1::exists());
    auto *playHelp = Form1::instance().findChild<QWidget *>(QStringLiteral("lblHelp"));
    ASSERT_NE(playHelp, nullptr);
    EXPECT_FALSE(playHelp->isEnabled());

    // A game and the way back change none of it.
    click(*front.Image1[0]);
    auto *back = Form1::instance().findChild<QWidget *>(QStringLiteral("lblBack"));
    ASSERT_NE(back, nullptr);
    click(*back);
    EXPECT_TRUE(front.isVisible());
    EXPECT_FALSE(front.lblHelp->isEnabled());
    EXPECT_FALSE(playHelp->isEnabled());
    EXPECT_EQ(observed().messages.size(), 1);
}

TEST(Layout, EveryControlLiesInsideTheWindowAndItsContainer)
{
    AppFolder folder;
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    front.show();
    ASSERT_EQ(front.size(), QSize(749, 483));
    for (const frontlayout::Place &place : frontlayout::kPlaces) {
        const QString name = QString::fromLatin1(place.name.data(), static_cast<qsizetype>(place.name.size()));
        SCOPED_TRACE(qPrintable(name + QLatin1Char(' ') + QString::number(place.index)));
        const QWidget *control = nullptr;
        for (const QWidget *candidate : front.findChildren<QWidget *>(name)) {
            if (place.index < 0 || candidate->property("index").toInt() == place.index)
                control = candidate;
        }
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName().toStdString(), std::string(place.container));
        const QRect inWindow(control->mapTo(&front, QPoint(0, 0)), control->size());
        EXPECT_TRUE(front.rect().contains(inWindow)) << inWindow.x() << "," << inWindow.y();
    }
}

struct HoverRow {
    const char *name;
    const char *firstOver;  // a link
    const char *thenOver;   // where the pointer goes next
    bool stillHighlighted;
};

const HoverRow kHoverRows[] = {
    {"NextThenWindow", "lblNext", "frmFront", false},
    {"NextThenThumbnailPanel", "lblNext", "Frame1", false},
    {"NextThenThumbnail", "lblNext", "Image1", false},
    {"NextThenRoundedRectangle", "lblNext", "ShpRect", false},
    {"NextThenLeftPanel", "lblNext", "Frame2", true},
    {"NextThenFolderList", "lblNext", "Dir1", true},
    {"NextThenPageLabel", "lblNext", "lblPageNo", true},
    {"NextThenHelp", "lblNext", "lblHelp", true},
    {"HelpThenWindow", "lblHelp", "frmFront", false},
    {"ScoreThenThumbnail", "lblScore", "Image1", false},
};

class LinkHighlight : public testing::TestWithParam<HoverRow> {};

TEST_P(LinkHighlight, StaysUntilThePointerReachesAResettingBackground)
{
    const HoverRow &row = GetParam();
    AppFolder folder;
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    front.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&front));
    auto widgetNamed = [&front](const char *name) -> QWidget * {
        if (front.objectName() == QLatin1String(name))
            return &front;
        return front.findChild<QWidget *>(QString::fromLatin1(name));
    };
    auto *link = qobject_cast<QLabel *>(widgetNamed(row.firstOver));
    QWidget *next = widgetNamed(row.thenOver);
    ASSERT_NE(link, nullptr);
    ASSERT_NE(next, nullptr);
    // Start from a spot of bare window background, wherever the last test left the pointer.
    QTest::mouseMove(&front, QPoint(700, 476));
    // Bare background: left of the panels, between the thumbnails, and
    // the corner of a rounded rectangle that its label leaves free.
    QPoint spot = next->rect().center();
    if (next == &front)
        spot = QPoint(10, 200);
    else if (next == front.Frame1)
        spot = QPoint(148, 148);
    else if (next->objectName() == QLatin1String("ShpRect"))
        spot = QPoint(2, 2);

    QTest::mouseMove(link, link->rect().center());
    EXPECT_TRUE(link->font().bold());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(255, 169, 83));
    QTest::mouseMove(next, spot);
    EXPECT_EQ(link->font().bold(), row.stillHighlighted);
    EXPECT_EQ(link->palette().color(QPalette::WindowText),
              row.stillHighlighted ? QColor(255, 169, 83) : QColor(255, 255, 255));
    EXPECT_EQ(front.lblHelp->font().underline(), true);
}

INSTANTIATE_TEST_SUITE_P(Moves, LinkHighlight, testing::ValuesIn(kHoverRows),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(HighScores, OpensTheScoreBoardModally)
{
    AppFolder folder;
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    front.show();
    QString seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&seen] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            seen = QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    });
    closer.start(10);

    click(*front.lblScore);

    EXPECT_EQ(seen, QStringLiteral("frmScoresBoard"));
}

TEST(Closing, SavesTheStoreAndEndsTheProgram)
{
    AppFolder folder;
    auto loaded = loadFront(folder);
    loaded.front->show();
    removeStore();

    loaded.front->close();

    EXPECT_TRUE(QFile::exists(storeFile()));
    EXPECT_EQ(observed().programEnds, 1);
}

} // namespace
