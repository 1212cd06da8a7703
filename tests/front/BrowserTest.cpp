// The picture browser: pages of thumbnails, the folder and drive lists, and
// which files of a folder are offered.
#include "FrontTestSupport.h"

#include "DriveList.h"
#include "FolderList.h"
#include "GameState.h"
#include "frmFront.h"

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <vector>

using namespace fronttest;

namespace {

struct PageStep {
    const char *click; // "" to look at the first page, "Next" or "Previous"
    const char *page;
    const char *label;
};

struct PagingRow {
    const char *name;
    int pictures;
    std::vector<PageStep> steps;
};

const PagingRow kPagingRows[] = {
    {"NoPictures",
     0,
     {{"", ". . . . . . . . .", ""},
      {"Next", ". . . . . . . . .", ""},
      {"Previous", ". . . . . . . . .", ""}}},
    {"OneFullPage",
     9,
     {{"", "1 2 3 4 5 6 7 8 9", "Page 1 of 1 page(s)"},
      {"Next", "1 2 3 4 5 6 7 8 9", "Page 1 of 1 page(s)"},
      {"Previous", "1 2 3 4 5 6 7 8 9", "Page 1 of 1 page(s)"}}},
    {"OneOverAPage",
     10,
     {{"", "1 2 3 4 5 6 7 8 9", "Page 1 of 2 page(s)"},
      {"Next", "10 . . . . . . . .", "Page 2 of 2 page(s)"},
      {"Next", "10 . . . . . . . .", "Page 2 of 2 page(s)"},
      {"Previous", "1 2 3 4 5 6 7 8 9", "Page 1 of 2 page(s)"},
      {"Previous", "1 2 3 4 5 6 7 8 9", "Page 1 of 2 page(s)"}}},
    {"TwoFullPages",
     18,
     {{"", "1 2 3 4 5 6 7 8 9", "Page 1 of 2 page(s)"},
      {"Next", "10 11 12 13 14 15 16 17 18", "Page 2 of 2 page(s)"},
      {"Next", "10 11 12 13 14 15 16 17 18", "Page 2 of 2 page(s)"}}},
};

class Paging : public testing::TestWithParam<PagingRow> {};

TEST_P(Paging, NextAndPreviousStayWithinThePagesThatHoldPictures)
{
    const PagingRow &row = GetParam();
    AppFolder folder({.puzzlePictures = row.pictures});
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    front.show();
    for (const PageStep &step : row.steps) {
        if (QString::fromLatin1(step.click) == QLatin1String("Next"))
            click(*front.lblNext);
        else if (QString::fromLatin1(step.click) == QLatin1String("Previous"))
            click(*front.lblPrevious);
        SCOPED_TRACE(step.click);
        EXPECT_EQ(page(front), QString::fromLatin1(step.page));
        EXPECT_EQ(front.lblPageNo->text(), QString::fromLatin1(step.label));
        EXPECT_EQ(front.lblNoPicsAva->isHidden(), row.pictures > 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, Paging, testing::ValuesIn(kPagingRows),
                         [](const auto &info) { return std::string(info.param.name); });

// The rows of the folder list below the current folder's own row.
QStringList subfolderRows(const FolderList &list)
{
    QStringList rows;
    if (const QTreeWidgetItem *current = list.currentItem()) {
        for (int i = 0; i < current->childCount(); ++i)
            rows << current->child(i)->text(0);
    }
    return rows;
}

int depthOf(const QTreeWidgetItem *item)
{
    int depth = 0;
    for (; item->parent(); item = item->parent())
        ++depth;
    return depth;
}

QRect rowRect(const FolderList &list, const QString &text)
{
    const auto found = list.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QRect() : list.visualItemRect(found.first());
}

TEST(FolderList, ShowsTheChainDownToTheFolderThenItsSubfoldersInNameOrder)
{
    AppFolder folder;
    for (const char *name : {"beta", "Alpha", ".hidden", "Gamma"})
        folder.makeFolder(QStringLiteral("Puzzleimages/") + QString::fromLatin1(name));
    auto loaded = loadFront(folder);
    const FolderList &list = *loaded.front->Dir1;

    EXPECT_EQ(subfolderRows(list), QStringList({"Alpha", "beta", "Gamma"}));
    const QTreeWidgetItem *current = list.currentItem();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->text(0), QStringLiteral("Puzzleimages"));
    EXPECT_EQ(depthOf(current), folder.puzzleImages().count(QLatin1Char('/')));
    EXPECT_EQ(list.topLevelItem(0)->text(0), QStringLiteral("/"));
}

TEST(FolderList, ASingleClickHighlightsAndEnterOpensTheHighlightedFolder)
{
    AppFolder folder({.puzzlePictures = 12});
    writePictures(folder.makeFolder(QStringLiteral("Puzzleimages/Alpha")), 3);
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    front.show();
    click(*front.lblNext);

    QTest::mouseClick(front.Dir1->viewport(), Qt::LeftButton, {}, rowRect(*front.Dir1, "Alpha").center());
    EXPECT_EQ(front.Dir1->path(), folder.puzzleImages());
    EXPECT_EQ(front.lblPageNo->text(), QStringLiteral("Page 2 of 2 page(s)"));

    QTest::keyClick(front.Dir1, Qt::Key_Return);
    EXPECT_EQ(front.Dir1->path(), folder.puzzleImages() + QStringLiteral("/Alpha"));
    EXPECT_EQ(page(front), QStringLiteral("1 2 3 . . . . . ."));
    EXPECT_EQ(front.lblPageNo->text(), QStringLiteral("Page 1 of 1 page(s)"));
}

TEST(FolderList, OtherKeysMoveTheHighlightWithoutOpening)
{
    AppFolder folder;
    folder.makeFolder(QStringLiteral("Puzzleimages/Alpha"));
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    front.show();
    front.Dir1->setFocus();

    QTest::keyClick(front.Dir1, Qt::Key_Down);
    EXPECT_EQ(front.Dir1->highlightedPath(), folder.puzzleImages() + QStringLiteral("/Alpha"));
    EXPECT_EQ(front.Dir1->path(), folder.puzzleImages());
    EXPECT_EQ(page(front), QStringLiteral("1 2 3 4 5 6 7 8 9"));
}

TEST(FolderList, OpeningAnotherFolderFromTheThirdPageShowsItsFirstPage)
{
    AppFolder folder({.puzzlePictures = 20});
    writePictures(folder.makeFolder(QStringLiteral("Puzzleimages/Alpha")), 4);
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    front.show();
    click(*front.lblNext);
    click(*front.lblNext);
    ASSERT_EQ(front.lblPageNo->text(), QStringLiteral("Page 3 of 3 page(s)"));

    QTest::mouseDClick(front.Dir1->viewport(), Qt::LeftButton, {}, rowRect(*front.Dir1, "Alpha").center());
    EXPECT_EQ(front.Dir1->path(), folder.puzzleImages() + QStringLiteral("/Alpha"));
    EXPECT_EQ(gCurrentPage, 0);
    EXPECT_EQ(page(front), QStringLiteral("1 2 3 4 . . . . ."));
    EXPECT_EQ(front.lblPageNo->text(), QStringLiteral("Page 1 of 1 page(s)"));
}

struct VolumeRow {
    const char *name;
    bool opens;
};

class PickingAVolume : public testing::TestWithParam<VolumeRow> {};

TEST_P(PickingAVolume, OpensItsRootOrChangesNothingSilently)
{
    AppFolder folder({.puzzlePictures = 12});
    const QString volumeRoot = GetParam().opens ? folder.makeFolder(QStringLiteral("volume"))
                                                : folder.path() + QStringLiteral("/not-mounted");
    if (GetParam().opens)
        writePictures(volumeRoot, 2);
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    front.show();
    click(*front.lblNext);
    front.Drive1->setVolumes({QStringLiteral("/"), volumeRoot});

    front.Drive1->setCurrentIndex(1);

    EXPECT_EQ(front.Drive1->drive(), volumeRoot);
    EXPECT_TRUE(observed().messages.isEmpty());
    if (GetParam().opens) {
        EXPECT_EQ(front.Dir1->path(), volumeRoot);
        EXPECT_EQ(page(front), QStringLiteral("1 2 . . . . . . ."));
        EXPECT_EQ(front.lblPageNo->text(), QStringLiteral("Page 1 of 1 page(s)"));
    } else {
        EXPECT_EQ(front.Dir1->path(), folder.puzzleImages());
        EXPECT_EQ(page(front), QStringLiteral("10 11 12 . . . . . ."));
        EXPECT_EQ(front.lblPageNo->text(), QStringLiteral("Page 2 of 2 page(s)"));
    }
}

INSTANTIATE_TEST_SUITE_P(Volumes, PickingAVolume,
                         testing::Values(VolumeRow{"Ready", true}, VolumeRow{"CannotBeOpened", false}),
                         [](const auto &info) { return std::string(info.param.name); });

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A bitmap header that promises 40000 x 40000 pixels and holds none.
QByteArray hugeBitmapHeader()
{
    QByteArray header(54, '\0');
    auto put32 = [&header](int at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            header[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
    };
    header[0] = 'B';
    header[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, 40000);
    put32(22, 40000);
    header[26] = 1;
    header[28] = 24;
    return header;
}

TEST(PictureFiles, AnyCaseAndJpegAreListedInNaturalOrderAndUndecodableOnesShowABrokenMark)
{
    AppFolder folder({.puzzleImages = false});
    const QString dir = folder.makeFolder(QStringLiteral("Puzzleimages"));
    writePicture(dir + QStringLiteral("/10.jpg"), 10);
    writePicture(dir + QStringLiteral("/2.jpg"), 2);
    writePicture(dir + QStringLiteral("/a.jpeg"), 1);
    writePicture(dir + QStringLiteral("/b.JPG"), 3);
    writePicture(dir + QStringLiteral("/C.Bmp"), 4);
    writeBytes(dir + QStringLiteral("/d.jpg"), "this is not a picture");
    writeBytes(dir + QStringLiteral("/e.jpg"), {});
    QFile bitmap(dir + QStringLiteral("/C.Bmp"));
    ASSERT_TRUE(bitmap.open(QIODevice::ReadOnly));
    writeBytes(dir + QStringLiteral("/f.bmp"), bitmap.read(80));
    // Unreadable for a normal user; as root it is read, and is still no picture.
    writeBytes(dir + QStringLiteral("/g.jpg"), "locked away");
    QFile::setPermissions(dir + QStringLiteral("/g.jpg"), {});
    writeBytes(dir + QStringLiteral("/h.bmp"), hugeBitmapHeader());
    // Not offered: other types, hidden files, folders and pipes named like pictures.
    writeBytes(dir + QStringLiteral("/notes.txt"), "x");
    writePicture(dir + QStringLiteral("/.hidden.jpg"), 5);
    QImage(8, 8, QImage::Format_RGB32).save(dir + QStringLiteral("/pic.png"));
    folder.makeFolder(QStringLiteral("Puzzleimages/folder.jpg"));
    ASSERT_EQ(::mkfifo(qPrintable(dir + QStringLiteral("/pipe.jpg")), 0600), 0);

    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    front.show();

    QStringList names;
    for (int i = 0; i < front.File1.count(); ++i)
        names << front.File1.entry(i);
    EXPECT_EQ(names, QStringList({"2.jpg", "10.jpg", "a.jpeg", "b.JPG", "C.Bmp", "d.jpg", "e.jpg", "f.bmp",
                                  "g.jpg", "h.bmp"}));
    EXPECT_EQ(page(front), QStringLiteral("2 10 1 3 4 ? ? ? ?"));
    EXPECT_EQ(front.lblPageNo->text(), QStringLiteral("Page 1 of 2 page(s)"));
    click(*front.lblNext);
    EXPECT_EQ(page(front), QStringLiteral("? . . . . . . . ."));
    EXPECT_EQ(observed().programEnds, 0);
}

} // namespace
