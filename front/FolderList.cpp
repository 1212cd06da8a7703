#include "FolderList.h"

#include "PictureFileList.h"
#include "PngFile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace {

constexpr int kIndentation = 10; // per level, in pixels
constexpr int kIconSide = 16;

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
    for (const int size : {kIconSide, 2 * kIconSide}) { // a row's size, and that at double density
        const QImage image = tilemere::png::load(
            QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png").arg(QLatin1String(builtInName)).arg(size),
            size * size);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon.isNull() ? style.standardIcon(which) : icon;
}

} // namespace

FolderList::FolderList(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    listaccess::describe(*this, QAccessible::List);
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
    return highlighted_ >= 0 ? rows_[static_cast<std::size_t>(highlighted_)].path : path_;
}

QString FolderList::highlightedText() const
{
    return highlighted_ >= 0 ? rows_[static_cast<std::size_t>(highlighted_)].name : QString();
}

QStringList FolderList::rowNames() const
{
    QStringList names;
    for (const Row &row : rows_)
        names << row.name;
    return names;
}

QRect FolderList::rowRect(int row) const
{
    const QRect area = listArea();
    return QRect(area.left(), area.top() + (row - firstShown_) * rowHeight(), area.width(), rowHeight());
}

void FolderList::fill()
{
    if (openIcon_.isNull()) {
        openIcon_ = folderIcon(*style(), QStyle::SP_DirOpenIcon, "diropen");
        closedIcon_ = folderIcon(*style(), QStyle::SP_DirClosedIcon, "dirclosed");
    }
    rows_.clear();
    rows_.push_back({QStringLiteral("/"), QStringLiteral("/"), 0, true});
    QString walked = QStringLiteral("/");
    for (const QString &part : path_.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        walked = childPath(walked, part);
        rows_.push_back({part, walked, static_cast<int>(rows_.size()), true});
    }
    const int current = static_cast<int>(rows_.size()) - 1;

    // Hidden folders are left out, as the file list leaves out hidden files.
    // An unreadable folder lists nothing and simply shows no subfolders.
    QStringList subfolders = QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    // In the pictures' order: "Trip 2" before "Trip 10".
    std::sort(subfolders.begin(), subfolders.end(),
              [](const QString &a, const QString &b) { return naturalCompare(a, b) < 0; });
    for (const QString &name : subfolders)
        rows_.push_back({name, childPath(path_, name), current + 1, false});

    firstShown_ = 0;
    highlighted_ = -1;
    updateScrollBar();
    highlight(current);
}

void FolderList::highlight(int row)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    const bool moved = row != highlighted_;
    highlighted_ = row;
    if (row < firstShown_)
        scrollTo(row);
    else if (row >= firstShown_ + visibleRows())
        scrollTo(row - visibleRows() + 1);
    update();
    if (moved)
        listaccess::highlightMoved(*this, highlightedText());
}

int FolderList::rowHeight() const
{
    // As an item view sizes its rows: the style's size of an item with an
    // icon and a line of text.
    QStyleOptionViewItem option;
    option.initFrom(this);
    option.font = font();
    option.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    option.decorationSize = QSize(kIconSide, kIconSide);
    option.text = QStringLiteral("/");
    option.icon = openIcon_;
    return std::max(1, style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height());
}

QRect FolderList::listArea() const
{
    QRect area = contentsRect();
    if (scrollBar_ && !scrollBar_->isHidden())
        area.setRight(scrollBar_->geometry().left() - 1);
    return area;
}

int FolderList::visibleRows() const
{
    return std::max(1, contentsRect().height() / rowHeight());
}

int FolderList::rowAt(QPoint point) const
{
    const QRect area = listArea();
    if (!area.contains(point))
        return -1;
    const int row = firstShown_ + (point.y() - area.top()) / rowHeight();
    return row < static_cast<int>(rows_.size()) ? row : -1;
}

void FolderList::scrollTo(int firstRow)
{
    const int last = std::max(0, static_cast<int>(rows_.size()) - visibleRows());
    firstShown_ = std::clamp(firstRow, 0, last);
    if (scrollBar_)
        scrollBar_->setValue(firstShown_);
    update();
}

