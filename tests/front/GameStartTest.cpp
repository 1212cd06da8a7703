// Starting a game from a thumbnail with the chosen options, and coming back.
#include "FrontTestSupport.h"

using namespace fronttest;

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override { return (paints += event->type() == QEvent::Paint), false; }
};

struct GameRow {
    const char *name;
    QRadioButton *frmFront::*size;
    int side;
    bool animate;
};

const GameRow kGameRows[] = {
    {"SixBySix", &frmFront::opt6x6, 6, false},
    {"ThreeByThreeAnimated", &frmFront::opt3x3, 3, true},
};

TEST(StartingAGame, TakesTheChosenOptionsAndPictureAndBackFindsTheFrontAsLeft)
{
    for (const GameRow &row : kGameRows) {
        SCOPED_TRACE(row.name);
        AppFolder folder({.puzzlePictures = 12});
        auto front = start(folder);
        click((*front.front).*row.size);
        if (row.animate)
            click(front->chkAnimShuffle);
        click(front->lblNext);
        Form1::instance().setShuffleSeed(7);
        click(front->Image1[5]); // empty: ignored, no picture is even tried
        EXPECT_TRUE(front->isVisible() && observed.messages.isEmpty());
        PaintCounter counter;
        playControl("Picture2")->installEventFilter(&counter);

        click(front->Image1[1]);

        playControl("Picture2")->removeEventFilter(&counter);
        EXPECT_EQ(front->chosenPicturePath(), folder.puzzleImages() + QStringLiteral("/11.bmp"));
        EXPECT_EQ(gBoardSide, row.side);
        EXPECT_EQ(gBoard.cellCount(), row.side * row.side);
        EXPECT_TRUE(!front->isVisible() && Form1::instance().isVisible());
        // A 3 x 3 shuffle takes well over ten moves before no tile is home;
        // unanimated, the board is drawn only around it.
        if (row.animate)
            EXPECT_GT(counter.paints, 10);
        else
            EXPECT_LE(counter.paints, 4);

        click(playControl("lblBack"));
        EXPECT_TRUE(front->isVisible() && ((*front.front).*row.size)->isChecked());
        EXPECT_EQ(front->chkAnimShuffle->isChecked(), row.animate);
        EXPECT_EQ(front->lblPageNo->text(), QStringLiteral("Page 2 of 2 page(s)"));
        EXPECT_EQ(page(front), QStringLiteral("10 11 12 . . . . . ."));
        EXPECT_TRUE(observed.messages.isEmpty());
    }
}
