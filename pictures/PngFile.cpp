#include "PngFile.h"

#include "BoundedDevice.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <libdeflate.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace tilemere::png {

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1A\n";
constexpr int kRgb = 2;
constexpr int kPalette = 3;
constexpr int kRgba = 6;

quint32 bigEndian(const uchar *at)
{
    return quint32(at[0]) << 24 | quint32(at[1]) << 16 | quint32(at[2]) << 8 | quint32(at[3]);
}

void appendBigEndian(QByteArray &out, quint32 value)
{
    const char bytes[] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    out.append(bytes, 4);
}

// The neighbour nearest to left + above - aboveLeft, written without that
// sum so that it compiles to conditional moves.
int paeth(int left, int above, int aboveLeft)
{
    const int toLeft = std::abs(above - aboveLeft), toAbove = std::abs(left - aboveLeft),
              toAboveLeft = std::abs(left + above - 2 * aboveLeft);
    if (toLeft <= toAbove && toLeft <= toAboveLeft)
        return left;
    return toAbove <= toAboveLeft ? above : aboveLeft;
}

// Undoes one row's filter in place; above is the previous row, already
// undone (zeros for the first). False for an unknown filter. The first pixel
// has no left neighbour, so each loop starts after it.
bool unfilter(int filter, uchar *row, const uchar *above, qsizetype length, int bytesPerPixel)
{
    const qsizetype first = std::min<qsizetype>(bytesPerPixel, length);
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (qsizetype i = bytesPerPixel; i < length; ++i)
            row[i] = uchar(row[i] + row[i - bytesPerPixel]);
        return true;
    case 2:
        for (qsizetype i = 0; i < length; ++i)
            row[i] = uchar(row[i] + above[i]);
        return true;
    case 3:
        for (qsizetype i = 0; i < first; ++i)
            row[i] = uchar(row[i] + above[i] / 2);
        for (qsizetype i = first; i < length; ++i)
            row[i] = uchar(row[i] + (row[i - bytesPerPixel] + above[i]) / 2);
        return true;
    case 4:
        for (qsizetype i = 0; i < first; ++i)
            row[i] = uchar(row[i] + above[i]);
        for (qsizetype i = first; i < length; ++i)
            row[i] = uchar(row[i] + paeth(row[i - bytesPerPixel], above[i], above[i - bytesPerPixel]));
        return true;
    default:
        return false;
    }
}

struct Header {
    int width = 0;
    int height = 0;
    int channels = 0; // 1 for a palette index
    QList<QRgb> palette;
};

// The chunks of a file: the header, the texts and the compressed pixels.
// Nothing when the kind is not read here; a zero width when broken.
std::optional<Header> readChunks(QByteArrayView bytes, Texts &texts, QByteArray &pixels)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype size = bytes.size();
    if (size < 8 || std::memcmp(data, kSignature, 8) != 0)
        return Header{};
    Header header;
    for (qsizetype at = 8;;) {
        if (size - at < 12)
            return Header{};
        const quint32 length = bigEndian(data + at);
        if (length > quint32(size - at - 12))
            return Header{};
        const uchar *type = data + at + 4;
        const uchar *body = type + 4;
        if (bigEndian(body + length) != libdeflate_crc32(0, type, length + 4))
            return Header{};
        const QByteArrayView name(reinterpret_cast<const char *>(type), 4);
        if (at == 8 && (name != "IHDR" || length != 13))
            return Header{};
        at += 12 + qsizetype(length);
        if (name == "IHDR") {
            const quint32 width = bigEndian(body), height = bigEndian(body + 4);
            if (width == 0 || height == 0 || width > 65535 || height > 65535)
                return Header{};
            if (body[8] != 8 || (body[9] != kRgb && body[9] != kPalette && body[9] != kRgba) || body[10] != 0 ||
                body[11] != 0 || body[12] != 0)
                return std::nullopt;
            header = {int(width), int(height), body[9] == kRgba ? 4 : body[9] == kRgb ? 3 : 1, {}};
        } else if (name == "PLTE" && header.channels == 1) {
            if (length % 3 != 0 || length > 3 * 256)
                return Header{};
            for (quint32 i = 0; i < length; i += 3)
                header.palette.append(qRgb(body[i], body[i + 1], body[i + 2]));
        } else if (name == "tRNS" && header.channels == 1) {
            // Alpha for the first palette entries.
            for (quint32 i = 0; i < length && i < quint32(header.palette.size()); ++i)
                header.palette[i] = (header.palette[i] & 0xFFFFFF) | quint32(body[i]) << 24;
        } else if (name == "tEXt") {
            const auto *end = static_cast<const uchar *>(std::memchr(body, 0, length));
            if (!end)
                return Header{};
            texts.append({QByteArray(reinterpret_cast<const char *>(body), end - body),
                          QByteArray(reinterpret_cast<const char *>(end + 1), body + length - end - 1)});
        } else if (name == "zTXt" || name == "iTXt" || name == "tRNS") { // the latter: a colour made transparent
            return std::nullopt;
        } else if (name == "IDAT") {
            pixels.append(reinterpret_cast<const char *>(body), length);
        } else if (name == "IEND") {
            return header;
        }
    }
}

} // namespace

