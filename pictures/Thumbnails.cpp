#include "Thumbnails.h"

#include "ThumbnailCache.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace thumbnails {

namespace {

QImage squeezed(const QImage &picture, QSize size)
{
    if (picture.isNull())
        return brokenPicture(size);
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The cache size a slot is made from: the smallest at least twice the
// slot's longest side, so that a picture up to twice as wide as high (or
// high as wide) still covers the slot in it. A slot of 121 x 105 takes the
// large one, the same slot at twice the density the x-large one.
int cacheSideFor(QSize size)
{
    for (const int side : tilemere::ThumbnailCache::sides) {
        if (side >= 2 * std::max(size.width(), size.height()))
            return side;
    }
    return tilemere::ThumbnailCache::xxLargeSide;
}

} // namespace

QImage thumbnailFor(const QString &path, QSize size, tilemere::DecodeBudget &pageBudget)
{
    // loadPicture decodes a large JPEG at a fraction of its size, which is
    // what keeps a page of camera pictures quick.
    return squeezed(tilemere::loadPicture(path, size, pageBudget), size);
}

Made makeThumbnail(const QString &path, QSize size, tilemere::DecodeBudget &budget,
                   const tilemere::ThumbnailCache &cache, const tilemere::DecodeStop &stop)
{
    // Nothing is blown up: only a thumbnail as large as the slot both ways serves.
    const QImage cached = cache.findCovering(path, size);
    if (!cached.isNull())
        return {squeezed(cached, size), {}};
    // The cache keeps a size only from a picture decoded larger.
    const int cacheable = cacheSideFor(size) + 1;
    const QImage picture = tilemere::loadPicture(path, size.expandedTo(QSize(cacheable, cacheable)), budget, stop);
    const bool worthKeeping = std::max(picture.width(), picture.height()) > tilemere::ThumbnailCache::normalSide;
    return {squeezed(picture, size), worthKeeping ? picture : QImage()};
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
