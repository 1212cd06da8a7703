#pragma once
// What the header of a bitmap promises, read without decoding, so that the
// loader can refuse a forgery before the decoder allocates for it. Internal
// to the picture loader (JPEG headers: JpegPicture.h).

#include <QIODevice>

namespace tilemere::headers {

// True for an uncompressed bitmap that ends before its pixels do: the
// bitmap decoder would hand back rows that were never written. Any header
// values, however large, are safe here.
bool bitmapIsShort(QIODevice &device);

} // namespace tilemere::headers
