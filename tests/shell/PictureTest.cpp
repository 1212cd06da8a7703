// Pictures come in the right way up, a large JPEG may be decoded small, and
// a file that is no picture gives nothing rather than garbage.
#include "Controls.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Left half red, right half blue, saved as a JPEG whose camera data says
// "turn a quarter clockwise to show" (orientation 6), as phones write them.
QString writeTurnedJpeg(const QString &path, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < size.height(); ++y)
        for (int x = size.width() / 2; x < size.width(); ++x)
            image.setPixelColor(x, y, Qt::blue);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "jpeg"));
    // An APP1 block right after the start marker: "Exif", a little-endian
    // TIFF header and one entry, orientation (0x0112) = 6.
    const QByteArray exif = QByteArray::fromHex("ffe10022" "457869660000" "49492a0008000000"
                                                "0100" "120103000100000006000000" "00000000");
    jpeg.insert(2, exif);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(jpeg);
    return path;
}

bool isRed(QColor colour) { return colour.red() > 200 && colour.blue() < 60; }
bool isBlue(QColor colour) { return colour.blue() > 200 && colour.red() < 60; }

TEST(PictureTest, CameraOrientationIsAppliedAtAnySize)
{
    QTemporaryDir dir;
    const QString path = writeTurnedJpeg(dir.filePath("turned.jpg"), {800, 400});
    struct Row {
        const char *name;
        QSize target;
    };
    for (const Row &row : {Row{"whole", {}}, Row{"reduced for a thumbnail", {121, 105}}}) {
        SCOPED_TRACE(row.name);
        const QImage picture = tilemere::loadPicture(path, row.target);
        ASSERT_FALSE(picture.isNull());
        // Turned a quarter clockwise: the red half is now on top.
        EXPECT_GT(picture.height(), picture.width());
        EXPECT_TRUE(isRed(picture.pixelColor(picture.width() / 2, picture.height() / 4)));
        EXPECT_TRUE(isBlue(picture.pixelColor(picture.width() / 2, picture.height() * 3 / 4)));
        if (row.target.isValid()) {
            // Decoded smaller, but never below what the slot needs.
            EXPECT_LT(picture.width(), 400);
            EXPECT_GE(picture.width(), row.target.width());
            EXPECT_GE(picture.height(), row.target.height());
        }
    }
}

TEST(PictureTest, FilesThatAreNoPictureGiveNothing)
{
    QTemporaryDir dir;
    QImage whole(64, 48, QImage::Format_RGB32);
    whole.fill(Qt::green);
    ASSERT_TRUE(whole.save(dir.filePath("whole.jpg")));
    QFile source(dir.filePath("whole.jpg"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray jpeg = source.readAll();
    struct Row {
        const char *name;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"empty", {}},
        {"text", "not a picture at all\n"},
        {"only the start of a JPEG", jpeg.left(20)},
        // A bitmap header promising 10000 x 10000 pixels with none behind it.
        {"bitmap cut short", QByteArray::fromHex("424d36000000000000003600000028000000102700001027000001001800")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QFile file(dir.filePath("broken.jpg"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(row.bytes);
        file.close();
        EXPECT_TRUE(tilemere::loadPicture(file.fileName()).isNull());
        EXPECT_TRUE(tilemere::loadPicture(file.fileName(), {121, 105}).isNull());
    }
    EXPECT_TRUE(tilemere::loadPicture(dir.filePath("missing.jpg")).isNull());
}

} // namespace
