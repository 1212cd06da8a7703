// Start-up with and without the resource folders, and the link highlight.
#include "FrontTestSupport.h"

#include "SettingsStore.h"

using namespace fronttest;

struct StartRow {
    const char *name;
    AppFolderParts parts;
    const char *message, *page, *label; // message "" for none
};

// Each front that starts ends with 6x6 and Animate Shuffle chosen, which the
// next start must forget. Missing help disables the play screen's link for the
// rest of the process, so it comes last.
const StartRow kStartRows[] = {
    {"NoGfx", {.gfx = false}, "Setup folder was missing.", "", ""},
    {"NoPuzzleimages", {.puzzleImages = false}, "", "1 2 . . . . . . .", "Page 1 of 1 page(s)"},
    {"Everything", {.puzzlePictures = 10}, "", "1 2 3 4 5 6 7 8 9", "Page 1 of 2 page(s)"},
    {"NoHelp", {.help = false}, "Help system was missing.", "1 2 3 4 5 6 7 8 9", "Page 1 of 1 page(s)"},
};

TEST(Startup, BeginsWithTheDefaultsAndCopesWithMissingFolders)
{
    for (const StartRow &row : kStartRows) {
        SCOPED_TRACE(row.name);
        AppFolder folder(row.parts);
        writePictures(folder.path(), 2); // browsed only when Puzzleimages is missing
        if (!row.parts.gfx)
            QFile::remove(tilemere::storeFilePath());
        const QStringList message = *row.message ? QStringList{QStringLiteral("Brackwater-Tilemere: ") + row.message}
                                                 : QStringList{};

        auto front = start(folder);

        EXPECT_EQ(observed.messages, message);
        EXPECT_EQ(front.loaded, row.parts.gfx);
        EXPECT_EQ(front->isVisible(), row.parts.gfx);
        EXPECT_FALSE(!row.parts.gfx && QFile::exists(tilemere::storeFilePath()));
        if (!row.parts.gfx)
            continue;
        EXPECT_EQ(front->windowTitle(), QStringLiteral("Brackwater-Tilemere"));
        EXPECT_TRUE(front->opt4x4->isChecked() && gChosenSize == 4 && !front->chkAnimShuffle->isChecked());
        EXPECT_EQ(front->lblVerNo->text(), QStringLiteral("v1.0"));
        EXPECT_EQ(front->Dir1->path(), row.parts.puzzleImages ? folder.puzzleImages() : folder.path());
        EXPECT_EQ(page(front), QString(row.page));
        EXPECT_EQ(front->lblPageNo->text(), QString(row.label));
        EXPECT_EQ(front->lblNoPicsAva->isHidden(), row.parts.puzzleImages);

        // A game and back: no second message, and Help stays as it began on both screens.
        click(front->Image1[0]);
        click(playControl("lblBack"));
        EXPECT_EQ(observed.messages, message);
        EXPECT_EQ(front->lblHelp->isEnabled(), row.parts.help);
        EXPECT_EQ(playControl("lblHelp")->isEnabled(), row.parts.help);
        click(front->opt6x6);
        click(front->chkAnimShuffle);
        front->close();
    }
}

struct HoverRow {
    const char *name;
    tilemere::ClickLabel *frmFront::*link;
    const char *thenOver; // "" for the window itself
    QPoint spot;          // where on thenOver; (-1, -1) for its middle
    bool stillHighlighted;
};

// Only bare background resets: the window's, the thumbnail panel's (between
// the slots), a thumbnail, or a rounded rectangle, which takes no mouse
// events; the left panel and the other links leave the highlight on.
const HoverRow kHoverRows[] = {
    {"NextThenWindow", &frmFront::lblNext, "", {10, 200}, false},
    {"NextThenThumbnailPanel", &frmFront::lblNext, "Frame1", {148, 148}, false},
    {"NextThenThumbnail", &frmFront::lblNext, "Image1", {-1, -1}, false},
    {"NextThenRoundedRectangle", &frmFront::lblNext, "ShpRect", {2, 2}, false},
    {"NextThenLeftPanel", &frmFront::lblNext, "Frame2", {-1, -1}, true},
    {"NextThenHelp", &frmFront::lblNext, "lblHelp", {-1, -1}, true},
    {"HelpThenWindow", &frmFront::lblHelp, "", {10, 200}, false},
};

TEST(LinkHighlight, StaysUntilThePointerReachesBareBackground)
{
    for (const HoverRow &row : kHoverRows) {
        SCOPED_TRACE(row.name);
        AppFolder folder;
        auto front = start(folder);
        QLabel *link = (*front.front).*row.link;
        QWidget *next = *row.thenOver ? front->findChild<QWidget *>(QLatin1String(row.thenOver)) : front.front.get();
        ASSERT_NE(next, nullptr);
        QTest::mouseMove(front.front.get(), QPoint(700, 476)); // wherever the last row left the pointer

        QTest::mouseMove(link, link->rect().center());
        EXPECT_EQ(link->palette().color(QPalette::WindowText).name(), QStringLiteral("#ffa953"));
        QTest::mouseMove(next, row.spot.x() < 0 ? next->rect().center() : row.spot);

        EXPECT_EQ(link->palette().color(QPalette::WindowText).name(), row.stillHighlighted ? "#ffa953" : "#ffffff");
        EXPECT_EQ(link->font().bold(), row.stillHighlighted);
        EXPECT_TRUE(front->lblHelp->font().underline());
    }
}
