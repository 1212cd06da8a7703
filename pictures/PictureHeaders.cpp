#include "PictureHeaders.h"

#include <QByteArray>

#include <initializer_list>

namespace tilemere::headers {

namespace {

quint32 number(QByteArrayView bytes, qsizetype at, int size, bool bigEndian = false)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value |= quint32(static_cast<quint8>(bytes[at + i])) << (8 * (bigEndian ? size - 1 - i : i));
    return value;
}

quint32 littleEndian(const QByteArray &bytes, int at, int size)
{
    return number(bytes, at, size);
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

std::optional<PngFacts> pngFacts(QByteArrayView head)
{
    if (head.size() < 33 || !QByteArrayView(head.first(16)).startsWith("\x89PNG\r\n\x1A\n") ||
        head.sliced(12, 4) != "IHDR")
        return std::nullopt;
    const quint32 width = number(head, 16, 4, true), height = number(head, 20, 4, true);
    if (width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return std::nullopt;
    return PngFacts{int(width), int(height), static_cast<quint8>(head[24]), head[28] != 0};
}

std::optional<WebpFacts> webpFacts(QByteArrayView head)
{
    if (head.size() < 30 || head.first(4) != "RIFF" || head.sliced(8, 4) != "WEBP")
        return std::nullopt;
    WebpFacts facts;
    facts.fileBytes = std::int64_t{number(head, 4, 4)} + 8;
    const QByteArrayView chunk = head.sliced(12, 4);
    if (chunk == "VP8X") {
        facts.animated = (head[20] & 0x02) != 0;
        facts.width = int(number(head, 24, 3)) + 1;
        facts.height = int(number(head, 27, 3)) + 1;
    } else if (chunk == "VP8L") {
        if (static_cast<quint8>(head[20]) != 0x2F)
            return std::nullopt;
        const quint32 bits = number(head, 21, 4);
        facts.width = int(bits & 0x3FFF) + 1;
        facts.height = int((bits >> 14) & 0x3FFF) + 1;
    } else if (chunk == "VP8 ") {
        if (head.sliced(23, 3) != "\x9D\x01\x2A")
            return std::nullopt;
        facts.width = int(number(head, 26, 2) & 0x3FFF);
        facts.height = int(number(head, 28, 2) & 0x3FFF);
    } else {
        return std::nullopt;
    }
    return facts;
}

bool tiffSamplesPlausible(QIODevice &device)
{
    if (!device.seek(0))
        return true;
    const QByteArray header = device.read(8);
    if (header.size() < 8 || (!header.startsWith("II*") && !header.startsWith("MM\0*")))
        return true; // another kind (BigTIFF) or none: the decoder decides
    const bool big = header[0] == 'M';
    const qint64 directory = number(header, 4, 4, big);
    if (directory + 2 > device.size() || !device.seek(directory))
        return true;
    const QByteArray count = device.read(2);
    if (count.size() < 2)
        return true;
    // Twelve bytes an entry, at most 65535 of them: under a megabyte.
    const QByteArray entries = device.read(qint64{number(count, 0, 2, big)} * 12);
    quint32 samples = 1, bits = 1;
    bool bitsInline = true;
    for (qsizetype at = 0; at + 12 <= entries.size(); at += 12) {
        const quint32 tag = number(entries, at, 2, big), type = number(entries, at + 2, 2, big);
        const quint32 valueCount = number(entries, at + 4, 4, big);
        // A short value sits in the first two bytes of the value field.
        const quint32 value = type == 3 ? number(entries, at + 8, 2, big) : number(entries, at + 8, 4, big);
        if (tag == 277)
            samples = value;
        else if (tag == 258) {
            bits = value;
            bitsInline = valueCount <= 2 || type != 3;
        }
    }
    const bool bitsPlausible = !bitsInline || bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 ||
                               bits == 32;
    return samples >= 1 && samples <= 5 && bitsPlausible;
}

} // namespace tilemere::headers
