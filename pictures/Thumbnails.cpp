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

bool covers(const QImage &picture, QSize size)
{
    return !picture.isNull() && picture.width() >= size.width() && picture.height() >= size.height();
}

// The large size first: the normal one covers a slot only for a
// near-square picture. Nothing is blown up.
QImage cachedCovering(const tilemere::ThumbnailCache &cache, const QString &path, QSize size)
{
    const QImage large = cache.find(path, tilemere::ThumbnailCache::largeSide);
    if (!large.isNull())
        return covers(large, size) ? large : QImage();
    const QImage normal = cache.find(path, 1); // as the large one is missing
    return covers(normal, size) ? normal : QImage();
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
    const QImage cached = cachedCovering(cache, path, size);
    if (!cached.isNull())
        return {squeezed(cached, size), {}};
    // The cache keeps its large size only from a picture decoded larger.
    constexpr int cacheable = tilemere::ThumbnailCache::largeSide + 1;
    const QImage picture = tilemere::loadPicture(path, size.expandedTo(QSize(cacheable, cacheable)), budget, stop);
    const bool worthKeeping = std::max(picture.width(), picture.height()) >= cacheable;
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
