#pragma once
// What the headers of a JPEG or bitmap promise, read without decoding, so
// that the loader can refuse a forgery before any decoder allocates for it.
// Internal to the picture loader.

#include <QIODevice>

#include <cstdint>
#include <optional>

namespace tilemere::headers {

struct JpegHeader {
    int width = 0;
    int height = 0;
    // Progressive and multi-scan files keep every coefficient of the whole
    // picture in memory until the last scan, at any output scale: this many bytes.
    std::int64_t coefficientBytes = 0;
};

// Reads a JPEG's markers up to its first scan with the same library that
// decodes it, so the answer is the decoder's own. Nothing when it is no JPEG.
// Leaves the device at an unknown position.
std::optional<JpegHeader> readJpegHeader(QIODevice &device);

// True for an uncompressed bitmap that ends before its pixels do: the
// bitmap decoder would hand back rows that were never written. Any header
// values, however large, are safe here.
bool bitmapIsShort(QIODevice &device);

} // namespace tilemere::headers
