#pragma once
// The play screen: the board, the counters and clock, the win sequence and
// the panel around them. One instance, created on first use, hidden and
// shown again between games.

#include "Shuffle.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class BoardWidget;
class QCheckBox;
class QLabel;
class QTimer;
namespace tilemere {
class ClickLabel;
class RoundedRect;
} // namespace tilemere

class Form1 : public QWidget {
    Q_OBJECT
public:
    static Form1 &instance(); // created (and loaded) on first use
    static bool exists();
    ~Form1() override; // tests delete the instance to start afresh

    // What the play screen needs of the front screen: the window Back returns
    // to, the path of the chosen picture, and whether the shuffle is animated
    // (read at every shuffle move).
    void setFrontScreen(QWidget *frontScreen, std::function<QString()> chosenPicturePath,
                        std::function<bool()> animateShuffle);

    // Loads, slices and shuffles the chosen picture on a board of side
    // gChosenSize. False when the picture could not be opened: the player has
    // been told and is back on the front screen.
    bool createNewGame(std::int16_t &iSize);

    // Shuffles gBoard by random moves until no tile is home, then redraws.
    // Precondition: a picture has been shown (showImage) for gBoardSide.
    void createPuzzle();

    // Disables the Help link for the rest of the run.
    void disableHelp();

    // Tests replay shuffles by seeding them.
    void setShuffleSeed(std::uint32_t seed);

    // The places of the last solved game, 1..10 or 11, as the score entry gets them.
    std::int16_t movesRank() const { return movesRank_; }
    std::int16_t timeRank() const { return timeRank_; }

    // Controls, named (and objectNamed) as in the layout.
    QWidget *Frame1;
    QCheckBox *chkPreviw;
    tilemere::ClickLabel *ImgPreview;
    QWidget *Frame2;
    QLabel *Label1;
    QLabel *lblMoves;
    QLabel *Label3;
    QLabel *lblTime;
    QTimer *TimeTimer; // the playing clock, 1000 ms
    QTimer *Timer1;    // the win animation, 80 ms
    tilemere::ClickLabel *ImgVolIcon;
    std::array<tilemere::RoundedRect *, 2> ShpRect;
    tilemere::ClickLabel *lblMorePuzzGames;
    QWidget *Line1;
    BoardWidget *Picture2;
    QLabel *lblCongraz;
    tilemere::ClickLabel *imgBwLogo;
    tilemere::ClickLabel *lblHelp;
    tilemere::ClickLabel *lblBack;

    // The picture as loaded, and stretched to the 400 x 400 square the tiles come from.
    QImage Picture0;
    QImage Picture1;

public slots:
    // Timer ticks, public so that tests can drive the clock and the win.
    void TimeTimer_Timer();
    void Timer1_Timer();

    // A mouse press on the board, in board pixels.
    void Picture2_MouseDown(Qt::MouseButton button, QPointF position);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    Form1();

    // Building the window (Form1.cpp).
    void createControls();
    void placeControls();
    void connectEvents();
    void loadForm();
    void applyActivationLook();
    void updatePreview();
    void showVolumeIcon();

    // Events around the board (Form1.cpp).
    void chkPreviw_Click();
    void ImgVolIcon_Click();
    void lblBack_Click();
    void lblHelp_Click();
    void imgBwLogo_Click();
    void lblMorePuzzGames_Click();
    void lblBack_MouseMove();
    void lblHelp_MouseMove();
    void lblMorePuzzGames_MouseMove();
    void Form_MouseMove();

    // The game (Form1Game.cpp).
    void Form1_Form_Activate();
    bool showImage(QString fileName, std::int16_t gSize);
    void redrawBoard();
    void startWin();
    void finishWin();

    QWidget *frontScreen_ = nullptr;
    std::function<QString()> chosenPicturePath_;
    std::function<bool()> animateShuffle_;
    tilemere::UniformRandom random_;
    std::int16_t movesRank_ = 0;
    std::int16_t timeRank_ = 0;
};
