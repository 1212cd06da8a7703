// Thumbnails come after the window, land only on the page they were made
// for, and go through the desktop's thumbnail cache.
#include "FrontTestSupport.h"

#include "ThumbnailCache.h"

#include <QThread>

#include <functional>

using namespace fronttest;

TEST(ThumbnailStream, ThumbnailsOfAPageLeftNeverLandOnTheNextOne)
{
    AppFolder folder({.puzzlePictures = 10});
    Started front(folder);
    ASSERT_EQ(page(front), QStringLiteral("1 2 3 4 5 6 7 8 9"));
    // Each turn leaves the decodes of the page before to finish meanwhile,
    // with their results waiting in the event queue.
    for (void (tilemere::FrontScreen::*turn)() : {&tilemere::FrontScreen::showNextPage,
                                                  &tilemere::FrontScreen::showPreviousPage,
                                                  &tilemere::FrontScreen::showNextPage}) {
        (front.front.get()->*turn)();
        QThread::msleep(100);
    }
    EXPECT_EQ(page(front), QStringLiteral("10 . . . . . . . ."));
}

struct CacheRow {
    const char *name;
    bool writableCache;
    std::function<void(const QString &picture, const QString &largeThumbnail)> between; // the two starts
    const char *secondPage;
};

void setMtime(const QString &path, const QDateTime &time)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append) && file.setFileTime(time, QFileDevice::FileModificationTime));
}

const CacheRow kCacheRows[] = {
    {"CurrentThumbnailServesWithoutDecoding", true,
     [](const QString &picture, const QString &) {
         const QDateTime mtime = QFileInfo(picture).lastModified();
         writeFile(picture, QByteArray(QFileInfo(picture).size(), 'x'));
         setMtime(picture, mtime);
     },
     "1"},
    {"ChangedFileIsDecodedAgain", true,
     [](const QString &picture, const QString &) {
         const QDateTime mtime = QFileInfo(picture).lastModified();
         writePicture(picture, 2, {600, 400});
         setMtime(picture, mtime.addSecs(10));
     },
     "2"},
    {"CorruptCacheFileIsIgnored", true,
     [](const QString &, const QString &large) {
         QFile file(large);
         ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(60) && file.write("corrupt") == 7);
     },
     "1"},
    {"UnwritableCacheCostsOnlySpeed", false, {}, "1"},
};

TEST(ThumbnailCache, CurrentThumbnailsServeAndStaleOrBrokenOnesAreRemade)
{
    for (const CacheRow &row : kCacheRows) {
        SCOPED_TRACE(row.name);
        AppFolder folder({.puzzlePictures = 0});
        const QString picture = folder.puzzleImages() + QStringLiteral("/1.jpg");
        writePicture(picture, 1, {600, 400});
        if (!row.writableCache) // below a plain file, which even root cannot write
            folder.cacheHome = picture;
        const QString large = tilemere::ThumbnailCache(folder.cacheHome + QStringLiteral("/thumbnails"))
                                  .thumbnailPath(picture, tilemere::ThumbnailCache::largeSide);
        EXPECT_EQ(page(Started(folder)), QStringLiteral("1 . . . . . . . ."));
        ASSERT_TRUE(!row.writableCache || QTest::qWaitFor([&] { return QFile::exists(large); }));
        if (row.between)
            row.between(picture, large);

        EXPECT_EQ(page(Started(folder)), QStringLiteral("%1 . . . . . . . .").arg(row.secondPage));
    }
}
