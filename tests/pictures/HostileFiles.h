#pragma once
// Files made to stall or swell a decoder, each small on disk (or sparse):
// the shapes a download, a mail attachment or a planted cache entry can
// take. Each maker returns the file's bytes; padded() adds a sparse tail.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>

namespace hostile {

// The picture in the given format as Qt writes it (quality 100).
QByteArray encoded(const QImage &image, const char *format, bool progressive = false);
// A picture with detail everywhere, so encoders cannot squeeze it to nothing.
QImage detailed(int width, int height);

// A zlib stream that inflates to count zero bytes, about a thousandth of that.
QByteArray zlibOfZeros(std::int64_t count);

// A progressive JPEG with extraScans empty refinement scans after its own.
QByteArray jpegWithEmptyScans(int extraScans);
// A 64 x 64 progressive CMYK JPEG of one colour, its inks stored inverted
// as the usual writers store them, with extraScans empty scans after its own.
QByteArray cmykJpeg(const uchar (&inks)[4], int extraScans = 0);
// A 1 x 1 GIF whose picture data goes on for about pixels pixels.
QByteArray endlessGif(std::int64_t pixels);
// A PNG whose header claims width x height (RGB, bitDepth bits a channel)
// over a few bytes of pixels.
QByteArray pngClaiming(int width, int height, int bitDepth);
// A 1 x 1 PNG whose pixel data inflates to inflatedBytes.
QByteArray pngInflatingTo(std::int64_t inflatedBytes);
// A PNG of width x height, 16 bits a channel, RGBA, interlaced, all black.
QByteArray sixteenBitInterlacedPng(int width, int height);
// An animation of one 1 x 1 frame on a canvas of side x side.
QByteArray animatedWebp(int side);
// A 1 x 1 TIFF of samples 8-bit samples a pixel.
QByteArray tiffWithSamples(int samples);
// An 8-bit bitmap of side x side with two colours, its pixels all index 200.
QByteArray bitmapPastItsPalette(int side);

// Writes bytes to path, then extends the file with tailBytes of zeros
// without writing them (a sparse file). False when it could not.
bool writeFile(const QString &path, const QByteArray &bytes, std::int64_t tailBytes = 0);

} // namespace hostile
