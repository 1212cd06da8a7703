// Pictures of every offered type come in the right way up; forged, broken
// and misnamed files, and links to pipes and devices, give nothing, fast and
// in little memory.
#include "PictureLoader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <QtEndian>

#include <libheif/heif.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// Red in the top left quarter, blue elsewhere: a turn or a mirror moves the red.
QImage redCorner(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, size.width() / 2, size.height() / 2, Qt::red);
    return image;
}

QByteArray encoded(const QImage &image, const char *format, bool progressive = false)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << format;
    return buffer.data();
}

QByteArray heifEncoded(const QImage &picture, heif_compression_format format)
{
    heif_context *context = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_image *pixels = nullptr;
    heif_context_get_encoder_for_format(context, format, &encoder);
    const int width = picture.width(), height = picture.height();
    heif_image_create(width, height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &pixels);
    heif_image_add_plane(pixels, heif_channel_interleaved, width, height, 8);
    int stride = 0;
    QImage plane(heif_image_get_plane(pixels, heif_channel_interleaved, &stride), width, height, stride,
                 QImage::Format_RGB888);
    QPainter(&plane).drawImage(0, 0, picture);
    heif_context_encode_image(context, pixels, encoder, nullptr, nullptr);
    heif_writer writer{1, [](heif_context *, const void *data, size_t size, void *bytes) {
        static_cast<QByteArray *>(bytes)->append(static_cast<const char *>(data), qsizetype(size));
        return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
    }};
    QByteArray bytes;
    heif_context_write(context, &writer, &bytes);
    heif_image_release(pixels);
    heif_encoder_release(encoder);
    heif_context_free(context);
    return bytes;
}

// A JPEG whose frame header claims a size its few hundred bytes do not hold.
QByteArray withStatedSize(QByteArray jpeg, quint16 side)
{
    const qsizetype at = qMax(jpeg.indexOf("\xFF\xC0"), jpeg.indexOf("\xFF\xC2"));
    qToBigEndian(side, jpeg.data() + at + 5); // height
    qToBigEndian(side, jpeg.data() + at + 7); // width
    return jpeg;
}

// A one-frame animation: the MNG signature and header around a PNG's chunks.
QByteArray animation()
{
    const QByteArray png = encoded(redCorner({4, 4}), "png");
    return QByteArray::fromHex("8a4d4e470d0a1a0a" "0000001c4d484452" "00000004000000040000000100000001"
                               "000000010000000000000001" "7b30b837") +
           png.mid(8) + QByteArray::fromHex("000000004d454e442120f7d5");
}

// A 1 x 1 picture, its only pixel red.
const QByteArray kRedGif = QByteArray::fromHex("474946383961" "01000100" "800000" "ff0000" "000000"
                                               "2c" "00000000" "01000100" "00" "02" "024401" "00" "3b");

bool isRed(QColor colour) { return colour.red() > 200 && colour.green() < 60 && colour.blue() < 60; }
// Camera data saying "turn a quarter clockwise" (orientation 6), as phones write it.
const QByteArray kTurnedExif = QByteArray::fromHex("ffe10022" "457869660000" "49492a0008000000" "0100"
                                                   "120103000100000006000000" "00000000");

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

