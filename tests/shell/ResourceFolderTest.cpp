// When a resource folder beside the program counts as present: it exists
// and can be listed, empty or not.
#include "Shell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Case {
    const char *name;
    std::function<QString(const QDir &)> make; // returns the path to test
    bool present;
};

void expectCases(const std::vector<Case> &cases)
{
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir temporary;
        ASSERT_TRUE(temporary.isValid());
        const QString path = c.make(QDir(temporary.path()));
        EXPECT_EQ(tilemere::resourceFolderPresent(path), c.present) << qPrintable(path);
        // Give the owner everything back so the temporary folder can go.
        ::chmod(QFile::encodeName(path).constData(), 0700);
    }
}

QString folderWithFile(const QDir &base)
{
    base.mkpath(QStringLiteral("Gfx"));
    QFile file(base.filePath(QStringLiteral("Gfx/click.wav")));
    file.open(QIODevice::WriteOnly);
    return base.filePath(QStringLiteral("Gfx"));
}

QString folderWithMode(const QDir &base, mode_t mode)
{
    const QString folder = folderWithFile(base);
    ::chmod(QFile::encodeName(folder).constData(), mode);
    return folder;
}

TEST(ResourceFolderTest, ExistingFoldersArePresentEvenEmpty)
{
    expectCases({
        {"with a file", folderWithFile, true},
        {"empty",
         [](const QDir &base) {
             base.mkpath(QStringLiteral("Gfx"));
             return base.filePath(QStringLiteral("Gfx"));
         },
         true},
        // The windows name the folders with a trailing separator.
        {"trailing separator", [](const QDir &base) { return folderWithFile(base) + QLatin1Char('/'); }, true},
        {"link to a folder",
         [](const QDir &base) {
             const QString target = folderWithFile(base);
             QFile::link(target, base.filePath(QStringLiteral("Linked")));
             return base.filePath(QStringLiteral("Linked"));
         },
         true},
        {"missing", [](const QDir &base) { return base.filePath(QStringLiteral("Gfx")); }, false},
        {"a file of that name",
         [](const QDir &base) {
             QFile file(base.filePath(QStringLiteral("Puzzleimages")));
             file.open(QIODevice::WriteOnly);
             return base.filePath(QStringLiteral("Puzzleimages"));
         },
         false},
        {"link to nowhere",
         [](const QDir &base) {
             QFile::link(base.filePath(QStringLiteral("gone")), base.filePath(QStringLiteral("help")));
             return base.filePath(QStringLiteral("help"));
         },
         false},
    });
}

// Root reads every folder whatever its mode, so these rows mean something
// only for an ordinary user; as root, ctest runs them again as nobody
// (shell_folder_permissions).
TEST(ResourceFolderTest, FolderThatCannotBeListedIsMissing)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions; shell_folder_permissions runs this as nobody";
    expectCases({
        {"no permissions at all", [](const QDir &base) { return folderWithMode(base, 0000); }, false},
        {"enter but not list", [](const QDir &base) { return folderWithMode(base, 0100); }, false},
        {"list and enter, read only", [](const QDir &base) { return folderWithMode(base, 0500); }, true},
    });
}

} // namespace
