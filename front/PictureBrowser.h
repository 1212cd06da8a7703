#pragma once
// The picture browser of the front screen: the folder shown, its pages of
// nine thumbnails and the page label. A folder is read off the window's
// thread and its thumbnails are made there too, so however big or slow the
// folder, the window keeps answering. The window makes the controls and
// places them; the browser fills them.

#include "PictureFileList.h"

#include <QImage>
#include <QObject>
#include <QThreadPool>

#include <array>
#include <atomic>

class QLabel;
class QTimer;
class QWidget;

namespace tilemere {

class ClickLabel;
class ThumbnailLoader;
struct Game;

class PictureBrowser : public QObject {
    Q_OBJECT
public:
    static constexpr int kSlots = 9;

    struct Controls {
        QWidget *panel; // holds the slots; its first paint releases the thumbnails
        std::array<ClickLabel *, kSlots> thumbnailSlots;
        QLabel *pageLabel;
        QLabel *noPicturesLabel;
    };
    // Writes game.currentPage and game.pageCount.
    PictureBrowser(Game &game, const Controls &controls, QObject *parent);
    // Waits for a listing still reading the disk.
    ~PictureBrowser() override;

    // Shows the folder's first page once its pictures are known; meanwhile
    // the slots are empty and so is the page label. A folder opened before
    // the last one was read replaces it: the older listing is dropped.
    void openFolder(const QString &folder);
    // The pictures of the folder shown; empty while it is being read.
    const PictureFileList &pictures() const { return pictures_; }
    bool listing() const { return listing_; }
    // Once the folder's pictures are known, and every thumbnail of the
    // page shown is in its slot.
    bool pageComplete() const;
    // Shows the no-pictures message whatever the folder holds, until the
    // page or the folder changes.
    void showNoPicturesUntilNextChange();

    // Precondition: 0 <= page, and page * 9 < pictures().count().
    void showPage(int page);
    void showNextPage();
    void showPreviousPage();

signals:
    // The pictures of folder are known and its first page is being shown.
    void folderListed(const QString &folder);
    // The window's first frame is on the screen.
    void firstFrameShown();

private:
    void takeListing(int generation, const PictureFileList &list);
    void showCurrentPage();
    void showPageNumber();
    void watchFirstFrame();
    void requestThumbnails();
    void showThumbnail(int generation, int slot, const QImage &thumbnail);
    void showArrivedThumbnails();

    Game &game_;
    Controls controls_;
    PictureFileList pictures_;
    bool listing_ = false;
    bool noPicturesKept_ = false;
    std::atomic<int> listingGeneration_{0}; // an older listing stops and is dropped
    ThumbnailLoader *thumbnailLoader_;
    int pageGeneration_ = 0; // a thumbnail of another page or folder is thrown away
    int thumbnailsMissing_ = 0;
    bool thumbnailsHeld_ = true; // until the window is first drawn
    std::array<QImage, kSlots> arrivedThumbnails_; // made, not shown yet
    QTimer *arrivalPause_;
    QThreadPool readers_; // last: its threads end before what they use
};

} // namespace tilemere