void FolderList::updateScrollBar()
{
    const int hidden = static_cast<int>(rows_.size()) - visibleRows();
    if (hidden <= 0 && !scrollBar_)
        return;
    if (!scrollBar_) {
        scrollBar_ = new QScrollBar(Qt::Vertical, this);
        connect(scrollBar_, &QScrollBar::valueChanged, this, &FolderList::scrollTo);
    }
    const QRect inside = contentsRect();
    const int width = scrollBar_->sizeHint().width();
    scrollBar_->setGeometry(inside.right() - width + 1, inside.top(), width, inside.height());
    scrollBar_->setRange(0, std::max(0, hidden));
    scrollBar_->setPageStep(visibleRows());
    scrollBar_->setValue(firstShown_);
    scrollBar_->setVisible(hidden > 0);
}

void FolderList::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = listArea();
    painter.setClipRect(area & event->rect());

    // The look of a one-column tree view's rows: the highlight across the
    // whole row, the item itself drawn by the style.
    QStyleOptionViewItem option;
    option.initFrom(this);
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    option.font = font();
    option.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    option.decorationSize = QSize(kIconSide, kIconSide);
    option.decorationPosition = QStyleOptionViewItem::Left;
    option.decorationAlignment = Qt::AlignCenter;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.textElideMode = Qt::ElideRight;
    option.viewItemPosition = QStyleOptionViewItem::OnlyOne;
    option.showDecorationSelected = true;
    const bool wholeRow = style()->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, &option, this);

    const int height = rowHeight();
    for (int row = firstShown_; row < static_cast<int>(rows_.size()); ++row) {
        const int top = area.top() + (row - firstShown_) * height;
        if (top > area.bottom())
            break;
        const Row &shown = rows_[static_cast<std::size_t>(row)];
        QStyleOptionViewItem item = option;
        item.rect = QRect(area.left(), top, shown.depth * kIndentation, height);
        if (row == highlighted_) {
            item.state |= QStyle::State_Selected;
            if (hasFocus())
                item.state |= QStyle::State_HasFocus;
            if (wholeRow && item.rect.width() > 0)
                style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &item, &painter, this);
        }
        item.rect = QRect(area.left() + shown.depth * kIndentation, top, area.width() - shown.depth * kIndentation, height);
        item.text = shown.name;
        item.icon = shown.open ? openIcon_ : closedIcon_;
        style()->drawControl(QStyle::CE_ItemViewItem, &item, &painter, this);
    }
}

void FolderList::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    updateScrollBar();
    scrollTo(firstShown_);
}

void FolderList::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    // The rows' height follows the font and the style.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateScrollBar();
        scrollTo(firstShown_);
    }
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    const int count = static_cast<int>(rows_.size());
    const int at = highlighted_;
    const int depth = at >= 0 ? rows_[static_cast<std::size_t>(at)].depth : 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: // opens the highlighted folder, as a double-click does
        setPath(highlightedPath());
        break;
    case Qt::Key_Up:
        highlight(std::max(0, at - 1));
        break;
    case Qt::Key_Down:
        highlight(std::min(count - 1, at + 1));
        break;
    case Qt::Key_PageUp:
        highlight(std::max(0, at - visibleRows()));
        break;
    case Qt::Key_PageDown:
        highlight(std::min(count - 1, at + visibleRows()));
        break;
    case Qt::Key_Home:
        highlight(0);
        break;
    case Qt::Key_End:
        highlight(count - 1);
        break;
    case Qt::Key_Left: // to the folder holding this one
        for (int row = at - 1; row >= 0; --row)
            if (rows_[static_cast<std::size_t>(row)].depth < depth) {
                highlight(row);
                break;
            }
        break;
    case Qt::Key_Right: // to the first folder inside this one
        if (at + 1 < count && rows_[static_cast<std::size_t>(at + 1)].depth > depth)
            highlight(at + 1);
        break;
    default:
        if (event->text().isEmpty() || !event->text().front().isPrint() ||
            (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            QFrame::keyPressEvent(event);
            return;
        }
        highlight(search_.find(event->text(), at, count,
                               [this](int row) { return rows_[static_cast<std::size_t>(row)].name; }));
        event->accept();
        return;
    }
    search_.reset();
    event->accept();
}

void FolderList::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        highlight(rowAt(event->position().toPoint()));
}

void FolderList::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (const int row = rowAt(event->position().toPoint()); row >= 0 && event->button() == Qt::LeftButton)
        setPath(rows_[static_cast<std::size_t>(row)].path);
}

void FolderList::wheelEvent(QWheelEvent *event)
{
    event->accept();
    wheelTurned_ += event->angleDelta().y();
    const int notches = wheelTurned_ / QWheelEvent::DefaultDeltasPerStep;
    wheelTurned_ -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0)
        scrollTo(firstShown_ - notches * QApplication::wheelScrollLines());
}
