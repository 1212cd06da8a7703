// The picture browser of the front screen: folders, pages of thumbnails,
// and starting a game from one of them. Counts, pages and indexes are 16-bit
// throughout, as everywhere else in the game.
#include "frmFront.h"

#include "Controls.h"
#include "DriveList.h"
#include "FolderList.h"
#include "Form1.h"
#include "GameState.h"
#include "Shell.h"
#include "Thumbnails.h"

#include <QtConcurrent/QtConcurrentMap>

#include <QCheckBox>
#include <QCoreApplication>

namespace {

constexpr std::int16_t kSlots = 9;

std::int16_t int16(int value)
{
    return static_cast<std::int16_t>(value);
}

} // namespace

void frmFront::Drive1_Change()
{
    // A volume that cannot be opened is ignored without a word: the folder
    // list stays where it was, and the drive list shows the one picked.
    const QString root = Drive1->drive();
    if (!tilemere::resourceFolderPresent(root))
        return;
    Dir1->setPath(root);
}

void frmFront::Dir1_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        Dir1->setPath(Dir1->highlightedPath());
}

void frmFront::Dir1_Change()
{
    gCurrentPage = 0;
    gPageCount = 0;
    for (tilemere::ClickLabel *slot : Image1)
        slot->clear();
    File1.setPath(Dir1->path());
    showThumbnailPage();
    gPageCount = int16(File1.count() / kSlots);
    showPageNumber();
}

void frmFront::showThumbnailPage()
{
    lblNoPicsAva->setVisible(File1.count() <= 0);
    for (tilemere::ClickLabel *slot : Image1)
        slot->clear();

    const std::int16_t first = int16(gCurrentPage * kSlots);
    const std::int16_t last =
        File1.count() > int16((gCurrentPage + 1) * kSlots) ? int16(first + kSlots - 1) : int16(File1.count() - 1);
    const QSize slotSize = Image1[0]->size();
    QStringList paths;
    for (std::int16_t j = first; j <= last; ++j)
        paths.append(File1.fullPath(j));
    // Read from disk every time the page is shown; nothing is kept. The
    // pictures decode side by side, and the page is complete when this returns.
    const QList<QImage> pictures = QtConcurrent::blockingMapped(
        paths, [slotSize](const QString &path) { return thumbnails::thumbnailFor(path, slotSize); });
    for (qsizetype slot = 0; slot < pictures.size(); ++slot)
        Image1[static_cast<std::size_t>(slot)]->setImage(pictures[slot], true);
}

void frmFront::showPageNumber()
{
    const std::int16_t n = File1.count();
    if (n == 0) {
        lblPageNo->clear();
        return;
    }
    const std::int16_t total = n % kSlots == 0 ? gPageCount : int16(gPageCount + 1);
    lblPageNo->setText(QStringLiteral("Page %1 of %2 page(s)").arg(gCurrentPage + 1).arg(total));
}

void frmFront::lblNext_Click()
{
    if (int16((gCurrentPage + 1) * kSlots) >= File1.count())
        return;
    gCurrentPage = int16(gCurrentPage + 1);
    showThumbnailPage();
    showPageNumber();
}

void frmFront::lblPrevious_Click()
{
    if (gCurrentPage == 0)
        return;
    gCurrentPage = int16(gCurrentPage - 1);
    showThumbnailPage();
    showPageNumber();
}

QString frmFront::chosenPicturePath() const
{
    if (gSelectedPicture < 0 || gSelectedPicture >= File1.count())
        return {};
    return File1.fullPath(gSelectedPicture);
}

Form1 &frmFront::playScreen()
{
    Form1 &play = Form1::instance();
    play.setFrontScreen(
        this, [this] { return chosenPicturePath(); }, [this] { return chkAnimShuffle->isChecked(); });
    return play;
}

void frmFront::Image1_Click(int Index)
{
    const std::int16_t index = int16(gCurrentPage * kSlots + Index);
    if (index > File1.count() - 1)
        return;
    gSelectedPicture = index;
    hide();
    Form1 &play = playScreen();
    play.show();
    // Let the play screen draw itself before the shuffle takes the thread.
    QCoreApplication::processEvents();
    // When the picture cannot be opened the play screen has told the player
    // and brought this window back; there is no game to place.
    if (!play.createNewGame(gBoardSide))
        return;
    tilemere::placeForm(play);
    QCoreApplication::processEvents();
}
