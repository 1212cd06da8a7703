#pragma once
// JPEG through libjpeg itself, internal to the picture loader: the header,
// read the way the decoder will read it, and a decode at a reduced scale
// fed in large reads. Qt's own JPEG reader feeds libjpeg 4 KB at a time and
// reads the markers twice; for a page of camera photos this decode is about
// a tenth quicker, which is most of what the player waits for.

#include <QImage>
#include <QImageIOHandler>
#include <QIODevice>

#include <cstdint>
#include <optional>

namespace tilemere::jpeg {

struct Header {
    int width = 0;
    int height = 0;
    // Progressive and multi-scan files keep every coefficient of the whole
    // picture in memory until the last scan, at any output scale: this many bytes.
    std::int64_t coefficientBytes = 0;
    // How the camera says the picture is to be turned (Exif orientation),
    // in the terms Qt's readers use.
    QImageIOHandler::Transformations orientation = QImageIOHandler::TransformationNone;
};

// Reads the markers up to the first scan. Nothing when it is no JPEG.
// Leaves the device at an unknown position.
std::optional<Header> readHeader(QIODevice &device);

// Decodes the JPEG from the device's current position at eighths/8 of its
// stored size (eighths 1 to 8, sides rounded up), as stored: no orientation
// applied. libjpeg may take at most memoryLimit bytes beside the image.
// Nothing for colour spaces other than YCbCr, RGB and grey (CMYK files are
// left to Qt's reader, which knows their inverted variants); a null image
// on any error.
std::optional<QImage> decodeScaled(QIODevice &device, int eighths, std::int64_t memoryLimit);

} // namespace tilemere::jpeg
