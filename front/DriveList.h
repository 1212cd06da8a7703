#pragma once
// The drive list: the mounted volumes, each shown by its root folder, the
// root "/" first. Picking one, even the one shown, is reported by
// volumePicked. The volumes are read again whenever the mounts change and
// each time the list drops down, so a stick plugged in after start is there.

#include <QComboBox>

#include <functional>

class QSocketNotifier;

class DriveList : public QComboBox {
    Q_OBJECT
public:
    // The roots of the mounted volumes, in the order shown.
    using VolumeSource = std::function<QStringList()>;

    // Lists the volumes source gives and shows, without raising a pick, the
    // one holding the current working folder.
    explicit DriveList(QWidget *parent, VolumeSource source = mountedVolumeRoots);

    // Reads the volumes from source from now on, at once.
    void setVolumeSource(VolumeSource source);

    // The root folder of the volume shown.
    QString drive() const { return currentText(); }

    // Shows the volume holding folder, the longest root that contains it,
    // without raising a pick; kept when the volumes are read again.
    void showVolumeOf(const QString &folder);

    // Reads the volumes again, keeping the one shown where it is still there.
    void readVolumes();

    void showPopup() override;

    // The mounted volumes that are ready and are folders, "/" first, then by name.
    static QStringList mountedVolumeRoots();

signals:
    // The player picked the volume with this root.
    void volumePicked(const QString &root);

private:
    void watchMounts();

    VolumeSource source_;
    QString shownFolder_;
    QSocketNotifier *mountsChanged_ = nullptr;
};
