#pragma once
// PNG as the thumbnail cache and the icons use it: 8-bit RGB, RGBA and
// palette pictures without interlacing, with text chunks, read (and, but
// for palettes, written) through libdeflate. A cached thumbnail is on the
// player's way to a page of pictures, and libdeflate inflates about three
// times as fast as zlib, through which Qt's reader goes; the icons then
// need neither libpng nor Qt's image plugins at start-up. Any other kind of
// PNG is left to Qt.

#include "BoundedDevice.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>
#include <utility>

namespace tilemere::png {

// Key and text of each text chunk, Latin-1 as the format has them.
using Texts = QList<std::pair<QByteArray, QByteArray>>;

struct Picture {
    QImage image; // Format_RGB32, or Format_ARGB32 when the file has alpha
    Texts texts;
};

// Reads a whole PNG file held in bytes, of at most maxPixels pixels. Nothing
// when it is a kind of PNG this does not read (another bit depth or colour
// type, interlaced, a transparent colour, compressed text): the caller may
// hand it to Qt. A null image when it is no PNG or is broken anywhere
// (a chunk's checksum, the compressed pixels, a size) or too large.
std::optional<Picture> decode(QByteArrayView bytes, std::int64_t maxPixels);

// Any PNG file held in bytes: through decode when it is of its kind, else
// through Qt's reader. A null image when neither can read it, or when Qt's
// reader is still at it once stop says so.
Picture read(const QByteArray &bytes, std::int64_t maxPixels, const DecodeStop &stop = DecodeStop());

// The PNG file at path (a Qt resource path too), as read does.
QImage load(const QString &path, std::int64_t maxPixels);

// The image as a PNG file, alpha kept when it has any, the texts ahead of
// the pixels; level is libdeflate's, 1 (fastest) to 12 (smallest). Empty
// when the image is null.
QByteArray encode(const QImage &image, const Texts &texts, int level);

} // namespace tilemere::png
