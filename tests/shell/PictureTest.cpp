// Pictures of every offered type come in the right way up; forged, broken
// and misnamed files, and links to pipes and devices, give nothing, fast and
// in little memory.
#include "PictureLoader.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <libheif/heif.h>

#include <gtest/gtest.h>

#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Left half red, right half blue.
QImage redAndBlue(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < size.height(); ++y)
        for (int x = size.width() / 2; x < size.width(); ++x)
            image.setPixelColor(x, y, Qt::blue);
    return image;
}

QByteArray encoded(const QImage &image, const char *format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << format;
    return bytes;
}

QByteArray heifEncoded(const QImage &picture, heif_compression_format format)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB888);
    heif_context *context = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_image *pixels = nullptr;
    heif_context_get_encoder_for_format(context, format, &encoder);
    heif_image_create(image.width(), image.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &pixels);
    heif_image_add_plane(pixels, heif_channel_interleaved, image.width(), image.height(), 8);
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(pixels, heif_channel_interleaved, &stride);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(plane + y * stride, image.constScanLine(y), static_cast<size_t>(image.width()) * 3);
    heif_context_encode_image(context, pixels, encoder, nullptr, nullptr);
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("picture"));
    heif_context_write_to_file(context, path.constData());
    heif_image_release(pixels);
    heif_encoder_release(encoder);
    heif_context_free(context);
    QFile file(QString::fromLocal8Bit(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A JPEG whose frame header claims a size its few hundred bytes do not hold.
QByteArray withStatedSize(QByteArray jpeg, quint16 side)
{
    for (const char frame : {'\xC0', '\xC2'}) {
        const qsizetype at = jpeg.indexOf(QByteArray("\xFF") + frame);
        if (at < 0)
            continue;
        for (const int field : {5, 7}) {
            jpeg[at + field] = static_cast<char>(side >> 8);
            jpeg[at + field + 1] = static_cast<char>(side & 0xFF);
        }
    }
    return jpeg;
}

// A one-frame animation: the MNG signature and header around a PNG's chunks.
QByteArray animation()
{
    const QByteArray png = encoded(redAndBlue({4, 4}), "png");
    return QByteArray::fromHex("8a4d4e470d0a1a0a" "0000001c4d484452" "00000004000000040000000100000001"
                               "000000010000000000000001" "7b30b837") +
           png.mid(8) + QByteArray::fromHex("000000004d454e442120f7d5");
}

// A 1 x 1 picture, its only pixel red.
const QByteArray kRedGif = QByteArray::fromHex("474946383961" "01000100" "800000" "ff0000" "000000"
                                               "2c" "00000000" "01000100" "00" "02" "024401" "00" "3b");

bool isRed(QColor colour) { return colour.red() > 200 && colour.green() < 60 && colour.blue() < 60; }
bool isBlue(QColor colour) { return colour.blue() > 200 && colour.red() < 60; }

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST(PictureTest, EveryOfferedTypeDecodesInAnyLetterCase)
{
    const QImage picture = redAndBlue({64, 48});
    struct Row {
        const char *name;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"RED.JPG", encoded(picture, "jpeg")},
        {"RED.Png", encoded(picture, "png")},
        {"RED.GIF", kRedGif},
        {"RED.WEBP", encoded(picture, "webp")},
        {"RED.TIF", encoded(picture, "tiff")},
        {"RED.HEIC", heifEncoded(picture, heif_compression_HEVC)},
        {"RED.AVIF", heifEncoded(picture, heif_compression_AV1)},
        {"png named .jpg", encoded(picture, "png")},
    };
    QTemporaryDir dir;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        write(dir.filePath(row.name), row.bytes);
        for (const QSize target : {QSize(), QSize(8, 8)}) {
            const QImage decoded = tilemere::loadPicture(dir.filePath(row.name), target);
            ASSERT_FALSE(decoded.isNull());
            EXPECT_TRUE(isRed(decoded.pixelColor(decoded.width() / 4, decoded.height() / 2)));
        }
        // Cut short, every type is broken rather than half a picture.
        write(dir.filePath(row.name), row.bytes.left(row.bytes.size() / 2));
        EXPECT_TRUE(tilemere::loadPicture(dir.filePath(row.name)).isNull());
    }
}

