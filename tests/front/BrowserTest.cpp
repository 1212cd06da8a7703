// The picture browser: pages of thumbnails, the folder and drive lists, and
// which files of a folder are offered.
#include "FrontTestSupport.h"

#include <vector>

using namespace fronttest;

// As many pictures as the 16-bit count holds are empty files, so broken ones:
// "End" goes to the page before the last, then Next to the last with its seven.
TEST(Paging, NextAndPreviousStayWithinThePagesThatHoldPictures)
{
    const char *const first = "1 2 3 4 5 6 7 8 9", *tenth = "10 . . . . . . . .", *broken = "? ? ? ? ? ? ? ? ?";
    const char *const oneOfOne = "Page 1 of 1 page(s)", *oneOfTwo = "Page 1 of 2 page(s)", *twoOfTwo = "Page 2 of 2 page(s)";
    const char *const last = "Page 3641 of 3641 page(s)", *beforeLast = "Page 3640 of 3641 page(s)";
    const struct { const char *name; int pictures; std::vector<std::array<const char *, 3>> steps; } rows[] = {
        // each step: the link clicked ("" none), then the page and its label;
        // a double-click is one click
        {"NoPictures", 0, {{"", ". . . . . . . . .", ""}, {"Next", ". . . . . . . . .", ""}}},
        {"OneFullPage", 9, {{"", first, oneOfOne}, {"Next", first, oneOfOne}, {"Previous", first, oneOfOne}}},
        {"OneOverAPage", 10,
         {{"", first, oneOfTwo}, {"Next", tenth, twoOfTwo}, {"Next", tenth, twoOfTwo}, {"Previous", first, oneOfTwo}}},
        {"DoubleClicked", 19, {{"Next twice", "10 11 12 13 14 15 16 17 18", "Page 2 of 3 page(s)"}, {"Previous twice", first, "Page 1 of 3 page(s)"}}},
        {"AtTheCountsLimit", 32767, {{"End", broken, beforeLast}, {"Next", "? ? ? ? ? ? ? . .", last},
                                     {"Next", "? ? ? ? ? ? ? . .", last}, {"Previous", broken, beforeLast}}}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const bool empties = row.pictures > 100;
        AppFolder folder({.puzzlePictures = empties ? 0 : row.pictures});
        for (int i = 1; empties && i <= row.pictures; ++i)
            QFile(folder.puzzleImages() + QStringLiteral("/%1.jpg").arg(i)).open(QIODevice::WriteOnly);
        Started front(folder);
        for (const auto &[clicked, shown, label] : row.steps) {
            SCOPED_TRACE(clicked);
            if (clicked == std::string("End"))
                front.game.currentPage = static_cast<std::int16_t>(row.pictures / 9 - 2);
            QWidget *link = front.child(std::string(clicked).starts_with("Previous") ? "previousButton" : "nextButton");
            if (std::string(clicked).ends_with(" twice"))
                QTest::mouseDClick(front->windowHandle(), Qt::LeftButton, {}, link->geometry().center()); // as the system gives it
            else if (*clicked) // "End" first goes to the page before the last
                click(link);
            EXPECT_EQ(page(front), QString(shown));
            const QLabel *pageLabel = front.child<QLabel>("pageLabel");
            EXPECT_EQ(pageLabel->text(), QString(label));
            EXPECT_GE(pageLabel->width(), pageLabel->sizeHint().width()) << "the label is seen whole";
            EXPECT_EQ(front.child("noPicturesLabel")->isHidden(), row.pictures > 0);
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
    Started front(folder);
    auto *folders = front.child<FolderList>("folderList");
    auto *drives = front.child<DriveList>("driveList");
    const QStringList rows = listedRows(folders);
    EXPECT_EQ(rows.mid(rows.lastIndexOf("Puzzleimages") + 1), QStringList({"Alpha", "beta", "Gamma"}));
    click(front.child("nextButton"));
    click(front.child("nextButton"));
    drives->setVolumeSource([&] { return QStringList{QStringLiteral("/"), folder.path() + "/missing", readyVolume}; });

    pickVolume(drives, 1); // cannot be opened: silently changes nothing
    EXPECT_EQ(folders->path(), folder.puzzleImages());
    EXPECT_EQ(front.text("pageLabel"), QStringLiteral("Page 3 of 3 page(s)"));
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, folders->rowRect(rows.indexOf("Alpha")).center());
    QTest::keyClick(folders, Qt::Key_Down);
    EXPECT_EQ(folders->highlightedPath(), beta);
    EXPECT_EQ(front.text("pageLabel"), QStringLiteral("Page 3 of 3 page(s)"));

    QTest::keyClick(folders, Qt::Key_Return);
    EXPECT_EQ(folders->path(), beta);
    EXPECT_EQ(page(front), QStringLiteral("1 2 3 . . . . . ."));
    EXPECT_EQ(front.text("pageLabel"), QStringLiteral("Page 1 of 1 page(s)"));

    pickVolume(drives, 2);
    EXPECT_EQ(folders->path(), readyVolume);
    EXPECT_EQ(page(front), QStringLiteral("1 2 . . . . . . ."));

    // Climbed out of the volume, the drive list names the one reached, and
    // picking that again goes to its root.
    folders->setPath(folder.path());
    EXPECT_EQ(drives->drive(), QStringLiteral("/"));
    pickVolume(drives, 0);
    EXPECT_EQ(folders->path(), QStringLiteral("/"));
    EXPECT_TRUE(observed.messages.isEmpty());
}

TEST(PictureFiles, AnyCaseAndJpegInNaturalOrderAndUndecodableOnesShowABrokenMark)
{
    AppFolder folder({.puzzlePictures = 0});
    const QString dir = folder.puzzleImages() + QLatin1Char('/');
    for (const auto &[name, n] : {std::pair{"10.jpg", 10}, {"2.jpg", 2}, {"a.jpeg", 1}, {"b.JPG", 3}, {"C.Bmp", 4}})
        writePicture(dir + QLatin1String(name), n);
    // Undecodable, empty, a bitmap and a JPEG cut short after their headers;
    // not offered: hidden files and other types.
    for (const auto &[name, bytes] : {std::pair<const char *, QByteArray>{"d.jpg", "this is not a picture"}, {"e.jpg", {}},
                                      {"f.bmp", QByteArray("BM\x46\0\0\0\0\0\0\0\x36\0\0\0", 14)},
                                      {"g.jpg", QByteArray::fromHex("ffd8ffe000104a464946")}, {".hidden.jpg", "x"},
                                      {"notes.txt", "x"}})
        writeFile(dir + QLatin1String(name), bytes);
    Started front(folder);
    QStringList names;
    for (int i = 0; i < front->pictures().count(); ++i)
        names << front->pictures().entry(i);
    EXPECT_EQ(names, QStringList({"2.jpg", "10.jpg", "a.jpeg", "b.JPG", "C.Bmp", "d.jpg", "e.jpg", "f.bmp", "g.jpg"}));
    EXPECT_EQ(page(front), QStringLiteral("2 10 1 3 4 ? ? ? ?"));

    QFile::remove(dir + QStringLiteral("2.jpg")); // gone since the page was shown
    for (int slot : {0, 5, 6, 7, 8}) { // playing one brings the front back with a message
        click(front.slot(slot));
        front.awaitGame();
    }
    EXPECT_EQ(observed.messages, QStringList(5, QStringLiteral("Brackwater-Tilemere: The picture could not be opened.")));
    EXPECT_TRUE(front->isVisible() && !front->playScreen().isVisible());
    EXPECT_EQ(observed.programEnds, 0);
}
