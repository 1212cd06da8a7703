// The cache's own PNG reader against files other programs write: every row
// filter libpng picks, alpha, texts; kinds it leaves to Qt; and broken files,
// which must give nothing rather than wrong pixels.
#include "PngFile.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include <gtest/gtest.h>

namespace png = tilemere::png;

namespace {

// Smooth shades, edges and noise, so libpng's writer uses every filter.
QImage photo(QImage::Format format)
{
    QImage image(97, 61, format);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 2, y * 4, (x * y * 7919) % 256, 255 - x));
    QPainter(&image).fillRect(20, 10, 30, 30, Qt::darkRed);
    return image;
}

// Qt's writer would split a key at its colons ("Thumb::URI").
QByteArray written(const QImage &image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setText(QStringLiteral("Software"), QStringLiteral("file:///a%20b.jpg"));
    EXPECT_TRUE(writer.write(image));
    return buffer.data();
}

QByteArray withByteChanged(QByteArray bytes, qsizetype at)
{
    bytes[at] = char(bytes[at] ^ 0x40);
    return bytes;
}

} // namespace

TEST(PngFile, ReadsWhatLibpngWritesAndItsOwnWritingPixelForPixel)
{
    const QImage palette = photo(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8);
    for (const QImage &original : {photo(QImage::Format_RGB32), photo(QImage::Format_ARGB32), palette}) {
        SCOPED_TRACE(original.format());
        for (const QByteArray &file : {written(original), png::encode(original, {{"Software", "file:///a%20b.jpg"}}, 3)}) {
            const auto picture = png::decode(file, 10'000);
            ASSERT_TRUE(picture.has_value());
            EXPECT_EQ(picture->image, original.convertToFormat(picture->image.format()));
            EXPECT_EQ(picture->image.hasAlphaChannel(), original.hasAlphaChannel());
            EXPECT_EQ(picture->texts, png::Texts({{"Software", "file:///a%20b.jpg"}}));
        }
    }
}

TEST(PngFile, OtherKindsAreLeftToQtAndBrokenFilesGiveNothing)
{
    const QByteArray good = written(photo(QImage::Format_RGB32));
    const qsizetype pixelsAt = good.indexOf("IDAT") + 8;
    const struct { const char *name; QByteArray bytes; bool leftToQt; } rows[] = {
        {"grey", written(photo(QImage::Format_RGB32).convertToFormat(QImage::Format_Grayscale8)), true},
        {"16-bit", written(photo(QImage::Format_RGB32).convertToFormat(QImage::Format_RGBX64)), true},
        {"no PNG", "GIF89a", false},
        {"cut short", good.left(good.size() - 20), false},
        {"a changed pixel byte", withByteChanged(good, pixelsAt + 10), false},
        {"a changed header byte", withByteChanged(good, 17), false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto picture = png::decode(row.bytes, 10'000);
        EXPECT_EQ(!picture.has_value(), row.leftToQt);
        if (picture) {
            EXPECT_TRUE(picture->image.isNull());
        }
    }
    EXPECT_TRUE(png::decode(good, 97 * 61 - 1)->image.isNull()) << "more pixels than allowed";
}
