// Starting a game from a thumbnail with the chosen options, and coming back.
#include "FrontTestSupport.h"

using namespace fronttest;

// The window comes before its thumbnails, and a click on a slot whose
// thumbnail has not come yet still starts that slot's picture.
TEST(StartingAGame, TakesTheChosenOptionsAndPictureAndBackFindsTheFrontAsLeft)
{
    AppFolder folder({.puzzlePictures = 12});
    Started front(folder);
    EXPECT_FALSE(front->pageComplete());
    click(front.child("sizeOption3"));
    click(front.child("animateCheck"));
    click(front.child("nextButton"));
    front->playScreen().setShuffleSeed(7);
    click(front.slot(5)); // empty: ignored, no picture is even tried
    EXPECT_TRUE(front->isVisible() && observed.messages.isEmpty());
    EXPECT_FALSE(front->pageComplete());

    click(front.slot(1));

    EXPECT_EQ(front.startedWith, folder.puzzleImages() + QStringLiteral("/11.bmp"));
    EXPECT_EQ(front.game.board.side(), 3);
    EXPECT_TRUE(!front->isVisible() && front->playScreen().isVisible() && front->playScreen().isShuffling());
    front->playScreen().finishShuffleNow(); // Back does nothing while the tiles are shuffled

    click(front.playControl("backButton"));
    EXPECT_TRUE(front->isVisible() && front.child<QRadioButton>("sizeOption3")->isChecked());
    EXPECT_TRUE(front.child<QCheckBox>("animateCheck")->isChecked());
    EXPECT_EQ(front.text("pageLabel"), QStringLiteral("Page 2 of 2 page(s)"));
    EXPECT_EQ(page(front), QStringLiteral("10 11 12 . . . . . ."));
    EXPECT_TRUE(observed.messages.isEmpty());
}
