#pragma once
// The folder list. It shows the chain of folders from the root down to
// the current folder, each deeper one indented, then the current folder's
// subfolders one step deeper. A double-click opens a folder; a single click
// only highlights it; Enter opens the highlighted folder. Typing the start
// of a name finds it. The list follows the disk: a subfolder made or
// removed while it is shown comes or goes, and when the folder shown
// itself goes, the list climbs to the nearest folder still there.

#include <QTreeView>

class QFileSystemWatcher;
class QTimer;
class FolderModel;

class FolderList : public QTreeView {
    Q_OBJECT
public:
    explicit FolderList(QWidget *parent);

    // The current folder, absolute, without a trailing "/" (except the root).
    const QString &path() const;

    // Opens folder and raises changed(), also when it is the folder shown.
    // False, and nothing changes, when folder is not an existing folder. A
    // folder that cannot be listed opens with no subfolders. Its subfolders
    // come a moment later (see listing()).
    bool setPath(const QString &folder);

    // The folder of the highlighted row; the current folder when none is.
    QString highlightedPath() const;

    // The names the rows show, from the root down, and where row k is
    // drawn, in the viewport's coordinates.
    QStringList rowNames() const;
    QRect rowRect(int row) const;

    // True while the subfolders of the folder shown are being read.
    bool listing() const;

    // From now on folders sort as the player's language sorts them
    // (called once the window is on the screen: the collation costs time).
    void sortBy(const QLocale &locale);

signals:
    // The current folder changed.
    void changed();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openRow(const QModelIndex &index);
    void restoreHighlight();
    void followDisk();

    FolderModel *model_;
    QString highlighted_; // the highlighted row's folder, kept across relistings
    QFileSystemWatcher *watcher_ = nullptr; // made with the first folder
    QTimer *settle_ = nullptr; // many changes in a row are read once
};
