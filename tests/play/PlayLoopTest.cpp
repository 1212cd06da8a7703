// Clicks, counters, the clock, the shuffle and the win, driven through the real window.
#include "EightPuzzleSolver.h"
#include "PlayFixture.h"
#include "ScoreTables.h"

#include <QThread>

#include <array>

constexpr const char *kOneMoveFromSolved = "1 2 3/4 5 6/7 9 8";

// Only a tile beside the hole moves, whatever the button; a refused click
// changes nothing and plays nothing (which tiles may move: BoardTest).
TEST_F(PlayScreenTest, ClickMovesOnlyATileBesideTheHole)
{
    const char *hole11 = "1 2 3 4/5 6 7 8/9 10 16 12/13 14 11 15", *moved = "1 2 3 4/5 6 7 8/9 10 12 16/13 14 11 15";
    const struct { const char *name; int cell; Qt::MouseButton button; const char *after; } rows[] = {
        {"TheHole", 11, Qt::LeftButton, hole11},     {"Diagonal", 6, Qt::LeftButton, hole11},
        {"LeftButton", 12, Qt::LeftButton, moved},   {"RightButton", 12, Qt::RightButton, moved},
        {"MiddleButton", 12, Qt::MiddleButton, moved}};
    ASSERT_TRUE(startGame(4));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        setBoard(hole11);
        game.moveCount = 5;
        sounds.clear();
        const QImage before = board().surface();
        const bool moves = row.after == moved;
        clickCell(row.cell, row.button);
        EXPECT_EQ(boardText(game.board), row.after);
        EXPECT_EQ(text("movesLabel"), QLatin1String(moves ? "6" : "5"));
        EXPECT_EQ(sounds, moves ? QStringList{QStringLiteral("click.wav")} : QStringList{});
        EXPECT_TRUE(moves || board().surface() == before);
    }
}

// The animated shuffle draws each move from the event loop at 10 ms a
// move; clicks on the board and the links do nothing to the game meanwhile,
// and a click or a key (an arrow too, moving nothing) finishes the same walk at once. Unanimated, the board
// is shuffled when the game starts. Play begins at 0 moves either way.
TEST_F(PlayScreenTest, ShuffleAnimatesFromTheEventLoopAndCanBeSkipped)
{
    tilemere::Board replay;
    replay.resetSolved(4);
    tilemere::UniformRandom random(20);
    tilemere::shuffleBoard(replay, random);
    const struct { const char *name; bool animated; const char *skip; } rows[] = {
        {"plain", false, nullptr}, {"skipped by a click", true, "click"}, {"skipped by a key", true, "key"}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        animateShuffle = row.animated;
        ASSERT_TRUE(startGame(4, 20));
        EXPECT_EQ(child<QTimer>("shuffleTimer")->interval(), 10);
        if (row.animated) {
            form().repaint(); // the solved picture reaches the screen first
            EXPECT_TRUE(game.board.isSolved());
            QTest::qWait(60);
            EXPECT_TRUE(form().isShuffling() && !game.board.isSolved()) << "moves drawn while the event loop runs";
            QTest::mouseClick(child("backButton"), Qt::LeftButton);
            QTest::mouseClick(child("soundSwitch"), Qt::LeftButton);
            EXPECT_TRUE(form().isVisible() && game.soundOn) << "links do nothing during the shuffle";
            row.skip == QLatin1String("click") ? clickCell(1) : pressKey(Qt::Key_Left);
        }
        EXPECT_FALSE(form().isShuffling());
        EXPECT_EQ(boardText(game.board), boardText(replay));
        EXPECT_TRUE(text("movesLabel") == QStringLiteral("0") && game.moveCount == 0);
        EXPECT_TRUE(timerActive("clockTimer"));
    }
}

// A whole game won with the arrow keys alone, sent wherever the keyboard
// focus is once the game has started. A key toward an edge with no tile
// beyond it does nothing, and once the puzzle is solved no key does anything.
TEST_F(PlayScreenTest, ArrowKeysAloneWinAWholeGame)
{
    ASSERT_TRUE(startGame(3, 7));
    const std::vector<int> cells = tilemere::testing::solveThreeByThree(tilemere::testing::boardPosition(game.board));
    for (const int cell : cells) {
        const int hole = game.board.holeIndex(), tile = cell - 1;
        const bool edges[] = {hole % 3 == 2, hole % 3 == 0, hole / 3 == 2, hole / 3 == 0};
        for (int side = 0; side < 4; ++side) // moving nothing: the counts below and the hole's place show it
            if (edges[side])
                pressKey(std::array{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}[side]);
        pressKey(tile == hole + 1 ? Qt::Key_Left : tile == hole - 1 ? Qt::Key_Right : tile == hole + 3 ? Qt::Key_Up : Qt::Key_Down);
        ASSERT_EQ(game.board.holeIndex(), tile);
    }
    const auto moves = static_cast<qsizetype>(cells.size());
    EXPECT_TRUE(game.board.isSolved());
    EXPECT_EQ(text("movesLabel"), QString::number(moves));
    EXPECT_EQ(sounds.count(QStringLiteral("click.wav")), moves);
    EXPECT_EQ(sounds.last(), QStringLiteral("claps.wav"));
    EXPECT_TRUE(child("congratsLabel")->isVisible());

    pressKey(Qt::Key_Right); // would slide tile 8 back out
    form().advanceWin();
    pressKey(Qt::Key_Down);
    EXPECT_TRUE(game.board.isSolved());
    EXPECT_EQ(text("movesLabel"), QString::number(moves));
}

