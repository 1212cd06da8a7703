// Counts, pages and indexes are kept 16-bit, as everywhere else in the game,
// but worked out in int: at 32767 pictures a page's end lies beyond what 16
// bits hold.
#include "PictureBrowser.h"

#include "Controls.h"
#include "FrontScreenLayout.h"
#include "FrontScreen.h"
#include "Game.h"
#include "ThumbnailLoader.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <functional>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace tilemere {

namespace {

constexpr int kSlots = PictureBrowser::kSlots;

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
// every core at once would slow down on a machine with few.) An X server
// has it once it answers a round trip. A Wayland compositor says so with
// the frame callback of that commit, which is what an update request waits
// for there; a compositor that sends none (the window hidden) is not waited
// for beyond a frame or two.
class FirstFrameWatcher : public QObject {
public:
    FirstFrameWatcher(QWidget &watched, std::function<void()> handedOver, std::function<void()> shown)
        : QObject(&watched), watched_(watched), handedOver_(std::move(handedOver)), shown_(std::move(shown))
    {
        watched.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (object == &watched_ && event->type() == QEvent::Paint) {
            watched_.removeEventFilter(this);
            QTimer::singleShot(0, this, &FirstFrameWatcher::frameHandedOver);
        } else if (object == frameWindow_ && event->type() == QEvent::UpdateRequest) {
            frameTaken();
        }
        return false;
    }

private:
    void frameHandedOver()
    {
        handedOver_();
        const QString platform = QGuiApplication::platformName();
        QWindow *window = watched_.window()->windowHandle();
        if (platform.startsWith(QLatin1String("wayland")) && window) {
            frameWindow_ = window;
            window->installEventFilter(this);
            window->requestUpdate();
            QTimer::singleShot(kLongestFrameWait, this, &FirstFrameWatcher::frameTaken);
            return;
        }
        if (platform == QLatin1String("xcb"))
            QGuiApplication::sync();
        frameTaken();
    }

    void frameTaken()
    {
        if (done_)
            return;
        done_ = true;
        if (frameWindow_)
            frameWindow_->removeEventFilter(this);
        shown_();
        deleteLater();
    }

    static constexpr int kLongestFrameWait = 50; // ms
    QWidget &watched_;
    QPointer<QWindow> frameWindow_;
    bool done_ = false;
    std::function<void()> handedOver_;
    std::function<void()> shown_;
};

} // namespace

PictureBrowser::PictureBrowser(Game &game, const Controls &controls, QObject *parent)
    : QObject(parent), game_(game), controls_(controls)
{
    // A listing that a slow disk holds up must not keep the next folder
    // waiting behind it, so a few may run; the dropped ones end soon.
    readers_.setMaxThreadCount(4);
    thumbnailLoader_ = new ThumbnailLoader(ThumbnailCache(), this);
    connect(thumbnailLoader_, &ThumbnailLoader::thumbnailReady, this, &PictureBrowser::showThumbnail);
    // Thumbnails from the cache come a millisecond apart: shown together, a
    // page is one repaint rather than nine. None waits more than half a
    // frame, and the page's last is shown the moment it comes.
    arrivalPause_ = new QTimer(this);
    arrivalPause_->setSingleShot(true);
    arrivalPause_->setInterval(8);
    connect(arrivalPause_, &QTimer::timeout, this, &PictureBrowser::showArrivedThumbnails);
    watchFirstFrame();
}

PictureBrowser::~PictureBrowser()
{
    ++listingGeneration_;
    readers_.waitForDone();
}

