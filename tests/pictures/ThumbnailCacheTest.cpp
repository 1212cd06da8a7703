// The shared thumbnail cache: the standard's names and keys, a stale
// thumbnail counting as missing until it is remade, and planted entries
// passed over. A new mtime, a corrupt
// cache file and a cache that cannot be written are rows of
// tests/front/ThumbnailStreamTest.cpp, seen from the front screen.
#include "Fuzz.h"
#include "HostileFiles.h"
#include "ThumbnailCache.h"

#include "DiskNames.h"
#include "Thumbnails.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

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
TEST_F(CacheTest, StoreWritesEverySizeBelowThePictureWithTheKeysPrivately)
{
    cache.store(picture, image);
    const QFileInfo file(picture);
    for (const int side : {128, 256, 512}) {
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
    EXPECT_EQ(cache.find(picture, 300).width(), 512);
    EXPECT_TRUE(cache.find(picture, 600).isNull());

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

// The inode of a cache file, or 0: a rewrite renames a new file over it.
ino_t inodeOf(const QString &path)
{
    struct stat facts {};
    return ::stat(QFile::encodeName(path).constData(), &facts) == 0 ? facts.st_ino : 0;
}

// Slots of 121 x 105 at the screen's density; each visit makes the thumbnail
// as the browser does and keeps what it decoded. A later visit at a density
// seen before is served from the cache, and no current file is rewritten.
TEST_F(CacheTest, EveryDensityIsServedOnItsSecondVisitAndCurrentFilesStay)
{
    const struct { const char *name; std::vector<double> scales; } rows[] = {
        {"Single", {1, 1}}, {"Double", {2, 2}}, {"SingleThenDouble", {1, 2, 2, 1}}, {"DoubleThenFourfold", {2, 4, 4}}};
    const QImage photo = image.scaled(2400, 1800); // 4:3, as cameras take them
    ASSERT_TRUE(photo.save(picture, "JPEG"));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("cache"))).removeRecursively());
        std::map<double, int> visits;
        std::map<int, ino_t> firstWritten;
        tilemere::DecodeBudget budget;
        for (const double scale : row.scales) {
            SCOPED_TRACE(scale);
            const QSize slot = (QSizeF(121, 105) * scale).toSize();
            const thumbnails::Made made = thumbnails::makeThumbnail(picture, slot, budget, cache);
            EXPECT_EQ(made.thumbnail.size(), slot);
            if (visits[scale]++ > 0) {
                EXPECT_TRUE(made.toCache.isNull()) << "decoded again, not served from the cache";
            }
            if (!made.toCache.isNull())
                cache.store(picture, made.toCache);
            for (const int side : ThumbnailCache::sides) {
                const ino_t inode = inodeOf(cache.thumbnailPath(picture, side));
                if (inode != 0 && !firstWritten.count(side))
                    firstWritten[side] = inode;
                EXPECT_EQ(inode, firstWritten.count(side) ? firstWritten[side] : 0) << side << " rewritten";
            }
            EXPECT_FALSE(cache.findCovering(picture, slot).isNull()) << "nothing kept covers the slot";
        }
    }
}

// The key is the name's own bytes: a file manager that lists the same file
// finds the same thumbnail.
TEST_F(CacheTest, NameThatIsNotUtf8KeysItsOwnBytes)
{
    const QByteArray latin1 = QFile::encodeName(dir.path()) + "/pic\xe9.jpg";
    ASSERT_EQ(::link(QFile::encodeName(picture).constData(), latin1.constData()), 0);
    const QString shown = dir.path() + QStringLiteral("/") + tilemere::nameFromDisk("pic\xe9.jpg");
    EXPECT_TRUE(ThumbnailCache::fileUri(shown).endsWith(QLatin1String("/pic%E9.jpg")));
    cache.store(shown, image);
    EXPECT_EQ(cache.find(shown, 200).width(), 256);
}

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
        for (const int side : ThumbnailCache::sides) {
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
