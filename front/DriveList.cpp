#include "DriveList.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QSocketNotifier>
#include <QStorageInfo>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace {

bool volumeHolds(const QString &root, const QString &folder)
{
    if (root == QLatin1String("/"))
        return folder.startsWith(QLatin1Char('/'));
    return folder == root || folder.startsWith(root + QLatin1Char('/'));
}

} // namespace

DriveList::DriveList(QWidget *parent, VolumeSource source) : QComboBox(parent), source_(std::move(source))
{
    setAccessibleName(tr("Drives"));
    setFocusPolicy(Qt::WheelFocus);
    connect(this, &QComboBox::activated, this, [this](int index) { emit volumePicked(itemText(index)); });
    shownFolder_ = QDir::currentPath();
    readVolumes();
    watchMounts();
}

void DriveList::setVolumeSource(VolumeSource source)
{
    source_ = std::move(source);
    readVolumes();
}

void DriveList::showVolumeOf(const QString &folder)
{
    shownFolder_ = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    int best = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemText(i);
        if (volumeHolds(root, shownFolder_) && (best < 0 || root.size() > itemText(best).size()))
            best = i;
    }
    if (best >= 0)
        setCurrentIndex(best); // raises no pick: only activated does
}

void DriveList::readVolumes()
{
    const QStringList roots = source_ ? source_() : QStringList();
    QStringList listed;
    for (int i = 0; i < count(); ++i)
        listed << itemText(i);
    if (roots == listed)
        return;
    clear();
    addItems(roots);
    showVolumeOf(shownFolder_);
}

void DriveList::showPopup()
{
    readVolumes();
    QComboBox::showPopup();
}

// The kernel marks the mount table as changed to whoever polls it for
// priority data; Qt's exception notifier polls exactly that.
void DriveList::watchMounts()
{
    const int mounts = ::open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
    if (mounts < 0)
        return;
    mountsChanged_ = new QSocketNotifier(mounts, QSocketNotifier::Exception, this);
    connect(mountsChanged_, &QSocketNotifier::activated, this, [this] { readVolumes(); });
    connect(this, &QObject::destroyed, [mounts] { ::close(mounts); });
}

QStringList DriveList::mountedVolumeRoots()
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        // Containers bind single files (/etc/hosts) as mounts; only folders
        // can be browsed.
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() && QFileInfo(root).isDir() && !roots.contains(root))
            roots << root;
    }
    std::sort(roots.begin(), roots.end(), [](const QString &a, const QString &b) {
        if ((a == QLatin1String("/")) != (b == QLatin1String("/")))
            return a == QLatin1String("/");
        return a < b;
    });
    if (roots.isEmpty())
        roots << QStringLiteral("/");
    return roots;
}
