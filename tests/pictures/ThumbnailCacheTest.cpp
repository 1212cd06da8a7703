// The shared thumbnail cache: the standard's names and keys, a stale
// thumbnail counting as missing until it is remade, and planted entries
// passed over. A new mtime, a corrupt
// cache file and a cache that cannot be written are rows of
// tests/front/ThumbnailStreamTest.cpp, seen from the front screen.
#include "Fuzz.h"
#include "HostileFiles.h"
#include "ThumbnailCache.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

using tilemere::ThumbnailCache;

namespace {

struct CacheTest : ::testing::Test {
    QTemporaryDir dir;
    QString picture = dir.filePath(QStringLiteral("photo one.jpg"));
    ThumbnailCache cache{dir.filePath(QStringLiteral("cache/thumbnails"))};
    QImage image{600, 400, QImage::Format_RGB32}; // 3:2, saved as the picture the thumbnails are of
    void SetUp() override { image.fill(Qt::darkCyan); ASSERT_TRUE(image.save(picture, "JPEG")); }
};

TEST(ThumbnailCacheNames, FollowTheStandard)
{
    // The standard's own example.
    EXPECT_EQ(ThumbnailCache(QStringLiteral("/c")).thumbnailPath(QStringLiteral("/home/jens/photos/me.png"), 128),
              QStringLiteral("/c/normal/c6ee772d9e49320e97ec29a7eb5b1697.png"));
    EXPECT_EQ(ThumbnailCache::fileUri(QStringLiteral("/p/a b/été#1;(2)~.jpg")),
              QStringLiteral("file:///p/a%20b/%C3%A9t%C3%A9%231;(2)~.jpg"));
}

// Thumbnails of private photos must not be readable by other users.
TEST_F(CacheTest, StoreWritesBothSizesWithTheKeysPrivately)
{
    cache.store(picture, image);
    const QFileInfo file(picture);
    for (const int side : {128, 256}) {
        SCOPED_TRACE(side);
        const QString path = cache.thumbnailPath(picture, side);
        const QImage written(path);
        EXPECT_EQ(written.text(QStringLiteral("Thumb::URI")), ThumbnailCache::fileUri(picture));
        EXPECT_EQ(written.text(QStringLiteral("Thumb::MTime")),
                  QString::number(file.lastModified().toSecsSinceEpoch()));
        EXPECT_EQ(written.text(QStringLiteral("Thumb::Size")), QString::number(file.size()));
        EXPECT_EQ(written.size(), QSize(side, side * 2 / 3));
        EXPECT_EQ(QFile::permissions(path) & 0x7077, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        EXPECT_EQ(QFile::permissions(QFileInfo(path).path()) & 0x7077,
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    // Nothing but the thumbnail is left behind.
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("cache/thumbnails/large"))).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(cache.find(picture, 100).width(), 128);
    EXPECT_EQ(cache.find(picture, 200).width(), 256);
    EXPECT_TRUE(cache.find(picture, 300).isNull());

    // A picture no larger than a size is never scaled up to it.
    const QString small = dir.filePath(QStringLiteral("small.jpg"));
    ASSERT_TRUE(QFile::copy(picture, small));
    cache.store(small, image.scaled(200, 100));
    EXPECT_EQ(cache.find(small, 128).width(), 128);
    EXPECT_TRUE(cache.find(small, 129).isNull());
}

// An edit within the same second as the thumbnail shows only in the size.
TEST_F(CacheTest, PictureChangedWithinTheSameSecondIsMissingUntilRemade)
{
    cache.store(picture, image);
    const QDateTime mtime = QFileInfo(picture).lastModified();
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::Append) && file.write("more") == 4 && file.flush());
    ASSERT_TRUE(file.setFileTime(mtime, QFileDevice::FileModificationTime));
    EXPECT_TRUE(cache.find(picture, 128).isNull());
    cache.store(picture, image);
    EXPECT_EQ(cache.find(picture, 128).width(), 128);
}

} // namespace

namespace {

// Anyone who can write the cache folder can plant what they like under a
// thumbnail's name: each is passed over as missing, without waiting on it
// or reading more than a thumbnail can be.
TEST_F(CacheTest, PlantedEntriesAreMissingWithoutWaitingOrSwelling)
{
    const QString bigFile = dir.filePath(QStringLiteral("big"));
    QFile big(bigFile);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(std::int64_t{1} << 30));
    big.close();
    const QString hugePng = dir.filePath(QStringLiteral("huge.png")), deepPng = dir.filePath(QStringLiteral("deep.png"));
    ASSERT_TRUE(hostile::writeFile(hugePng, hostile::pngClaiming(65535, 65535, 8)));
    ASSERT_TRUE(hostile::writeFile(deepPng, hostile::pngClaiming(50000, 50000, 16)));
    struct Planted {
        const char *name;
        std::function<bool(const QString &at)> plant;
    };
    const Planted rows[] = {
        {"a pipe", [](const QString &at) { return ::mkfifo(QFile::encodeName(at).constData(), 0600) == 0; }},
        {"a link to /dev/zero", [](const QString &at) { return QFile::link(QStringLiteral("/dev/zero"), at); }},
        {"a link to a gigabyte", [&](const QString &at) { return QFile::link(bigFile, at); }},
        {"a PNG claiming 65535 x 65535", [&](const QString &at) { return QFile::copy(hugePng, at); }},
        {"a 16-bit PNG claiming 50000 x 50000", [&](const QString &at) { return QFile::copy(deepPng, at); }},
    };
    for (const Planted &row : rows) {
        SCOPED_TRACE(row.name);
        for (const int side : {128, 256}) {
            const QString at = cache.thumbnailPath(picture, side);
            QDir().mkpath(QFileInfo(at).path());
            QFile::remove(at);
            ASSERT_TRUE(row.plant(at));
        }
        QElapsedTimer clock;
        clock.start();
        QImage found;
        const std::int64_t grown = fuzz::residentGrowth([&] { found = cache.find(picture, 100); });
        EXPECT_TRUE(found.isNull());
        EXPECT_LT(grown, (std::int64_t{64} << 20) * fuzz::kSanitizerSlack) << "resident growth";
        EXPECT_LT(clock.elapsed(), 3000) << "ms, not a speed check: a pipe waits for ever";
    }
}

} // namespace
