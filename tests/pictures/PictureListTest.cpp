// Which entries of a folder are offered as pictures, read straight from the
// directory, and a listing that is given up.
#include "DiskNames.h"
#include "PictureLoader.h"

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

void makeFile(const QByteArray &path, const QByteArray &bytes = "x")
{
    const int file = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(file, 0) << path.constData();
    ASSERT_EQ(::write(file, bytes.constData(), bytes.size()), bytes.size());
    ::close(file);
}

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

TEST(PictureList, OffersRegularFilesAndLinksToThemUnderAnyNameTheDiskHolds)
{
    QTemporaryDir dir;
    const QByteArray root = QFile::encodeName(dir.path());
    for (const char *name : {"/a.jpg", "/B.PNG", "/pic\xe9.jpg", "/caf\xc3\xa9.heic", "/.hidden.jpg", "/notes.txt", "/jpg"})
        makeFile(root + name);
    ASSERT_EQ(::symlink("a.jpg", root + "/link.jpg"), 0);         // a link to a picture is one
    ASSERT_EQ(::symlink("missing.jpg", root + "/dangling.jpg"), 0);
    ASSERT_EQ(::mkfifo(root + "/pipe.jpg", 0600), 0);             // never opened, never offered
    ASSERT_EQ(::symlink("pipe.jpg", root + "/to-pipe.jpg"), 0);
    ASSERT_EQ(::mkdir(root + "/folder.jpg", 0700), 0);

    EXPECT_EQ(sorted(tilemere::listPictureFiles(dir.path())),
              sorted({"a.jpg", "B.PNG", "link.jpg", tilemere::nameFromDisk("pic\xe9.jpg"), QString::fromUtf8("café.heic")}));
    // A folder whose own name is not UTF-8 is read too.
    ASSERT_EQ(::mkdir(root + "/bad\xff", 0700), 0);
    makeFile(root + "/bad\xff/1.bmp");
    EXPECT_EQ(tilemere::listPictureFiles(dir.path() + u'/' + tilemere::nameFromDisk("bad\xff")), QStringList{"1.bmp"});
    EXPECT_TRUE(tilemere::listPictureFiles(dir.path() + QStringLiteral("/none")).isEmpty());
}

TEST(PictureList, StopsSoonOnceGivenUp)
{
    QTemporaryDir dir;
    for (int i = 0; i < 1000; ++i)
        makeFile(QFile::encodeName(dir.path()) + "/" + QByteArray::number(i) + ".jpg");
    int asked = 0;
    const QStringList names = tilemere::listPictureFiles(dir.path(), [&asked] { return ++asked == 2; });
    EXPECT_EQ(asked, 2);
    EXPECT_LE(names.size(), 512);
    EXPECT_EQ(tilemere::listPictureFiles(dir.path(), [] { return false; }).size(), 1000);
}

} // namespace
