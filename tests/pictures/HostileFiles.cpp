#include "HostileFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>

#include <zlib.h>

#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>

#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace hostile {

namespace {

// value as bytes bytes, little-endian unless big.
void put(QByteArray &out, quint64 value, int bytes, bool big = false)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * (big ? bytes - 1 - i : i))));
}

void pngChunk(QByteArray &out, const char *type, const QByteArray &body)
{
    put(out, quint32(body.size()), 4, true);
    const QByteArray typed = QByteArray(type, 4) + body;
    out.append(typed);
    put(out, quint32(crc32(0, reinterpret_cast<const Bytef *>(typed.constData()), uInt(typed.size()))), 4, true);
}

QByteArray png(quint32 width, quint32 height, char depth, char colourType, char interlace, const QByteArray &data)
{
    QByteArray header;
    put(header, width, 4, true);
    put(header, height, 4, true);
    header.append(depth).append(colourType).append(char(0)).append(char(0)).append(interlace);
    QByteArray out("\x89PNG\r\n\x1A\n", 8);
    pngChunk(out, "IHDR", header);
    pngChunk(out, "IDAT", data);
    pngChunk(out, "IEND", {});
    return out;
}

// Raw deflate of count zeros, ended by a sync flush so that pieces made
// apart can follow each other in one stream.
QByteArray deflatedZeros(std::int64_t count)
{
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    const std::vector<Bytef> zeros(std::size_t(count), 0);
    std::vector<Bytef> out(std::size_t(count / 500 + 1024));
    stream.next_in = const_cast<Bytef *>(zeros.data());
    stream.avail_in = uInt(count);
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_SYNC_FLUSH);
    const QByteArray bytes(reinterpret_cast<const char *>(out.data()), qsizetype(out.size() - stream.avail_out));
    deflateEnd(&stream);
    return bytes;
}

} // namespace

QByteArray encoded(const QImage &image, const char *format, bool progressive)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return buffer.data();
}

QImage detailed(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 37 + y * 11) & 255, (x * y) & 255, (y * 53) & 255));
    return image;
}

QByteArray zlibOfZeros(std::int64_t count)
{
    constexpr std::int64_t kPiece = 1 << 20;
    const QByteArray piece = deflatedZeros(kPiece);
    QByteArray out("\x78\xDA", 2);
    for (std::int64_t left = count; left > 0; left -= kPiece)
        out += left >= kPiece ? piece : deflatedZeros(left);
    out.append("\x03\x00", 2); // a final, empty block
    // Adler-32 of zeros: the first sum stays 1, the second counts them.
    put(out, quint32((count % 65521) << 16 | 1), 4, true);
    return out;
}

namespace {

// A refinement of one component's AC coefficients with no data, as many
// times as asked, after the file's own scans.
QByteArray withEmptyScans(QByteArray jpeg, char component, int extraScans)
{
    jpeg.chop(2); // the end marker, put back after the scans
    const QByteArray scan = QByteArray::fromHex("ffda0008" "01") + component + QByteArray::fromHex("00" "013f10");
    for (int i = 0; i < extraScans; ++i)
        jpeg += scan;
    return jpeg + QByteArray::fromHex("ffd9");
}

} // namespace

QByteArray jpegWithEmptyScans(int extraScans)
{
    return withEmptyScans(encoded(detailed(64, 64), "jpeg", true), 1, extraScans);
}

QByteArray cmykJpeg(const uchar (&inks)[4], int extraScans)
{
    // Qt writes no CMYK: libjpeg does, progressive, with the Adobe marker
    // and the components named C, M, Y and K.
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = 64;
    info.image_height = 64;
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row;
    for (unsigned int x = 0; x < info.image_width; ++x)
        row.insert(row.end(), inks, inks + 4);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray jpeg(reinterpret_cast<const char *>(out), static_cast<qsizetype>(size));
    std::free(out);
    return withEmptyScans(jpeg, 'C', extraScans);
}

QByteArray endlessGif(std::int64_t pixels)
{
    // LZW codes of 2-bit pixels, all colour 0: each new code stands for one
    // more pixel than the last, until the table is full; then its last code,
    // 4091 pixels, again and again.
    std::vector<quint32> codes{4, 0}; // clear, then one pixel
    std::int64_t made = 1;
    for (quint32 next = 6; next < 4096 && made < pixels; ++next) {
        codes.push_back(next);
        made += next - 4;
    }
    while (made < pixels) {
        codes.push_back(4095);
        made += 4091;
    }
    codes.push_back(5); // end of information
    QByteArray data;
    quint64 bits = 0;
    int held = 0;
    std::size_t tableSize = 6;
    int width = 3;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        bits |= quint64(codes[i]) << held;
        held += width;
        while (held >= 8) {
            data.append(char(bits & 0xFF));
            bits >>= 8;
            held -= 8;
        }
        // The decoder adds an entry for each code after the first.
        if (i >= 2 && tableSize < 4096 && ++tableSize == (std::size_t(1) << width) && width < 12)
            ++width;
    }
    if (held > 0)
        data.append(char(bits & 0xFF));
    QByteArray gif = QByteArray::fromHex("474946383961" "01000100" "810000" "000000ffffff" "000000" "ffffff"
                                         "2c" "00000000" "01000100" "00" "02");
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif.append(char(block.size())).append(block);
    }
    return gif + QByteArray::fromHex("003b");
}

