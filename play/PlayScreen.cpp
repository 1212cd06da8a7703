// The play screen's window: its controls and their places, its look, the
// preview, the sound switch, the links and their hover highlight.
#include "PlayScreen.h"

#include "BoardView.h"
#include "Controls.h"
#include "FitText.h"
#include "Game.h"
#include "LocaleText.h"
#include "PlayAccessibility.h"
#include "PlayScreenLayout.h"
#include "Shell.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QTimer>

#include <type_traits>

namespace tilemere {

namespace {

const QColor kLineLavender(192, 192, 255);
const QColor kCongratsYellow(255, 255, 0);
constexpr double kCongratsStartPoints = 8.25;
constexpr int kAnimatedShuffleStepMs = 10;

// Sizes of the pictures drawn for the two pictures that size themselves, used
// when a picture is missing so that the layout stays as it was drawn.
constexpr QSize kLogoSize(55, 55);
constexpr QSize kVolumeIconSize(28, 28);

// A picture from the Gfx folder drawn for the screen's pixel ratio, or an
// empty one of the given size when it is missing or unreadable, so that the
// window looks and works the same.
QImage gfxPicture(const char *fileName, QSize fallbackSize, double devicePixelRatio)
{
    QImage picture = loadArtwork(QLatin1String(fileName), devicePixelRatio);
    if (picture.isNull()) {
        picture = QImage(fallbackSize, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
    }
    return picture;
}

template <typename Control> Control *named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

LinkButton *linkLabel(const QString &text, const char *name, double pointSize, bool underline, QWidget *parent)
{
    auto *label = named(new LinkButton(text, parent), name);
    label->setFont(captionFont(pointSize, false, underline));
    return label;
}

template <typename Label = QLabel> Label *counterLabel(const QString &text, const char *name, QWidget *parent)
{
    auto *label = named(new Label(text, parent), name);
    label->setFont(captionFont(14.25));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

PlayScreen::~PlayScreen()
{
    // A decode still running stops at its next read.
    ++pictureRequest_;
    picturePool_.waitForDone();
}

PlayScreen::PlayScreen(Game &game, ScoreBook &scores)
    : QWidget(nullptr, Qt::Window), game_(game), scores_(scores), random_(UniformRandom::fromEntropy())
{
    setObjectName(QStringLiteral("playScreen"));
    setFocusPolicy(Qt::StrongFocus); // the arrow keys play
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    createControls();
    placeControls(*this, kPlayScreenLayout);
    fitTexts();
    connectSignals();
    setAppTitle(*this);
    const QImage logo = gfxPicture("BW_logo.jpg", kLogoSize, devicePixelRatioF());
    logoLink_->setImage(logo, false);
    logoLink_->resize(logo.deviceIndependentSize().toSize());
    showSoundIcon();
    setUpKeyboard();
    keepInPlace(*this);
}

void PlayScreen::createControls()
{
    previewPanel_ = named(new QWidget(this), "previewPanel");
    previewCheck_ = named(new QCheckBox(tr("Show Preview"), previewPanel_), "previewCheck");
    previewCheck_->setFont(captionFont(12));
    // Tab only, so that a click leaves no focus mark on it.
    previewCheck_->setFocusPolicy(Qt::TabFocus);
    previewPicture_ = named(new ClickLabel(previewPanel_), "previewPicture");

    countersPanel_ = named(new QWidget(this), "countersPanel");
    movesCaption_ = counterLabel(tr("Moves"), "movesCaption", countersPanel_);
    movesLabel_ = counterLabel<AnnouncedLabel>(countText(0), "movesLabel", countersPanel_);
    timeCaption_ = counterLabel(tr("Time"), "timeCaption", countersPanel_);
    timeLabel_ = counterLabel<AnnouncedLabel>(clockText(0), "timeLabel", countersPanel_);
    // A screen reader reads the counters as "Moves 57" and "Time 1:23".
    announceLabel(*movesLabel_, movesCaption_->text());
    announceLabel(*timeLabel_, timeCaption_->text());

    clockTimer_ = named(new QTimer(this), "clockTimer");
    clockTimer_->setInterval(1000);
    clockTimer_->setTimerType(Qt::PreciseTimer);
    winTimer_ = named(new QTimer(this), "winTimer");
    winTimer_->setInterval(80);
    shuffleTimer_ = named(new QTimer(this), "shuffleTimer");
    shuffleTimer_->setInterval(kAnimatedShuffleStepMs);

    soundSwitch_ = named(new LinkButton(this), "soundSwitch");
    soundSwitch_->setToolTip(tr("Music ON/OFF"));
    soundSwitch_->setAccessibleName(soundSwitch_->toolTip());

    // The shapes go first so that the labels on them are drawn on top.
    backShape_ = named(new RoundedRect(this), "backShape");
    moreGamesShape_ = named(new RoundedRect(this), "moreGamesShape");
    moreGamesLink_ = linkLabel(tr("More Puzzle Games"), "moreGamesLink", 12, false, this);
    moreGamesLink_->setToolTip(QLatin1String(kWebSite));
    moreGamesLink_->setCursor(handCursor());
    helpLink_ = linkLabel(tr("Help"), "helpLink", 12, true, this);
    helpLink_->setToolTip(tr("Help"));
    backButton_ = linkLabel(tr("Back"), "backButton", 14.25, false, this);

    separatorLine_ = named(new QWidget(this), "separatorLine");
    separatorLine_->setAttribute(Qt::WA_TransparentForMouseEvents);
    setColours(*separatorLine_, kLineLavender);

    boardView_ = named(new BoardView(this), "boardView");
    boardView_->setBoard(&game_.board);
    congratsLabel_ = named(new AnnouncedLabel(tr("Congradz..."), boardView_), "congratsLabel");
    congratsLabel_->setFont(captionFont(kCongratsStartPoints, true));
    congratsLabel_->setAlignment(Qt::AlignCenter);
    setTextColour(*congratsLabel_, kCongratsYellow);
    // The label is part of the board's picture: the pointer over it is over the board.
    congratsLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    congratsLabel_->move(kCongratsLeft, kCongratsTop);
    congratsLabel_->adjustSize();
    congratsLabel_->hide();
    announceLabel(*congratsLabel_, congratsLabel_->text(), QAccessible::AlertMessage);

    logoLink_ = named(new ClickLabel(this), "logoLink");
    logoLink_->setToolTip(QLatin1String(kWebSite));
    logoLink_->setAccessibleName(tr("More Puzzle Games"));
    logoLink_->setCursor(handCursor());
}

void PlayScreen::fitTexts()
{
    for (QWidget *control : std::initializer_list<QWidget *>{previewCheck_, movesCaption_, timeCaption_,
                                                             moreGamesLink_, backButton_, helpLink_})
        fitText(*control);
}

void PlayScreen::connectSignals()
{
    // During the shuffle no link does anything: only the board's skip and
    // closing the window act.
    const auto onClick = [this](auto *link, auto action) {
        connect(link, &std::remove_pointer_t<decltype(link)>::clicked, this, [this, action] {
            if (!isShuffling())
                action();
        });
    };
    onClick(soundSwitch_, [this] { toggleSound(); });
    onClick(logoLink_, [] { openWebSite(); });
    onClick(moreGamesLink_, [] { openWebSite(); });
    onClick(helpLink_, [] { openHelp(); });
    onClick(backButton_, [this] { returnToFront(); });
    connect(previewCheck_, &QCheckBox::toggled, previewPicture_, &QWidget::setVisible);
    connect(backButton_, &LinkButton::mouseMoved, this, [this] { highlightLink(*backButton_); });
    connect(helpLink_, &LinkButton::mouseMoved, this, [this] { highlightLink(*helpLink_); });
    connect(moreGamesLink_, &LinkButton::mouseMoved, this, [this] { highlightLink(*moreGamesLink_, false); });
    connect(boardView_, &BoardView::mousePressed, this, &PlayScreen::onBoardPressed);
    connect(boardView_, &BoardView::mouseMoved, this, &PlayScreen::resetLinks);
    connect(boardView_, &BoardView::painted, this, [this] {
        // The shuffle starts once the solved picture has reached the screen.
        if (shuffleWaitsForScreen_) {
            shuffleWaitsForScreen_ = false;
            shuffleTimer_->start();
        }
    });
    connect(clockTimer_, &QTimer::timeout, this, &PlayScreen::catchUpClock);
    connect(winTimer_, &QTimer::timeout, this, &PlayScreen::advanceWin);
    connect(shuffleTimer_, &QTimer::timeout, this, &PlayScreen::animateShuffleStep);

    onBackgroundMouseMove(*this, [this] { resetLinks(); });
    // These have no mouse-move behaviour: the pointer resting on them leaves
    // a highlight as it is until it next moves over the background.
    for (QWidget *quiet : {previewPanel_, countersPanel_})
        swallowMouseMoves(*quiet);
}

void PlayScreen::showSoundIcon()
{
    const QImage icon = gfxPicture(game_.soundOn ? "Volume.bmp" : "MuteVolume.bmp", kVolumeIconSize, devicePixelRatioF());
    soundSwitch_->setImage(icon);
}

// The colours every new game sets again, then the preview shown again.
void PlayScreen::applyLook()
{
    setColours(*this, kWindowBlue);
    setColours(*backButton_, kButtonBlue);
    backShape_->setFillColour(kButtonBlue);
    moreGamesShape_->setFillColour(kButtonBlue);
    setColours(*helpLink_, kWindowBlue, kWhite);
    setTextColour(*backButton_, kWhite);
    setColours(*movesLabel_, kLavender);
    setColours(*timeLabel_, kLavender);
    setColours(*previewPanel_, kWindowBlue);
    setColours(*countersPanel_, kWindowBlue);
    setColours(*movesCaption_, kWindowBlue, kWhite);
    setColours(*timeCaption_, kWindowBlue, kWhite);
    setColours(*moreGamesLink_, kButtonBlue, kWhite);
    setCheckColours(*previewCheck_, kWindowBlue, kWhite);

    // The button labels lie on their rounded shapes of the same blue; left
    // unfilled, the shapes' rounded corners show.
    backButton_->setAutoFillBackground(false);
    moreGamesLink_->setAutoFillBackground(false);

    previewCheck_->setChecked(true);
    previewPicture_->setVisible(true);
}

void PlayScreen::setUpKeyboard()
{
    // The board first, where the window's focus lands; then the controls
    // around it. The arrow keys move tiles wherever the focus is.
    boardView_->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(boardView_);
    QWidget *previous = boardView_;
    for (QWidget *control : std::initializer_list<QWidget *>{backButton_, helpLink_, moreGamesLink_, soundSwitch_, previewCheck_}) {
        setTabOrder(previous, control);
        previous = control;
    }
    showFocusFrame(*boardView_);
    showFocusFrame(*previewCheck_);
    passArrowKeys(*previewCheck_, *this);
}

void PlayScreen::toggleSound()
{
    game_.soundOn = !game_.soundOn;
    showSoundIcon();
}

void PlayScreen::returnToFront()
{
    ++pictureRequest_; // a picture still on its way is not wanted now
    hide();
    emit leftToFront();
}

void PlayScreen::resetLinks()
{
    resetLink(*backButton_);
    resetLink(*moreGamesLink_, false);
    resetLink(*helpLink_);
}

void PlayScreen::disableHelp()
{
    helpLink_->setEnabled(false);
}

// Closing the play screen ends the whole program; the store is left as it is.
void PlayScreen::closeEvent(QCloseEvent *event)
{
    event->accept();
    endProgram();
}

} // namespace tilemere
