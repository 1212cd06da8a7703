// The score store against its file, and the code page its names are kept in.
// Every test gets a settings folder of its own, so the files of one test never
// meet QSettings' cache of another's.

#include "ScoreTables.h"
#include "SettingsStore.h"
#include "Windows1252.h"

#include <QtCore>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <set>

namespace {

using tilemere::kEmptyScore;
constexpr const char *kMissingName = "Anononymous";
constexpr int kPatience = 60000; // a ceiling for a loaded machine, not an expectation

// Calls f(mode, size, table) for each of the eight score tables.
template <typename F> void eachTable(F f)
{
    for (int table = 0; table < 8; ++table)
        f(table / 4 + 1, table % 4 + 1, gScores(table / 4 + 1, table % 4 + 1));
}

// The file holds exactly the 90 values in group "1.0", each of its type and
// size. The names are spelled out here, since they are what older files hold.
::testing::AssertionResult holdsWholeStore(const QString &path)
{
    QStringList expected{"1.0/SOLVINGDATA", "1.0/SOUNDOPTIONS"};
    eachTable([&](int mode, int size, auto &) {
        expected << QStringLiteral("1.0/%1STATS%2VAL").arg(mode).arg(size);
        for (int place = 1; place <= 10; ++place)
            expected << QStringLiteral("1.0/%1STATS%2_%3").arg(mode).arg(size).arg(place);
    });
    QSettings raw(path, QSettings::IniFormat);
    if (raw.status() != QSettings::NoError || raw.allKeys().size() != expected.size())
        return ::testing::AssertionFailure() << "values: " << raw.allKeys().join(' ').toStdString();
    for (const QString &key : expected) {
        const QVariant value = raw.value(key);
        const qsizetype size = key.endsWith("VAL") ? 40 // bytes; a name (-1) is text
                               : key.endsWith("DATA") ? 6 : key.endsWith("OPTIONS") ? 8 : -1;
        if (value.metaType().id() != (size < 0 ? QMetaType::QString : QMetaType::QByteArray)
            || (size >= 0 && value.toByteArray().size() != size))
            return ::testing::AssertionFailure() << key.toStdString() << " is missing or of the wrong shape";
    }
    return ::testing::AssertionSuccess();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        useNewFolder();
        tilemere::setStoreErrorReporter([this](const QString &message) { reports << message; });
        forgetEverything();
    }
    void TearDown() override { tilemere::setStoreErrorReporter(nullptr); }
    void useNewFolder()
    {
        folder.emplace();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder->path());
        ASSERT_TRUE(folder->isValid() && path().startsWith(folder->path())) << "never the player's own file";
    }
    static void forgetEverything() // as at program start
    {
        eachTable([](int, int, tilemere::ScoreTable &table) { table = {}; });
        soundOptions = {};
        solvingData = {};
    }
    static QString path() { return tilemere::storeFilePath(); }
    static QVariant raw(QString key) { return QSettings(path(), QSettings::IniFormat).value("1.0/" + key); }

    std::optional<QTemporaryDir> folder;
    QStringList reports;
};

TEST_F(StoreTest, FirstRunGivesDefaultsAndTheNextSaveWritesAllValues)
{
    loadSettings();
    eachTable([](int mode, int size, const tilemere::ScoreTable &table) {
        EXPECT_EQ(std::count(table.values.begin(), table.values.end(), kEmptyScore), 10) << mode << size;
        EXPECT_EQ(std::count(table.names.begin(), table.names.end(), kMissingName), 10) << mode << size;
    });
    EXPECT_EQ(soundOptions, (std::array<std::int16_t, 4>{1, 1, 1, 1}));

    saveSettings();
    ASSERT_TRUE(holdsWholeStore(path()));
    EXPECT_EQ(raw("SOUNDOPTIONS").toByteArray(), QByteArray("\1\0", 2).repeated(4)); // little-endian
    EXPECT_EQ(raw("2STATS4VAL").toByteArray(), QByteArray("\xFF\x7F\0\0", 4).repeated(10));
    EXPECT_EQ(raw("1STATS3_7").toString(), kMissingName);
    EXPECT_TRUE(reports.isEmpty());
}

// A name is measured in code page 1252 bytes, the ending NUL taking the 25th;
// characters that code page lacks become "?".
TEST_F(StoreTest, NamesAreKeptAsCodePage1252HoldsThemUpToTwentyFourBytes)
{
    struct Row { const char *what; QString typed; std::optional<QString> kept; }; // none: the place is empty
    const Row rows[] = {
        {"24 letters", QString(24, 'a'), QString(24, 'a')},
        {"25 letters", QString(25, 'a'), std::nullopt},
        {"24 bytes with an accent", QString(23, 'a') + "é", QString(23, 'a') + "é"},
        {"25 bytes with an accent", QString(24, 'a') + "é", std::nullopt},
        {"24 euro signs, 72 bytes of UTF-8", QString(24, QChar(0x20AC)), QString(24, QChar(0x20AC))},
        {"24 bytes once a CJK letter is a '?'", QString(23, 'a') + "東", QString(23, 'a') + "?"},
        {"outside code page 1252", "Zoë 東京", "Zoë ??"},
    };
    auto &table = gScores(2, 3);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        table.values.fill(5);
        table.names[4] = row.typed.toStdString();
        saveSettings();
        forgetEverything();
        loadSettings();
        EXPECT_EQ(table.names[4], row.kept ? row.kept->toStdString() : kMissingName);
        EXPECT_EQ(table.values[4], row.kept ? 5 : kEmptyScore);
        EXPECT_EQ(table.values[5], 5) << "the next place is read all the same";
    }
}

