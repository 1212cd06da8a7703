#pragma once
// The play screen: the board, the counters and clock, the win sequence and
// the panel around them. Created on first use by the front screen, hidden
// and shown again between games.

#include "Shuffle.h"

#include <QElapsedTimer>
#include <QImage>
#include <QThreadPool>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <optional>

class QCheckBox;
class QLabel;
class QTimer;

namespace tilemere {

class AnnouncedLabel;
class BoardView;
class ClickLabel;
class LinkButton;
class RoundedRect;
struct Game;
struct ScoreBook;

class PlayScreen : public QWidget {
    Q_OBJECT
public:
    PlayScreen(Game &game, ScoreBook &scores);
    ~PlayScreen() override;

    // Shows the window, its board blank, and opens the picture at path off
    // the window's thread; once it arrives it is cut for a board of the
    // game's chosen size and shuffled: move by move on screen when
    // animated, at once otherwise (gameStarted). When it cannot be opened
    // the player is told and the window goes back to the front (leftToFront).
    // A new game, Back or a closed window drops a picture still on its way.
    void startGame(const QString &picturePath, bool animateShuffle);

    // Disables the Help link for the rest of the run.
    void disableHelp();

    // Tests replay shuffles by seeding them.
    void setShuffleSeed(std::uint32_t seed);

    bool isShuffling() const { return shuffle_.has_value(); }

    // The places of the last solved game, 1..10 or 11, as the score entry gets them.
    std::int16_t movesRank() const { return movesRank_; }
    std::int16_t timeRank() const { return timeRank_; }

signals:
    // The picture of a new game has arrived and is being shuffled.
    void gameStarted(const QString &picturePath);
    // The player has left the play screen, by Back or at the end of a win.
    void leftToFront();
    // Every shown change of the move counter.
    void movesChanged(int moves);
    // The score entry is about to be shown modally (tests answer it here).
    void scoreEntryOpened(QWidget *scoreEntry);

public slots:
    // Advances the playing clock by one second.
    void tickClock();
    // Brings the clock up to the playing time since the shuffle ended,
    // counting every whole second a late tick missed.
    void catchUpClock();
    // One step of the growing "Congradz..." label; the last opens the score entry.
    void advanceWin();
    // A mouse press on the board, in board pixels.
    void onBoardPressed(QPointF position);
    // Draws the rest of an animated shuffle at once.
    void finishShuffleNow();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Building the window (PlayScreen.cpp).
    void createControls();
    // Shrinks or elides texts too long for their controls, as translations may be.
    void fitTexts();
    void connectSignals();
    void applyLook();
    void showSoundIcon();
    void toggleSound();
    void returnToFront();
    void resetLinks();
    void setUpKeyboard();

    // The game (PlayScreenGame.cpp).
    bool isPlaying() const;
    // A click or an arrow key on the tile at the 0-based index.
    void playMove(int index);
    void resetForNewGame();
    // The picture as the board and the preview draw it, made on a worker.
    struct Prepared {
        QImage picture, tileSource, preview;
    };
    void openPicture(const QString &path);
    void pictureArrived(int request, const QString &path, const Prepared &prepared);
    void redrawBoard();
    void animateShuffleStep();
    void endShuffle();
    void startWin();
    void announceWin();
    void finishWin();

    Game &game_;
    ScoreBook &scores_;
    UniformRandom random_;
    std::optional<ShuffleWalk> shuffle_;
    bool shuffleWaitsForScreen_ = false;
    bool animateShuffle_ = false;
    std::int16_t movesRank_ = 0;
    std::int16_t timeRank_ = 0;

    // The picture as loaded, and stretched to the square the tiles come from.
    QImage picture_;
    QImage tileSource_;

    QWidget *previewPanel_;
    QCheckBox *previewCheck_;
    ClickLabel *previewPicture_;
    QWidget *countersPanel_;
    QLabel *movesCaption_;
    AnnouncedLabel *movesLabel_;
    QLabel *timeCaption_;
    AnnouncedLabel *timeLabel_;
    QTimer *clockTimer_;   // the playing clock, 1000 ms
    QElapsedTimer played_; // since the shuffle ended
    qint64 secondsCaughtUp_ = 0;
    QTimer *winTimer_;     // the win animation, 80 ms
    QTimer *shuffleTimer_; // the animated shuffle, 10 ms a move
    LinkButton *soundSwitch_;
    RoundedRect *backShape_;
    RoundedRect *moreGamesShape_;
    LinkButton *moreGamesLink_;
    QWidget *separatorLine_;
    BoardView *boardView_;
    AnnouncedLabel *congratsLabel_;
    ClickLabel *logoLink_;
    LinkButton *helpLink_;
    LinkButton *backButton_;

    // Raised by each new game and by leaving: a picture decode for an
    // older value is given up. The pool is last, so that its thread is
    // gone before what it uses.
    std::atomic<int> pictureRequest_{0};
    QThreadPool picturePool_;
};

} // namespace tilemere