TEST_F(PlayScreenTest, ClockTicksEverySecondShowingMinutesAndTwoDigitSeconds)
{
    const struct { const char *name; std::int16_t before; const char *shown; } rows[] = {
        {"FirstSecond", 0, "0:01"},   {"LastOfTenMinutes", 598, "9:59"}, {"TenMinutes", 599, "10:00"},
        {"AnHour", 3599, "60:00"}, {"StopsAtTheLimit", 32767, "546:07"}};
    ASSERT_TRUE(startGame(3));
    EXPECT_EQ(child<QTimer>("clockTimer")->interval(), 1000);
    EXPECT_EQ(child<QTimer>("winTimer")->interval(), 80);
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        game.elapsedSeconds = row.before;
        form().tickClock();
        EXPECT_EQ(text("timeLabel"), QLatin1String(row.shown));
    }
}

// A window held up (by a slow disk, a busy machine) misses ticks; the clock
// still shows the time played, once, when it gets to run again.
TEST_F(PlayScreenTest, TheClockMakesUpSecondsMissedWhileTheWindowWasHeldUp)
{
    ASSERT_TRUE(startGame(3));
    QThread::msleep(2600);
    form().catchUpClock();
    EXPECT_EQ(game.elapsedSeconds, 3);
    form().catchUpClock();
    EXPECT_EQ(text("timeLabel"), QLatin1String("0:03")) << "counted once";
}

// The solving click claps and congratulates and fixes the result: the clock
// stops, and later clicks, even before the first win tick, change nothing.
// The yellow label passes 60 points at the 26th tick (8.25 + 52) and is reset
// to 8, so the next win takes 26 ticks too. The score entry opens whether or
// not the result places, over a play screen that keeps its look; then the
// front screen is shown.
TEST_F(PlayScreenTest, EveryWinFixesTheResultAndEndsInTheScoreEntryAndANewGameCancelsOneLeftByBack)
{
    const struct { const char *name; std::int32_t tableValue; std::int16_t rank; } rows[] = {
        {"FirstPlace", tilemere::kEmptyScore, 1}, {"NoPlace", 1, tilemere::kNotPlaced}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        for (tilemere::ScoreMode mode : tilemere::kScoreModes) // every place of both 3 x 3 tables
            scores.tables(mode, 1).values.fill(row.tableValue);
        ASSERT_TRUE(startGame(3));
        setBoard(kOneMoveFromSolved);
        game.moveCount = 41;
        game.elapsedSeconds = 12;
        sounds.clear();
        clickCell(9);
        EXPECT_EQ(sounds, (QStringList{QStringLiteral("click.wav"), QStringLiteral("claps.wav")}));
        auto *congrats = child<QLabel>("congratsLabel");
        EXPECT_TRUE(congrats->isVisible() && congrats->text() == QStringLiteral("Congradz..."));
        EXPECT_FALSE(timerActive("clockTimer"));
        EXPECT_EQ(std::pair(form().movesRank(), form().timeRank()), std::pair(row.rank, row.rank));

        clickCell(8); // before the first win tick
        for (int tick = 1; tick <= 24; ++tick)
            form().advanceWin();
        EXPECT_EQ(textColour("congratsLabel"), QColor(255, 255, 0)) << "still yellow at a late tick";
        EXPECT_EQ(congrats->grab().toImage().pixelColor(congrats->width() / 2, congrats->height() / 2).alpha(), 255);
        clickCell(6);
        EXPECT_TRUE(game.board.isSolved());
        EXPECT_EQ(text("movesLabel"), QStringLiteral("42"));

        // What the player sees of the play screen, which the score entry must leave as it is.
        const auto look = [this] {
            return QList<QColor>{textColour("movesLabel"), textColour("timeLabel"), textColour("backButton"),
                                 QColor(child("previewPicture")->grab().toImage().pixel(40, 40))};
        };
        const QList<QColor> before = look();
        QList<QColor> underTheEntry; // so also whether it opened
        auto answer = QObject::connect(&form(), &tilemere::PlayScreen::scoreEntryOpened, [&](QWidget *entry) {
            QTimer::singleShot(0, entry, [&, entry] { underTheEntry = look(); static_cast<QDialog *>(entry)->reject(); });
        });
        int ticks = 24;
        for (; child("congratsLabel")->isVisibleTo(&form()) && ticks < 100; ++ticks)
            form().advanceWin();
        QObject::disconnect(answer);
        EXPECT_EQ(ticks, 26);
        EXPECT_EQ(underTheEntry, before);
        EXPECT_TRUE(onFrontScreen());
        EXPECT_FALSE(timerActive("winTimer") || timerActive("clockTimer"));
    }

    // Back in the middle of the win, then a new game before the animation has
    // ended: the old win must not stop the new game's clock or end it.
    ASSERT_TRUE(startGame(3));
    setBoard(kOneMoveFromSolved);
    clickCell(9);
    form().advanceWin();
    QTest::mouseClick(child("backButton"), Qt::LeftButton);
    ASSERT_TRUE(startGame(3));
    EXPECT_FALSE(timerActive("winTimer"));
    EXPECT_FALSE(child("congratsLabel")->isVisibleTo(&form()));
    EXPECT_TRUE(timerActive("clockTimer"));
}
