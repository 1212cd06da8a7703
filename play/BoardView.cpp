#include "BoardView.h"

#include "TileRenderer.h"

#include <QMouseEvent>
#include <QPainter>

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
    if (size() != surface_.size())
        resize(surface_.size());
    update();
}

void BoardView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(0, 0, surface_);
    // Only while a resize is pending can the widget be larger than its surface.
    if (width() > surface_.width())
        painter.fillRect(surface_.width(), 0, width() - surface_.width(), height(), backgroundColour());
    if (height() > surface_.height())
        painter.fillRect(0, surface_.height(), width(), height() - surface_.height(), backgroundColour());
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
