#include "FrontScreen.h"

#include "Controls.h"
#include "DesktopHandoff.h"
#include "DriveList.h"
#include "FolderList.h"
#include "FrontScreenLayout.h"
#include "Game.h"
#include "PictureBrowser.h"
#include "PlayScreen.h"
#include "ScoreBoard.h"
#include "ScoreBook.h"
#include "Shell.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QRadioButton>

namespace tilemere {

namespace {

const QColor kPageNumberBlue(142, 192, 234);

template <typename Control> Control *named(Control *control, const char *objectName, int index = -1)
{
    control->setObjectName(QLatin1String(objectName));
    if (index >= 0)
        control->setProperty("index", index);
    return control;
}

template <typename Label> Label *centred(Label *label)
{
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

FrontScreen::FrontScreen(Game &game, ScoreBook &scores) : game_(game), scores_(scores)
{
    setObjectName(QStringLiteral("frontScreen"));
    // A minimise box and no maximise box; keepInPlace keeps the size fixed.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // The banner is decoded on another core while the controls are made;
    // start() waits for it. (Without its thread, it is decoded there.)
    banner_ = std::async(std::launch::async | std::launch::deferred,
                         [gfx = applicationFolder() + QStringLiteral("/Gfx/"), ratio = devicePixelRatioF()] {
                             return loadArtwork(gfx, QStringLiteral("titleBanner.jpg"), ratio);
                         });
    createControls();
    createOptions();
    placeControls();
    createBrowser();
    connectSignals();
    setUpKeyboard();
}

FrontScreen::~FrontScreen() = default;

void FrontScreen::createControls()
{
    thumbnailPanel_ = named(new QFrame(this), "thumbnailPanel");
    browserPanel_ = named(new QFrame(this), "browserPanel");

    for (int k = 0; k < 9; ++k) {
        thumbnailSlots_[k] = named(new ClickLabel(thumbnailPanel_), "thumbnailSlot", k);
        thumbnailSlots_[k]->setScaledContents(true);
    }
    pageLabel_ = centred(named(new QLabel(thumbnailPanel_), "pageLabel"));
    pageLabel_->setFont(captionFont(12));
    noPicturesLabel_ = centred(named(
        new QLabel(tr("There are no picture(s) available in this folder."), thumbnailPanel_),
        "noPicturesLabel"));
    noPicturesLabel_->setFont(captionFont(14.25));
    noPicturesLabel_->hide();
    helpLink_ = named(new LinkButton(tr("Help"), thumbnailPanel_), "helpLink");
    helpLink_->setFont(captionFont(12, false, true));
    helpLink_->setToolTip(tr("Help"));

    bannerLink_ = named(new ClickLabel(browserPanel_), "bannerLink");
    bannerLink_->setCursor(handCursor());
    bannerLink_->setToolTip(QString::fromLatin1(kWebSite));
    bannerLink_->setAccessibleName(QString::fromLatin1(kAppTitle));
    versionLabel_ = named(new QLabel(QStringLiteral("v1.0"), browserPanel_), "versionLabel");
    versionLabel_->setFont(captionFont(9, true));
    folderCaption_ = centred(named(new QLabel(tr("Select the location of your picture(s)"), browserPanel_),
                                   "folderCaption"));
    folderCaption_->setFont(captionFont(9, true));
    // The two lists take the panel's font as they are made: a font set on a
    // combo box once made builds its drop-down list at once.
    browserPanel_->setFont(listFont(8.25));
    driveList_ = named(new DriveList(browserPanel_), "driveList");
    folderList_ = named(new FolderList(browserPanel_), "folderList");
    // A screen reader gives the combo box its label, and its name is the volume shown.
    folderCaption_->setBuddy(driveList_);

    // The rounded rectangles first, so that the labels lie on top of them.
    for (int i = 0; i < 3; ++i)
        buttonShapes_[i] = named(new RoundedRect(this), "buttonShape", i);
    scoresButton_ = named(new LinkButton(tr("High Scores"), this), "scoresButton");
    previousButton_ = named(new LinkButton(tr("Previous"), this), "previousButton");
    nextButton_ = named(new LinkButton(tr("Next"), this), "nextButton");
    for (LinkButton *button : {scoresButton_, previousButton_, nextButton_})
        button->setFont(captionFont(14.25));
}

void FrontScreen::createOptions()
{
    sizePanel_ = named(new QFrame(browserPanel_), "sizePanel");
    sizeCaption_ = centred(named(new QLabel(tr("Select Puzzle Size"), sizePanel_), "sizeCaption"));
    sizeCaption_->setFont(captionFont(9, true));
    for (int side = kMinBoardSide; side <= kMaxBoardSide; ++side) {
        auto *option = new QRadioButton(tr("%1x%1").arg(side), sizePanel_);
        option->setObjectName(QStringLiteral("sizeOption%1").arg(side));
        option->setFont(captionFont(9, true));
        sizeOptions_[static_cast<std::size_t>(side - kMinBoardSide)] = option;
    }
    animateCheck_ = named(new QCheckBox(tr("Animate Shuffle"), thumbnailPanel_), "animateCheck");
    animateCheck_->setFont(captionFont(12));
}

void FrontScreen::placeControls()
{
    for (const frontlayout::Place &place : frontlayout::kPlaces) {
        const QString objectName = QString::fromLatin1(place.name.data(), static_cast<qsizetype>(place.name.size()));
        for (QWidget *control : findChildren<QWidget *>(objectName)) {
            if (place.index < 0 || control->property("index").toInt() == place.index)
                control->setGeometry(place.twips.toPixels());
        }
    }
    // The version sizes itself to its text, keeping its left edge; Help
    // takes the width of its bold text about the same centre.
    versionLabel_->adjustSize();
    sizeLinkAboutCentre(*helpLink_);
}

void FrontScreen::applyColours()
{
    setColours(*this, kWindowBlue);
    setColours(*thumbnailPanel_, kPanelBlue);
    setColours(*browserPanel_, kPanelBlue);
    // Text and background both, so a dark desktop leaves them readable.
    setColours(*folderList_, kLavender, Qt::black);
    setColours(*driveList_, kLavender, Qt::black);
    setColours(*versionLabel_, kPanelBlue, kWhite);
    setColours(*helpLink_, kPanelBlue, kWhite);
    setColours(*folderCaption_, kPanelBlue, kWhite);
    setColours(*pageLabel_, kPanelBlue, kPageNumberBlue);
    setTextColour(*noPicturesLabel_, kWhite);
    for (LinkButton *button : {nextButton_, previousButton_, scoresButton_})
        setColours(*button, kButtonBlue, kWhite);
    for (RoundedRect *shape : buttonShapes_)
        shape->setFillColour(kButtonBlue);

    setColours(*sizePanel_, kLavender);
    for (QRadioButton *option : sizeOptions_)
        setCheckColours(*option, kLavender, Qt::black);
    setColours(*sizeCaption_, kPanelBlue, kWhite);
    setCheckColours(*animateCheck_, kPanelBlue, kWhite);
}

void FrontScreen::connectSignals()
{
    for (int k = 0; k < 9; ++k) {
        connect(thumbnailSlots_[k], &ClickLabel::clicked, this, [this, k] { startGame(k); });
        connect(thumbnailSlots_[k], &ClickLabel::mouseMoved, this, &FrontScreen::resetLinks);
    }
    connect(browser_, &PictureBrowser::firstFrameShown, this, &FrontScreen::firstFrameShown);
    connect(nextButton_, &LinkButton::clicked, this, &FrontScreen::showNextPage);
    connect(previousButton_, &LinkButton::clicked, this, &FrontScreen::showPreviousPage);
    connect(scoresButton_, &LinkButton::clicked, this, &FrontScreen::showScoreBoard);
    connect(helpLink_, &LinkButton::clicked, this, [] { openHelp(); });
    connect(bannerLink_, &ClickLabel::clicked, this, [] { openWebSite(); });
    for (LinkButton *link : {nextButton_, previousButton_, scoresButton_, helpLink_})
        connect(link, &LinkButton::mouseMoved, this, [this, link] { highlight(*link); });
    connect(scoresButton_, &LinkButton::mouseReleased, this, &FrontScreen::resetLinks);

    connect(driveList_, &DriveList::volumePicked, this, &FrontScreen::openDrive);
    connect(folderList_, &FolderList::changed, this, &FrontScreen::openFolder);
    // Climbing out of a volume in the folder list shows the volume reached.
    connect(folderList_, &FolderList::changed, driveList_, [this] { driveList_->showVolumeOf(folderList_->path()); });
    // The player's order of folders, once the window is there.
    connect(this, &FrontScreen::firstFrameShown, folderList_, [this] { folderList_->sortBy(QLocale()); });

    // A size is chosen by a click and by start-up alike, so both go through toggled.
    for (int side = kMinBoardSide; side <= kMaxBoardSide; ++side) {
        connect(sizeOptions_[static_cast<std::size_t>(side - kMinBoardSide)], &QRadioButton::toggled, this,
                [this, side](bool checked) {
                    if (checked)
                        chooseSize(side);
                });
    }

    // Moving over the window's or the thumbnail panel's own background puts
    // the links back to rest. The left panel and the controls without a
    // mouse handler of their own keep moves to themselves.
    onBackgroundMouseMove(*this, [this] { resetLinks(); });
    onBackgroundMouseMove(*thumbnailPanel_, [this] { resetLinks(); });
    swallowMouseMoves(*browserPanel_);
    for (QWidget *quiet : std::initializer_list<QWidget *>{pageLabel_, noPicturesLabel_, animateCheck_})
        swallowMouseMoves(*quiet);
    // A picture or folder dropped anywhere on the window opens (dropEvent).
    setAcceptDrops(true);
}

bool FrontScreen::eventFilter(QObject *watched, QEvent *event)
{
    return filterKeys(watched, event) || QWidget::eventFilter(watched, event);
}

void FrontScreen::highlight(LinkButton &link)
{
    highlightLink(link);
}

void FrontScreen::resetLinks()
{
    for (LinkButton *link : {nextButton_, previousButton_, scoresButton_, helpLink_}) {
        // A disabled Help link is never highlighted and keeps its grey.
        if (link->isEnabled())
            resetLink(*link);
    }
}

bool FrontScreen::start()
{
    const QString appFolder = applicationFolder();
    setAppTitle(*this);
    game_.currentPage = 0;
    scores_.load();
    keepInPlace(*this);
    applyColours();
    animateCheck_->setChecked(false);

    if (!resourceFolderPresent(appFolder + QStringLiteral("/Gfx/"))) {
        showMessage(this, tr("Setup folder was missing."), windowTitle());
        return false;
    }
    const QImage banner = banner_.valid() ? banner_.get()
                                          : loadArtwork(QStringLiteral("titleBanner.jpg"), devicePixelRatioF());
    if (!banner.isNull()) {
        bannerLink_->setImage(banner, false);
        bannerLink_->resize(banner.deviceIndependentSize().toSize());
    }

    driveList_->showVolumeOf(appFolder);
    if (resourceFolderPresent(appFolder + QStringLiteral("/Puzzleimages/"))) {
        folderList_->setPath(appFolder + QStringLiteral("/Puzzleimages"));
    } else {
        folderList_->setPath(appFolder);
        // It stays until the next change of page or folder, whatever the
        // folder holds.
        browser_->showNoPicturesUntilNextChange();
    }
    sizeOptions_[1]->setChecked(true);

    if (!resourceFolderPresent(appFolder + QStringLiteral("/help/"))) {
        showMessage(this, tr("Help system was missing."), windowTitle());
        helpLink_->setEnabled(false);
        helpPresent_ = false;
    }
    return true;
}

PlayScreen &FrontScreen::playScreen()
{
    if (!playScreen_) {
        playScreen_ = std::make_unique<PlayScreen>(game_, scores_);
        if (!helpPresent_)
            playScreen_->disableHelp();
        connect(playScreen_.get(), &PlayScreen::leftToFront, this, &QWidget::show);
        connect(playScreen_.get(), &PlayScreen::gameStarted, this, &FrontScreen::gameStarted);
    }
    return *playScreen_;
}

void FrontScreen::createBrowser()
{
    browser_ = new PictureBrowser(game_, {thumbnailPanel_, thumbnailSlots_, pageLabel_, noPicturesLabel_}, this);
    handoff_ = new DesktopHandoff(
        *this, *browser_, [this](const QString &folder) { return showFolder(folder); },
        [this](int slot) { startGame(slot); });
}

const PictureFileList &FrontScreen::pictures() const
{
    return browser_->pictures();
}

bool FrontScreen::pageComplete() const
{
    return browser_->pageComplete();
}

bool FrontScreen::listing() const
{
    return browser_->listing() || handoff_->busy();
}

void FrontScreen::openDrive()
{
    // A volume that cannot be opened is ignored without a word: the folder
    // list stays where it was, and the drive list shows the one picked.
    const QString root = driveList_->drive();
    if (!resourceFolderPresent(root))
        return;
    folderList_->setPath(root);
}

void FrontScreen::openFolder()
{
    browser_->openFolder(folderList_->path());
}

bool FrontScreen::showFolder(const QString &folder)
{
    driveList_->showVolumeOf(folder);
    return folderList_->setPath(folder);
}

void FrontScreen::showNextPage()
{
    browser_->showNextPage();
}

void FrontScreen::showPreviousPage()
{
    browser_->showPreviousPage();
}

void FrontScreen::startGame(int slot)
{
    const PictureFileList &pictures = browser_->pictures();
    const int index = game_.currentPage * PictureBrowser::kSlots + slot;
    if (slot < 0 || slot >= PictureBrowser::kSlots || index > pictures.count() - 1)
        return;
    game_.selectedPicture = static_cast<std::int16_t>(index);
    const QString path = pictures.fullPath(index);
    hide();
    // When the picture cannot be opened the play screen tells the player
    // and brings this window back; otherwise it reports gameStarted.
    playScreen().startGame(path, animateCheck_->isChecked());
}

void FrontScreen::openFromDesktop(const QString &path)
{
    handoff_->open(path);
}

void FrontScreen::dragEnterEvent(QDragEnterEvent *event)
{
    handoff_->enterDrag(*event);
}

void FrontScreen::dropEvent(QDropEvent *event)
{
    resetLinks();
    handoff_->drop(*event);
}

void FrontScreen::chooseSize(int side)
{
    game_.chosenSize = static_cast<std::int16_t>(side);
}

void FrontScreen::showScoreBoard()
{
    ScoreBoard board(scores_, game_.chosenSize, this);
    board.exec();
}

void FrontScreen::closeEvent(QCloseEvent *event)
{
    event->accept();
    scores_.save();
    endProgram();
}

} // namespace tilemere