void PictureBrowser::watchFirstFrame()
{
    // The window is drawn whole before any picture is decoded: the decodes
    // would only take the cores it needs to start. While the display server
    // takes the frame, one core is left to it.
    new FirstFrameWatcher(
        *controls_.panel,
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

void PictureBrowser::openFolder(const QString &folder)
{
    const int generation = ++listingGeneration_;
    listing_ = true;
    noPicturesKept_ = false;
    pictures_ = PictureFileList(folder);
    game_.currentPage = 0;
    game_.pageCount = 0;
    showCurrentPage();
    showPageNumber();
    readers_.start([this, folder, generation] {
        PictureFileList list =
            PictureFileList::read(folder, [this, generation] { return listingGeneration_.load() != generation; });
        if (listingGeneration_.load() != generation)
            return;
        // The browser waits for this pool before it goes, so it is still
        // there to take the list.
        QMetaObject::invokeMethod(
            this, [this, generation, list = std::move(list)] { takeListing(generation, list); }, Qt::QueuedConnection);
    });
}

void PictureBrowser::takeListing(int generation, const PictureFileList &list)
{
    if (generation != listingGeneration_.load())
        return;
    listing_ = false;
    pictures_ = list;
    game_.currentPage = 0;
    game_.pageCount = static_cast<std::int16_t>(pictures_.count() / kSlots);
    showCurrentPage();
    showPageNumber();
    emit folderListed(pictures_.path());
}

bool PictureBrowser::pageComplete() const
{
    return !listing_ && !thumbnailsHeld_ && thumbnailsMissing_ == 0;
}

void PictureBrowser::showNoPicturesUntilNextChange()
{
    noPicturesKept_ = true;
    controls_.noPicturesLabel->show();
}

void PictureBrowser::showPage(int page)
{
    noPicturesKept_ = false;
    game_.currentPage = static_cast<std::int16_t>(page);
    showCurrentPage();
    showPageNumber();
}

void PictureBrowser::showNextPage()
{
    if ((game_.currentPage + 1) * kSlots >= pictures_.count())
        return;
    showPage(game_.currentPage + 1);
}

void PictureBrowser::showPreviousPage()
{
    if (game_.currentPage == 0)
        return;
    showPage(game_.currentPage - 1);
}

void PictureBrowser::showCurrentPage()
{
    const int count = pictures_.count();
    // Until the folder is read it is not known to be empty.
    controls_.noPicturesLabel->setVisible(noPicturesKept_ || (!listing_ && count <= 0));
    for (ClickLabel *slot : controls_.thumbnailSlots)
        slot->clear();
    // Screen readers read each thumbnail by its picture's file name.
    for (int k = 0, first = game_.currentPage * kSlots; k < kSlots; ++k)
        controls_.thumbnailSlots[k]->setAccessibleName(first + k < count ? pictures_.entry(first + k) : QString());

    // Whatever is still on its way belongs to another page now.
    ++pageGeneration_;
    thumbnailLoader_->cancelAll();
    arrivalPause_->stop();
    arrivedThumbnails_.fill(QImage());
    thumbnailsMissing_ = std::clamp(count - game_.currentPage * kSlots, 0, kSlots);
    requestThumbnails();
}

void PictureBrowser::requestThumbnails()
{
    if (thumbnailsHeld_)
        return;
    const int first = game_.currentPage * kSlots;
    // Made afresh every time the page is shown, at the screen's own pixel
    // density; the shared thumbnail cache keeps that quick.
    const QWidget &slot = *controls_.thumbnailSlots[0];
    const qreal density = slot.devicePixelRatioF();
    const QSize pixels = (QSizeF(slot.size()) * density).toSize();
    for (int k = 0; k < thumbnailsMissing_; ++k)
        thumbnailLoader_->request(pageGeneration_, k, pictures_.fullPath(first + k), pixels);
}

void PictureBrowser::showThumbnail(int generation, int slot, const QImage &thumbnail)
{
    if (generation != pageGeneration_ || slot < 0 || slot >= kSlots)
        return;
    arrivedThumbnails_[static_cast<std::size_t>(slot)] = thumbnail;
    if (--thumbnailsMissing_ == 0)
        showArrivedThumbnails();
    else if (!arrivalPause_->isActive())
        arrivalPause_->start();
}

void PictureBrowser::showArrivedThumbnails()
{
    arrivalPause_->stop();
    const qreal density = controls_.thumbnailSlots[0]->devicePixelRatioF();
    for (int k = 0; k < kSlots; ++k) {
        QImage &arrived = arrivedThumbnails_[static_cast<std::size_t>(k)];
        if (arrived.isNull())
            continue;
        arrived.setDevicePixelRatio(density);
        controls_.thumbnailSlots[static_cast<std::size_t>(k)]->setImage(arrived, true);
        arrived = QImage();
    }
    if (thumbnailsMissing_ == 0)
        returnFreedMemory();
}

void PictureBrowser::showPageNumber()
{
    QLabel &label = *controls_.pageLabel;
    const int count = pictures_.count();
    // Empty while the folder is read: its count is not known yet.
    if (count == 0) {
        label.clear();
        return;
    }
    const int total = count % kSlots == 0 ? game_.pageCount : game_.pageCount + 1;
    label.setText(FrontScreen::tr("Page %1 of %n page(s)", nullptr, total).arg(game_.currentPage + 1));
    // Page numbers in the thousands outgrow the label as drawn: it widens
    // about its centre rather than cut the text off.
    const QRect drawn = frontlayout::pageLabelPlace().toPixels();
    const int needed = label.sizeHint().width();
    if (needed > drawn.width())
        label.setGeometry(drawn.adjusted(-(needed - drawn.width() + 1) / 2, 0, (needed - drawn.width() + 1) / 2, 0));
    else
        label.setGeometry(drawn);
}

} // namespace tilemere
