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
    const char *click; // "", "Next" or "Previous"
    const char *page;
    const char *label;
};

struct PagingRow {
    const char *name;
    int pictures;
    std::vector<PageStep> steps;
};

const PagingRow kPagingRows[] = {
    {"NoPictures", 0, {{"", ". . . . . . . . .", ""}, {"Next", ". . . . . . . . .", ""}}},
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
    AppFolder folder({.puzzlePictures = GetParam().pictures});
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    for (const PageStep &step : GetParam().steps) {
        SCOPED_TRACE(step.click);
        if (step.click == std::string("Next"))
            click(*front.lblNext);
        else if (step.click == std::string("Previous"))
            click(*front.lblPrevious);
        EXPECT_EQ(page(front), step.page);
        EXPECT_EQ(front.lblPageNo->text(), step.label);
        EXPECT_EQ(front.lblNoPicsAva->isHidden(), GetParam().pictures > 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, Paging, testing::ValuesIn(kPagingRows),
                         [](const auto &info) { return std::string(info.param.name); });

QRect rowRect(const FolderList &list, const QString &text)
{
    const auto found = list.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QRect() : list.visualItemRect(found.first());
}

TEST(FolderList, ClicksAndArrowsOnlyHighlightAndEnterOpens)
{
    AppFolder folder({.puzzlePictures = 12});
    writePictures(folder.makeFolder(QStringLiteral("Puzzleimages/beta")), 3);
    for (const char *name : {"Alpha", ".hidden", "Gamma"})
        folder.makeFolder(QStringLiteral("Puzzleimages/") + QString::fromLatin1(name));
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    QTreeWidgetItem *current = front.Dir1->currentItem();
    ASSERT_NE(current, nullptr);
    QStringList subfolders;
    for (int i = 0; i < current->childCount(); ++i)
        subfolders << current->child(i)->text(0);
    EXPECT_EQ(subfolders, QStringList({"Alpha", "beta", "Gamma"}));
    click(*front.lblNext);

    QTest::mouseClick(front.Dir1->viewport(), Qt::LeftButton, {}, rowRect(*front.Dir1, "Alpha").center());
    QTest::keyClick(front.Dir1, Qt::Key_Down);
    EXPECT_EQ(front.Dir1->highlightedPath(), folder.puzzleImages() + QStringLiteral("/beta"));
    EXPECT_EQ(front.lblPageNo->text(), QStringLiteral("Page 2 of 2 page(s)"));

    QTest::keyClick(front.Dir1, Qt::Key_Return);
    EXPECT_EQ(front.Dir1->path(), folder.puzzleImages() + QStringLiteral("/beta"));
    EXPECT_EQ(page(front), QStringLiteral("1 2 3 . . . . . ."));
    EXPECT_EQ(front.lblPageNo->text(), QStringLiteral("Page 1 of 1 page(s)"));
}

TEST(FolderList, OpeningAnotherFolderFromTheThirdPageShowsItsFirstPage)
{
    AppFolder folder({.puzzlePictures = 20});
    writePictures(folder.makeFolder(QStringLiteral("Puzzleimages/Alpha")), 4);
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    click(*front.lblNext);
    click(*front.lblNext);
    ASSERT_EQ(front.lblPageNo->text(), QStringLiteral("Page 3 of 3 page(s)"));

    QTest::mouseDClick(front.Dir1->viewport(), Qt::LeftButton, {}, rowRect(*front.Dir1, "Alpha").center());

    EXPECT_EQ(front.Dir1->path(), folder.puzzleImages() + QStringLiteral("/Alpha"));
    EXPECT_EQ(page(front), QStringLiteral("1 2 3 4 . . . . ."));
    EXPECT_EQ(front.lblPageNo->text(), QStringLiteral("Page 1 of 1 page(s)"));
}

class PickingAVolume : public testing::TestWithParam<bool> {};

TEST_P(PickingAVolume, OpensItsRootOrSilentlyChangesNothing)
{
    const bool ready = GetParam();
    AppFolder folder({.puzzlePictures = 12});
    const QString root = folder.path() + QStringLiteral("/volume");
    if (ready)
        writePictures(root, 2);
    auto loaded = loadFront(folder);
    frmFront &front = *loaded.front;
    click(*front.lblNext);
    front.Drive1->setVolumes({QStringLiteral("/"), root});

    front.Drive1->setCurrentIndex(1);

    EXPECT_EQ(front.Drive1->drive(), root);
    EXPECT_TRUE(observed().messages.isEmpty());
    EXPECT_EQ(front.Dir1->path(), ready ? root : folder.puzzleImages());
    EXPECT_EQ(page(front), ready ? "1 2 . . . . . . ." : "10 11 12 . . . . . .");
    EXPECT_EQ(front.lblPageNo->text(), ready ? "Page 1 of 1 page(s)" : "Page 2 of 2 page(s)");
}

INSTANTIATE_TEST_SUITE_P(Volumes, PickingAVolume, testing::Bool(),
                         [](const auto &info) { return info.param ? "Ready" : "CannotBeOpened"; });

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(PictureFiles, AnyCaseAndJpegInNaturalOrderAndUndecodableOnesShowABrokenMark)
{
    AppFolder folder({.puzzlePictures = 0});
    const QString dir = folder.puzzleImages();
    writePicture(dir + QStringLiteral("/10.jpg"), 10);
    writePicture(dir + QStringLiteral("/2.jpg"), 2);
    writePicture(dir + QStringLiteral("/a.jpeg"), 1);
    writePicture(dir + QStringLiteral("/b.JPG"), 3);
    writePicture(dir + QStringLiteral("/C.Bmp"), 4);
    writeBytes(dir + QStringLiteral("/d.jpg"), "this is not a picture");
    writeBytes(dir + QStringLiteral("/e.jpg"), {});
    QFile bitmap(dir + QStringLiteral("/C.Bmp"));
    ASSERT_TRUE(bitmap.open(QIODevice::ReadOnly));
    writeBytes(dir + QStringLiteral("/f.bmp"), bitmap.read(80)); // cut short
    // Unreadable for a player; root reads it, and it is still no picture.
    writeBytes(dir + QStringLiteral("/g.jpg"), "locked away");
    QFile::setPermissions(dir + QStringLiteral("/g.jpg"), {});
    // Not offered: other types, hidden files, and a folder and a pipe named
    // like pictures (reading the pipe would wait for ever).
    writeBytes(dir + QStringLiteral("/notes.txt"), "x");
    writePicture(dir + QStringLiteral("/.hidden.jpg"), 5);
    folder.makeFolder(QStringLiteral("Puzzleimages/folder.jpg"));
    ASSERT_EQ(::mkfifo(qPrintable(dir + QStringLiteral("/pipe.jpg")), 0600), 0);

    auto loaded = loadFront(folder);
    const frmFront &front = *loaded.front;

    QStringList names;
    for (int i = 0; i < front.File1.count(); ++i)
        names << front.File1.entry(i);
    EXPECT_EQ(names, QStringList({"2.jpg", "10.jpg", "a.jpeg", "b.JPG", "C.Bmp", "d.jpg", "e.jpg", "f.bmp", "g.jpg"}));
    EXPECT_EQ(page(front), QStringLiteral("2 10 1 3 4 ? ? ? ?"));
    EXPECT_EQ(observed().programEnds, 0);
}

} // namespace
