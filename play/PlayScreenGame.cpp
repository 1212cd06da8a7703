// The game on the play screen: a new game and its shuffle, the board click,
// the playing clock and the win.
#include "PlayScreen.h"

#include "BoardView.h"
#include "Controls.h"
#include "Game.h"
#include "LocaleText.h"
#include "PlayAccessibility.h"
#include "ScoreBook.h"
#include "ScoreEntry.h"
#include "Shell.h"
#include "TileRenderer.h"

#include <QAccessible>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <utility>

namespace tilemere {

namespace {

constexpr double kCongratsGrowPoints = 2;
constexpr double kCongratsLargestPoints = 60;
constexpr double kCongratsResetPoints = 8;

void setPointSize(QLabel &label, double points)
{
    QFont font = label.font();
    font.setPointSizeF(points);
    label.setFont(font);
    label.adjustSize(); // grows from its top-left corner
}

} // namespace

void PlayScreen::setShuffleSeed(std::uint32_t seed)
{
    random_ = UniformRandom(seed);
}

void PlayScreen::resetForNewGame()
{
    // A win or a shuffle left by Back before its end must not carry on into
    // this game, where it would stop the clock or move the new board.
    winTimer_->stop();
    shuffleTimer_->stop();
    shuffle_.reset();
    shuffleWaitsForScreen_ = false;
    setPointSize(*congratsLabel_, kCongratsResetPoints);
    congratsLabel_->hide();
    boardView_->clear();
    game_.moveCount = 0;
    game_.elapsedSeconds = 0;
    setAnnouncedText(*movesLabel_, countText(0));
    setAnnouncedText(*timeLabel_, clockText(0));
    applyLook();
    game_.resetBoard();
    boardView_->announceBoard();
}

void PlayScreen::startGame(const QString &picturePath, bool animateShuffle)
{
    resetForNewGame();
    // Blank until the new picture is there, as an unused picture box is.
    picture_ = QImage();
    tileSource_ = QImage();
    previewPicture_->clear();
    redrawBoard();
    show();
    raise();
    activateWindow();
    setFocus(); // the arrow keys work without a click first
    animateShuffle_ = animateShuffle;
    openPicture(picturePath);
}

void PlayScreen::pictureArrived(int request, const QString &path, const Prepared &prepared)
{
    if (request != pictureRequest_.load())
        return; // another game, or none, is wanted now
    if (prepared.picture.isNull()) {
        showMessage(this, tr("The picture could not be opened."), QLatin1String(kAppTitle));
        returnToFront();
        return;
    }
    picture_ = prepared.picture;
    tileSource_ = prepared.tileSource;
    previewPicture_->setImage(prepared.preview, true);
    // Read out as the front screen's thumbnail of it was.
    previewPicture_->setAccessibleName(QFileInfo(path).fileName());
    redrawBoard();
    shuffle_.emplace(game_.board, random_);
    emit gameStarted(path);
    if (animateShuffle_) {
        // Each move is drawn from the event loop, so the window repaints,
        // answers the desktop and can be closed meanwhile.
        shuffleWaitsForScreen_ = true;
        boardView_->update();
    } else {
        finishShuffleNow();
    }
}

void PlayScreen::animateShuffleStep()
{
    if (!shuffle_ || !shuffle_->step()) {
        endShuffle();
        return;
    }
    redrawBoard();
}

void PlayScreen::finishShuffleNow()
{
    if (!shuffle_)
        return;
    while (shuffle_->step()) {
    }
    endShuffle();
}

void PlayScreen::endShuffle()
{
    shuffleTimer_->stop();
    shuffleWaitsForScreen_ = false;
    shuffle_.reset();
    game_.moveCount = 0;
    game_.elapsedSeconds = 0;
    redrawBoard();
    boardView_->announceBoard();
    played_.start();
    secondsCaughtUp_ = 0;
    clockTimer_->start();
}

void PlayScreen::openPicture(const QString &path)
{
    const QString fileName = path.isEmpty() ? applicationFolder() + QStringLiteral("/Gfx/1.bmp") : path;
    // The board and the preview are drawn from the picture in the screen's
    // own pixels, so a high-density screen shows the picture's detail. A very
    // large photo is decoded at a reduced scale: the board never shows more
    // than the pixels of the buffer.
    const double ratio = devicePixelRatioF();
    const int bufferSide = bufferDeviceSide(ratio);
    const QSize previewPixels = previewPicture_->size() * ratio;
    const int request = ++pictureRequest_;
    picturePool_.start([this, request, path, fileName, ratio, bufferSide, previewPixels] {
        Prepared prepared;
        DecodeBudget budget;
        prepared.picture = loadPicture(fileName, QSize(bufferSide, bufferSide), budget,
                                       DecodeStop(DecodeStop::kDefaultTime, pictureRequest_, request));
        if (!prepared.picture.isNull()) {
            prepared.tileSource = stretchToBuffer(prepared.picture, ratio);
            prepared.preview = prepared.picture.scaled(previewPixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            prepared.preview.setDevicePixelRatio(ratio);
        }
        // Through the event queue: the window waits for this thread before
        // it goes, so it is there to receive it.
        QMetaObject::invokeMethod(
            this, [this, request, path, prepared = std::move(prepared)] { pictureArrived(request, path, prepared); },
            Qt::QueuedConnection);
    });
}

void PlayScreen::redrawBoard()
{
    if (tileSource_.isNull()) {
        // No picture yet: the buffer is blank, as an unused picture box is.
        const int bufferSide = bufferDeviceSide(devicePixelRatioF());
        tileSource_ = QImage(bufferSide, bufferSide, QImage::Format_RGB32);
        tileSource_.setDevicePixelRatio(devicePixelRatioF());
        tileSource_.fill(boardView_->backgroundColour());
    }
    drawTiles(game_.board, tileSource_, boardView_->surface(), boardView_->backgroundColour());
    drawGrid(boardView_->surface(), game_.board.side());
    boardView_->surfaceChanged();
}

void PlayScreen::onBoardPressed(QPointF position)
{
    if (isShuffling()) {
        finishShuffleNow();
        return;
    }
    if (!isPlaying())
        return;
    // Cells are found in the surface's device pixels, where the tiles lie
    // edge to edge at any pixel ratio.
    const int side = game_.board.side();
    const QImage &surface = boardView_->surface();
    const double ratio = surface.devicePixelRatio();
    const int cellWidth = roundHalfEven(static_cast<double>(surface.width()) / side);
    const int cellHeight = roundHalfEven(static_cast<double>(surface.height()) / side);
    const int x = roundHalfEven(position.x() * ratio);
    const int y = roundHalfEven(position.y() * ratio);
    if (cellWidth <= 0 || cellHeight <= 0 || x < 0 || y < 0)
        return;
    const int column = x / cellWidth;
    const int row = y / cellHeight;
    if (column >= side || row >= side)
        return;
    playMove(row * side + column);
}

bool PlayScreen::isPlaying() const
{
    // Once the puzzle is solved the board is finished with: a further move
    // would change the result that has just been ranked.
    return !winTimer_->isActive() && clockTimer_->isActive() && game_.board.side() >= kMinBoardSide;
}

void PlayScreen::playMove(int index)
{
    const int hole = game_.board.holeIndex();
    if (game_.makeMove(index)) {
        redrawBoard();
        boardView_->announceMove(index, hole);
        if (game_.soundOn)
            playSound(QStringLiteral("click.wav"));
        if (game_.board.isSolved())
            startWin();
    }
    setAnnouncedText(*movesLabel_, countText(game_.moveCount));
    emit movesChanged(game_.moveCount);
}

void PlayScreen::keyPressEvent(QKeyEvent *event)
{
    // Any key skips the rest of an animated shuffle.
    if (isShuffling()) {
        finishShuffleNow();
        return;
    }
    static constexpr std::pair<int, Direction> kArrows[] = {
        {Qt::Key_Left, Direction::Left}, {Qt::Key_Right, Direction::Right},
        {Qt::Key_Up, Direction::Up}, {Qt::Key_Down, Direction::Down}};
    for (const auto &[key, direction] : kArrows) {
        if (event->key() != key)
            continue;
        // A key with no tile on its side is no move: nothing is counted or shown.
        const int tile = isPlaying() ? game_.board.tileToward(direction) : -1;
        if (tile >= 0)
            playMove(tile);
        return;
    }
    // Escape does not give the game up; Back is the way out.
    if (event->key() == Qt::Key_Escape)
        return;
    QWidget::keyPressEvent(event);
}

void PlayScreen::startWin()
{
    const int sizeIndex = game_.board.side() - 2;
    movesRank_ = scores_.tables.rank(ScoreMode::Moves, sizeIndex, game_.moveCount);
    timeRank_ = scores_.tables.rank(ScoreMode::Time, sizeIndex, game_.elapsedSeconds);
    // The clock stops with the solving move, so that the time shown and
    // recorded is the time that was ranked.
    clockTimer_->stop();
    congratsLabel_->show();
    announceWin();
    if (game_.soundOn)
        playSound(QStringLiteral("claps.wav"));
    winTimer_->start();
}

// Qt 6.4 has no announcement event: the label is an alert, and its showing
// is sent as an alert and a name change, which screen readers speak.
void PlayScreen::announceWin()
{
    if (!announcing())
        return;
    for (const auto type : {QAccessible::Alert, QAccessible::NameChanged}) {
        QAccessibleEvent shown(congratsLabel_, type);
        announce(shown);
    }
}

void PlayScreen::tickClock()
{
    countUp(game_.elapsedSeconds);
    setAnnouncedText(*timeLabel_, clockText(game_.elapsedSeconds));
}

void PlayScreen::catchUpClock()
{
    // Counting ticks would lose every second the window's thread was held
    // up; the ticks only say when to look. Rounded, so a tick a moment early
    // still counts its second.
    const qint64 due = (played_.elapsed() + 500) / 1000;
    while (secondsCaughtUp_ < due) {
        ++secondsCaughtUp_;
        tickClock();
    }
}

void PlayScreen::advanceWin()
{
    // The board takes no clicks while the win runs (see onBoardPressed); it
    // is not disabled, which would grey the label on it.
    clockTimer_->stop();
    const double points = congratsLabel_->font().pointSizeF() + kCongratsGrowPoints;
    setPointSize(*congratsLabel_, points);
    if (points < kCongratsLargestPoints)
        return;
    setPointSize(*congratsLabel_, kCongratsResetPoints);
    winTimer_->stop();
    congratsLabel_->hide();
    finishWin();
}

void PlayScreen::finishWin()
{
    // Built now rather than at the solving click, so that it shows the move
    // count with the solving move in it. Being application-modal, it keeps
    // every input from this window without greying it.
    WinResult result;
    result.side = game_.board.side();
    result.moves = game_.moveCount;
    result.seconds = game_.elapsedSeconds;
    result.movesRank = movesRank_;
    result.timeRank = timeRank_;
    QPointer<ScoreEntry> scoreEntry = new ScoreEntry(scores_, result, this);
    emit scoreEntryOpened(scoreEntry.data());
    if (scoreEntry)
        scoreEntry->exec();
    delete scoreEntry.data(); // unless it went when it closed
    returnToFront();
}

} // namespace tilemere
