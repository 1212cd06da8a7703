// Folders read off the window's thread: what the browser shows while a
// folder is read, a folder opened before the last one was read, and names
// on disk that are not UTF-8.
#include "FrontTestSupport.h"

#include "DiskNames.h"

#include <fcntl.h>
#include <unistd.h>

using namespace fronttest;

namespace {

void emptyPictures(const QString &folder, int count)
{
    QDir().mkpath(folder);
    for (int i = 1; i <= count; ++i)
        ::close(::open(QFile::encodeName(folder + QStringLiteral("/%1.jpg").arg(i)).constData(), O_WRONLY | O_CREAT, 0600));
}

} // namespace

// Until the count is known the label is empty rather than wrong, no slot
// can start a game and "no pictures" is not claimed; then page 1 comes.
TEST(FolderReading, LabelAndSlotsWaitForTheCountThenShowTheFirstPage)
{
    AppFolder folder({.puzzlePictures = 12});
    const QString other = folder.makeFolder(QStringLiteral("Other"));
    writePictures(other, 10);
    Started front(folder);
    click(front.child("nextButton"));
    ASSERT_EQ(front.text("pageLabel"), QStringLiteral("Page 2 of 2 page(s)"));

    front.child<FolderList>("folderList")->setPath(other);
    EXPECT_TRUE(front->listing());
    EXPECT_EQ(front.text("pageLabel"), QString());
    EXPECT_TRUE(front.child("noPicturesLabel")->isHidden());
    click(front.slot(0));
    front.awaitGame();
    EXPECT_TRUE(front.startedWith.isEmpty());
    click(front.child("nextButton"));

    ASSERT_TRUE(front.listed());
    EXPECT_EQ(front.text("pageLabel"), QStringLiteral("Page 1 of 2 page(s)"));
    EXPECT_EQ(page(front), QStringLiteral("1 2 3 4 5 6 7 8 9"));
}

// The player clicks on to another folder while a big one is read: the big
// one's pictures never replace the folder chosen last.
TEST(FolderReading, AFolderOpenedMeanwhileWinsOverTheOneBeingRead)
{
    AppFolder folder({.puzzlePictures = 1});
    const QString big = folder.path() + QStringLiteral("/Big"), small = folder.makeFolder(QStringLiteral("Small"));
    emptyPictures(big, 3000);
    writePictures(small, 2);
    Started front(folder);
    auto *folders = front.child<FolderList>("folderList");
    folders->setPath(big);
    folders->setPath(small);
    ASSERT_TRUE(front.listed());
    QTest::qWait(300); // time enough for the big folder's list, were it still coming
    EXPECT_EQ(front->pictures().path(), small);
    EXPECT_EQ(front.text("pageLabel"), QStringLiteral("Page 1 of 1 page(s)"));
    EXPECT_EQ(page(front), QStringLiteral("1 2 . . . . . . ."));
}

// A name from an old archive: listed readably, its thumbnail shown, and a
// game started with that very file.
TEST(FolderReading, NameThatIsNotUtf8IsListedShownAndOpens)
{
    AppFolder folder({.puzzlePictures = 0});
    writePicture(folder.puzzleImages() + QStringLiteral("/1.jpg"), 1);
    writePicture(folder.puzzleImages() + QStringLiteral("/z.jpg"), 2);
    const QByteArray pictures = QFile::encodeName(folder.puzzleImages());
    ASSERT_EQ(::rename(pictures + "/1.jpg", pictures + "/pic\xe9.jpg"), 0);
    Started front(folder);
    ASSERT_EQ(front->pictures().count(), 2);
    EXPECT_EQ(front->pictures().entry(0), QString::fromUtf8("picé.jpg"));
    EXPECT_EQ(page(front), QStringLiteral("1 2 . . . . . . ."));
    click(front.slot(0));
    front.awaitGame();
    EXPECT_EQ(front.startedWith, folder.puzzleImages() + QString::fromUtf8("/picé.jpg"));
    EXPECT_TRUE(front->playScreen().isVisible());
    EXPECT_TRUE(observed.messages.isEmpty());
}
