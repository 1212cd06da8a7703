#include "frmFront.h"

#include "Controls.h"
#include "DriveList.h"
#include "FolderList.h"
#include "Form1.h"
#include "FrontLayout.h"
#include "GameState.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "frmScoresBoard.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QRadioButton>

using tilemere::ClickLabel;

namespace {

const QColor kPageNumberBlue(142, 192, 234);

QLabel *centred(QLabel *label)
{
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

frmFront::frmFront(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmFront"));
    // A minimise box and no maximise box; placeForm keeps the size fixed.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    createControls();
    createOptions();
    placeControls();
    connectEvents();
}

frmFront::~frmFront()
{
    // The play screen outlives this window in tests; don't leave it a
    // pointer to a window that is gone.
    if (Form1::exists())
        Form1::instance().setFrontScreen(nullptr, {}, {});
}

void frmFront::createControls()
{
    auto name = [](QWidget *control, const char *objectName, int index = -1) {
        control->setObjectName(QString::fromLatin1(objectName));
        if (index >= 0)
            control->setProperty("index", index);
    };

    Frame1 = new QFrame(this);
    name(Frame1, "Frame1");
    Frame2 = new QFrame(this);
    name(Frame2, "Frame2");

    for (int k = 0; k < 9; ++k) {
        Image1[k] = new ClickLabel(Frame1);
        name(Image1[k], "Image1", k);
        Image1[k]->setScaledContents(true);
    }
    lblPageNo = centred(new QLabel(Frame1));
    name(lblPageNo, "lblPageNo");
    lblPageNo->setFont(tilemere::captionFont(12));
    lblNoPicsAva = centred(new QLabel(QStringLiteral("There are no picture(s) available in this folder."), Frame1));
    name(lblNoPicsAva, "lblNoPicsAva");
    lblNoPicsAva->setFont(tilemere::captionFont(14.25));
    lblNoPicsAva->hide();
    lblHelp = new ClickLabel(QStringLiteral("Help"), Frame1);
    name(lblHelp, "lblHelp");
    centred(lblHelp)->setFont(tilemere::captionFont(12, false, true));
    lblHelp->setToolTip(QStringLiteral("Help"));

    Image2 = new ClickLabel(Frame2);
    name(Image2, "Image2");
    Image2->setCursor(tilemere::handCursor());
    Image2->setToolTip(QString::fromLatin1(tilemere::kWebSite));
    lblVerNo = new QLabel(QStringLiteral("v1.0"), Frame2);
    name(lblVerNo, "lblVerNo");
    lblVerNo->setFont(tilemere::captionFont(9, true));
    lblSelPicFolder = centred(new QLabel(QStringLiteral("Select the location of your picture(s)"), Frame2));
    name(lblSelPicFolder, "lblSelPicFolder");
    lblSelPicFolder->setFont(tilemere::captionFont(9, true));
    Drive1 = new DriveList(Frame2);
    name(Drive1, "Drive1");
    Drive1->setFont(tilemere::listFont(8.25));
    Dir1 = new FolderList(Frame2);
    name(Dir1, "Dir1");
    Dir1->setFont(tilemere::listFont(8.25));

    // The rounded rectangles first, so that the labels lie on top of them.
    for (int i = 0; i < 3; ++i) {
        ShpRect[i] = new tilemere::RoundedRect(this);
        name(ShpRect[i], "ShpRect", i);
    }
    lblScore = new ClickLabel(QStringLiteral("High Scores"), this);
    name(lblScore, "lblScore");
    lblPrevious = new ClickLabel(QStringLiteral("Previous"), this);
    name(lblPrevious, "lblPrevious");
    lblNext = new ClickLabel(QStringLiteral("Next"), this);
    name(lblNext, "lblNext");
    for (ClickLabel *button : {lblScore, lblPrevious, lblNext})
        centred(button)->setFont(tilemere::captionFont(14.25));
}

void frmFront::createOptions()
{
    Frame3 = new QFrame(Frame2);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    lblSelPuzzLevl = centred(new QLabel(QStringLiteral("Select Puzzle Size"), Frame3));
    lblSelPuzzLevl->setObjectName(QStringLiteral("lblSelPuzzLevl"));
    lblSelPuzzLevl->setFont(tilemere::captionFont(9, true));
    auto option = [this](const char *text) {
        auto *button = new QRadioButton(QString::fromLatin1(text), Frame3);
        button->setObjectName(QStringLiteral("opt") + QString::fromLatin1(text));
        button->setFont(tilemere::captionFont(9, true));
        return button;
    };
    opt3x3 = option("3x3");
    opt4x4 = option("4x4");
    opt5x5 = option("5x5");
    opt6x6 = option("6x6");

    chkAnimShuffle = new QCheckBox(QStringLiteral("Animate Shuffle"), Frame1);
    chkAnimShuffle->setObjectName(QStringLiteral("chkAnimShuffle"));
    chkAnimShuffle->setFont(tilemere::captionFont(12));
}

void frmFront::placeControls()
{
    for (const frontlayout::Place &place : frontlayout::kPlaces) {
        const QString objectName = QString::fromLatin1(place.name.data(), static_cast<qsizetype>(place.name.size()));
        for (QWidget *control : findChildren<QWidget *>(objectName)) {
            if (place.index < 0 || control->property("index").toInt() == place.index)
                control->setGeometry(place.twips.toPixels());
        }
    }
    // These two size themselves to their text, keeping their left edge.
    lblVerNo->adjustSize();
    lblHelp->adjustSize();
}

void frmFront::applyColours()
{
    using namespace tilemere;
    setColours(*this, kWindowBlue);
    setColours(*Frame1, kPanelBlue);
    setColours(*Frame2, kPanelBlue);
    setColours(*Dir1, kLavender);
    setColours(*Drive1, kLavender);
    setColours(*lblVerNo, kPanelBlue, kWhite);
    setColours(*lblHelp, kPanelBlue, kWhite);
    setColours(*lblSelPicFolder, kPanelBlue, kWhite);
    setColours(*lblPageNo, kPanelBlue, kPageNumberBlue);
    setTextColour(*lblNoPicsAva, kWhite);
    for (ClickLabel *button : {lblNext, lblPrevious, lblScore})
        setColours(*button, kButtonBlue, kWhite);
    for (RoundedRect *shape : ShpRect)
        shape->setFillColour(kButtonBlue);

    setColours(*Frame3, kLavender);
    for (QRadioButton *option : {opt3x3, opt4x4, opt5x5, opt6x6}) {
        setCheckColours(*option, kLavender, Qt::black);
    }
    setColours(*lblSelPuzzLevl, kPanelBlue, kWhite);
    setCheckColours(*chkAnimShuffle, kPanelBlue, kWhite);
}

void frmFront::connectEvents()
{
    for (int k = 0; k < 9; ++k) {
        connect(Image1[k], &ClickLabel::clicked, this, [this, k](Qt::MouseButton button) {
            if (button == Qt::LeftButton)
                Image1_Click(k);
        });
        connect(Image1[k], &ClickLabel::mouseMoved, this, &frmFront::resetLinks);
    }
    auto onLeftClick = [this](ClickLabel *label, void (frmFront::*handler)()) {
        connect(label, &ClickLabel::clicked, this, [this, handler](Qt::MouseButton button) {
            if (button == Qt::LeftButton)
                (this->*handler)();
        });
    };
    onLeftClick(lblNext, &frmFront::lblNext_Click);
    onLeftClick(lblPrevious, &frmFront::lblPrevious_Click);
    onLeftClick(lblScore, &frmFront::lblScore_Click);
    onLeftClick(lblHelp, &frmFront::lblHelp_Click);
    onLeftClick(Image2, &frmFront::Image2_Click);
    for (ClickLabel *link : {lblNext, lblPrevious, lblScore, lblHelp})
        connect(link, &ClickLabel::mouseMoved, this, [this, link] { highlight(*link); });
    connect(lblScore, &ClickLabel::mouseReleased, this, &frmFront::resetLinks);

    connect(Drive1, &QComboBox::currentIndexChanged, this, &frmFront::Drive1_Change);
    connect(Dir1, &FolderList::changed, this, &frmFront::Dir1_Change);
    connect(Dir1, &FolderList::keyPressed, this, &frmFront::Dir1_KeyPress);

    // A size is chosen by a click and by start-up alike, so both go through toggled.
    auto onSelected = [this](QRadioButton *option, void (frmFront::*handler)()) {
        connect(option, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onSelected(opt3x3, &frmFront::opt3x3_Click);
    onSelected(opt4x4, &frmFront::opt4x4_Click);
    onSelected(opt5x5, &frmFront::opt5x5_Click);
    onSelected(opt6x6, &frmFront::opt6x6_Click);

    // Moving over the window's or the thumbnail panel's own background puts
    // the links back to rest. The left panel and the controls without a
    // mouse handler of their own keep moves to themselves.
    tilemere::onBackgroundMouseMove(*this, [this] { resetLinks(); });
    tilemere::onBackgroundMouseMove(*Frame1, [this] { resetLinks(); });
    tilemere::swallowMouseMoves(*Frame2);
    for (QWidget *quiet : std::initializer_list<QWidget *>{lblPageNo, lblNoPicsAva, chkAnimShuffle})
        tilemere::swallowMouseMoves(*quiet);
    Frame1->setAcceptDrops(true);
    Frame1->installEventFilter(this);
}

bool frmFront::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Frame1 && event->type() == QEvent::DragEnter) {
        event->accept();
        return true;
    }
    if (watched == Frame1 && event->type() == QEvent::Drop) {
        resetLinks();
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmFront::highlight(ClickLabel &link)
{
    tilemere::highlightLink(link);
}

void frmFront::resetLinks()
{
    for (ClickLabel *link : {lblNext, lblPrevious, lblScore, lblHelp}) {
        // A disabled Help link is never highlighted and keeps its grey.
        if (link->isEnabled())
            tilemere::resetLink(*link);
    }
}

bool frmFront::formLoad()
{
    const QString appFolder = tilemere::applicationFolder();
    tilemere::setAppTitle(*this);
    gCurrentPage = 0;
    loadSettings();
    tilemere::placeForm(*this);
    applyColours();
    chkAnimShuffle->setChecked(false);

    if (!tilemere::resourceFolderPresent(appFolder + QStringLiteral("/Gfx/"))) {
        tilemere::showMessage(this, QStringLiteral("Setup folder was missing."), windowTitle());
        return false;
    }
    const QImage banner = tilemere::loadPicture(appFolder + QStringLiteral("/Gfx/titleBanner.jpg"));
    if (!banner.isNull()) {
        Image2->setImage(banner, false);
        Image2->resize(banner.size());
    }

    Drive1->showVolumeOf(appFolder);
    if (tilemere::resourceFolderPresent(appFolder + QStringLiteral("/Puzzleimages/"))) {
        Dir1->setPath(appFolder + QStringLiteral("/Puzzleimages"));
    } else {
        Dir1->setPath(appFolder);
        // Shown after the folder change on purpose: it stays until the next
        // change of page or folder, whatever the folder holds.
        lblNoPicsAva->show();
    }
    File1.setPath(Dir1->path());
    opt4x4->setChecked(true);
    gPageCount = static_cast<std::int16_t>(File1.count() / 9);
    showPageNumber();

    if (!tilemere::resourceFolderPresent(appFolder + QStringLiteral("/help/"))) {
        tilemere::showMessage(this, QStringLiteral("Help system was missing."), windowTitle());
        lblHelp->setEnabled(false);
        playScreen().disableHelp();
    }
    return true;
}

void frmFront::opt3x3_Click() { gChosenSize = 3; }
void frmFront::opt4x4_Click() { gChosenSize = 4; }
void frmFront::opt5x5_Click() { gChosenSize = 5; }
void frmFront::opt6x6_Click() { gChosenSize = 6; }

void frmFront::lblHelp_Click() { tilemere::openHelp(); }
void frmFront::Image2_Click() { tilemere::openWebSite(); }

void frmFront::lblScore_Click()
{
    frmScoresBoard board(this);
    board.exec();
}

void frmFront::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    tilemere::placeForm(*this);
}

void frmFront::closeEvent(QCloseEvent *event)
{
    event->accept();
    saveSettings();
    tilemere::endProgram();
}
