#pragma once
// JPEG through libjpeg itself, internal to the picture loader: the header,
// read the way the decoder will read it, and a decode at a reduced scale
// fed in large reads. Qt's own JPEG reader feeds libjpeg 4 KB at a time and
// reads the markers twice; for a page of camera photos this decode is about
// a tenth quicker, which is most of what the player waits for.

#include <QImage>
#include <QImageIOHandler>
#include <QIODevice>

#include "BoundedDevice.h"

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

// The orientation entry of the first picture's directory in an Exif block
// (an APP1 segment's body: "Exif\0\0", then a TIFF header), mapped as Qt's
// readers map it. Every offset is checked against the block, whatever it
// says; only the first directory is read, so no chain of them can loop.
QImageIOHandler::Transformations exifOrientation(const uchar *data, unsigned int size);

// More scans than any encoder writes (a progressive file has about ten):
// each scan is a pass over every coefficient of the picture, so a file of
// thousands of empty ones would take minutes.
inline constexpr int kMaxScans = 1000;

// Reads the markers up to the first scan. Nothing when it is no JPEG or
// once stop says so. Leaves the device at an unknown position.
std::optional<Header> readHeader(QIODevice &device, const DecodeStop &stop = DecodeStop());

// Decodes the JPEG from the device's current position at eighths/8 of its
// stored size (eighths 1 to 8, sides rounded up), as stored: no orientation
// applied. libjpeg may take at most memoryLimit bytes beside the image.
// CMYK files come out as RGB. A null image on any error, past kMaxScans
// scans, or once stop says so.
QImage decodeScaled(QIODevice &device, int eighths, std::int64_t memoryLimit,
                                   const DecodeStop &stop = DecodeStop());

} // namespace tilemere::jpeg