// Turned a quarter clockwise by its camera data (orientation 6), as phones write them.
TEST(PictureTest, CameraOrientationIsAppliedAtAnySize)
{
    QByteArray jpeg = encoded(redAndBlue({800, 400}), "jpeg");
    jpeg.insert(2, QByteArray::fromHex("ffe10022" "457869660000" "49492a0008000000"
                                       "0100" "120103000100000006000000" "00000000"));
    QTemporaryDir dir;
    write(dir.filePath("turned.jpg"), jpeg);
    for (const QSize target : {QSize(), QSize(121, 105)}) {
        const QImage picture = tilemere::loadPicture(dir.filePath("turned.jpg"), target);
        ASSERT_FALSE(picture.isNull());
        EXPECT_TRUE(isRed(picture.pixelColor(picture.width() / 2, picture.height() / 4)));
        EXPECT_TRUE(isBlue(picture.pixelColor(picture.width() / 2, picture.height() * 3 / 4)));
        // Decoded smaller for a thumbnail, but never below what the slot needs.
        EXPECT_GE(picture.width(), target.isValid() ? target.width() : 400);
        EXPECT_LT(picture.width(), target.isValid() ? 400 : 401);
        EXPECT_GE(picture.height(), target.isValid() ? target.height() : 800);
    }
}

TEST(PictureTest, ForgedBrokenAndMisnamedFilesGiveNothing)
{
    const QImage small = redAndBlue({64, 48});
    struct Row {
        const char *name;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"progressive.jpg", withStatedSize(encoded(small, "jpeg", true), 45000)},
        {"baseline.jpg", withStatedSize(encoded(small, "jpeg"), 45000)},
        // Within the size limit, but its coefficients alone would take
        // more than the whole budget.
        {"large progressive.jpg", withStatedSize(encoded(small, "jpeg", true), 12000)},
        // 0x7fffffff pixels a side at 32 bits, and nothing behind the header.
        {"largest bitmap.bmp",
         QByteArray::fromHex("424d36000000000000003600000028000000ffffff7fffffff7f01002000")},
        {"bitmap cut short.bmp",
         QByteArray::fromHex("424d36000000000000003600000028000000102700001027000001001800")},
        {"animation.jpg", animation()},
        {"empty.jpg", {}},
        {"text.jpg", "not a picture at all\n"},
        {"start of a jpeg.jpg", encoded(small, "jpeg").left(20)},
        {"png named .txt", encoded(small, "png")},
        {"missing.jpg", {}},
    };
    QTemporaryDir dir;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (QByteArray(row.name) != "missing.jpg")
            write(dir.filePath(row.name), row.bytes);
        tilemere::DecodeBudget budget;
        EXPECT_TRUE(tilemere::loadPicture(dir.filePath(row.name), {121, 105}, budget).isNull());
        EXPECT_TRUE(tilemere::loadPicture(dir.filePath(row.name), {}, budget).isNull());
        // Refused from the header, before any memory was set aside.
        EXPECT_EQ(budget.peakBytesInUse(), 0);
    }
    // The animation is a picture to Qt when it may guess the type from the bytes.
    EXPECT_FALSE(QImage(dir.filePath("animation.jpg")).isNull());
}

TEST(PictureTest, OnlyRegularFilesAreListedAndNothingWaitsOnOthers)
{
    QTemporaryDir dir;
    const auto at = [&dir](const char *name) { return QFile::encodeName(dir.filePath(name)); };
    for (const char *name : {"a.JPG", "b.Png", "c.heic", "d.bmp", ".hidden.jpg", "notes.txt"})
        write(dir.filePath(name), "x");
    ASSERT_EQ(::mkfifo(at("pipe"), 0600), 0);
    ASSERT_EQ(::mkdir(at("folder"), 0700), 0);
    ASSERT_EQ(::symlink(at("pipe"), at("pipe.jpg")), 0);
    ASSERT_EQ(::symlink("/dev/zero", at("zero.jpg")), 0);
    ASSERT_EQ(::symlink(at("folder"), at("folder.jpg")), 0);
    ASSERT_EQ(::symlink(at("a.JPG"), at("link.jpg")), 0);

    QStringList names = tilemere::listPictureFiles(dir.path());
    names.sort();
    EXPECT_EQ(names, QStringList({"a.JPG", "b.Png", "c.heic", "d.bmp", "link.jpg"}));
    for (const char *special : {"pipe.jpg", "zero.jpg", "folder.jpg"})
        EXPECT_TRUE(tilemere::loadPicture(dir.filePath(special)).isNull()) << special;
}

// However many threads decode a page, its pictures together stay within
// the page's budget: here room for two at a time.
TEST(PictureTest, APageOfDecodesStaysWithinItsBudget)
{
    QTemporaryDir dir;
    write(dir.filePath("big.png"), encoded(redAndBlue({1500, 1000}), "png"));
    QThreadPool pool;
    pool.setMaxThreadCount(9);
    tilemere::DecodeBudget budget(40 << 20);
    const QList<QImage> page = QtConcurrent::blockingMapped(
        &pool, QStringList(9, dir.filePath("big.png")),
        [&budget](const QString &path) { return tilemere::loadPicture(path, {121, 105}, budget); });
    for (const QImage &picture : page)
        EXPECT_FALSE(picture.isNull());
    EXPECT_LE(budget.peakBytesInUse(), budget.totalBytes());
}

} // namespace
