#include "PlayAccessibility.h"

#include "Board.h"
#include "BoardView.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>

#include <map>

namespace tilemere {

namespace {

constexpr const char *kAnnouncedRole = "announcedRole";

class BoardAccessible;

// One cell of the board. Cells have no widget of their own; the table makes
// them on demand and keeps them until the board's size changes.
class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CellAccessible(BoardView *view, BoardAccessible *table, int index) : view_(view), table_(table), index_(index) {}

    bool isValid() const override { return view_ && view_->board() && index_ < view_->board()->cellCount(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text what) const override
    {
        return what == QAccessible::Name && isValid() ? view_->cellName(index_) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const int side = view_->board()->side();
        const int cellWidth = view_->width() / side, cellHeight = view_->height() / side;
        const QPoint topLeft = view_->mapToGlobal(QPoint(columnIndex() * cellWidth, rowIndex() * cellHeight));
        return QRect(topLeft, QSize(cellWidth, cellHeight));
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.focused = isValid() && view_->focusCell() == index_;
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return isValid() ? index_ % view_->board()->side() : -1; }
    int rowIndex() const override { return isValid() ? index_ / view_->board()->side() : -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

private:
    QPointer<BoardView> view_;
    BoardAccessible *table_;
    int index_;
};

// The board: a table whose cells are its tiles, row by row.
class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardAccessible(BoardView *view) : QAccessibleWidget(view, QAccessible::Table) {}
    ~BoardAccessible() override { dropCells(); }

    BoardView *view() const { return static_cast<BoardView *>(widget()); }
    int side() const { return view()->board() ? view()->board()->side() : 0; }

    QString text(QAccessible::Text what) const override
    {
        if (what == QAccessible::Name && view()->accessibleName().isEmpty())
            return BoardView::tr("Board");
        return QAccessibleWidget::text(what);
    }
    int childCount() const override { return side() * side(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        // The cells of another size are stale: a new game changed the side.
        if (cellsSide_ != side()) {
            const_cast<BoardAccessible *>(this)->dropCells();
            cellsSide_ = side();
        }
        auto &cell = cells_[index];
        if (!cell) {
            cell = new CellAccessible(view(), const_cast<BoardAccessible *>(this), index);
            QAccessible::registerAccessibleInterface(cell);
        }
        return cell;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (const auto &[index, cell] : cells_)
            if (cell == child)
                return index;
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint local = view()->mapFromGlobal(QPoint(x, y));
        if (side() == 0 || !view()->rect().contains(local))
            return nullptr;
        const int column = local.x() * side() / view()->width(), row = local.y() * side() / view()->height();
        return child(row * side() + column);
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (row < 0 || column < 0 || row >= side() || column >= side())
            return nullptr;
        return child(row * side() + column);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override { return BoardView::tr("column %1").arg(column + 1); }
    QString rowDescription(int row) const override { return BoardView::tr("row %1").arg(row + 1); }
    int columnCount() const override { return side(); }
    int rowCount() const override { return side(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override { dropCells(); }

private:
    void dropCells()
    {
        for (const auto &[index, cell] : cells_)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cell));
        cells_.clear();
    }

    mutable std::map<int, CellAccessible *> cells_;
    mutable int cellsSide_ = 0;
};

QAccessibleInterface *CellAccessible::parent() const { return table_; }
QAccessibleInterface *CellAccessible::table() const { return table_; }

// A label read as a name with its text as the value: "Moves", "57".
class AnnouncedLabelAccessible : public QAccessibleWidget {
public:
    AnnouncedLabelAccessible(QLabel *label, QAccessible::Role role) : QAccessibleWidget(label, role) {}
    QString text(QAccessible::Text what) const override
    {
        if (what == QAccessible::Value)
            return static_cast<QLabel *>(widget())->text();
        return QAccessibleWidget::text(what);
    }
};

QAccessibleInterface *describe(const QString &className, QObject *object)
{
    if (className == QLatin1String("tilemere::BoardView"))
        return new BoardAccessible(static_cast<BoardView *>(object));
    if (className == QLatin1String("tilemere::AnnouncedLabel")) {
        const QVariant role = object->property(kAnnouncedRole);
        return new AnnouncedLabelAccessible(static_cast<QLabel *>(object),
                                            role.isValid() ? static_cast<QAccessible::Role>(role.toInt())
                                                           : QAccessible::StaticText);
    }
    return nullptr;
}

std::function<void(const QAccessibleEvent &)> &watcher()
{
    static std::function<void(const QAccessibleEvent &)> watching;
    return watching;
}

} // namespace

bool announcing()
{
    return watcher() || QAccessible::isActive();
}

void announce(QAccessibleEvent &event)
{
    if (watcher())
        watcher()(event);
    QAccessible::updateAccessibility(&event);
}

void setAnnouncementWatcher(std::function<void(const QAccessibleEvent &)> watching)
{
    watcher() = std::move(watching);
}

void installPlayAccessibility()
{
    static const bool installed = (QAccessible::installFactory(&describe), true);
    (void)installed;
}

void announceLabel(AnnouncedLabel &label, const QString &name, QAccessible::Role role)
{
    installPlayAccessibility();
    label.setProperty(kAnnouncedRole, static_cast<int>(role));
    label.setAccessibleName(name);
}

void setAnnouncedText(AnnouncedLabel &label, const QString &text)
{
    if (label.text() == text)
        return;
    label.setText(text);
    if (!announcing())
        return;
    QAccessibleValueChangeEvent changed(&label, text);
    announce(changed);
}

} // namespace tilemere
