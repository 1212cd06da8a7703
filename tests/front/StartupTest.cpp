// Start-up with and without the resource folders, and the link highlight.
#include "FrontTestSupport.h"

#include "ScoreStore.h"

#include <QAbstractItemView>
#include <QApplication>

using namespace fronttest;

TEST(Startup, BeginsWithTheDefaultsAndCopesWithMissingFolders)
{
    const struct { const char *name; AppFolderParts parts; const char *message, *page, *label; } rows[] = {
        {"NoGfx", {.gfx = false}, "Setup folder was missing.", "", ""},
        {"NoPuzzleimages", {.puzzleImages = false}, "", "1 2 . . . . . . .", "Page 1 of 1 page(s)"},
        {"Everything", {.puzzlePictures = 10}, "", "1 2 3 4 5 6 7 8 9", "Page 1 of 2 page(s)"},
        {"NoHelp", {.help = false}, "Help system was missing.", "1 2 3 4 5 6 7 8 9", "Page 1 of 1 page(s)"}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        AppFolder folder(row.parts);
        writePictures(folder.path(), 2); // browsed only when Puzzleimages is missing
        if (!row.parts.gfx)
            QFile::remove(tilemere::ScoreStore::filePath());
        const QStringList message = *row.message ? QStringList{QStringLiteral("Brackwater-Tilemere: ") + row.message}
                                                 : QStringList{};
        Started front(folder);
        EXPECT_EQ(observed.messages, message);
        EXPECT_TRUE(front.loaded == row.parts.gfx && front->isVisible() == row.parts.gfx);
        EXPECT_FALSE(!row.parts.gfx && QFile::exists(tilemere::ScoreStore::filePath()));
        if (!row.parts.gfx)
            continue;
        EXPECT_TRUE(front.child<QRadioButton>("sizeOption4")->isChecked() && front.game.chosenSize == 4 &&
                    !front.child<QCheckBox>("animateCheck")->isChecked());
        EXPECT_EQ(front.child<FolderList>("folderList")->path(), row.parts.puzzleImages ? folder.puzzleImages() : folder.path());
        EXPECT_EQ(page(front), QString(row.page));
        EXPECT_EQ(front.text("pageLabel"), QString(row.label));
        EXPECT_EQ(front.child("noPicturesLabel")->isHidden(), row.parts.puzzleImages);

        // A game and back: no second message, and Help stays as it began on both screens.
        click(front.slot(0));
        click(front.playControl("backButton"));
        EXPECT_EQ(observed.messages, message);
        EXPECT_EQ(front.child("helpLink")->isEnabled(), row.parts.help);
        EXPECT_EQ(front.playControl("helpLink")->isEnabled(), row.parts.help);
    }
}

// Only bare background resets: the window's, the thumbnail panel's (between
// the slots), a thumbnail, or a rounded rectangle, which takes no mouse
// events; the left panel and the other links leave the highlight on.
TEST(LinkHighlight, StaysUntilThePointerReachesBareBackground)
{
    const struct { const char *name, *link, *thenOver; QPoint spot; bool stillHighlighted; } rows[] = {
        // thenOver "" is the window itself; spot (-1, -1) the middle of thenOver
        {"NextThenWindow", "nextButton", "", {10, 200}, false},
        {"NextThenThumbnailPanel", "nextButton", "thumbnailPanel", {148, 148}, false},
        {"NextThenThumbnail", "nextButton", "thumbnailSlot", {-1, -1}, false},
        {"NextThenRoundedRectangle", "nextButton", "buttonShape", {2, 2}, false},
        {"NextThenLeftPanel", "nextButton", "browserPanel", {-1, -1}, true},
        {"NextThenHelp", "nextButton", "helpLink", {-1, -1}, true},
        {"HelpThenWindow", "helpLink", "", {10, 200}, false},
    };
    AppFolder folder;
    Started front(folder);
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        auto *link = front.child(row.link);
        QWidget *next = *row.thenOver ? front.child(row.thenOver) : front.front.get();
        QTest::mouseMove(front.front.get(), QPoint(10, 200));
        QTest::mouseMove(link, link->rect().center());
        EXPECT_EQ(link->palette().color(QPalette::WindowText).name(), QStringLiteral("#ffa953"));
        EXPECT_GE(link->width(), link->fontMetrics().horizontalAdvance(static_cast<QAbstractButton *>(link)->text()))
            << "bold, the text still fits";
        QTest::mouseMove(next, row.spot.x() < 0 ? next->rect().center() : row.spot);
        EXPECT_EQ(link->palette().color(QPalette::WindowText).name(), row.stillHighlighted ? "#ffa953" : "#ffffff");
        EXPECT_EQ(link->font().bold(), row.stillHighlighted);
    }
}

// A dark desktop (near-white text on near-black) changes neither list:
// their text is as dark on their lavender as on a light desktop, the drive
// list's drop-down included.
TEST(Look, ADarkDesktopLeavesBothListsReadable)
{
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(35, 35, 38), QColor(25, 25, 28));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(235, 235, 235));
    QApplication::setPalette(dark);
    {
        AppFolder folder;
        Started front(folder);
        auto *drives = front.child<DriveList>("driveList");
        drives->showPopup();
        const std::pair<const char *, QWidget *> lists[] = {
            {"folder list", front.child("folderList")}, {"drive list", drives}, {"drive drop-down", drives->view()}};
        for (const auto &[name, list] : lists) {
            SCOPED_TRACE(name);
            for (const auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
                EXPECT_EQ(list->palette().color(QPalette::Active, role), QColor(Qt::black)) << role;
            for (const auto role : {QPalette::Base, QPalette::Button, QPalette::Window})
                EXPECT_EQ(list->palette().color(QPalette::Active, role), tilemere::kLavender) << role;
        }
        drives->hidePopup();
    }
    QApplication::setPalette(light);
}
