#pragma once
// The drive list: the mounted volumes, each shown by its root folder, the root "/"
// first. Picking one is reported through currentIndexChanged.
//
// It looks and answers as the style's drop-down list does, drawn here: the
// volumes drop down as a menu when asked for, so no list view is made for a
// choice the player rarely opens.

#include "ListAccessibility.h"
#include "TypeAheadSearch.h"

#include <QStringList>
#include <QWidget>

class QStyleOptionComboBox;

class DriveList : public QWidget, public listaccess::Described {
    Q_OBJECT
public:
    // Lists the mounted volumes and shows, without raising a change, the one
    // holding the current working folder.
    explicit DriveList(QWidget *parent);

    // Replaces the listed volumes by these roots, in this order, showing the
    // first; tests use it to offer a volume that cannot be opened.
    void setVolumes(const QStringList &roots);

    // The root folder of the volume shown.
    QString drive() const { return roots_.value(current_); }
    int count() const { return static_cast<int>(roots_.size()); }
    int currentIndex() const { return current_; }
    // Shows the volume at index, raising currentIndexChanged if it is another.
    void setCurrentIndex(int index);

    // Shows the volume holding folder: the longest root that contains it.
    // Raises currentIndexChanged only when that is another volume.
    void showVolumeOf(const QString &folder);

    // Drops the volumes down, to pick one with the mouse or the keys.
    void showVolumes();

    QString highlightedText() const override { return drive(); }

    // The mounted volumes that are ready and are folders, "/" first, then by name.
    static QStringList mountedVolumeRoots();

signals:
    void currentIndexChanged(int index);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void initStyleOption(QStyleOptionComboBox &option) const;

    QStringList roots_;
    int current_ = -1;
    bool dropped_ = false; // the volumes are shown
    int wheelTurned_ = 0;  // eighths of a degree not yet used
    TypeAheadSearch search_;
};
