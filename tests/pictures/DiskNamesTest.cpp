// Names from old archives (Latin-1 bytes that are not UTF-8) are shown
// readably and open their own file, beside UTF-8 names that look alike.
#include "DiskNames.h"

#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

using tilemere::nameFromDisk;
using tilemere::pathToDisk;

namespace {

void makeFile(const QByteArray &path)
{
    const int file = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(file, 0) << path.constData();
    ::close(file);
}

TEST(DiskNamesTest, ShowsUtf8AsItIsAndOtherBytesAsLatin1)
{
    EXPECT_EQ(nameFromDisk("Ärger.jpg"), QString::fromUtf8("Ärger.jpg"));
    EXPECT_EQ(nameFromDisk("pic\xe9.jpg"), QString::fromUtf8("picé.jpg"));
    EXPECT_EQ(nameFromDisk("bad\xff"), QString::fromUtf8("badÿ"));
    // A lone continuation byte, and a UTF-8 sequence cut short.
    EXPECT_EQ(nameFromDisk("a\x80z"), QString(QChar(u'a')) + QChar(0x80) + QChar(u'z'));
    EXPECT_EQ(nameFromDisk("\xc3"), QString(QChar(0xC3)));
}

TEST(DiskNamesTest, PathsOfShownNamesFindTheirFiles)
{
    QTemporaryDir dir;
    const QByteArray root = dir.path().toUtf8();
    ASSERT_EQ(::mkdir(root + "/bad\xff", 0700), 0);
    makeFile(root + "/bad\xff/pic\xe9.jpg");
    makeFile(root + "/caf\xc3\xa9.jpg");  // "café" in UTF-8
    makeFile(root + "/caf\xe9.jpg");      // and in Latin-1: the UTF-8 one wins
    makeFile(root + "/plain.jpg");

    const QString shown = dir.path() + u'/' + nameFromDisk("bad\xff") + u'/' + nameFromDisk("pic\xe9.jpg");
    EXPECT_EQ(pathToDisk(shown), root + "/bad\xff/pic\xe9.jpg");
    EXPECT_EQ(pathToDisk(dir.path() + QString::fromUtf8("/café.jpg")), root + "/caf\xc3\xa9.jpg");
    EXPECT_EQ(pathToDisk(dir.path() + "/plain.jpg"), root + "/plain.jpg");
    // A name on no disk keeps its UTF-8 form, so errors name what was asked.
    EXPECT_EQ(pathToDisk(dir.path() + QString::fromUtf8("/nowhere/é.jpg")),
              root + "/nowhere/\xc3\xa9.jpg");
}

} // namespace
