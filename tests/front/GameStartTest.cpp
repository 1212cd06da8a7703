// Starting a game from a thumbnail with the chosen options, and coming back.
#include "FrontTestSupport.h"

using namespace fronttest;

TEST(StartingAGame, TakesTheChosenOptionsAndPictureAndBackFindsTheFrontAsLeft)
{
    const struct { const char *name, *sizeOption; int side; bool animate; } rows[] = {
        {"SixBySix", "sizeOption6", 6, false}, {"ThreeByThreeAnimated", "sizeOption3", 3, true}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        AppFolder folder({.puzzlePictures = 12});
        auto started = start(folder);
        Started &front = *started;
        click(front.child(row.sizeOption));
        if (row.animate)
            click(front.child("animateCheck"));
        click(front.child("nextButton"));
        front->playScreen().setShuffleSeed(7);
        click(front.slot(5)); // empty: ignored, no picture is even tried
        EXPECT_TRUE(front->isVisible() && observed.messages.isEmpty());
        QString startedWith;
        QObject::connect(front.front.get(), &tilemere::FrontScreen::gameStarted,
                         [&](const QString &path) { startedWith = path; });

        click(front.slot(1));

        EXPECT_EQ(startedWith, folder.puzzleImages() + QStringLiteral("/11.bmp"));
        EXPECT_EQ(front.game.selectedPicture, 10);
        EXPECT_EQ(front.game.board.side(), row.side);
        EXPECT_TRUE(!front->isVisible() && front->playScreen().isVisible());
        EXPECT_EQ(front->playScreen().isShuffling(), row.animate);
        front->playScreen().finishShuffleNow(); // Back does nothing while the tiles are shuffled

        click(front.playControl("backButton"));
        EXPECT_TRUE(front->isVisible() && front.child<QRadioButton>(row.sizeOption)->isChecked());
        EXPECT_EQ(front.child<QCheckBox>("animateCheck")->isChecked(), row.animate);
        EXPECT_EQ(front.text("pageLabel"), QStringLiteral("Page 2 of 2 page(s)"));
        EXPECT_EQ(page(front), QStringLiteral("10 11 12 . . . . . ."));
        EXPECT_TRUE(observed.messages.isEmpty());
    }
}
