// The picture browser of the front screen: folders, pages of thumbnails,
// and starting a game from one of them. Counts, pages and indexes are kept
// 16-bit, as everywhere else in the game, but worked out in int: at 32767
// pictures a page's end lies beyond what 16 bits hold.
#include "FrontScreen.h"

#include "Controls.h"
#include "DriveList.h"
#include "FolderList.h"
#include "FrontScreenLayout.h"
#include "Game.h"
#include "PlayScreen.h"
#include "Shell.h"
#include "ThumbnailLoader.h"

#include <QCheckBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QTimer>

#include <functional>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace tilemere {

namespace {

constexpr int kSlots = 9;

// The decodes of a page free what they took, but in the decoding threads'
// own heaps, which keep it from the system until told.
void returnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// Calls back twice once the widget it watches has been painted for the
// first time: when the frame has been handed to the display server, and when
// the server has it. (A paint is handed over only when the event that caused
// it is done; the server then still has to copy it, which work started on
// every core at once would slow down on a machine with few.)
class FirstFrameWatcher : public QObject {
public:
    FirstFrameWatcher(QWidget &watched, std::function<void()> handedOver, std::function<void()> shown)
        : QObject(&watched), handedOver_(std::move(handedOver)), shown_(std::move(shown))
    {
        watched.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, [handedOver = handedOver_, shown = shown_] {
                handedOver();
                // One round trip: the server answers once it has dealt
                // with everything sent before, the frame included.
                QGuiApplication::sync();
                shown();
            });
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> handedOver_;
    std::function<void()> shown_;
};

} // namespace

void FrontScreen::createThumbnailLoader()
{
    thumbnailLoader_ = new ThumbnailLoader(ThumbnailCache(), this);
    connect(thumbnailLoader_, &ThumbnailLoader::thumbnailReady, this, &FrontScreen::showThumbnail);
    // Thumbnails from the cache come a millisecond apart: shown together, a
    // page is one repaint rather than nine. None waits more than half a
    // frame, and the page's last is shown the moment it comes.
    arrivalPause_ = new QTimer(this);
    arrivalPause_->setSingleShot(true);
    arrivalPause_->setInterval(8);
    connect(arrivalPause_, &QTimer::timeout, this, &FrontScreen::showArrivedThumbnails);
    // The window is drawn whole before any picture is decoded: the decodes
    // would only take the cores it needs to start. While the display server
    // takes the frame, one core is left to it.
    new FirstFrameWatcher(
        *thumbnailPanel_,
        [this] {
            thumbnailLoader_->setOneAtATime(true);
            thumbnailsHeld_ = false;
            requestThumbnails();
        },
        [this] {
            thumbnailLoader_->setOneAtATime(false);
            emit firstFrameShown();
        });
}

bool FrontScreen::pageComplete() const
{
    return !thumbnailsHeld_ && thumbnailsMissing_ == 0;
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
    game_.currentPage = 0;
    game_.pageCount = 0;
    for (ClickLabel *slot : thumbnailSlots_)
        slot->clear();
    pictureList_.setPath(folderList_->path());
    showPage();
    game_.pageCount = static_cast<std::int16_t>(pictureList_.count() / kSlots);
    showPageNumber();
}

void FrontScreen::showPage()
{
    const int count = pictureList_.count();
    noPicturesLabel_->setVisible(count <= 0);
    for (ClickLabel *slot : thumbnailSlots_)
        slot->clear();

    // Whatever is still on its way belongs to another page now.
    ++pageGeneration_;
    thumbnailLoader_->cancelAll();
    arrivalPause_->stop();
    arrivedThumbnails_.fill(QImage());
    thumbnailsMissing_ = std::clamp(count - game_.currentPage * kSlots, 0, kSlots);
    requestThumbnails();
}

void FrontScreen::requestThumbnails()
{
    if (thumbnailsHeld_)
        return;
    const int first = game_.currentPage * kSlots;
    // Made afresh every time the page is shown, at the screen's own pixel
    // density; the shared thumbnail cache keeps that quick.
    const qreal density = thumbnailSlots_[0]->devicePixelRatioF();
    const QSize pixels = (QSizeF(thumbnailSlots_[0]->size()) * density).toSize();
    for (int slot = 0; slot < thumbnailsMissing_; ++slot)
        thumbnailLoader_->request(pageGeneration_, slot, pictureList_.fullPath(first + slot), pixels);
}

void FrontScreen::showThumbnail(int generation, int slot, const QImage &thumbnail)
{
    if (generation != pageGeneration_ || slot < 0 || slot >= kSlots)
        return;
    arrivedThumbnails_[static_cast<std::size_t>(slot)] = thumbnail;
    if (--thumbnailsMissing_ == 0)
        showArrivedThumbnails();
    else if (!arrivalPause_->isActive())
        arrivalPause_->start();
}

void FrontScreen::showArrivedThumbnails()
{
    arrivalPause_->stop();
    for (int slot = 0; slot < kSlots; ++slot) {
        QImage &arrived = arrivedThumbnails_[static_cast<std::size_t>(slot)];
        if (arrived.isNull())
            continue;
        arrived.setDevicePixelRatio(thumbnailSlots_[0]->devicePixelRatioF());
        thumbnailSlots_[static_cast<std::size_t>(slot)]->setImage(arrived, true);
        arrived = QImage();
    }
    if (thumbnailsMissing_ == 0)
        returnFreedMemory();
}

void FrontScreen::showPageNumber()
{
    const int count = pictureList_.count();
    if (count == 0) {
        pageLabel_->clear();
        return;
    }
    const int total = count % kSlots == 0 ? game_.pageCount : game_.pageCount + 1;
    pageLabel_->setText(QStringLiteral("Page %1 of %2 page(s)").arg(game_.currentPage + 1).arg(total));
    // Page numbers in the thousands outgrow the label as drawn: it widens
    // about its centre rather than cut the text off.
    const QRect drawn = frontlayout::pageLabelPlace().toPixels();
    const int needed = pageLabel_->sizeHint().width();
    if (needed > drawn.width())
        pageLabel_->setGeometry(drawn.adjusted(-(needed - drawn.width() + 1) / 2, 0, (needed - drawn.width() + 1) / 2, 0));
    else
        pageLabel_->setGeometry(drawn);
}

void FrontScreen::showNextPage()
{
    if ((game_.currentPage + 1) * kSlots >= pictureList_.count())
        return;
    ++game_.currentPage;
    showPage();
    showPageNumber();
}

void FrontScreen::showPreviousPage()
{
    if (game_.currentPage == 0)
        return;
    --game_.currentPage;
    showPage();
    showPageNumber();
}

void FrontScreen::startGame(int slot)
{
    const int index = game_.currentPage * kSlots + slot;
    if (slot < 0 || slot >= kSlots || index > pictureList_.count() - 1)
        return;
    game_.selectedPicture = static_cast<std::int16_t>(index);
    const QString path = pictureList_.fullPath(index);
    hide();
    // When the picture cannot be opened the play screen tells the player
    // and brings this window back; otherwise it reports gameStarted.
    playScreen().startGame(path, animateCheck_->isChecked());
}

} // namespace tilemere
