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
#include "Thumbnails.h"

#include <QtConcurrent/QtConcurrentMap>

#include <QCheckBox>
#include <QLabel>

namespace tilemere {

namespace {

constexpr int kSlots = 9;

} // namespace

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

    const int first = game_.currentPage * kSlots;
    const int last = std::min(first + kSlots, count) - 1;
    const QSize slotSize = thumbnailSlots_[0]->size();
    QStringList paths;
    for (int j = first; j <= last; ++j)
        paths.append(pictureList_.fullPath(j));
    // Read from disk every time the page is shown; nothing is kept. The
    // pictures decode side by side, and the page is complete when this returns.
    const QList<QImage> pictures = QtConcurrent::blockingMapped(
        paths, [slotSize](const QString &path) { return thumbnails::thumbnailFor(path, slotSize); });
    for (qsizetype slot = 0; slot < pictures.size(); ++slot)
        thumbnailSlots_[static_cast<std::size_t>(slot)]->setImage(pictures[slot], true);
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
    // When the picture cannot be opened the play screen has told the player
    // and brought this window back.
    if (playScreen().startGame(path, animateCheck_->isChecked()))
        emit gameStarted(path);
}

} // namespace tilemere
