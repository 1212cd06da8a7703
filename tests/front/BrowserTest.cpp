// The picture browser: pages of thumbnails, the folder and drive lists, and
// which files of a folder are offered.
#include "FrontTestSupport.h"

#include <sys/stat.h>

#include <vector>

using namespace fronttest;

struct PagingRow {
    const char *name;
    int pictures;
    std::vector<std::array<const char *, 3>> steps; // click ("", "Next", "Previous"), page, label
};

const char *const kFirst = "1 2 3 4 5 6 7 8 9", *kTenth = "10 . . . . . . . .", *kSecond = "10 11 12 13 14 15 16 17 18";
const char *const k1of1 = "Page 1 of 1 page(s)", *k1of2 = "Page 1 of 2 page(s)", *k2of2 = "Page 2 of 2 page(s)";
const PagingRow kPagingRows[] = {
    {"NoPictures", 0, {{"", ". . . . . . . . .", ""}, {"Next", ". . . . . . . . .", ""}}},
    {"OneFullPage", 9, {{"", kFirst, k1of1}, {"Next", kFirst, k1of1}, {"Previous", kFirst, k1of1}}},
    {"OneOverAPage", 10,
     {{"", kFirst, k1of2}, {"Next", kTenth, k2of2}, {"Next", kTenth, k2of2}, {"Previous", kFirst, k1of2}}},
    {"TwoFullPages", 18, {{"", kFirst, k1of2}, {"Next", kSecond, k2of2}, {"Next", kSecond, k2of2}}},
};

TEST(Paging, NextAndPreviousStayWithinThePagesThatHoldPictures)
{
    for (const PagingRow &row : kPagingRows) {
        SCOPED_TRACE(row.name);
        AppFolder folder({.puzzlePictures = row.pictures});
        auto front = start(folder);
        for (const auto &[clicked, shown, label] : row.steps) {
            SCOPED_TRACE(clicked);
            if (*clicked)
                click(clicked == std::string("Next") ? front->lblNext : front->lblPrevious);
            EXPECT_EQ(page(front), QString(shown));
            EXPECT_EQ(front->lblPageNo->text(), QString(label));
            EXPECT_EQ(front->lblNoPicsAva->isHidden(), row.pictures > 0);
        }
    }
}

TEST(FoldersAndVolumes, OnlyEnterOrAReadyVolumeOpensAndShowsTheFirstPage)
{
    AppFolder folder({.puzzlePictures = 20});
    for (const char *name : {"Alpha", "beta", ".hidden", "Gamma"})
        writePictures(folder.makeFolder(QStringLiteral("Puzzleimages/") + QLatin1String(name)), 3);
    const QString readyVolume = folder.makeFolder(QStringLiteral("ready")), beta = folder.puzzleImages() + "/beta";
    writePictures(readyVolume, 2);
    auto front = start(folder);
    QStringList subfolders;
    for (int i = 0; front->Dir1->currentItem() && i < front->Dir1->currentItem()->childCount(); ++i)
        subfolders << front->Dir1->currentItem()->child(i)->text(0);
    EXPECT_EQ(subfolders, QStringList({"Alpha", "beta", "Gamma"}));
    click(front->lblNext);
    click(front->lblNext);
    front->Drive1->setVolumes({QStringLiteral("/"), folder.path() + "/missing", readyVolume});

    front->Drive1->setCurrentIndex(1); // cannot be opened: silently changes nothing
    EXPECT_EQ(front->Drive1->drive(), folder.path() + "/missing");
    EXPECT_EQ(front->Dir1->path(), folder.puzzleImages());
    EXPECT_EQ(front->lblPageNo->text(), QStringLiteral("Page 3 of 3 page(s)"));
    const auto *alpha = front->Dir1->findItems("Alpha", Qt::MatchExactly | Qt::MatchRecursive).value(0);
    QTest::mouseClick(front->Dir1->viewport(), Qt::LeftButton, {}, front->Dir1->visualItemRect(alpha).center());
    QTest::keyClick(front->Dir1, Qt::Key_Down);
    EXPECT_EQ(front->Dir1->highlightedPath(), beta);
    EXPECT_EQ(front->lblPageNo->text(), QStringLiteral("Page 3 of 3 page(s)"));

    QTest::keyClick(front->Dir1, Qt::Key_Return);
    EXPECT_EQ(front->Dir1->path(), beta);
    EXPECT_EQ(page(front), QStringLiteral("1 2 3 . . . . . ."));
    EXPECT_EQ(front->lblPageNo->text(), QStringLiteral("Page 1 of 1 page(s)"));

    front->Drive1->setCurrentIndex(2);
    EXPECT_EQ(front->Dir1->path(), readyVolume);
    EXPECT_EQ(page(front), QStringLiteral("1 2 . . . . . . ."));
    EXPECT_TRUE(observed.messages.isEmpty());
}

TEST(PictureFiles, AnyCaseAndJpegInNaturalOrderAndUndecodableOnesShowABrokenMark)
{
    AppFolder folder({.puzzlePictures = 0});
    const QString dir = folder.puzzleImages() + QLatin1Char('/');
    for (const auto &[name, n] : {std::pair{"10.jpg", 10}, {"2.jpg", 2}, {"a.jpeg", 1}, {"b.JPG", 3}, {"C.Bmp", 4}})
        writePicture(dir + QLatin1String(name), n);
    // Undecodable, empty, a bitmap cut short after its file header, unreadable
    // for a player (root reads it, and it is still no picture); not offered:
    // hidden files and other types.
    for (const auto &[name, bytes] : {std::pair<const char *, QByteArray>{"d.jpg", "this is not a picture"},
                                      {"e.jpg", {}}, {"f.bmp", QByteArray("BM\x46\0\0\0\0\0\0\0\x36\0\0\0", 14)},
                                      {"g.jpg", "locked away"}, {".hidden.jpg", "x"}, {"notes.txt", "x"}}) {
        QFile file(dir + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QFile::setPermissions(dir + QStringLiteral("g.jpg"), {});
    // A folder and a pipe named like pictures are not offered (reading the
    // pipe would wait for ever).
    folder.makeFolder(QStringLiteral("Puzzleimages/folder.jpg"));
    ASSERT_EQ(::mkfifo(qPrintable(dir + QStringLiteral("pipe.jpg")), 0600), 0);

    auto front = start(folder);

    QStringList names;
    for (int i = 0; i < front->File1.count(); ++i)
        names << front->File1.entry(i);
    EXPECT_EQ(names, QStringList({"2.jpg", "10.jpg", "a.jpeg", "b.JPG", "C.Bmp", "d.jpg", "e.jpg", "f.bmp", "g.jpg"}));
    EXPECT_EQ(page(front), QStringLiteral("2 10 1 3 4 ? ? ? ?"));

    click(front->Image1[5]); // playing one brings the front back with a message
    EXPECT_EQ(observed.messages, QStringList{"Brackwater-Tilemere: The picture could not be opened."});
    EXPECT_TRUE(front->isVisible() && !Form1::instance().isVisible());
    EXPECT_EQ(observed.programEnds, 0);
}
