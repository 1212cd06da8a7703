#include "PictureHeaders.h"

#include <QByteArray>

#include <cstdint>

namespace tilemere::headers {

namespace {

quint32 littleEndian(const QByteArray &bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes[at + i]);
    return value;
}

} // namespace

bool bitmapIsShort(QIODevice &device)
{
    const QByteArray header = device.read(34);
    if (header.size() < 26 || !header.startsWith("BM"))
        return false;
    const std::int64_t pixelsAt = littleEndian(header, 10, 4);
    const quint32 infoSize = littleEndian(header, 14, 4);
    std::int64_t width = 0, height = 0, bitsPerPixel = 0, compression = 0;
    if (infoSize == 12) {
        width = littleEndian(header, 18, 2);
        height = littleEndian(header, 20, 2);
        bitsPerPixel = littleEndian(header, 24, 2);
    } else if (infoSize >= 40 && header.size() >= 34) {
        width = static_cast<qint32>(littleEndian(header, 18, 4));
        height = static_cast<qint32>(littleEndian(header, 22, 4));
        bitsPerPixel = littleEndian(header, 28, 2);
        compression = littleEndian(header, 30, 4);
    } else {
        return false;
    }
    // Run-length coded bitmaps (1, 2) have no fixed length; 0 and 3 do.
    if ((compression != 0 && compression != 3) || width <= 0 || bitsPerPixel == 0)
        return false;
    // A row is below 2^45 bytes, but rows times height could pass 2^63:
    // compare by dividing instead.
    const std::int64_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    const std::int64_t pixelBytes = device.size() - pixelsAt;
    return pixelBytes < 0 || pixelBytes / rowBytes < (height < 0 ? -height : height);
}

} // namespace tilemere::headers
