#pragma once
// The small pictures of the browser's slots.

#include "PictureLoader.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace tilemere {
class ThumbnailCache;
}

namespace thumbnails {

// The whole picture in the file, squeezed to size (the aspect is not kept).
// A file that cannot be decoded, for whatever reason, gives the broken
// picture below instead, so the player still sees that the file is there.
// The decodes of one page share one budget, which keeps their memory
// together bounded however many run at once; safe from any thread.
QImage thumbnailFor(const QString &path, QSize size, tilemere::DecodeBudget &pageBudget);
// The same with a budget of its own: bounds one decode, not a page.
QImage thumbnailFor(const QString &path, QSize size);

struct Made {
    QImage thumbnail;
    QImage toCache; // the decoded picture for ThumbnailCache::store, or null
};

// As thumbnailFor, but a current cached thumbnail that covers size serves
// without the file being decoded. Otherwise the picture is decoded large
// enough for the cache's large size, and handed back to be stored.
// A decode given up by stop gives the broken picture, and nothing to keep.
Made makeThumbnail(const QString &path, QSize size, tilemere::DecodeBudget &budget,
                   const tilemere::ThumbnailCache &cache, const tilemere::DecodeStop &stop = tilemere::DecodeStop());

// A mid-grey box with a thin border and a torn-picture mark.
QImage brokenPicture(QSize size);

} // namespace thumbnails
