// Starting a game from a thumbnail, and coming back.
#include "FrontTestSupport.h"

#include "Form1.h"
#include "GameState.h"
#include "frmFront.h"

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace fronttest;

namespace {

QWidget &playControl(const char *name)
{
    auto *control = Form1::instance().findChild<QWidget *>(QString::fromLatin1(name));
    if (!control)
        throw std::runtime_error(std::string("the play screen has no ") + name);
    return *control;
}

TEST(StartingAGame, TakesTheChosenSizeAndPictureAndBackFindsTheFrontAsLeft)
{
    AppFolder folder({.puzzlePictures = 12});
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    click(*front.opt6x6);
    click(*front.lblNext);
    gSelectedPicture = -1;

    click(*front.Image1[5]); // empty: ignored
    EXPECT_EQ(gSelectedPicture, -1);
    EXPECT_TRUE(front.isVisible());
    click(*front.Image1[1]);

    EXPECT_EQ(front.chosenPicturePath(), folder.puzzleImages() + QStringLiteral("/11.bmp"));
    EXPECT_EQ(gBoardSide, 6);
    EXPECT_EQ(gBoard.cellCount(), 36);
    EXPECT_FALSE(front.isVisible());
    EXPECT_TRUE(Form1::instance().isVisible());

    click(playControl("lblBack"));

    EXPECT_TRUE(front.isVisible());
    EXPECT_TRUE(front.opt6x6->isChecked());
    EXPECT_EQ(front.lblPageNo->text(), QStringLiteral("Page 2 of 2 page(s)"));
    EXPECT_EQ(page(front), QStringLiteral("10 11 12 . . . . . ."));
    EXPECT_TRUE(observed().messages.isEmpty());
}

TEST(StartingAGame, APictureThatCannotBeDecodedBringsTheFrontBackWithAMessage)
{
    AppFolder folder({.puzzlePictures = 0});
    QFile broken(folder.puzzleImages() + QStringLiteral("/broken.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("no picture here");
    broken.close();
    auto loaded = loadFront(folder);

    click(*loaded.front->Image1[0]);

    EXPECT_EQ(observed().messages, QStringList{"The picture could not be opened."});
    EXPECT_TRUE(loaded.front->isVisible());
    EXPECT_FALSE(Form1::instance().isVisible());
    EXPECT_EQ(observed().programEnds, 0);
}

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

class AnimateShuffle : public testing::TestWithParam<bool> {};

TEST_P(AnimateShuffle, ShowsTheShuffleMoveByMoveOnlyWhenTicked)
{
    AppFolder folder;
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    click(*front.opt3x3);
    if (GetParam())
        click(*front.chkAnimShuffle);
    Form1::instance().setShuffleSeed(7);
    PaintCounter counter;
    playControl("Picture2").installEventFilter(&counter);

    click(*front.Image1[0]);
    playControl("Picture2").removeEventFilter(&counter);
    click(playControl("lblBack"));

    // A 3 x 3 shuffle takes well over ten moves before no tile is home;
    // unanimated, the board is drawn only around it.
    if (GetParam())
        EXPECT_GT(counter.paints, 10);
    else
        EXPECT_LE(counter.paints, 4);
}

INSTANTIATE_TEST_SUITE_P(Option, AnimateShuffle, testing::Bool(),
                         [](const auto &info) { return info.param ? "Ticked" : "Unticked"; });

} // namespace
