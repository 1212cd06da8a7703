// Clicks, counters, the clock and the win, driven through the real window.
#include "PlayFixture.h"

#include "BoardText.h"
#include "Moves.h"
#include "ScoreTables.h"
#include "Shuffle.h"

#include <QLabel>
#include <QTimer>

#include <utility>
#include <QtTest/QTest>

namespace {

struct PaintCounter : QObject {
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// Hole in cell 11 (row 2, column 2) of a 4 x 4 board.
constexpr const char *kHoleInEleven = "1 2 3 4/5 6 7 8/9 10 16 12/13 14 11 15";

struct RefusedClick {
    const char *name;
    int cell;
};

void PrintTo(const RefusedClick &row, std::ostream *out)
{
    *out << row.name;
}


class RefusedClicks : public PlayScreenTest, public ::testing::WithParamInterface<RefusedClick> {};

TEST_P(RefusedClicks, ChangeNothingAndPlayNothing)
{
    ASSERT_TRUE(startGame(4));
    setBoard(kHoleInEleven);
    moveCount = 5;
    form().lblMoves->setText(QStringLiteral("5"));
    const QImage before = form().Picture2->surface();

    clickCell(GetParam().cell);

    EXPECT_EQ(boardText(), kHoleInEleven);
    EXPECT_EQ(form().lblMoves->text(), QStringLiteral("5"));
    EXPECT_TRUE(sounds.played.isEmpty());
    EXPECT_EQ(form().Picture2->surface(), before);
}

INSTANTIATE_TEST_SUITE_P(Cells, RefusedClicks,
                         ::testing::Values(RefusedClick{"TheHole", 11}, RefusedClick{"Diagonal", 6},
                                           RefusedClick{"TwoAlongTheRow", 9}, RefusedClick{"TwoUpTheColumn", 3},
                                           RefusedClick{"FarCorner", 1}),
                         [](const auto &info) { return std::string(info.param.name); });

class AnyButton : public PlayScreenTest, public ::testing::WithParamInterface<Qt::MouseButton> {};

TEST_P(AnyButton, MovesTheTileNextToTheHole)
{
    ASSERT_TRUE(startGame(4));
    setBoard(kHoleInEleven);
    clickCell(12, GetParam());
    EXPECT_EQ(boardText(), "1 2 3 4/5 6 7 8/9 10 12 16/13 14 11 15");
    EXPECT_EQ(sounds.played, QStringList{QStringLiteral("click.wav")});
    EXPECT_EQ(form().lblMoves->text(), QStringLiteral("1"));
}

INSTANTIATE_TEST_SUITE_P(Buttons, AnyButton, ::testing::Values(Qt::LeftButton, Qt::RightButton, Qt::MiddleButton));

TEST_F(PlayScreenTest, FirstAcceptedClickAfterTheShuffleCountsOne)
{
    ASSERT_TRUE(startGame(5, 7));
    ASSERT_TRUE(checkWellShuffled());
    EXPECT_EQ(form().lblMoves->text(), QStringLiteral("0"));
    int hole = 1;
    while (gBoard(hole) != 25)
        ++hole;
    clickCell(hole); // refused: the hole itself
    EXPECT_EQ(form().lblMoves->text(), QStringLiteral("0"));
    clickCell(hole % 5 == 1 ? hole + 1 : hole - 1);
    EXPECT_EQ(form().lblMoves->text(), QStringLiteral("1"));
}

TEST_F(PlayScreenTest, SolvingMoveClicksClapsAndCongratulates)
{
    ASSERT_TRUE(startGame(3));
    setBoard("1 2 3/4 5 6/7 9 8");
    moveCount = 41;
    clickCell(9);
    EXPECT_TRUE(checkSolved());
    EXPECT_EQ(sounds.played, (QStringList{QStringLiteral("click.wav"), QStringLiteral("claps.wav")}));
    EXPECT_TRUE(form().lblCongraz->isVisible());
    EXPECT_EQ(form().lblCongraz->text(), QStringLiteral("Congradz..."));
    EXPECT_EQ(form().lblMoves->text(), QStringLiteral("42"));
}

TEST_F(PlayScreenTest, WithSoundOffMovingAndSolvingAreSilent)
{
    ASSERT_TRUE(startGame(3));
    QTest::mouseClick(form().ImgVolIcon, Qt::LeftButton);
    setBoard("1 2 3/4 5 6/9 7 8");
    clickCell(8);
    clickCell(9);
    ASSERT_TRUE(checkSolved());
    EXPECT_TRUE(sounds.played.isEmpty());
}

// The result is fixed at the solving click: later clicks and clock ticks
// must not change what is shown and recorded.
TEST_F(PlayScreenTest, OnceSolvedTheBoardAndClockStandStill)
{
    ASSERT_TRUE(startGame(3));
    setBoard("1 2 3/4 5 6/7 9 8");
    elapsedSeconds = 30;
    clickCell(9);
    EXPECT_FALSE(form().TimeTimer->isActive());
    clickCell(8); // before the first win tick
    EXPECT_TRUE(checkSolved());

    form().Timer1_Timer();
    EXPECT_FALSE(form().TimeTimer->isActive());
    EXPECT_FALSE(form().Picture2->isEnabled());
    clickCell(6);
    EXPECT_TRUE(checkSolved());
    EXPECT_EQ(form().lblMoves->text(), QStringLiteral("1"));
}

// The animated shuffle shows every move it makes; the plain one shows only
// the solved picture and the shuffled board.
TEST_F(PlayScreenTest, OnlyTheAnimatedShuffleShowsItsMoves)
{
    gChosenSize = 3;
    tilemere::resetBoardToChosenSize();
    tilemere::UniformRandom replay(20);
    const long moves = tilemere::shuffleBoard(replay).moves;

    PaintCounter paints;
    form().Picture2->installEventFilter(&paints);
    for (const bool animated : {false, true}) {
        animateShuffle = animated;
        ASSERT_TRUE(startGame(3, 20));
        const int seen = std::exchange(paints.count, 0);
        if (animated)
            EXPECT_GE(seen, moves);
        else
            EXPECT_LE(seen, 3);
    }
}

struct ClockCase {
    const char *name;
    std::int16_t before;
    std::int16_t after;
    const char *shown;
};

void PrintTo(const ClockCase &row, std::ostream *out)
{
    *out << row.name;
}


class ClockTick : public PlayScreenTest, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(ClockTick, ShowsMinutesAndTwoDigitSeconds)
{
    ASSERT_TRUE(startGame(3));
    EXPECT_EQ(form().lblTime->text(), QStringLiteral("0:00"));
    EXPECT_TRUE(form().TimeTimer->isActive());
    elapsedSeconds = GetParam().before;
    form().TimeTimer_Timer();
    EXPECT_EQ(elapsedSeconds, GetParam().after);
    EXPECT_EQ(form().lblTime->text(), QLatin1String(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Seconds, ClockTick,
                         ::testing::Values(ClockCase{"FirstSecond", 0, 1, "0:01"},
                                           ClockCase{"LastOfTenMinutes", 598, 599, "9:59"},
                                           ClockCase{"TenMinutes", 599, 600, "10:00"},
                                           ClockCase{"AnHour", 3599, 3600, "60:00"},
                                           ClockCase{"StopsAtTheLimit", 32767, 32767, "546:07"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(PlayScreenTest, MoveCountStopsAtTheLimit)
{
    ASSERT_TRUE(startGame(4));
    setBoard(kHoleInEleven);
    moveCount = 32767;
    clickCell(12);
    EXPECT_EQ(form().lblMoves->text(), QStringLiteral("32767"));
}

struct WinCase {
    const char *name;
    std::int32_t tableValue; // every place of both 3 x 3 tables
    std::int16_t expectedRank;
};

void PrintTo(const WinCase &row, std::ostream *out)
{
    *out << row.name;
}


class Win : public PlayScreenTest, public ::testing::WithParamInterface<WinCase> {};

// The label passes 60 points at the 26th tick (8.25 + 52), the score entry
// opens whether or not the result places, and the front screen comes back.
TEST_P(Win, EndsInTheScoreEntryThenTheFrontScreen)
{
    for (int mode = 1; mode <= 2; ++mode)
        gScores(mode, 1).values.fill(GetParam().tableValue);
    ASSERT_TRUE(startGame(3));
    setBoard("1 2 3/4 5 6/7 9 8");
    elapsedSeconds = 12;
    clickCell(9);
    EXPECT_EQ(form().movesRank(), GetParam().expectedRank);
    EXPECT_EQ(form().timeRank(), GetParam().expectedRank);

    bool opened = false;
    EXPECT_EQ(finishWin(&opened), 26);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(front.isVisible());
    EXPECT_FALSE(form().Timer1->isActive());
    EXPECT_FALSE(form().TimeTimer->isActive());

    // The next win starts from the 8 points the label was reset to: 60 exactly at tick 26.
    ASSERT_TRUE(startGame(3));
    setBoard("1 2 3/4 5 6/7 9 8");
    clickCell(9);
    EXPECT_EQ(finishWin(&opened), 26);
    EXPECT_DOUBLE_EQ(form().lblCongraz->font().pointSizeF(), 8.0);
}

INSTANTIATE_TEST_SUITE_P(Results, Win,
                         ::testing::Values(WinCase{"FirstPlace", tilemere::kEmptyScore, 1},
                                           WinCase{"NoPlace", 1, tilemere::kNotPlaced}),
                         [](const auto &info) { return std::string(info.param.name); });

// Back in the middle of the win, then a new game before the animation has
// ended: the old win must not stop the new game's clock or end it.
TEST_F(PlayScreenTest, NewGameCancelsAWinLeftByBack)
{
    ASSERT_TRUE(startGame(3));
    setBoard("1 2 3/4 5 6/7 9 8");
    clickCell(9);
    form().Timer1_Timer();
    QTest::mouseClick(form().lblBack, Qt::LeftButton);
    ASSERT_TRUE(startGame(3));
    EXPECT_FALSE(form().Timer1->isActive());
    EXPECT_FALSE(form().lblCongraz->isVisibleTo(&form()));
    EXPECT_TRUE(form().TimeTimer->isActive());
    EXPECT_TRUE(form().Picture2->isEnabled());
}

} // namespace
