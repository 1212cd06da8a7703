// The play screen's window: its controls and their places, its look, the
// preview, the sound switch, the links and their hover highlight.
#include "Form1.h"

#include "BoardWidget.h"
#include "Controls.h"
#include "Form1Layout.h"
#include "GameState.h"
#include "Shell.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QTimer>

using namespace tilemere;

namespace {

Form1 *theForm = nullptr;

const QColor kLineLavender(192, 192, 255);
const QColor kCongrazYellow(255, 255, 0);
constexpr double kCongrazStartPoints = 8.25;

// Sizes of the pictures drawn for the two pictures that size themselves, used
// when a picture is missing so that the layout stays as it was drawn.
constexpr QSize kLogoSize(55, 55);
constexpr QSize kVolumeIconSize(28, 28);

// A picture from the Gfx folder, or an empty one of the given size when it
// is missing or unreadable, so that the window looks and works the same.
QImage gfxPicture(const char *fileName, QSize fallbackSize)
{
    QImage picture = loadPicture(applicationFolder() + QStringLiteral("/Gfx/") + QLatin1String(fileName));
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

ClickLabel *linkLabel(const char *text, const char *name, double pointSize, bool underline, QWidget *parent)
{
    auto *label = named(new ClickLabel(QLatin1String(text), parent), name);
    label->setFont(captionFont(pointSize, false, underline));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel *counterLabel(const char *text, const char *name, QWidget *parent)
{
    auto *label = named(new QLabel(QLatin1String(text), parent), name);
    label->setFont(captionFont(14.25));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

Form1 &Form1::instance()
{
    if (!theForm)
        theForm = new Form1;
    return *theForm;
}

bool Form1::exists()
{
    return theForm != nullptr;
}

Form1::~Form1()
{
    if (theForm == this)
        theForm = nullptr;
}

Form1::Form1() : QWidget(nullptr, Qt::Window), random_(UniformRandom::fromEntropy())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    createControls();
    placeControls();
    connectEvents();
    loadForm();
    placeForm(*this);
}

void Form1::createControls()
{
    Frame1 = named(new QWidget(this), "Frame1");
    chkPreviw = named(new QCheckBox(QStringLiteral("Show Preview"), Frame1), "chkPreviw");
    chkPreviw->setFont(captionFont(12));
    ImgPreview = named(new ClickLabel(Frame1), "ImgPreview");

    Frame2 = named(new QWidget(this), "Frame2");
    Label1 = counterLabel("Moves", "Label1", Frame2);
    lblMoves = counterLabel("0", "lblMoves", Frame2);
    Label3 = counterLabel("Time", "Label3", Frame2);
    lblTime = counterLabel("0:00", "lblTime", Frame2);

    TimeTimer = named(new QTimer(this), "TimeTimer");
    TimeTimer->setInterval(1000);
    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(80);

    ImgVolIcon = named(new ClickLabel(this), "ImgVolIcon");
    ImgVolIcon->setToolTip(QStringLiteral("Music ON/OFF"));

    // The shapes go first so that the labels on them are drawn on top.
    ShpRect[0] = named(new RoundedRect(this), "ShpRect(0)");
    ShpRect[1] = named(new RoundedRect(this), "ShpRect(1)");
    lblMorePuzzGames = linkLabel("More Puzzle Games", "lblMorePuzzGames", 12, false, this);
    lblMorePuzzGames->setToolTip(QLatin1String(kWebSite));
    lblMorePuzzGames->setCursor(handCursor());
    lblHelp = linkLabel("Help", "lblHelp", 12, true, this);
    lblHelp->setToolTip(QStringLiteral("Help"));
    lblBack = linkLabel("Back", "lblBack", 14.25, false, this);

    Line1 = named(new QWidget(this), "Line1");
    Line1->setAttribute(Qt::WA_TransparentForMouseEvents);
    setColours(*Line1, kLineLavender);

    Picture2 = named(new BoardWidget(this), "Picture2");
    lblCongraz = named(new QLabel(QStringLiteral("Congradz..."), Picture2), "lblCongraz");
    lblCongraz->setFont(captionFont(kCongrazStartPoints, true));
    lblCongraz->setAlignment(Qt::AlignCenter);
    setTextColour(*lblCongraz, kCongrazYellow);
    // The label is part of the board's picture: the pointer over it is over the board.
    lblCongraz->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblCongraz->move(kCongrazLeft, kCongrazTop);
    lblCongraz->adjustSize();
    lblCongraz->hide();

    imgBwLogo = named(new ClickLabel(this), "imgBwLogo");
    imgBwLogo->setToolTip(QLatin1String(kWebSite));
    imgBwLogo->setCursor(handCursor());
}

void Form1::placeControls()
{
    tilemere::placeControls(*this, kForm1Layout);
}

void Form1::connectEvents()
{
    connect(chkPreviw, &QCheckBox::toggled, this, &Form1::chkPreviw_Click);
    connect(ImgVolIcon, &ClickLabel::clicked, this, &Form1::ImgVolIcon_Click);
    connect(imgBwLogo, &ClickLabel::clicked, this, &Form1::imgBwLogo_Click);
    connect(lblMorePuzzGames, &ClickLabel::clicked, this, &Form1::lblMorePuzzGames_Click);
    connect(lblHelp, &ClickLabel::clicked, this, &Form1::lblHelp_Click);
    connect(lblBack, &ClickLabel::clicked, this, &Form1::lblBack_Click);
    connect(lblBack, &ClickLabel::mouseMoved, this, &Form1::lblBack_MouseMove);
    connect(lblHelp, &ClickLabel::mouseMoved, this, &Form1::lblHelp_MouseMove);
    connect(lblMorePuzzGames, &ClickLabel::mouseMoved, this, &Form1::lblMorePuzzGames_MouseMove);
    connect(Picture2, &BoardWidget::mousePressed, this, &Form1::Picture2_MouseDown);
    connect(Picture2, &BoardWidget::mouseMoved, this, &Form1::Form_MouseMove);
    connect(TimeTimer, &QTimer::timeout, this, &Form1::TimeTimer_Timer);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);

    onBackgroundMouseMove(*this, [this] { Form_MouseMove(); });
    // These have no mouse-move behaviour: the pointer resting on them leaves
    // a highlight as it is until it next moves over the background.
    for (QWidget *quiet : {Frame1, Frame2})
        swallowMouseMoves(*quiet);
}

// Runs once per run, when the window is first needed.
void Form1::loadForm()
{
    setAppTitle(*this);
    gSoundOn = kTrue;
    const QImage logo = gfxPicture("BW_logo.jpg", kLogoSize);
    imgBwLogo->setImage(logo, false);
    imgBwLogo->resize(logo.size());
    showVolumeIcon();
}

void Form1::showVolumeIcon()
{
    const QImage icon =
        gfxPicture(gSoundOn == kTrue ? "Volume.bmp" : "MuteVolume.bmp", kVolumeIconSize);
    ImgVolIcon->setImage(icon, false);
    ImgVolIcon->resize(icon.size());
}

// The colours every activation sets again, then the preview shown again.
void Form1::applyActivationLook()
{
    setColours(*this, kWindowBlue);
    setColours(*lblBack, kButtonBlue);
    ShpRect[0]->setFillColour(kButtonBlue);
    ShpRect[1]->setFillColour(kButtonBlue);
    setColours(*lblHelp, kWindowBlue, kWhite);
    setTextColour(*lblBack, kWhite);
    setColours(*lblMoves, kLavender);
    setColours(*lblTime, kLavender);
    setColours(*Frame1, kWindowBlue);
    setColours(*Frame2, kWindowBlue);
    setColours(*Label1, kWindowBlue, kWhite);
    setColours(*Label3, kWindowBlue, kWhite);
    setColours(*lblMorePuzzGames, kButtonBlue, kWhite);

    setCheckColours(*chkPreviw, kWindowBlue, kWhite);

    // The button labels lie on their rounded shapes of the same blue; left
    // unfilled, the shapes' rounded corners show.
    lblBack->setAutoFillBackground(false);
    lblMorePuzzGames->setAutoFillBackground(false);

    chkPreviw->setChecked(true);
    updatePreview();
}

void Form1::updatePreview()
{
    ImgPreview->setVisible(chkPreviw->isChecked());
}

void Form1::chkPreviw_Click()
{
    updatePreview();
}

void Form1::ImgVolIcon_Click()
{
    gSoundOn = gSoundOn == kTrue ? kFalse : kTrue;
    showVolumeIcon();
}

void Form1::lblBack_Click()
{
    hide();
    if (frontScreen_)
        frontScreen_->show();
}

void Form1::lblHelp_Click()
{
    openHelp();
}

void Form1::imgBwLogo_Click()
{
    openWebSite();
}

void Form1::lblMorePuzzGames_Click()
{
    openWebSite();
}

void Form1::lblBack_MouseMove()
{
    highlightLink(*lblBack);
}

void Form1::lblHelp_MouseMove()
{
    highlightLink(*lblHelp);
}

void Form1::lblMorePuzzGames_MouseMove()
{
    highlightLink(*lblMorePuzzGames, false);
}

void Form1::Form_MouseMove()
{
    resetLink(*lblBack);
    resetLink(*lblMorePuzzGames, false);
    resetLink(*lblHelp);
}

void Form1::disableHelp()
{
    lblHelp->setEnabled(false);
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeForm(*this);
}

// Closing the play screen ends the whole program; the store is left as it is.
void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    endProgram();
}
