// Clicks, counters, the clock and the win, driven through the real window.
#include "PlayFixture.h"
#include "ScoreTables.h"

namespace {

constexpr const char *kOneMoveFromSolved = "1 2 3/4 5 6/7 9 8";

// Only a tile beside the hole moves, whatever the button; a refused click
// changes nothing and plays nothing.
TEST_F(PlayScreenTest, ClickMovesOnlyATileBesideTheHole)
{
    const char *hole11 = "1 2 3 4/5 6 7 8/9 10 16 12/13 14 11 15", *moved = "1 2 3 4/5 6 7 8/9 10 12 16/13 14 11 15";
    const struct { const char *name; int cell; Qt::MouseButton button; const char *after; } rows[] = {
        {"TheHole", 11, Qt::LeftButton, hole11},          {"Diagonal", 6, Qt::LeftButton, hole11},
        {"TwoAlongTheRow", 9, Qt::LeftButton, hole11},    {"TwoUpTheColumn", 3, Qt::LeftButton, hole11},
        {"FarCorner", 1, Qt::LeftButton, hole11},         {"LeftButton", 12, Qt::LeftButton, moved},
        {"RightButton", 12, Qt::RightButton, moved},      {"MiddleButton", 12, Qt::MiddleButton, moved}};
    ASSERT_TRUE(startGame(4));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        setBoard(hole11);
        moveCount = 5;
        sounds.clear();
        const QImage before = form().Picture2->surface();
        const bool moves = row.after == moved;
        clickCell(row.cell, row.button);
        EXPECT_EQ(boardText(), row.after);
        EXPECT_EQ(form().lblMoves->text(), QLatin1String(moves ? "6" : "5"));
        EXPECT_EQ(sounds, moves ? QStringList{QStringLiteral("click.wav")} : QStringList{});
        EXPECT_TRUE(moves || form().Picture2->surface() == before);
    }
}

// The animated shuffle shows every move it makes; the plain one shows only
// the solved picture and the shuffled board.
TEST_F(PlayScreenTest, OnlyTheAnimatedShuffleShowsItsMoves)
{
    setBoard("1 2 3/4 5 6/7 8 9");
    tilemere::UniformRandom replay(20);
    const long moves = tilemere::shuffleBoard(replay).moves;
    struct PaintCounter : QObject {
        int count = 0;
        bool eventFilter(QObject *, QEvent *event) override { count += event->type() == QEvent::Paint; return false; }
    } paints;
    form().Picture2->installEventFilter(&paints);
    for (const bool animated : {false, true}) {
        animateShuffle = animated;
        ASSERT_TRUE(startGame(3, 20));
        EXPECT_TRUE(animated ? paints.count >= moves : paints.count <= 3) << paints.count << " paints";
        paints.count = 0;
    }
}

TEST_F(PlayScreenTest, ClockShowsMinutesAndTwoDigitSeconds)
{
    const struct { const char *name; std::int16_t before, after; const char *shown; } rows[] = {
        {"FirstSecond", 0, 1, "0:01"},   {"LastOfTenMinutes", 598, 599, "9:59"}, {"TenMinutes", 599, 600, "10:00"},
        {"AnHour", 3599, 3600, "60:00"}, {"StopsAtTheLimit", 32767, 32767, "546:07"}};
    ASSERT_TRUE(startGame(3));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        elapsedSeconds = row.before;
        form().TimeTimer_Timer();
        EXPECT_EQ(elapsedSeconds, row.after);
        EXPECT_EQ(form().lblTime->text(), QLatin1String(row.shown));
    }
}

// The solving click claps and congratulates and fixes the result: the clock
// stops, and later clicks, even before the first win tick, change nothing.
// The label passes 60 points at the 26th tick (8.25 + 52) and is reset to 8,
// so the next win takes 26 ticks too. The score entry opens whether or not
// the result places, then the front screen is shown.
TEST_F(PlayScreenTest, EveryWinFixesTheResultAndEndsInTheScoreEntryAndANewGameCancelsOneLeftByBack)
{
    const struct { const char *name; std::int32_t tableValue; std::int16_t rank; } rows[] = {
        {"FirstPlace", tilemere::kEmptyScore, 1}, {"NoPlace", 1, tilemere::kNotPlaced}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        for (int mode = 1; mode <= 2; ++mode) // every place of both 3 x 3 tables
            gScores(mode, 1).values.fill(row.tableValue);
        ASSERT_TRUE(startGame(3));
        setBoard(kOneMoveFromSolved);
        moveCount = 41;
        elapsedSeconds = 12;
        sounds.clear();
        clickCell(9);
        EXPECT_EQ(sounds, (QStringList{QStringLiteral("click.wav"), QStringLiteral("claps.wav")}));
        EXPECT_TRUE(form().lblCongraz->isVisible());
        EXPECT_EQ(form().lblCongraz->text(), QStringLiteral("Congradz..."));
        EXPECT_FALSE(form().TimeTimer->isActive());
        EXPECT_EQ(form().movesRank(), row.rank);
        EXPECT_EQ(form().timeRank(), row.rank);

        clickCell(8); // before the first win tick
        form().Timer1_Timer();
        EXPECT_FALSE(form().TimeTimer->isActive() || form().Picture2->isEnabled());
        clickCell(6);
        EXPECT_TRUE(checkSolved());
        EXPECT_EQ(form().lblMoves->text(), QStringLiteral("42"));

        EXPECT_EQ(1 + finishWin(), 26);
        EXPECT_TRUE(scoreEntryOpened);
        EXPECT_TRUE(onFrontScreen());
        EXPECT_FALSE(form().Timer1->isActive() || form().TimeTimer->isActive());
        EXPECT_DOUBLE_EQ(form().lblCongraz->font().pointSizeF(), 8.0);
    }

    // Back in the middle of the win, then a new game before the animation has
    // ended: the old win must not stop the new game's clock or end it.
    ASSERT_TRUE(startGame(3));
    setBoard(kOneMoveFromSolved);
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
