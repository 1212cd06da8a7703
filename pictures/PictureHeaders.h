#pragma once
// What the header of a picture promises, read without decoding, so that the
// loader can refuse a forgery, or set aside what the decoder will need,
// before the decoder allocates for it. Any header values, however large,
// and any cut are safe here. Internal to the picture loader (JPEG headers:
// JpegPicture.h).

#include <QByteArrayView>
#include <QIODevice>

#include <cstdint>
#include <optional>

namespace tilemere::headers {

// True for an uncompressed bitmap that ends before its pixels do: the
// bitmap decoder would hand back rows that were never written.
bool bitmapIsShort(QIODevice &device);

struct PngFacts {
    int width = 0;
    int height = 0;
    int bitDepth = 0;
    bool interlaced = false;
};
// From the first 33 bytes of a PNG file; nothing when they are no PNG header.
std::optional<PngFacts> pngFacts(QByteArrayView head);

struct WebpFacts {
    int width = 0; // of the canvas, for an animation
    int height = 0;
    bool animated = false;
    std::int64_t fileBytes = 0; // what the file says it holds
};
// From the first 30 bytes of a WebP file; nothing when they are no WebP header.
std::optional<WebpFacts> webpFacts(QByteArrayView head);

// False for a TIFF whose first picture has samples no picture has (more
// than five a pixel, or an odd number of bits each); true when it cannot
// tell, leaving the file to the decoder.
bool tiffSamplesPlausible(QIODevice &device);

} // namespace tilemere::headers
