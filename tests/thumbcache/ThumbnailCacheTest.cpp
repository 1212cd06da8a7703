// The shared thumbnail cache: the standard's names and keys, and every kind
// of stale or broken cache file counting as missing until it is remade.
#include "ThumbnailCache.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using tilemere::ThumbnailCache;

namespace {

struct CacheFixture : ::testing::Test {
    QTemporaryDir dir;
    QString picture = dir.filePath(QStringLiteral("photo one.jpg"));
    ThumbnailCache cache{dir.filePath(QStringLiteral("cache/thumbnails"))};

    // A 3:2 picture with detail, written as the file the thumbnails are of.
    QImage writePicture(const QString &path)
    {
        QImage image(600, 400, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
        EXPECT_TRUE(image.save(path, "JPEG"));
        return image;
    }

    void setMtime(const QString &path, const QDateTime &time)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
    }
};

TEST_F(CacheFixture, NamesFollowTheStandard)
{
    // The standard's own example.
    EXPECT_EQ(ThumbnailCache(QStringLiteral("/c")).thumbnailPath(QStringLiteral("/home/jens/photos/me.png"), 128),
              QStringLiteral("/c/normal/c6ee772d9e49320e97ec29a7eb5b1697.png"));
    EXPECT_EQ(ThumbnailCache::fileUri(QStringLiteral("/p/a b/été#1;(2)~.jpg")),
              QStringLiteral("file:///p/a%20b/%C3%A9t%C3%A9%231;(2)~.jpg"));
    EXPECT_EQ(ThumbnailCache::fileUri(QStringLiteral("/p/x/../y.jpg")), QStringLiteral("file:///p/y.jpg"));
}

TEST_F(CacheFixture, StoreWritesBothSizesWithTheKeysPrivately)
{
    const QImage image = writePicture(picture);
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
        EXPECT_FALSE(written.text(QStringLiteral("Software")).isEmpty());
        EXPECT_EQ(written.size(), QSize(side, side * 2 / 3));
        EXPECT_EQ(QFile::permissions(path) & 0x7077, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        EXPECT_EQ(QFile::permissions(QFileInfo(path).path()) & 0x7077,
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    // Nothing but the two thumbnails is left behind.
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("cache/thumbnails/large"))).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(cache.find(picture, 100).width(), 128);
    EXPECT_EQ(cache.find(picture, 200).width(), 256);
    EXPECT_TRUE(cache.find(picture, 300).isNull());
}

TEST_F(CacheFixture, PicturesAreNeverScaledUp)
{
    const QImage small = writePicture(picture).scaled(200, 100);
    cache.store(picture, small);
    EXPECT_EQ(cache.find(picture, 128).width(), 128);
    EXPECT_TRUE(cache.find(picture, 129).isNull());
    cache.store(picture, small.scaled(128, 64));
    EXPECT_FALSE(QFile::exists(cache.thumbnailPath(picture, 256)));
}

// Each row spoils a stored thumbnail: it must then count as missing, and a
// new store must make it good again.
TEST_F(CacheFixture, StaleOrBrokenThumbnailsAreMissingUntilRemade)
{
    const QImage image = writePicture(picture);
    const QString other = dir.filePath(QStringLiteral("other.jpg"));
    writePicture(other);
    const struct {
        const char *name;
        std::function<void()> spoil;
    } rows[] = {
        {"picture changed (new mtime)",
         [&] { setMtime(picture, QFileInfo(picture).lastModified().addSecs(-60)); }},
        {"picture changed within the same second (new size)",
         [&] {
             const QDateTime mtime = QFileInfo(picture).lastModified();
             QFile file(picture);
             ASSERT_TRUE(file.open(QIODevice::Append));
             file.write("more");
             file.close();
             setMtime(picture, mtime);
         }},
        {"corrupt cache files",
         [&] {
             for (const int side : {128, 256}) {
                 QFile file(cache.thumbnailPath(picture, side));
                 ASSERT_TRUE(file.open(QIODevice::ReadWrite));
                 file.resize(file.size() / 2);
             }
         }},
        {"another file's thumbnails under this name",
         [&] {
             cache.store(other, image);
             for (const int side : {128, 256}) {
                 QFile::remove(cache.thumbnailPath(picture, side));
                 ASSERT_TRUE(QFile::copy(cache.thumbnailPath(other, side), cache.thumbnailPath(picture, side)));
             }
         }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        cache.store(picture, image);
        ASSERT_FALSE(cache.find(picture, 128).isNull());
        row.spoil();
        EXPECT_TRUE(cache.find(picture, 128).isNull());
        cache.store(picture, image);
        EXPECT_EQ(cache.find(picture, 128).width(), 128);
    }
}

TEST_F(CacheFixture, CacheThatCannotBeWrittenCostsNothing)
{
    const QImage image = writePicture(picture);
    // Root may write anywhere, except below a plain file.
    const ThumbnailCache blocked(picture + QStringLiteral("/thumbnails"));
    blocked.store(picture, image);
    EXPECT_TRUE(blocked.find(picture, 128).isNull());
    EXPECT_TRUE(ThumbnailCache(cache).find(dir.filePath(QStringLiteral("missing.jpg")), 128).isNull());
}

} // namespace
