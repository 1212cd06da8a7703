#pragma once
// The folder list. It shows the chain of folders from the root down to
// the current folder, each deeper one indented, then the current folder's
// subfolders one step deeper. A double-click opens a folder; a single click
// only highlights it; Enter opens the highlighted folder.

#include <QIcon>
#include <QTreeWidget>

class FolderList : public QTreeWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget *parent);

    // The current folder, absolute, without a trailing "/" (except the root).
    const QString &path() const { return path_; }

    // Opens folder and raises changed(), also when it is the folder shown.
    // False, and nothing changes, when folder is not an existing folder. A
    // folder that cannot be listed opens with no subfolders.
    bool setPath(const QString &folder);

    // The folder of the highlighted row; the current folder when none is.
    QString highlightedPath() const;

signals:
    // The current folder changed.
    void changed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // Every row is always open, so there are no expand marks to draw.
    void drawBranches(QPainter *, const QRect &, const QModelIndex &) const override {}

private:
    void fill();

    QString path_;
    QIcon openIcon_;
    QIcon closedIcon_;
};