QByteArray pngClaiming(int width, int height, int bitDepth)
{
    return png(quint32(width), quint32(height), char(bitDepth), 2, 0, zlibOfZeros(64));
}

QByteArray pngInflatingTo(std::int64_t inflatedBytes)
{
    return png(1, 1, 8, 2, 0, zlibOfZeros(inflatedBytes));
}

QByteArray sixteenBitInterlacedPng(int width, int height)
{
    // Every pass of the interlacing: its rows, each a filter byte and 8
    // bytes a pixel, all zero.
    static constexpr int kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                          {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    std::int64_t raw = 0;
    for (const auto &[x0, y0, dx, dy] : kPasses) {
        const std::int64_t columns = (width - x0 + dx - 1) / dx, rows = (height - y0 + dy - 1) / dy;
        if (columns > 0 && rows > 0)
            raw += rows * (1 + columns * 8);
    }
    return png(quint32(width), quint32(height), 16, 6, 1, zlibOfZeros(raw));
}

QByteArray animatedWebp(int side)
{
    QImage pixel(1, 1, QImage::Format_RGB32);
    pixel.fill(Qt::red);
    const QByteArray still = encoded(pixel, "webp");
    const QByteArray frameData = still.mid(12); // its one chunk, header included
    QByteArray body("WEBP");
    body += "VP8X";
    put(body, 10, 4);
    body.append(char(0x02)).append(3, char(0)); // an animation
    put(body, quint32(side - 1), 3);
    put(body, quint32(side - 1), 3);
    body += "ANIM";
    put(body, 6, 4);
    put(body, 0, 6); // background, loop count
    QByteArray frame;
    for (const quint32 value : {0, 0, 0, 0, 100}) // x, y, width - 1, height - 1, duration
        put(frame, value, 3);
    frame.append(char(0));
    frame += frameData;
    body += "ANMF";
    put(body, quint32(frame.size()), 4);
    body += frame;
    if (frame.size() % 2)
        body.append(char(0));
    QByteArray out("RIFF");
    put(out, quint32(body.size()), 4);
    return out + body;
}

QByteArray tiffWithSamples(int samples)
{
    struct Entry {
        quint16 tag, type;
        quint32 count, value;
    };
    const quint32 bitsAt = 8 + 2 + 10 * 12 + 4, stripAt = bitsAt + 2 * quint32(samples);
    const Entry entries[] = {
        {256, 3, 1, 1}, {257, 3, 1, 1}, {258, 3, quint32(samples), bitsAt}, {259, 3, 1, 1},
        {262, 3, 1, 2}, {273, 4, 1, stripAt}, {277, 3, 1, quint32(samples)}, {278, 3, 1, 1},
        {279, 4, 1, quint32(samples)}, {284, 3, 1, 1},
    };
    QByteArray out("II*\0", 4);
    put(out, 8, 4);
    put(out, 10, 2);
    for (const Entry &entry : entries) {
        put(out, entry.tag | entry.type << 16 | quint64(entry.count) << 32, 8);
        put(out, entry.value, 4);
    }
    put(out, 0, 4);
    for (int i = 0; i < samples; ++i)
        put(out, 8, 2);
    return out + QByteArray(samples, char(0x80));
}

QByteArray bitmapPastItsPalette(int side)
{
    const int rowBytes = (side + 3) / 4 * 4;
    const quint32 pixelsAt = 14 + 40 + 2 * 4;
    QByteArray out("BM");
    // File size, reserved, pixels' offset; header size, width, height, one
    // plane and 8 bits a pixel, no compression, pixel bytes, resolution,
    // two colours, two of them important.
    const quint32 image = quint32(rowBytes * side);
    for (const quint32 value : {pixelsAt + image, 0u, pixelsAt, 40u, quint32(side), quint32(side), 1u | 8u << 16, 0u,
                                image, 2835u, 2835u, 2u, 2u})
        put(out, value, 4);
    out += QByteArray::fromHex("00000000" "ffffff00");
    return out + QByteArray(rowBytes * side, char(200));
}

bool writeFile(const QString &path, const QByteArray &bytes, std::int64_t tailBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.flush();
    return tailBytes == 0 || ::ftruncate(file.handle(), bytes.size() + tailBytes) == 0;
}

} // namespace hostile
