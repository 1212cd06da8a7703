#pragma once
// The folder list. It shows the chain of folders from the root down to
// the current folder, each deeper one indented, then the current folder's
// subfolders one step deeper. A double-click opens a folder; a single click
// only highlights it; Enter opens the highlighted folder.
//
// Drawn here row by row with the style's item-view look rather than made of
// Qt's tree view: the view, its model, header and delegate would be half
// the code the front screen loads, for a list of a few rows. A scroll bar
// is made only once the rows overflow.

#include "ListAccessibility.h"
#include "TypeAheadSearch.h"

#include <QFrame>
#include <QIcon>

#include <vector>

class QScrollBar;

class FolderList : public QFrame, public listaccess::Described {
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

    // The names the rows show, from the root down, and where row k is drawn.
    QStringList rowNames() const;
    QRect rowRect(int row) const;

    QString highlightedText() const override;

signals:
    // The current folder changed.
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    struct Row {
        QString name;
        QString path;
        int depth;
        bool open; // a folder of the chain, drawn open
    };

    void fill();
    void highlight(int row);
    int rowHeight() const;
    int visibleRows() const;
    int rowAt(QPoint point) const;
    void scrollTo(int firstRow);
    void updateScrollBar();
    QRect listArea() const;

    QString path_;
    std::vector<Row> rows_;
    int highlighted_ = -1;
    int firstShown_ = 0;
    int wheelTurned_ = 0; // eighths of a degree not yet scrolled
    QScrollBar *scrollBar_ = nullptr; // made when first needed
    QIcon openIcon_;
    QIcon closedIcon_;
    TypeAheadSearch search_;
};
