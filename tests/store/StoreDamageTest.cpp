#include "StoreTestSupport.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using storetest::fileBytes;
using storetest::holdsWholeStore;
using storetest::writeFileBytes;

class StoreDamageTest : public storetest::StoreTest {};

QByteArray randomBytes(int count)
{
    QRandomGenerator random(7);
    QByteArray bytes(count, '\0');
    for (char &byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

TEST_F(StoreDamageTest, AFileThatIsNotAStoreIsKeptAsideAndTheTablesStartEmpty)
{
    struct Row {
        const char *what;
        QByteArray content;
    };
    const Row rows[] = {
        {"random bytes", randomBytes(3000)},
        {"plain text", "Scores\nAnn 31 moves\n"},
        {"text with a stray NUL", QByteArray("[1.0]\n1STATS1_1=Ann\0\n", 21)},
        {"someone else's settings", "[General]\ncolour=blue\n"},
        {"the store's names, every value mangled", "[1.0]\n1STATS1VAL=forty\nSOUNDOPTIONS=1\n"},
    };
    for (const Row &row : rows) {
        QTemporaryDir own;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, own.path());
        writeFileBytes(storePath(), row.content);
        gScores(1, 4).values.fill(0);

        loadSettings();
        EXPECT_EQ(gScores(1, 4).values[9], tilemere::kEmptyScore) << row.what;
        EXPECT_EQ(gScores(1, 4).names[9], "Anononymous") << row.what;
        EXPECT_EQ(soundOptions[3], 1) << row.what;
        EXPECT_EQ(fileBytes(storePath()), row.content) << row.what << ": loading alone changes nothing";

        saveSettings();
        EXPECT_EQ(fileBytes(storePath() + ".bad"), row.content) << row.what;
        EXPECT_TRUE(holdsWholeStore(storePath())) << row.what;
    }
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(StoreDamageTest, AnEarlierCopyIsNeverReplaced)
{
    writeFileBytes(storePath(), "first damage\n");
    saveSettings();
    writeFileBytes(storePath(), "second damage, longer\n");
    saveSettings();
    EXPECT_EQ(fileBytes(storePath() + ".bad"), "first damage\n");
    EXPECT_EQ(fileBytes(storePath() + ".2.bad"), "second damage, longer\n");
    EXPECT_TRUE(holdsWholeStore(storePath()));
}

TEST_F(StoreDamageTest, AStoreWithABadValueOrNoValuesIsNotSetAside)
{
    const QByteArray rows[] = {
        "[1.0]\n1STATS1VAL=forty\n1STATS1_1=Ann\n",
        "[1.0]\n",
        "\n",
    };
    for (const QByteArray &content : rows) {
        QTemporaryDir own;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, own.path());
        writeFileBytes(storePath(), content);
        loadSettings();
        saveSettings();
        EXPECT_FALSE(QFile::exists(storePath() + ".bad")) << content.constData();
        EXPECT_TRUE(holdsWholeStore(storePath())) << content.constData();
    }
}

// Root may read and write anything, so these run as an ordinary user only;
// CTest runs them once more as "nobody" when the tests run as root.
TEST_F(StoreDamageTest, AStoreThatCannotBeReadOrWrittenIsReportedAndLeftAlone)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores file permissions";
    struct Row {
        const char *what;
        bool saveFirst;
        const char *lockedPath; // relative to the settings folder
        int mode;
    };
    const Row rows[] = {
        {"the store's folder cannot be made", false, ".", 0555},
        {"the store's folder is read-only", true, "Ostrel", 0555},
        {"the file is read-only", true, "Ostrel/Brackwater-Tilemere.conf", 0444},
        {"the file cannot be read", true, "Ostrel/Brackwater-Tilemere.conf", 0200},
    };
    for (const Row &row : rows) {
        QTemporaryDir own;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, own.path());
        gScores(2, 1).values.fill(55);
        gScores(2, 1).names.fill("Kept");
        soundOptions = {6, 6, 6, 6};
        if (row.saveFirst)
            saveSettings();
        const QByteArray before = fileBytes(storePath());
        const QString locked = QDir(own.path()).filePath(row.lockedPath);
        ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), row.mode), 0) << row.what;
        gScores(2, 1).values.fill(44);
        soundOptions = {9, 9, 9, 9};
        reports.clear();

        loadSettings();
        EXPECT_EQ(reports, QStringList{storetest::kFailureMessage}) << row.what;
        EXPECT_EQ(gScores(2, 1).values[0], 44) << row.what << ": nothing read";
        EXPECT_EQ(soundOptions[0], 9) << row.what;
        saveSettings();
        EXPECT_EQ(reports.size(), 2) << row.what;
        chmod(QFile::encodeName(locked).constData(), 0755);
        EXPECT_EQ(fileBytes(storePath()), before) << row.what << ": nothing written";
    }
}

} // namespace
