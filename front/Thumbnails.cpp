#include "Thumbnails.h"

#include <QPainter>
#include <QPainterPath>

namespace thumbnails {

QImage thumbnailFor(const QString &path, QSize size, tilemere::DecodeBudget &pageBudget)
{
    // loadPicture decodes a large JPEG at a fraction of its size, which is
    // what keeps a page of camera pictures quick.
    const QImage picture = tilemere::loadPicture(path, size, pageBudget);
    if (picture.isNull())
        return brokenPicture(size);
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage thumbnailFor(const QString &path, QSize size)
{
    tilemere::DecodeBudget budget;
    return thumbnailFor(path, size, budget);
}

QImage brokenPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.drawRect(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0));

    // A small sheet with a zig-zag tear through it, in the middle.
    const qreal side = qMin(size.width(), size.height()) * 0.4;
    const QRectF sheet(QPointF(size.width() - side, size.height() - side) / 2.0, QSizeF(side, side));
    painter.setPen(QPen(QColor(200, 200, 200), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(sheet);
    QPainterPath tear(sheet.topLeft() + QPointF(side * 0.55, 0));
    tear.lineTo(sheet.left() + side * 0.40, sheet.top() + side * 0.35);
    tear.lineTo(sheet.left() + side * 0.60, sheet.top() + side * 0.60);
    tear.lineTo(sheet.left() + side * 0.45, sheet.bottom());
    painter.setPen(QPen(QColor(60, 60, 60), 2));
    painter.drawPath(tear);
    return image;
}

} // namespace thumbnails
