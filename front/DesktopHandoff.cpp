#include "DesktopHandoff.h"
#include "FrontScreen.h"

#include "DiskNames.h"
#include "PictureBrowser.h"
#include "PictureLoader.h"
#include "Shell.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <sys/stat.h>
#include <unistd.h>

namespace tilemere {

namespace {

// A local path from a path or a file:// address.
QString localPath(const QString &handed)
{
    return handed.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) ? QUrl(handed).toLocalFile() : handed;
}

// The first local file or folder among dropped addresses.
QString droppedPath(const QMimeData *data)
{
    if (data && data->hasUrls())
        for (const QUrl &url : data->urls())
            if (url.isLocalFile())
                return url.toLocalFile();
    return {};
}

QString absolute(const QString &path)
{
    return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
}

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

} // namespace

DesktopHandoff::DesktopHandoff(QWidget &window, PictureBrowser &browser,
                               std::function<bool(const QString &)> openFolder, std::function<void(int)> startGame)
    : QObject(&window), window_(window), browser_(browser), openFolder_(std::move(openFolder)),
      startGame_(std::move(startGame))
{
    lookers_.setMaxThreadCount(1); // handed paths are dealt with in the order they came
    connect(&browser_, &PictureBrowser::folderListed, this, &DesktopHandoff::startWaitingPicture);
}

DesktopHandoff::~DesktopHandoff()
{
    lookers_.waitForDone();
}

DesktopHandoff::Handed DesktopHandoff::whatIsAt(const QString &path)
{
    const QByteArray onDisk = pathToDisk(path);
    struct stat facts {};
    if (path.isEmpty() || ::stat(onDisk.constData(), &facts) != 0)
        return Handed::Missing;
    if (S_ISDIR(facts.st_mode))
        return resourceFolderPresent(path) ? Handed::Folder : Handed::Unreadable;
    // Only a regular file of an offered type: a pipe or a device named
    // like a picture is never opened.
    if (!S_ISREG(facts.st_mode) || !isPictureName(path.mid(path.lastIndexOf(u'/') + 1)))
        return Handed::NotAPicture;
    return ::access(onDisk.constData(), R_OK) == 0 ? Handed::Picture : Handed::Unreadable;
}

void DesktopHandoff::open(const QString &handed)
{
    lookAt(localPath(handed), false);
}

void DesktopHandoff::lookAt(const QString &path, bool quiet)
{
    ++looking_;
    lookers_.start([this, path, quiet] {
        const Handed what = whatIsAt(path);
        // This object waits for its pool before it goes.
        QMetaObject::invokeMethod(this, [this, path, what, quiet] { take(path, what, quiet); }, Qt::QueuedConnection);
    });
}

void DesktopHandoff::take(const QString &path, Handed what, bool quiet)
{
    --looking_;
    // A folder or picture handed over after a picture replaces it.
    if (what == Handed::Folder || what == Handed::Picture)
        waitingPicture_ = what == Handed::Picture ? absolute(path) : QString();
    // The disk may have changed since it was looked at.
    if ((what == Handed::Folder && !openFolder_(absolute(path)))
        || (what == Handed::Picture && !openFolder_(folderOf(waitingPicture_)))) {
        waitingPicture_.clear();
        what = Handed::Unreadable;
    }
    if (what != Handed::Folder && what != Handed::Picture && !quiet) {
        const QString text = what == Handed::Missing      ? FrontScreen::tr("There is no picture or folder at %1.")
                             : what == Handed::Unreadable ? FrontScreen::tr("%1 cannot be read.")
                                                          : FrontScreen::tr("%1 is not a picture the game can open.");
        showMessage(&window_, text.arg(path), window_.windowTitle());
    }
}

void DesktopHandoff::startWaitingPicture(const QString &folder)
{
    if (waitingPicture_.isEmpty())
        return;
    const QString picture = std::exchange(waitingPicture_, QString());
    // Another folder was opened meanwhile: the player has moved on.
    if (QDir::cleanPath(folder) != folderOf(picture))
        return;
    const int index = browser_.pictures().indexOf(picture.mid(picture.lastIndexOf(u'/') + 1));
    // A hidden file, or one beyond the most a folder offers.
    if (index < 0) {
        showMessage(&window_, FrontScreen::tr("%1 is not a picture the game can open.").arg(picture),
                    window_.windowTitle());
        return;
    }
    const int page = index / PictureBrowser::kSlots;
    if (page != 0)
        browser_.showPage(page);
    startGame_(index % PictureBrowser::kSlots);
}

void DesktopHandoff::enterDrag(QDragEnterEvent &event)
{
    // Whether it is a folder or a picture is found out once dropped: a
    // look at the disk here would hold the pointer up over a slow share.
    if (!droppedPath(event.mimeData()).isEmpty())
        event.acceptProposedAction();
}

void DesktopHandoff::drop(QDropEvent &event)
{
    const QString path = droppedPath(event.mimeData());
    if (path.isEmpty())
        return;
    event.acceptProposedAction();
    // Anything but a folder or a picture dropped is ignored without a word,
    // as a refused drop would be.
    lookAt(path, true);
}

} // namespace tilemere
