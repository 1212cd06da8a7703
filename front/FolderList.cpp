#include "FolderList.h"

#include "PngFile.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int kPathRole = Qt::UserRole;

QString childPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// The classic open and closed folders, drawn by Qt's own styles and read
// here as the PNG files they are (Qt's reader, left to guess the type,
// would ask every image plugin about them). The desktop's icon theme is not
// asked: looking one up reads the theme's folders, which at start-up costs
// more than the whole folder list.
QIcon folderIcon(const QStyle &style, QStyle::StandardPixmap which, const char *builtInName)
{
    QIcon icon;
    for (const int size : {16, 32}) { // a row's size, and that at double density
        const QImage image = tilemere::png::load(
            QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png").arg(QLatin1String(builtInName)).arg(size),
            size * size);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon.isNull() ? style.standardIcon(which) : icon;
}

} // namespace

FolderList::FolderList(QWidget *parent) : QTreeWidget(parent)
{
    // A tree whose every row is always open gives the classic indented
    // chain; only the branch marks are left out (drawBranches).
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(10);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

bool FolderList::setPath(const QString &folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return false;
    path_ = QDir::cleanPath(info.absoluteFilePath());
    fill();
    emit changed();
    return true;
}

QString FolderList::highlightedPath() const
{
    const QTreeWidgetItem *item = currentItem();
    return item ? item->data(0, kPathRole).toString() : path_;
}

void FolderList::fill()
{
    clear();
    if (openIcon_.isNull()) {
        openIcon_ = folderIcon(*style(), QStyle::SP_DirOpenIcon, "diropen");
        closedIcon_ = folderIcon(*style(), QStyle::SP_DirClosedIcon, "dirclosed");
    }

    auto *current = new QTreeWidgetItem(this, {QStringLiteral("/")});
    current->setIcon(0, openIcon_);
    current->setData(0, kPathRole, QStringLiteral("/"));
    QString walked = QStringLiteral("/");
    for (const QString &part : path_.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        walked = childPath(walked, part);
        auto *item = new QTreeWidgetItem(current, {part});
        item->setIcon(0, openIcon_);
        item->setData(0, kPathRole, walked);
        current = item;
    }

    // Hidden folders are left out, as the file list leaves out hidden files.
    // An unreadable folder lists nothing and simply shows no subfolders.
    QStringList subfolders = QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(subfolders.begin(), subfolders.end(), [&collator](const QString &a, const QString &b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    for (const QString &name : subfolders) {
        auto *item = new QTreeWidgetItem(current, {name});
        item->setIcon(0, closedIcon_);
        item->setData(0, kPathRole, childPath(path_, name));
    }

    expandAll();
    setCurrentItem(current);
    scrollToItem(current);
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    // Enter opens the highlighted folder, as a double-click does; every
    // other key keeps the list's own behaviour.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        setPath(highlightedPath());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void FolderList::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (const QTreeWidgetItem *item = itemAt(event->position().toPoint()))
        setPath(item->data(0, kPathRole).toString());
}