TEST_F(StoreTest, SavingRightAfterLoadingWritesTheSameFile)
{
    eachTable([](int mode, int size, tilemere::ScoreTable &table) {
        for (int place = 0; place < tilemere::kPlaces; ++place) {
            table.values[place] = place < size * 2 ? mode * 1000 + size * 100 + place : kEmptyScore;
            table.names[place] = place % 3 == 0 ? "Zoë € 東" : place % 3 == 1 ? "" : "A, B = \"c\"";
        }
    });
    gScores(1, 1).values[0] = -5; // read back as signed
    soundOptions = {-1, 0, 300, 32767};
    solvingData = {0, 255, 1, 2, 3, 128};
    saveSettings();
    const QByteArray written = fileBytes(path());
    forgetEverything(); // so only what was read can be written again
    loadSettings();
    EXPECT_EQ(gScores(1, 1).values[0], -5);
    saveSettings();
    EXPECT_EQ(fileBytes(path()), written);
    EXPECT_TRUE(reports.isEmpty());
}

// One value missing, or of the wrong type or size, is left as the program
// holds it (0 at start, the default for the sound options); the rest counts.
TEST_F(StoreTest, AValueMissingOrOfTheWrongShapeIsLeftAsItWas)
{
    struct Row { const char *name; QVariant stored; }; // invalid: taken out of the file
    const Row rows[] = {
        {"1STATS1VAL", QVariant()}, // names but no results
        {"1STATS1VAL", QByteArray(39, '\2')}, {"1STATS1VAL", QString(40, '2')}, // text of the right size
        {"SOUNDOPTIONS", QByteArray(10, '\2')}, {"SOUNDOPTIONS", "22222222"},
        {"SOLVINGDATA", QByteArray(7, '\2')},
        {"1STATS1_1", QByteArray("Ann")}, {"1STATS1_1", QStringList{"Ann", "Bea"}},
    };
    for (const Row &row : rows) {
        const std::string name = row.name;
        SCOPED_TRACE(name + " as " + (row.stored.isValid() ? row.stored.typeName() : "nothing"));
        gScores(1, 1).values.fill(20);
        gScores(1, 1).names.fill("Ann");
        soundOptions = {3, 3, 3, 3};
        solvingData = {4, 4, 4, 4, 4, 4};
        saveSettings();
        QSettings raw(path(), QSettings::IniFormat);
        row.stored.isValid() ? raw.setValue("1.0/" + name, row.stored) : raw.remove("1.0/" + name);
        raw.sync();
        forgetEverything();

        loadSettings();
        EXPECT_EQ(soundOptions[0], name == "SOUNDOPTIONS" ? 1 : 3);
        EXPECT_EQ(solvingData[0], name == "SOLVINGDATA" ? 0 : 4);
        EXPECT_EQ(gScores(1, 1).values[1], name == "1STATS1VAL" ? 0 : 20);
        EXPECT_EQ(gScores(1, 1).values[0], name == "1STATS1_1" ? kEmptyScore : gScores(1, 1).values[1]);
        EXPECT_EQ(gScores(1, 1).names[0], name == "1STATS1_1" ? kMissingName : "Ann");
    }
}

// A file that is not a store is moved aside on the next save, never over an
// earlier copy; a store with bad values, or none, is not.
TEST_F(StoreTest, AFileThatIsNotAStoreIsKeptAsideAndTheTablesStartEmpty)
{
    const QByteArray picture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20);
    struct Row { const char *what; QByteArray content; bool setAside; };
    const Row rows[] = {
        {"a picture", picture, true},
        {"a store with one bad value", "[1.0]\n1STATS1VAL=forty\n1STATS1_1=Ann\n", false},
        {"plain text", "Scores\nAnn 31 moves\n", true},
        {"text with a stray NUL", QByteArray("[1.0]\n1STATS1_1=Ann\0\n", 21), true},
        {"an empty group", "[1.0]\n", false},
        {"someone else's settings", "[General]\ncolour=blue\n", true},
        {"a blank line", "\n", false},
        {"the store's names, every value mangled", "[1.0]\n1STATS1VAL=forty\nSOUNDOPTIONS=1\n", true},
    };
    int copies = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        QFile file(path());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path()).path()) && file.open(QIODevice::WriteOnly)
                    && file.write(row.content) == row.content.size() && file.flush());
        forgetEverything();
        loadSettings();
        EXPECT_EQ(gScores(1, 4).values[9], kEmptyScore);
        EXPECT_EQ(gScores(1, 4).names[9], kMissingName);
        EXPECT_EQ(soundOptions[3], 1);
        EXPECT_EQ(fileBytes(path()), row.content) << "loading alone changes nothing";

        saveSettings();
        const QString copy = copies ? QStringLiteral("%1.%2.bad").arg(path()).arg(copies + 1) : path() + ".bad";
        EXPECT_EQ(fileBytes(copy), row.setAside ? row.content : QByteArray()) << "a copy only if no store";
        copies += row.setAside;
        EXPECT_TRUE(holdsWholeStore(path()));
    }
    EXPECT_EQ(fileBytes(path() + ".bad"), picture) << "the first copy is never replaced";
    EXPECT_TRUE(reports.isEmpty());
}

