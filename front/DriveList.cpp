#include "DriveList.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <algorithm>

namespace {

bool volumeHolds(const QString &root, const QString &folder)
{
    if (root == QLatin1String("/"))
        return folder.startsWith(QLatin1Char('/'));
    return folder == root || folder.startsWith(root + QLatin1Char('/'));
}

int indexOfVolumeHolding(const QStringList &roots, const QString &folder)
{
    const QString absolute = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    int best = -1;
    for (int i = 0; i < roots.size(); ++i) {
        if (volumeHolds(roots[i], absolute) && (best < 0 || roots[i].size() > roots[best].size()))
            best = i;
    }
    return best;
}

} // namespace

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    setVolumes(mountedVolumeRoots());
    const QSignalBlocker quiet(this);
    showVolumeOf(QDir::currentPath());
}

void DriveList::setVolumes(const QStringList &roots)
{
    const QSignalBlocker quiet(this);
    clear();
    addItems(roots);
}

void DriveList::showVolumeOf(const QString &folder)
{
    QStringList roots;
    for (int i = 0; i < count(); ++i)
        roots << itemText(i);
    const int index = indexOfVolumeHolding(roots, folder);
    if (index >= 0)
        setCurrentIndex(index);
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
