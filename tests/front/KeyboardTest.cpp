// The front screen from the keyboard: Tab through the controls, the focus
// frame on the thumbnails moved by arrows and page keys, Enter starting the
// framed picture, and the size keys.
#include "FrontTestSupport.h"
#include "ThumbnailFocus.h"

#include <QApplication>
#include <QTimer>

using namespace fronttest;

static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

// "page:slot" of the frame, "-" while it is not drawn.
static QString frame(const Started &front)
{
    const auto *focus = front.child<tilemere::ThumbnailFocus>("thumbnailFocus");
    return focus->frameShown() ? QStringLiteral("%1:%2").arg(front.game.currentPage + 1).arg(focus->focusedSlot())
                               : QStringLiteral("-");
}

TEST(FrontKeys, TabReachesEveryControlSpaceAndEnterPressAndOnlyKeysShowAFrame)
{
    AppFolder folder({.puzzlePictures = 10});
    Started front(folder);
    front->activateWindow(); // the keys go where the focus is
    ASSERT_TRUE(QTest::qWaitForWindowActive(front.front.get()));
    click(front.child("sizeOption5")); // a click leaves no focus on an option
    click(front.child("animateCheck"));
    click(front.child("nextButton")); // nor on a button
    click(front.child("previousButton"));
    EXPECT_EQ(frame(front), QStringLiteral("-"));
    const QImage untouched = front.child("thumbnailPanel")->grab().toImage();
    const QImage buttonAtRest = front.child("nextButton")->grab().toImage();

    front.child("driveList")->setFocus(Qt::MouseFocusReason);
    QStringList reached;
    for (int i = 0; i < 9; ++i) {
        press(Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(reached.join(QLatin1Char(' ')), QStringLiteral("folderList thumbnailPanel previousButton nextButton "
                                                              "sizeOption5 animateCheck scoresButton helpLink driveList"));

    // Space and Enter press the buttons; the one Tab reached wears a frame.
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("nextButton"));
    const QImage framedButton = front.child("nextButton")->grab().toImage();
    EXPECT_EQ(framedButton.pixelColor(0, 0), tilemere::kHighlightOrange);
    EXPECT_NE(buttonAtRest.pixelColor(0, 0), tilemere::kHighlightOrange);
    press(Qt::Key_Space);
    EXPECT_EQ(front.text("pageLabel"), QStringLiteral("Page 2 of 2 page(s)"));
    press(Qt::Key_Backtab);
    press(Qt::Key_Return);
    EXPECT_EQ(front.text("pageLabel"), QStringLiteral("Page 1 of 2 page(s)"));
    bool boardShown = false;
    QTimer::singleShot(0, [&boardShown] {
        if (QWidget *board = QApplication::activeModalWidget(); board && board->objectName() == "scoreBoard") {
            boardShown = true;
            board->close();
        }
    });
    front.child("scoresButton")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    EXPECT_TRUE(boardShown);
    front->activateWindow(); // back from the board
    ASSERT_TRUE(QTest::qWaitForWindowActive(front.front.get()));

    // The thumbnails' frame comes with Tab too.
    front.child("previousButton")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Backtab);
    EXPECT_EQ(frame(front), QStringLiteral("1:0"));
    const QImage framed = front.child("thumbnailPanel")->grab().toImage();
    const QPoint corner = front.slot(0)->geometry().topLeft() * framed.devicePixelRatio();
    EXPECT_EQ(framed.pixelColor(corner), tilemere::kHighlightOrange);
    EXPECT_NE(untouched.pixelColor(corner), tilemere::kHighlightOrange);
}

TEST(FrontKeys, ArrowsAndPageKeysMoveTheFrameAcrossSlotsAndPagesAndEnterStarts)
{
    AppFolder folder({.puzzlePictures = 12}); // a full page, then three
    Started front(folder);
    front->activateWindow(); // the keys go where the focus is
    ASSERT_TRUE(QTest::qWaitForWindowActive(front.front.get()));
    front.child("thumbnailPanel")->setFocus(Qt::TabFocusReason);
    const struct { Qt::Key key; const char *frame; } steps[] = {
        {Qt::Key_Right, "1:1"},    {Qt::Key_Down, "1:4"},     {Qt::Key_Down, "1:7"},     {Qt::Key_Down, "1:7"},
        {Qt::Key_Right, "1:8"},    {Qt::Key_Right, "2:0"},    {Qt::Key_Right, "2:1"},    {Qt::Key_Right, "2:2"},
        {Qt::Key_Right, "2:2"},    {Qt::Key_Down, "2:2"},     {Qt::Key_PageUp, "1:2"},   {Qt::Key_PageUp, "1:2"},
        {Qt::Key_PageDown, "2:2"}, {Qt::Key_PageDown, "2:2"}, {Qt::Key_Left, "2:1"},     {Qt::Key_Left, "2:0"},
        {Qt::Key_Left, "1:8"},     {Qt::Key_Up, "1:5"},       {Qt::Key_Up, "1:2"},       {Qt::Key_Up, "1:2"},
        {Qt::Key_Left, "1:1"},     {Qt::Key_Down, "1:4"},     {Qt::Key_PageDown, "2:2"}, {Qt::Key_Left, "2:1"},
    };
    for (const auto &step : steps) {
        press(step.key);
        EXPECT_EQ(frame(front), QString::fromLatin1(step.frame)) << "after key " << std::hex << step.key;
    }
    EXPECT_EQ(front.text("pageLabel"), QStringLiteral("Page 2 of 2 page(s)"));
    press(Qt::Key_Return);
    front.awaitGame();
    EXPECT_EQ(front.startedWith, folder.puzzleImages() + QStringLiteral("/11.bmp"));
    EXPECT_TRUE(front->playScreen().isVisible() && !front->isVisible());
}

TEST(FrontKeys, ThreeToSixChooseTheSizeButInAListFindAnEntry)
{
    const struct { const char *name, *focus, *typed; int side; } rows[] = {
        {"OnTheThumbnails", "thumbnailPanel", "3", 3}, {"OnAnOption", "sizeOption4", "6", 6},
        {"OnAnimateShuffle", "animateCheck", "5", 5},  {"OnAButton", "nextButton", "6", 6},
        {"InTheFolderList", "folderList", "3", 4},     {"InTheDriveList", "driveList", "6", 4},
        {"NotASize", "thumbnailPanel", "7", 4},
    };
    AppFolder folder;
    folder.makeFolder(QStringLiteral("Puzzleimages/3D pictures"));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Started front(folder);
        const auto *folders = front.child<FolderList>("folderList");
        listedRows(folders);
        QTest::keyClicks(front.child(row.focus), QString::fromLatin1(row.typed));
        if (row.focus == std::string("folderList")) {
            EXPECT_EQ(folders->highlightedPath(), folder.puzzleImages() + "/3D pictures");
        }
        EXPECT_TRUE(front.game.chosenSize == row.side &&
                    front.child<QRadioButton>(qPrintable(QStringLiteral("sizeOption%1").arg(row.side)))->isChecked());
    }
}