// Root may read and write anything, so this runs as an ordinary user only;
// CTest runs it once more as "nobody" (run_as_nobody.sh) when the tests run as root.
TEST_F(StoreTest, AStoreThatCannotBeReadOrWrittenIsReportedAndLeftAlone)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores file permissions";
    struct Row { const char *what; bool saveFirst; const char *locked; int mode; }; // locked: in the folder
    const Row rows[] = {
        {"the store's folder cannot be made", false, ".", 0555},
        {"the store's folder is read-only", true, "Ostrel", 0555},
        {"the file is read-only", true, "Ostrel/Brackwater-Tilemere.conf", 0444},
        {"the file cannot be read", true, "Ostrel/Brackwater-Tilemere.conf", 0200},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        useNewFolder();
        if (row.saveFirst)
            saveSettings();
        const QByteArray before = fileBytes(path());
        const QByteArray locked = QFile::encodeName(QDir(folder->path()).filePath(row.locked));
        ASSERT_EQ(chmod(locked.constData(), row.mode), 0);
        gScores(2, 1).values.fill(44);
        reports.clear();

        loadSettings();
        EXPECT_EQ(reports, QStringList{" Error Failerd"});
        EXPECT_EQ(gScores(2, 1).values[0], 44) << "nothing read";
        saveSettings();
        EXPECT_EQ(reports.size(), 2);
        chmod(locked.constData(), 0755);
        EXPECT_EQ(fileBytes(path()), before) << "nothing written";
    }
}

// Each round one store_writer is killed at a random moment while another saves
// 50 times beside it: the file is always one whole save, never a mixture.
TEST_F(StoreTest, ProgramsKilledWhileSavingOrSavingAtOnceLeaveAWholeFile)
{
    QRandomGenerator random(11);
    for (int round = 1; round <= 6; ++round) {
        SCOPED_TRACE(round);
        const QString killed = "killed " + QString::number(round), steady = "steady " + QString::number(round);
        QProcess victim, other; // arguments: folder, name of every place, saves (0: until killed)
        victim.start(STORE_WRITER_PATH, {folder->path(), killed, "0"});
        other.start(STORE_WRITER_PATH, {folder->path(), steady, "50"});
        ASSERT_TRUE(victim.waitForReadyRead(kPatience)) << "prints once it has saved";
        QThread::usleep(random.bounded(20000));
        victim.kill();
        ASSERT_TRUE(victim.waitForFinished(kPatience) && other.waitForFinished(kPatience));
        EXPECT_TRUE(other.exitStatus() == QProcess::NormalExit && other.exitCode() == 0); // 2: a store failure

        ASSERT_TRUE(holdsWholeStore(path()));
        loadSettings();
        std::set<std::string> names;
        eachTable([&](int, int, auto &table) { names.insert(table.names.begin(), table.names.end()); });
        ASSERT_EQ(names.size(), 1u) << "one save, not a mixture";
        EXPECT_TRUE(names.count(killed.toStdString()) || names.count(steady.toStdString())) << *names.begin();
        EXPECT_EQ(gScores(2, 3).values[4], 234);
        EXPECT_FALSE(QFile::exists(path() + ".bad"));
    }
    EXPECT_TRUE(reports.isEmpty());
}

// The 0x80..0x9F block is where code page 1252 parts from Latin-1; its five
// unassigned bytes (0x81 here) stand for the control characters of that number.
TEST(Windows1252Test, EveryByteHasACharacterAndOthersBecomeOneQuestionMarkEach)
{
    struct Row { const char *what, *utf8, *bytes, *back; };
    const Row rows[] = {
        {"characters it has", "A€‚Ž‘Ÿ\xC2\xA0éÿ\xC2\x81", "A\x80\x82\x8E\x91\x9F\xA0\xE9\xFF\x81",
         "A€‚Ž‘Ÿ\xC2\xA0éÿ\xC2\x81"},
        {"characters it lacks, U+0080 included", "東京a😀bΩ\xC2\x80", "??a?b??", "??a?b??"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(tilemere::toWindows1252(QString::fromUtf8(row.utf8)), QByteArray(row.bytes));
        EXPECT_EQ(tilemere::fromWindows1252(row.bytes), QString::fromUtf8(row.back));
    }
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(tilemere::toWindows1252(tilemere::fromWindows1252(QByteArray(1, char(byte)))),
                  QByteArray(1, char(byte))) << byte;
}

} // namespace

// QProcess, used to start the writing programs, wants an application object.
int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