// Each row is a file in a picture folder. Offered types decode the right way
// up in any letter case, for a thumbnail maybe smaller but never below the
// slot, and cut short give nothing rather than half a picture; forged, broken
// and misnamed files are refused from the header, before any memory is set
// aside.
TEST(PictureTest, OfferedTypesDecodeAndForgedOrBrokenFilesGiveNothing)
{
    const QImage picture = redCorner({128, 96});
    const QByteArray turned = encoded(redCorner({96, 128}).transformed(QTransform().rotate(-90)), "jpeg");
    const struct { const char *name; QByteArray bytes; QSize size = {0, 0}; /* 0 x 0: refused */ } rows[] = {
        {"RED.JPG", encoded(picture, "jpeg"), {128, 96}},
        {"RED.Png", encoded(picture, "png"), {128, 96}},
        {"RED.GIF", kRedGif, {1, 1}},
        {"RED.WEBP", encoded(picture, "webp"), {128, 96}},
        {"RED.TIF", encoded(picture, "tiff"), {128, 96}},
        {"RED.HEIC", heifEncoded(picture, heif_compression_HEVC), {128, 96}},
        {"RED.AVIF", heifEncoded(picture, heif_compression_AV1), {128, 96}},
        {"png named .jpg", encoded(picture, "png"), {128, 96}},
        {"turned.jpg", turned.left(2) + kTurnedExif + turned.mid(2), {96, 128}},
        {"progressive.jpg", withStatedSize(encoded(picture, "jpeg", true), 45000)},
        {"baseline.jpg", withStatedSize(encoded(picture, "jpeg"), 45000)},
        // Within the size limit, but its coefficients alone would take
        // more than the whole budget.
        {"large progressive.jpg", withStatedSize(encoded(picture, "jpeg", true), 12000)},
        // 0x7fffffff pixels a side at 32 bits, and nothing behind the header.
        {"largest bitmap.bmp", QByteArray::fromHex("424d36000000000000003600000028000000ffffff7fffffff7f01002000")},
        {"animation.jpg", animation()}, // a picture to Qt when it guesses the type
        // Empty, text and cut-short files: BrowserTest, where they show a broken mark.
        {"png named .txt", encoded(picture, "png")},
    };
    QTemporaryDir dir;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(row.name);
        write(path, row.bytes);
        tilemere::DecodeBudget budget;
        const QImage whole = tilemere::loadPicture(path, {}, budget);
        const QImage thumbnail = tilemere::loadPicture(path, {12, 8}, budget);
        EXPECT_EQ(whole.size(), row.size);
        EXPECT_EQ(thumbnail.isNull(), row.size.isEmpty());
        if (row.size.isEmpty()) {
            EXPECT_EQ(budget.peakBytesInUse(), 0);
            continue;
        }
        for (const QImage &image : {whole, thumbnail})
            EXPECT_TRUE(isRed(image.pixelColor(image.width() / 4, image.height() / 4))) << image.width();
        EXPECT_GE(thumbnail.width(), qMin(12, row.size.width()));
        EXPECT_GE(thumbnail.height(), qMin(8, row.size.height()));
        write(path, row.bytes.left(row.bytes.size() / 2));
        EXPECT_TRUE(tilemere::loadPicture(path).isNull());
    }
}

// What the listing leaves out (PictureListTest) may still be handed over by
// name: a pipe, a device or a folder gives nothing, and at once.
TEST(PictureTest, OnlyRegularFilesAreReadAndNothingWaitsOnOthers)
{
    QTemporaryDir temporary;
    const QDir dir(temporary.path());
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe")), 0600), 0);
    ASSERT_TRUE(dir.mkdir("folder"));
    for (const auto &[target, link] : {std::pair{"pipe", "pipe.jpg"}, {"/dev/zero", "zero.jpg"}, {"folder", "folder.jpg"}})
        ASSERT_TRUE(QFile::link(dir.absoluteFilePath(target), dir.filePath(link))) << link;
    for (const char *special : {"pipe.jpg", "zero.jpg", "folder.jpg", "missing.jpg"})
        EXPECT_TRUE(tilemere::loadPicture(dir.filePath(special)).isNull()) << special;
}

// However many threads decode a page, its pictures together stay within
// the page's budget: here room for two at a time.
TEST(PictureTest, APageOfDecodesStaysWithinItsBudget)
{
    QTemporaryDir dir;
    write(dir.filePath("big.png"), encoded(redCorner({1500, 1000}), "png"));
    QThreadPool pool;
    pool.setMaxThreadCount(9);
    tilemere::DecodeBudget budget(40 << 20);
    const QList<QImage> page = QtConcurrent::blockingMapped(
        &pool, QStringList(9, dir.filePath("big.png")),
        [&budget](const QString &path) { return tilemere::loadPicture(path, {121, 105}, budget); });
    EXPECT_EQ(std::ranges::count_if(page, &QImage::isNull), 0);
    EXPECT_LE(budget.peakBytesInUse(), budget.totalBytes());
}

} // namespace
