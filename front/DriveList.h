#pragma once
// The drive list: the mounted volumes, each shown by its root folder, the root "/"
// first. Picking one is reported through currentIndexChanged.

#include <QComboBox>
#include <QStringList>

class DriveList : public QComboBox {
    Q_OBJECT
public:
    // Lists the mounted volumes and shows, without raising a change, the one
    // holding the current working folder.
    explicit DriveList(QWidget *parent);

    // Replaces the listed volumes by these roots, in this order, showing the
    // first; tests use it to offer a volume that cannot be opened.
    void setVolumes(const QStringList &roots);

    // The root folder of the volume shown.
    QString drive() const { return currentText(); }

    // Shows the volume holding folder: the longest root that contains it.
    // Raises currentIndexChanged only when that is another volume.
    void showVolumeOf(const QString &folder);

    // The mounted volumes that are ready and are folders, "/" first, then by name.
    static QStringList mountedVolumeRoots();
};
