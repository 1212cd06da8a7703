// The game on the play screen: activation, a new game and its shuffle, the
// board click, the playing clock and the win.
#include "Form1.h"

#include "BoardWidget.h"
#include "Controls.h"
#include "GameState.h"
#include "Moves.h"
#include "ScoreTables.h"
#include "Shell.h"
#include "TileRenderer.h"
#include "frmScoreInputs.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QShowEvent>
#include <QThread>
#include <QTimer>


using namespace tilemere;

namespace {

constexpr double kCongrazGrowPoints = 2;
constexpr double kCongrazLargestPoints = 60;
constexpr double kCongrazResetPoints = 8;
constexpr int kAnimatedShuffleStepMs = 10;
constexpr std::int16_t kMovesMode = 1;
constexpr std::int16_t kTimeMode = 2;

void setPointSize(QLabel &label, double points)
{
    QFont font = label.font();
    font.setPointSizeF(points);
    label.setFont(font);
    label.adjustSize(); // grows from its top-left corner
}

} // namespace

void Form1::setFrontScreen(QWidget *frontScreen, std::function<QString()> chosenPicturePath,
                           std::function<bool()> animateShuffle)
{
    frontScreen_ = frontScreen;
    chosenPicturePath_ = std::move(chosenPicturePath);
    animateShuffle_ = std::move(animateShuffle);
}

void Form1::setShuffleSeed(std::uint32_t seed)
{
    random_ = UniformRandom(seed);
}

// The front screen shows the window for every new game; window-manager
// activation is not reliable enough to start a game on. A show by the
// window system itself (restoring from the task bar) is no new game.
void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        Form1_Form_Activate();
}

void Form1::Form1_Form_Activate()
{
    // A win left by Back before its end must not carry on into this game,
    // where it would stop the clock and record the new game's counters.
    if (Timer1->isActive()) {
        Timer1->stop();
        setPointSize(*lblCongraz, kCongrazResetPoints);
        lblCongraz->hide();
    }
    Picture2->clear();
    moveCount = 0;
    lblMoves->setText(QStringLiteral("0"));
    elapsedSeconds = 0;
    gBoardSide = gChosenSize;
    applyActivationLook();
    resetBoardToChosenSize();
    lblTime->setText(minutesAndSeconds(0));
    TimeTimer->start();
    Picture2->setEnabled(true);
}

bool Form1::createNewGame(std::int16_t &iSize)
{
    // The side always comes from gChosenSize, which the caller's value equals.
    Q_UNUSED(iSize);
    resetBoardToChosenSize();
    const QString path = chosenPicturePath_ ? chosenPicturePath_() : QString();
    if (!showImage(path, gBoardSide)) {
        showMessage(this, QStringLiteral("The picture could not be opened."), QLatin1String(kAppTitle));
        lblBack_Click();
        return false;
    }
    repaint(); // the solved picture is seen before the shuffle starts
    createPuzzle();
    return true;
}

void Form1::createPuzzle()
{
    shuffleBoard(random_, [this] {
        // The option is read at every move: that is how the box behaves on the front screen.
        if (!animateShuffle_ || !animateShuffle_())
            return;
        redrawBoard();
        Picture2->repaint();
        QThread::msleep(kAnimatedShuffleStepMs);
    });
    redrawBoard();
    Picture2->repaint();
}

bool Form1::showImage(QString fileName, std::int16_t gSize)
{
    if (fileName.isEmpty())
        fileName = applicationFolder() + QStringLiteral("/Gfx/1.bmp");
    // A very large photo is decoded at a reduced scale: the board never shows
    // more than the 400 pixels of the buffer.
    const QImage picture = loadPicture(fileName, QSize(kPictureBufferSide, kPictureBufferSide));
    if (picture.isNull())
        return false;
    Picture0 = picture;
    Picture1 = stretchToBuffer(Picture0);
    ImgPreview->setImage(
        Picture0.scaled(ImgPreview->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation), true);
    Q_UNUSED(gSize); // the board is drawn for gBoardSide, which equals it
    redrawBoard();
    return true;
}

void Form1::redrawBoard()
{
    if (Picture1.isNull()) {
        // No picture yet: the buffer is blank, as an unused picture box is.
        Picture1 = QImage(kPictureBufferSide, kPictureBufferSide, QImage::Format_RGB32);
        Picture1.fill(Picture2->backgroundColour());
    }
    drawTiles(Picture1, Picture2->surface(), gBoardSide, Picture2->backgroundColour());
    drawGrid(Picture2->surface(), gBoardSide);
    Picture2->surfaceChanged();
}

void Form1::Picture2_MouseDown(Qt::MouseButton button, QPointF position)
{
    Q_UNUSED(button); // every button moves a tile
    // Once the puzzle is solved the board is finished with: a further move
    // would change the result that has just been ranked.
    if (!Picture2->isEnabled() || Timer1->isActive())
        return;
    const int side = gBoardSide;
    if (side < kMinBoardSide || gBoard.cellCount() != side * side)
        return;
    const QImage &surface = Picture2->surface();
    const int cellWidth = roundHalfEven(static_cast<double>(surface.width()) / side);
    const int cellHeight = roundHalfEven(static_cast<double>(surface.height()) / side);
    const int x = roundHalfEven(position.x());
    const int y = roundHalfEven(position.y());
    if (cellWidth <= 0 || cellHeight <= 0 || x < 0 || y < 0)
        return;
    const int column = x / cellWidth;
    const int row = y / cellHeight;
    if (column >= side || row >= side)
        return;

    if (makeMove(static_cast<std::int16_t>(row * side + column))) {
        redrawBoard();
        if (gSoundOn == kTrue)
            playSound(QStringLiteral("click.wav"));
        if (checkSolved())
            startWin();
    }
    lblMoves->setText(QString::number(moveCount));
}

void Form1::startWin()
{
    const auto sizeIndex = static_cast<std::int16_t>(gBoardSide - 2);
    movesRank_ = scoreRank(kMovesMode, sizeIndex, moveCount);
    timeRank_ = scoreRank(kTimeMode, sizeIndex, elapsedSeconds);
    // The clock stops with the solving move, so that the time shown and
    // recorded is the time that was ranked.
    TimeTimer->stop();
    lblCongraz->show();
    if (gSoundOn == kTrue)
        playSound(QStringLiteral("claps.wav"));
    Timer1->start();
}

void Form1::TimeTimer_Timer()
{
    countUp(elapsedSeconds);
    lblTime->setText(minutesAndSeconds(elapsedSeconds));
}

void Form1::Timer1_Timer()
{
    TimeTimer->stop();
    Picture2->setEnabled(false);
    const double points = lblCongraz->font().pointSizeF() + kCongrazGrowPoints;
    setPointSize(*lblCongraz, points);
    if (points < kCongrazLargestPoints)
        return;
    setPointSize(*lblCongraz, kCongrazResetPoints);
    Timer1->stop();
    lblCongraz->hide();
    finishWin();
}

void Form1::finishWin()
{
    // Built now rather than at the solving click, so that it shows the move
    // count with the solving move in it.
    QPointer<frmScoreInputs> scoreEntry = new frmScoreInputs(this, lblMoves->text(), lblTime->text(),
                                                             elapsedSeconds, movesRank_, timeRank_);
    scoreEntry->exec();
    delete scoreEntry.data(); // unless it went when it closed
    TimeTimer->stop();
    hide();
    if (frontScreen_)
        frontScreen_->show();
}
