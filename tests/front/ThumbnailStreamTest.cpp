// Starting a game from a thumbnail, which may not have come yet. Thumbnails
// come after the window, land only on the page they were made for, and go
// through the desktop's thumbnail cache.
#include "FrontTestSupport.h"

#include "ThumbnailCache.h"

#include <QThread>

using namespace fronttest;

// The window comes before its thumbnails, and a click on a slot whose
// thumbnail has not come yet still starts that slot's picture.
TEST(StartingAGame, TakesTheChosenOptionsAndPictureAndBackFindsTheFrontAsLeft)
{
    AppFolder folder({.puzzlePictures = 12});
    Started front(folder);
    EXPECT_FALSE(front->pageComplete());
    click(front.child("sizeOption3"));
    click(front.child("animateCheck"));
    click(front.child("nextButton"));
    front->playScreen().setShuffleSeed(7);
    click(front.slot(5)); // empty: ignored, no picture is even tried
    EXPECT_TRUE(front->isVisible() && observed.messages.isEmpty());
    EXPECT_FALSE(front->pageComplete());

    click(front.slot(1));
    front.awaitGame();

    EXPECT_EQ(front.startedWith, folder.puzzleImages() + QStringLiteral("/11.bmp"));
    EXPECT_EQ(front.game.board.side(), 3);
    EXPECT_TRUE(!front->isVisible() && front->playScreen().isVisible() && front->playScreen().isShuffling());
    front->playScreen().finishShuffleNow(); // Back does nothing while the tiles are shuffled

    click(front.playControl("backButton"));
    EXPECT_TRUE(front->isVisible() && front.child<QRadioButton>("sizeOption3")->isChecked() &&
                front.child<QCheckBox>("animateCheck")->isChecked());
    EXPECT_EQ(front.text("pageLabel"), QStringLiteral("Page 2 of 2 page(s)"));
    EXPECT_EQ(page(front), QStringLiteral("10 11 12 . . . . . ."));
    EXPECT_TRUE(observed.messages.isEmpty());
}

TEST(ThumbnailStream, ThumbnailsOfAPageLeftNeverLandOnTheNextOne)
{
    AppFolder folder({.puzzlePictures = 10});
    Started front(folder);
    ASSERT_EQ(page(front), QStringLiteral("1 2 3 4 5 6 7 8 9"));
    // Each turn leaves the decodes of the page before to finish meanwhile,
    // with their results waiting in the event queue.
    for (const int turn : {1, -1, 1}) {
        turn > 0 ? front->showNextPage() : front->showPreviousPage();
        QThread::msleep(100);
    }
    EXPECT_EQ(page(front), QStringLiteral("10 . . . . . . . ."));
}

// Changed between two starts: the picture's bytes behind an unchanged time
// (so only the cache can show it), the picture itself, the cache file.
TEST(ThumbnailCache, CurrentThumbnailsServeAndStaleOrBrokenOnesAreRemade)
{
    const auto pageOf = [](const AppFolder &folder, const QString &pictures) {
        Started front(folder);
        page(front);
        front.child<FolderList>("folderList")->setPath(pictures);
        return page(front);
    };
    enum Change { SpoiledPictureSameTime, NewerPicture, CorruptCacheFile, UnwritableCache };
    const struct { const char *name; Change change; const char *secondPage; } rows[] = {
        {"CurrentThumbnailServesWithoutDecoding", SpoiledPictureSameTime, "1"},
        {"ChangedFileIsDecodedAgain", NewerPicture, "2"},
        {"CorruptCacheFileIsIgnored", CorruptCacheFile, "1"},
        {"UnwritableCacheCostsOnlySpeed", UnwritableCache, "1"}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        AppFolder folder({.puzzlePictures = 1});
        const QTemporaryDir elsewhere;
        const QString pictures = elsewhere.path();
        const QString picture = pictures + QStringLiteral("/1.jpg");
        writePicture(picture, 1, {600, 400});
        if (row.change == UnwritableCache) // below a plain file, which even root cannot write
            folder.cacheHome = picture;
        const tilemere::ThumbnailCache cache(folder.cacheHome + QStringLiteral("/thumbnails"));
        const QString large = cache.thumbnailPath(picture, tilemere::ThumbnailCache::largeSide);
        EXPECT_EQ(pageOf(folder, pictures), QStringLiteral("1 . . . . . . . ."));
        ASSERT_TRUE(row.change == UnwritableCache || QTest::qWaitFor([&] { return QFile::exists(large); }));

        const QDateTime mtime = QFileInfo(picture).lastModified();
        if (row.change == SpoiledPictureSameTime)
            writeFile(picture, QByteArray(QFileInfo(picture).size(), 'x'));
        if (row.change == NewerPicture)
            writePicture(picture, 2, {600, 400});
        QFile cached(large);
        ASSERT_TRUE(row.change != CorruptCacheFile ||
                    (cached.open(QIODevice::ReadWrite) && cached.seek(60) && cached.write("corrupt") && cached.flush()));
        QFile touched(picture);
        ASSERT_TRUE(touched.open(QIODevice::Append) &&
                    touched.setFileTime(row.change == NewerPicture ? mtime.addSecs(10) : mtime, QFileDevice::FileModificationTime));

        EXPECT_EQ(pageOf(folder, pictures), QStringLiteral("%1 . . . . . . . .").arg(row.secondPage));
    }
}