std::optional<Picture> decode(QByteArrayView bytes, std::int64_t maxPixels)
{
    Picture picture;
    QByteArray compressed;
    const std::optional<Header> header = readChunks(bytes, picture.texts, compressed);
    if (!header || header->width == 0 || (header->channels == 1 && header->palette.isEmpty()))
        return header ? std::optional(Picture{}) : std::nullopt;
    const auto &[width, height, channels, palette] = *header;
    const bool alpha = channels == 4 || std::any_of(palette.begin(), palette.end(), [](QRgb c) { return qAlpha(c) < 255; });
    if (std::int64_t{width} * height > maxPixels)
        return Picture{};

    const qsizetype stride = qsizetype(width) * channels;
    std::vector<uchar> raw(std::size_t(height) * std::size_t(stride + 1));
    const std::unique_ptr<libdeflate_decompressor, decltype(&libdeflate_free_decompressor)> inflater(
        libdeflate_alloc_decompressor(), &libdeflate_free_decompressor);
    if (!inflater || libdeflate_zlib_decompress(inflater.get(), compressed.constData(), std::size_t(compressed.size()),
                                                raw.data(), raw.size(), nullptr) != LIBDEFLATE_SUCCESS)
        return Picture{};

    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return Picture{};
    const std::vector<uchar> zeros(std::size_t(stride), 0);
    const uchar *above = zeros.data();
    for (int y = 0; y < height; ++y) {
        uchar *row = raw.data() + std::size_t(y) * std::size_t(stride + 1);
        if (!unfilter(row[0], row + 1, above, stride, channels))
            return Picture{};
        ++row;
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        if (channels == 1) {
            for (int x = 0; x < width; ++x, ++row) {
                if (row[0] >= palette.size())
                    return Picture{};
                line[x] = palette[row[0]];
            }
        } else {
            for (int x = 0; x < width; ++x, row += channels)
                line[x] = qRgba(row[0], row[1], row[2], channels == 4 ? row[3] : 255);
        }
        above = row - stride;
    }
    picture.image = std::move(image);
    return picture;
}

Picture read(const QByteArray &bytes, std::int64_t maxPixels, const DecodeStop &stop)
{
    if (std::optional<Picture> picture = decode(bytes, maxPixels))
        return *std::move(picture);
    // Qt's reader is told the type: left to guess, it asks every image
    // plugin about the file, loading them all. Its inflating is bounded by
    // the stop: a few megabytes of zeros can inflate to gigabytes.
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    BoundedDevice device(buffer, bytes.size(), stop);
    QImageReader reader(&device, "png");
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!size.isValid() || std::int64_t{size.width()} * size.height() > maxPixels)
        return {};
    reader.setAllocationLimit(static_cast<int>((maxPixels * 8 >> 20) + 1));
    Picture picture{reader.read(), {}};
    if (device.stopped())
        return {};
    for (const QString &key : picture.image.textKeys())
        picture.texts.append({key.toLatin1(), picture.image.text(key).toLatin1()});
    return picture;
}

