// Files made to stall or swell a decode end in a picture or in nothing,
// promptly and in bounded memory, and a turned page does not wait for the
// old page's slow decodes.
#include "Fuzz.h"
#include "HostileFiles.h"
#include "PictureLoader.h"
#include "ThumbnailLoader.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace std::chrono_literals;

enum class Ends { InAPicture, InNothing, InEither };

struct Shape {
    const char *name;
    const char *fileName;
    QByteArray (*make)();
    std::int64_t sparseTail;
    Ends ends;
};

constexpr std::int64_t kGiB = std::int64_t{1} << 30;
constexpr uchar kCyan[4] = {0, 255, 255, 255}; // inverted inks: all cyan, nothing else

// Each of these took seconds, or gigabytes, or never ended. The stop is
// shorter than the game's, to keep the test quick: a decode that kept
// reading or inflating would run into it and give nothing.
const Shape kShapes[] = {
    {"progressive JPEG with a few empty scans still decodes", "few.jpg", [] { return hostile::jpegWithEmptyScans(20); }, 0,
     Ends::InAPicture},
    {"progressive JPEG with thousands of empty scans", "scans.jpg", [] { return hostile::jpegWithEmptyScans(5000); }, 0,
     Ends::InNothing},
    {"CMYK JPEG with a few empty scans still decodes", "few-cmyk.jpg", [] { return hostile::cmykJpeg(kCyan, 20); },
     0, Ends::InAPicture},
    {"CMYK JPEG with thousands of empty scans", "scans-cmyk.jpg", [] { return hostile::cmykJpeg(kCyan, 5000); }, 0,
     Ends::InNothing},
    {"1 x 1 GIF whose picture data runs on a little still decodes", "short.gif",
     [] { return hostile::endlessGif(10'000); }, 0, Ends::InAPicture},
    {"1 x 1 GIF whose picture data runs on for 2^31 pixels", "endless.gif",
     [] { return hostile::endlessGif(std::int64_t{1} << 31); }, 0, Ends::InNothing},
    {"1 x 1 PNG whose data inflates to a few kilobytes more still decodes", "short.png",
     [] { return hostile::pngInflatingTo(10'000); }, 0, Ends::InAPicture},
    {"1 x 1 PNG whose data inflates to a gigabyte", "bomb.png", [] { return hostile::pngInflatingTo(kGiB); }, 0,
     Ends::InNothing},
    {"WebP followed by 2 GB of zeros", "padded.webp",
     [] { return hostile::encoded(hostile::detailed(40, 30), "webp"); }, 2 * kGiB, Ends::InAPicture},
    {"JPEG followed by 10 GB of zeros and no end marker", "padded.jpg",
     [] { return hostile::encoded(hostile::detailed(40, 30), "jpeg").chopped(2); }, 10 * kGiB, Ends::InAPicture},
    {"16-bit interlaced PNG of 5600 x 5600", "deep.png", [] { return hostile::sixteenBitInterlacedPng(5600, 5600); }, 0,
     Ends::InEither},
    {"animation on a canvas of 5600 x 5600", "canvas.webp", [] { return hostile::animatedWebp(5600); }, 0,
     Ends::InEither},
    {"TIFF of 200 samples a pixel", "samples.tif", [] { return hostile::tiffWithSamples(200); }, 0, Ends::InNothing},
};

TEST(BoundedDecode, EachStallingOrSwellingShapeEndsInAPictureOrNothingWithinItsBounds)
{
    QTemporaryDir dir;
    for (const Shape &shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const QString path = dir.filePath(QLatin1String(shape.fileName));
        ASSERT_TRUE(hostile::writeFile(path, shape.make(), shape.sparseTail));
        tilemere::DecodeBudget budget;
        QImage picture;
        QElapsedTimer clock;
        clock.start();
        const std::int64_t grown = fuzz::residentGrowth([&] {
            picture = tilemere::loadPicture(path, QSize(121, 105), budget, tilemere::DecodeStop(1500ms));
        });
        // Not a speed check: unbounded, these ran from 10 s to minutes.
        EXPECT_LT(clock.elapsed(), 6000 * fuzz::kSanitizerSlack) << "ms for the decode";
        EXPECT_LT(grown, (std::int64_t{300} << 20) * fuzz::kSanitizerSlack) << "resident growth";
        if (shape.ends != Ends::InEither) {
            EXPECT_EQ(picture.isNull(), shape.ends == Ends::InNothing) << picture.width() << " x " << picture.height();
        }
        EXPECT_TRUE(picture.width() <= 5600 && picture.height() <= 5600);
        QFile::remove(path);
    }
}

// Pixels pointing past a two-colour table are drawn black, not from
// whatever memory follows the table.
TEST(BoundedDecode, BitmapPixelsPastItsPaletteAreBlack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("palette.bmp"));
    ASSERT_TRUE(hostile::writeFile(path, hostile::bitmapPastItsPalette(64)));
    const QImage picture = tilemere::loadPicture(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(64, 64));
    EXPECT_EQ(picture.pixel(10, 10), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel(63, 63), qRgb(0, 0, 0));
}

// CMYK pictures are decoded by the game's own bounded reader now, not Qt's:
// their colours must stay the ones Qt's reader gave.
TEST(BoundedDecode, CmykJpegKeepsTheColoursQtsReaderGives)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cmyk.jpg"));
    const uchar inks[4] = {40, 200, 120, 230};
    ASSERT_TRUE(hostile::writeFile(path, hostile::cmykJpeg(inks)));
    const QImage picture = tilemere::loadPicture(path).convertToFormat(QImage::Format_RGB32);
    const QImage byQt = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(64, 64));
    ASSERT_EQ(byQt.size(), QSize(64, 64));
    for (const QPoint at : {QPoint(0, 0), QPoint(33, 20), QPoint(63, 63)}) {
        const QRgb ours = picture.pixel(at);
        const QRgb theirs = byQt.pixel(at);
        EXPECT_NEAR(qRed(ours), qRed(theirs), 2);
        EXPECT_NEAR(qGreen(ours), qGreen(theirs), 2);
        EXPECT_NEAR(qBlue(ours), qBlue(theirs), 2);
    }
}

// Two pictures that would take a minute each hold both threads of page 1;
// turning the page must free them for page 2's nine plain pictures.
TEST(BoundedDecode, TurningThePageAbandonsTheOldPagesDecodes)
{
    int argc = 1;
    char name[] = "pictures_tests";
    char *argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    tilemere::ThumbnailLoader loader(tilemere::ThumbnailCache(dir.filePath(QStringLiteral("cache"))));
    loader.setDecodeTime(120s);
    const QByteArray slow = hostile::endlessGif(std::int64_t{1} << 35);
    for (const char *file : {"slow1.gif", "slow2.gif"})
        ASSERT_TRUE(hostile::writeFile(dir.filePath(QLatin1String(file)), slow));
    const QByteArray plain = hostile::encoded(hostile::detailed(60, 40), "png");
    for (int i = 0; i < 9; ++i)
        ASSERT_TRUE(hostile::writeFile(dir.filePath(QStringLiteral("plain%1.png").arg(i)), plain));

    QSignalSpy arrived(&loader, &tilemere::ThumbnailLoader::thumbnailReady);
    loader.request(1, 0, dir.filePath(QStringLiteral("slow1.gif")), QSize(121, 105));
    loader.request(1, 1, dir.filePath(QStringLiteral("slow2.gif")), QSize(121, 105));
    QTest::qWait(300); // both are being decoded now
    loader.cancelAll();
    for (int i = 0; i < 9; ++i)
        loader.request(2, i, dir.filePath(QStringLiteral("plain%1.png").arg(i)), QSize(121, 105));
    const auto pageTwo = [&] {
        return std::count_if(arrived.begin(), arrived.end(), [](const QList<QVariant> &a) { return a[0].toInt() == 2; });
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return pageTwo() == 9; }, 30'000)) << pageTwo() << " of page 2's nine";
}

} // namespace
