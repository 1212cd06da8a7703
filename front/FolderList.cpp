#include "FolderList.h"

#include "DiskNames.h"
#include "FolderModel.h"

#include <QApplication>
#include <QDir>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>

#include <sys/stat.h>

namespace {

constexpr int kIndentation = 10; // per level, in pixels

bool isFolder(const QString &path)
{
    struct stat status {};
    return stat(tilemere::pathToDisk(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Indents each row by its depth, as a tree does, but never by more than
// half the list's width: from about twelve levels down the deeper folders
// stand at that cap, so the current folder's name stays in the list.
class IndentingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        item.state &= ~QStyle::State_MouseOver; // rows do not light up under the pointer
        const QWidget *view = option.widget;
        QStyle *style = view ? view->style() : QApplication::style();
        const int indent = std::min(index.data(FolderModel::DepthRole).toInt() * kIndentation, option.rect.width() / 2);
        item.showDecorationSelected = true;
        if (indent > 0 && (item.state & QStyle::State_Selected) &&
            style->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, &item, view)) {
            QStyleOptionViewItem band = item;
            band.rect.setWidth(indent);
            style->drawPrimitive(QStyle::PE_PanelItemViewRow, &band, painter, view);
        }
        item.rect.setLeft(item.rect.left() + indent);
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, view);
    }
};

} // namespace

FolderList::FolderList(QWidget *parent) : QTreeView(parent), model_(new FolderModel(this))
{
    setModel(model_);
    setItemDelegate(new IndentingDelegate(this));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    header()->setStretchLastSection(true);
    // Named as its (hidden) column is, for screen readers.
    setAccessibleName(model_->headerData(0, Qt::Horizontal).toString());
    connect(this, &QAbstractItemView::doubleClicked, this, &FolderList::openRow);
    connect(model_, &QAbstractItemModel::modelReset, this, &FolderList::restoreHighlight);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    highlighted_ = current.data(FolderModel::PathRole).toString();
            });
}

const QString &FolderList::path() const
{
    return model_->folder();
}

bool FolderList::setPath(const QString &folder)
{
    if (folder.isEmpty() || !isFolder(folder))
        return false;
    const QString clean = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
    if (!watcher_) {
        watcher_ = new QFileSystemWatcher(this);
        settle_ = new QTimer(this);
        settle_->setSingleShot(true);
        settle_->setInterval(100);
        connect(watcher_, &QFileSystemWatcher::directoryChanged, settle_, qOverload<>(&QTimer::start));
        connect(settle_, &QTimer::timeout, this, &FolderList::followDisk);
    }
    if (!path().isEmpty())
        watcher_->removePath(path());
    highlighted_ = clean;
    model_->setFolder(clean);
    watcher_->addPath(clean);
    scrollToTop();
    restoreHighlight();
    emit changed();
    return true;
}

void FolderList::followDisk()
{
    if (isFolder(path())) {
        model_->relist();
        return;
    }
    // The folder shown is gone: to the nearest one holding it that is not.
    QString up = path();
    while (up != QLatin1String("/") && !isFolder(up))
        up = QDir::cleanPath(up + QStringLiteral("/.."));
    setPath(up);
}

void FolderList::restoreHighlight()
{
    const QModelIndexList found =
        model_->match(model_->index(0, 0), FolderModel::PathRole, highlighted_, 1, Qt::MatchExactly);
    const QModelIndex row = found.isEmpty() ? model_->index(model_->chainLength() - 1, 0) : found.first();
    setCurrentIndex(row);
    scrollTo(row);
}

QString FolderList::highlightedPath() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.data(FolderModel::PathRole).toString() : path();
}

QStringList FolderList::rowNames() const
{
    QStringList names;
    for (int row = 0; row < model_->rowCount(); ++row)
        names << model_->index(row, 0).data().toString();
    return names;
}

QRect FolderList::rowRect(int row) const
{
    return visualRect(model_->index(row, 0));
}

bool FolderList::listing() const
{
    return model_->listing();
}

void FolderList::sortBy(const QLocale &locale)
{
    model_->sortBy(locale);
    if (!path().isEmpty())
        model_->relist();
}

void FolderList::openRow(const QModelIndex &index)
{
    if (index.isValid())
        setPath(index.data(FolderModel::PathRole).toString());
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex at = currentIndex();
    const int depth = at.data(FolderModel::DepthRole).toInt();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: // opens the highlighted folder, as a double-click does
        openRow(at);
        event->accept();
        return;
    case Qt::Key_Left: // to the folder holding this one
        for (int row = at.row() - 1; row >= 0; --row)
            if (model_->index(row, 0).data(FolderModel::DepthRole).toInt() < depth) {
                setCurrentIndex(model_->index(row, 0));
                break;
            }
        event->accept();
        return;
    case Qt::Key_Right: // to the first folder inside this one
        if (const QModelIndex next = model_->index(at.row() + 1, 0);
            next.isValid() && next.data(FolderModel::DepthRole).toInt() > depth)
            setCurrentIndex(next);
        event->accept();
        return;
    default:
        QTreeView::keyPressEvent(event);
    }
}