QImage load(const QString &path, std::int64_t maxPixels)
{
    // Only the program's own files (resources) come here; still, nothing
    // larger than its pixels could need is read.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return read(file.read((std::int64_t{1} << 20) + maxPixels * 8), maxPixels).image;
}

namespace {

void appendChunk(QByteArray &out, const char *type, QByteArrayView body)
{
    appendBigEndian(out, quint32(body.size()));
    const qsizetype typeAt = out.size();
    out.append(type, 4);
    out.append(body.data(), body.size());
    appendBigEndian(out, libdeflate_crc32(0, out.constData() + typeAt, std::size_t(body.size()) + 4));
}

// Each row filtered as libpng picks by default, whichever filter leaves the
// smallest sum of bytes read as signed, Paeth left out: undoing it is a
// chain of comparisons through every byte, which made reading a thumbnail
// two thirds slower, for files a third of a percent smaller. trial holds
// 4 rows.
void filterRow(const uchar *row, const uchar *above, qsizetype length, int bytesPerPixel, uchar *trial, uchar *out)
{
    long best = -1;
    int chosen = 0;
    for (int filter = 0; filter < 4; ++filter) {
        long sum = 0;
        for (qsizetype i = 0; i < length; ++i) {
            const int left = i >= bytesPerPixel ? row[i - bytesPerPixel] : 0;
            const int predicted = filter == 0 ? 0 : filter == 1 ? left : filter == 2 ? above[i] : (left + above[i]) / 2;
            trial[filter * length + i] = uchar(row[i] - predicted);
            sum += std::abs(int(qint8(trial[filter * length + i])));
        }
        if (best < 0 || sum < best) {
            best = sum;
            chosen = filter;
        }
    }
    out[0] = uchar(chosen);
    std::memcpy(out + 1, trial + chosen * length, std::size_t(length));
}

} // namespace

QByteArray encode(const QImage &image, const Texts &texts, int level)
{
    if (image.isNull())
        return {};
    const bool alpha = image.hasAlphaChannel();
    const QImage pixels = image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const int channels = alpha ? 4 : 3;
    const qsizetype stride = qsizetype(pixels.width()) * channels;
    std::vector<uchar> raw(std::size_t(pixels.height()) * std::size_t(stride + 1));
    const std::vector<uchar> zeros(std::size_t(stride), 0);
    std::vector<uchar> trial(4 * std::size_t(stride));
    for (int y = 0; y < pixels.height(); ++y)
        filterRow(pixels.constScanLine(y), y ? pixels.constScanLine(y - 1) : zeros.data(), stride, channels,
                  trial.data(), raw.data() + std::size_t(y) * std::size_t(stride + 1));

    const std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> deflater(
        libdeflate_alloc_compressor(level), &libdeflate_free_compressor);
    if (!deflater)
        return {};
    QByteArray compressed(qsizetype(libdeflate_zlib_compress_bound(deflater.get(), raw.size())), Qt::Uninitialized);
    const std::size_t packed = libdeflate_zlib_compress(deflater.get(), raw.data(), raw.size(), compressed.data(),
                                                        std::size_t(compressed.size()));
    if (packed == 0)
        return {};
    compressed.truncate(qsizetype(packed));

    QByteArray out(kSignature, 8);
    QByteArray header;
    appendBigEndian(header, quint32(pixels.width()));
    appendBigEndian(header, quint32(pixels.height()));
    header.append(char(8)).append(char(alpha ? kRgba : kRgb)).append(3, char(0));
    appendChunk(out, "IHDR", header);
    for (const auto &[key, text] : texts)
        appendChunk(out, "tEXt", key + '\0' + text);
    appendChunk(out, "IDAT", compressed);
    appendChunk(out, "IEND", {});
    return out;
}

} // namespace tilemere::png
