#include "BoardView.h"

#include "Board.h"
#include "PlayAccessibility.h"
#include "TileRenderer.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace tilemere {

BoardView::BoardView(QWidget *parent)
    : QWidget(parent),
      surface_(kPictureBufferSide, kPictureBufferSide, QImage::Format_RGB32)
{
    // The hole and a cleared board show plain white, the classic window background.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    surface_.fill(backgroundColour());
    resize(surface_.size());
    installPlayAccessibility();
}

QColor BoardView::backgroundColour() const
{
    return palette().color(QPalette::Window);
}

void BoardView::clear()
{
    surface_.fill(backgroundColour());
    update();
}

void BoardView::surfaceChanged()
{
    const QSizeF logical = surface_.deviceIndependentSize();
    const QSize shown(static_cast<int>(std::ceil(logical.width())), static_cast<int>(std::ceil(logical.height())));
    if (size() != shown)
        resize(shown);
    update();
}

void BoardView::setBoard(const Board *board)
{
    board_ = board;
    announceBoard();
}

QString BoardView::cellName(int index) const
{
    if (!board_ || index < 0 || index >= board_->cellCount())
        return {};
    const int tile = (*board_)(index + 1);
    if (tile == board_->cellCount())
        return tr("empty");
    const int side = board_->side();
    return tr("tile %1, belongs at row %2, column %3").arg(tile).arg((tile - 1) / side + 1).arg((tile - 1) % side + 1);
}

void BoardView::announceBoard()
{
    focusCell_ = board_ && board_->cellCount() > 0 ? board_->holeIndex() : 0;
    if (!announcing())
        return;
    QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
    announce(reset);
    announceFocus();
}

void BoardView::announceMove(int from, int to)
{
    focusCell_ = to;
    if (!announcing())
        return;
    for (const int cell : {from, to}) {
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        renamed.setChild(cell);
        announce(renamed);
    }
    announceFocus();
}

void BoardView::announceFocus()
{
    if (!announcing() || !board_ || focusCell_ >= board_->cellCount())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(focusCell_);
    announce(focus);
}

void BoardView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(QPointF(0, 0), surface_);
    // The widget is larger than its surface while a resize is pending, and by
    // a fraction of a pixel at a fractional pixel ratio.
    const QSizeF drawn = surface_.deviceIndependentSize();
    if (width() > drawn.width())
        painter.fillRect(QRectF(drawn.width(), 0, width() - drawn.width(), height()), backgroundColour());
    if (height() > drawn.height())
        painter.fillRect(QRectF(0, drawn.height(), width(), height() - drawn.height()), backgroundColour());
    emit painted();
}

void BoardView::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit mousePressed(event->position());
}

void BoardView::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved();
}

} // namespace tilemere
