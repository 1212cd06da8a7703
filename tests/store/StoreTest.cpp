// The score store against its file, one game per store, and the code page its
// names are kept in. Every test gets a settings folder of its own, so the
// files of one test never meet QSettings' cache of another's.

#include "ScoreStore.h"
#include "ScoreTables.h"
#include "Windows1252.h"

#include <QtCore>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <set>

namespace {

using tilemere::kEmptyScore;
using tilemere::ScoreStore;
using tilemere::ScoreTables;
constexpr const char *kMissingName = "Anononymous";
constexpr int kPatience = 60000; // a ceiling for a loaded machine, not an expectation

// Calls f(mode, size, table) for each of the eight score tables.
template <typename Tables, typename F> void eachTable(Tables &tables, F f)
{
    for (int table = 0; table < 8; ++table)
        f(table / 4 + 1, table % 4 + 1, tables(table / 4 + 1, table % 4 + 1));
}

// Results 1..10 on every table, a different name on each place.
ScoreTables wellFilled()
{
    ScoreTables tables;
    eachTable(tables, [](int mode, int size, tilemere::ScoreTable &table) {
        for (int place = 0; place < tilemere::kPlaces; ++place) {
            table.values[place] = place + 1;
            table.names[place] = QStringLiteral("P%1%2%3").arg(mode).arg(size).arg(place + 1).toStdString();
        }
    });
    return tables;
}

// The file holds exactly the 90 values in group "1.0", each of its type and
// size. The names are spelled out here, since they are what older files hold.
::testing::AssertionResult holdsWholeStore(const QString &path)
{
    QStringList expected{"1.0/SOLVINGDATA", "1.0/SOUNDOPTIONS"};
    for (int table = 0; table < 8; ++table) {
        expected << QStringLiteral("1.0/%1STATS%2VAL").arg(table / 4 + 1).arg(table % 4 + 1);
        for (int place = 1; place <= 10; ++place)
            expected << QStringLiteral("1.0/%1STATS%2_%3").arg(table / 4 + 1).arg(table % 4 + 1).arg(place);
    }
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
    void SetUp() override { useNewFolder(); }
    void useNewFolder()
    {
        folder.emplace();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder->path());
        ASSERT_TRUE(folder->isValid() && path().startsWith(folder->path())) << "never the player's own file";
    }
    static QString path() { return ScoreStore::filePath(); }
    static void writeFile(const QByteArray &content)
    {
        QFile file(path());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path()).path()) && file.open(QIODevice::WriteOnly)
                    && file.write(content) == content.size() && file.flush());
    }
    // A new store, as a new start of the game makes.
    ScoreStore newStore()
    {
        return ScoreStore([this](const QString &message) { reports << message; });
    }
    ScoreTables loaded()
    {
        ScoreTables tables;
        newStore().load(tables);
        return tables;
    }

    std::optional<QTemporaryDir> folder;
    QStringList reports;
};

TEST_F(StoreTest, FirstRunGivesEmptyPlacesAndTheNextSaveWritesAllValues)
{
    ScoreStore store = newStore();
    ScoreTables tables;
    store.load(tables);
    eachTable(tables, [](int mode, int size, const tilemere::ScoreTable &table) {
        EXPECT_EQ(std::count(table.values.begin(), table.values.end(), kEmptyScore), 10) << mode << size;
        EXPECT_EQ(std::count(table.names.begin(), table.names.end(), kMissingName), 10) << mode << size;
    });
    store.save(tables);
    ASSERT_TRUE(holdsWholeStore(path()));
    const QSettings raw(path(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("1.0/SOUNDOPTIONS").toByteArray(), QByteArray("\1\0", 2).repeated(4)); // little-endian
    EXPECT_EQ(raw.value("1.0/SOLVINGDATA").toByteArray(), QByteArray(6, '\0'));
    EXPECT_EQ(raw.value("1.0/2STATS4VAL").toByteArray(), QByteArray("\xFF\x7F\0\0", 4).repeated(10));
    EXPECT_TRUE(reports.isEmpty());
}

// A name is measured in code page 1252 bytes, the ending NUL taking the 25th;
// characters that code page lacks become "?". A name too long to keep leaves
// its result in place under the placeholder name.
TEST_F(StoreTest, NamesAreKeptAsCodePage1252HoldsThemUpToTwentyFourBytes)
{
    struct Row { const char *what; QString typed; QString kept; };
    const Row rows[] = {
        {"24 letters", QString(24, 'a'), QString(24, 'a')},
        {"25 letters", QString(25, 'a'), kMissingName},
        {"25 bytes with an accent", QString(24, 'a') + "é", kMissingName},
        {"24 euro signs, 72 bytes of UTF-8", QString(24, QChar(0x20AC)), QString(24, QChar(0x20AC))},
        {"24 bytes once a CJK letter is a '?'", QString(23, 'a') + "東", QString(23, 'a') + "?"},
        {"outside code page 1252", "Zoë 東京", "Zoë ??"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        ScoreTables tables = wellFilled();
        tables(2, 3).names[4] = row.typed.toStdString();
        newStore().save(tables);
        const ScoreTables back = loaded();
        EXPECT_EQ(back(2, 3).names[4], row.kept.toStdString());
        EXPECT_EQ(back(2, 3).values, tables(2, 3).values);
    }
}

// Including the two reserved blocks, which only the store reads and writes.
TEST_F(StoreTest, SavingRightAfterLoadingWritesTheSameFile)
{
    ScoreTables tables = wellFilled();
    tables(1, 1).names = {"Zoë € 東", "", "A, B = \"c\"", "@Bea", " sp ", "Tab\tX", "a;b", "\\", "#", "[x]"};
    tables(2, 4).values[9] = kEmptyScore;
    newStore().save(tables);
    {
        QSettings raw(path(), QSettings::IniFormat);
        raw.setValue("1.0/SOUNDOPTIONS", QByteArray("\xFF\xFF\0\x80\x2C\x01\xFF\x7F", 8));
        raw.setValue("1.0/SOLVINGDATA", QByteArray("\0\xFF\1\2\3\x80", 6));
    }
    const QByteArray written = fileBytes(path());
    ScoreStore store = newStore();
    ScoreTables back;
    store.load(back);
    EXPECT_EQ(back(1, 1).names[0], "Zoë € ?");
    store.save(back);
    EXPECT_EQ(fileBytes(path()), written);
    EXPECT_FALSE(QFile::exists(path() + ".bad"));
    EXPECT_TRUE(reports.isEmpty());
}

// Each flaw in a well-filled store costs only the values it touches: a table
// without usable results has empty places, a result without a usable name
// keeps its place under the placeholder name. Whenever anything could not be
// used, the file is kept aside before the next save.
TEST_F(StoreTest, AFlawedStoreKeepsWhatItCanReadAndTheFileIsKeptAsideWhenAnythingIsLost)
{
    const auto line = [](const char *key, QByteArray value) {
        return [=](QByteArray file) {
            const qsizetype start = file.indexOf(QByteArray("\n") + key + "=") + 1;
            return file.replace(start, file.indexOf('\n', start) - start, key + ("=" + value));
        };
    };
    const auto without = [](const char *key) {
        return [=](QByteArray file) {
            const qsizetype start = file.indexOf(QByteArray("\n") + key + "=") + 1;
            return file.remove(start, file.indexOf('\n', start) + 1 - start);
        };
    };
    QByteArray results = "@ByteArray(";
    for (int value : {1, 2, -5, 4, 5, 6, 7, 8, 9, 40000})
        results += QStringLiteral("\\x%1\\x%2\\x%3\\x%4").arg(value & 0xFF, 0, 16).arg((value >> 8) & 0xFF, 0, 16)
                       .arg((value >> 16) & 0xFF, 0, 16).arg((value >> 24) & 0xFF, 0, 16).toLatin1();
    results += ")";
    const QByteArray aByteArrayVariant = "@Variant(\\0\\0\\0\\xc\\0\\0\\0(" + QByteArray("\\x1").repeated(40) + ")";
    struct Row {
        const char *what;
        std::function<QByteArray(QByteArray)> damage;
        std::set<int> emptied, unnamed; // places of table (1, 1)
        const char *firstName;          // at place 1 of table (1, 1), when not its own
        bool keptAside;
    };
    const std::set<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const Row rows[] = {
        {"CR LF line ends", [](QByteArray f) { return f.replace("\n", "\r\n"); }, {}, {}, nullptr, false},
        {"an unknown extra key", [](QByteArray f) { return f.replace("[1.0]\n", "[1.0]\ncolour=blue\n"); }, {}, {},
         nullptr, false},
        {"the same line twice", [](QByteArray f) { return f.replace("[1.0]\n", "[1.0]\n1STATS1_1=P111\n"); }, {}, {},
         nullptr, false},
        {"a byte-order mark", [](QByteArray f) { return f.prepend("\xEF\xBB\xBF"); }, {}, {}, nullptr, false},
        {"a name in Latin-1", line("1STATS1_1", "Zo\xEB"), {}, {}, "Zoë", false},
        {"a line of junk", [](QByteArray f) { return f.replace("[1.0]\n", "[1.0]\njunk\n"); }, {}, {}, nullptr,
         true},
        {"results as a @Variant", line("1STATS1VAL", aByteArrayVariant), all, {}, nullptr, true},
        {"results cut short", line("1STATS1VAL", "@ByteArray(\\x1\\0\\0\\0)"), all, {}, nullptr, true},
        {"results missing, names there", without("1STATS1VAL"), all, {}, nullptr, true},
        {"negative and impossible results", line("1STATS1VAL", results), {3, 10}, {}, nullptr, true},
        {"a name as bytes", line("1STATS1_2", "@ByteArray(Bea)"), {}, {2}, nullptr, true},
        {"a name of 25 letters", line("1STATS1_2", QByteArray(25, 'a')), {}, {2}, nullptr, true},
        {"a name missing", without("1STATS1_2"), {}, {2}, nullptr, false},
        {"a trailing backslash", line("1STATS1_10", "Ann\\"), {}, {10}, nullptr, true},
        {"an unbalanced quote", line("1STATS1_10", "\"Ann"), {}, {10}, nullptr, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        useNewFolder();
        ScoreTables expected = wellFilled();
        newStore().save(expected);
        const QByteArray damaged = row.damage(fileBytes(path()));
        writeFile(damaged);
        for (int place = 1; place <= 10; ++place) {
            auto &table = expected(1, 1);
            if (row.emptied.count(place))
                table.values[place - 1] = kEmptyScore;
            if (row.emptied.count(place) || row.unnamed.count(place))
                table.names[place - 1] = kMissingName;
        }
        if (row.firstName)
            expected(1, 1).names[0] = row.firstName;

        ScoreStore store = newStore();
        ScoreTables tables;
        store.load(tables);
        EXPECT_EQ(tables, expected);
        EXPECT_EQ(fileBytes(path()), damaged) << "loading alone changes nothing";
        store.save(tables);
        EXPECT_EQ(fileBytes(path() + ".bad"), row.keptAside ? damaged : QByteArray());
        EXPECT_EQ(loaded(), expected) << "the save keeps everything that was read";
        EXPECT_TRUE(reports.isEmpty());
    }
}

// A file that holds no store at all is kept aside too, never over an earlier copy.
TEST_F(StoreTest, AFileThatIsNoStoreIsKeptAsideWithoutReplacingAnEarlierCopy)
{
    const QByteArray picture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20);
    for (const QByteArray &content : {picture, QByteArray("Scores\nAnn 31 moves\n")}) {
        writeFile(content);
        ScoreStore store = newStore();
        ScoreTables tables;
        store.load(tables);
        EXPECT_EQ(tables(1, 4).values[9], kEmptyScore);
        store.save(tables);
        EXPECT_TRUE(holdsWholeStore(path()));
    }
    EXPECT_EQ(fileBytes(path() + ".bad"), picture);
    EXPECT_EQ(fileBytes(path() + ".2.bad"), "Scores\nAnn 31 moves\n");
}

// Root may read and write anything, so this runs as an ordinary user only;
// CTest runs it once more as "nobody" (tests/support/run_as_nobody.sh) when the tests run as root.
// Each game below wins a result after Clear Scores and is then closed.
TEST_F(StoreTest, AStoreThatCannotBeReadOrWrittenIsReportedAndNoScoreIsLost)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores file permissions";
    struct Row {
        const char *what, *locked; // locked: in the settings folder
        int mode;
        bool unlockedBeforeClose;
        std::int32_t firstResult; // read at start: 0 when nothing could be read
        bool closeSaves;
    };
    const Row rows[] = {
        {"the store's folder cannot be made", ".", 0555, false, kEmptyScore, false},
        {"the store's folder is read-only", "Ostrel", 0555, false, 1, false},
        {"the file is read-only", "Ostrel/Brackwater-Tilemere.conf", 0444, false, 1, false},
        {"the file is read-only, then writable", "Ostrel/Brackwater-Tilemere.conf", 0444, true, 1, true},
        {"the file cannot be read", "Ostrel/Brackwater-Tilemere.conf", 0200, false, 0, false},
        {"the file cannot be read, then can", "Ostrel/Brackwater-Tilemere.conf", 0200, true, 0, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        useNewFolder();
        if (row.locked != QByteArray("."))
            newStore().save(wellFilled());
        const QByteArray before = fileBytes(path());
        const QByteArray locked = QFile::encodeName(QDir(folder->path()).filePath(row.locked));
        ASSERT_EQ(chmod(locked.constData(), row.mode), 0);
        reports.clear();

        ScoreStore store = newStore();
        ScoreTables tables;
        store.load(tables);
        EXPECT_EQ(reports, QStringList{" Error Failerd"});
        EXPECT_EQ(tables(2, 1).values[0], row.firstResult);
        EXPECT_EQ(store.loadFailed(), row.firstResult == 0);
        if (row.unlockedBeforeClose)
            chmod(locked.constData(), 0755);
        tables.clearSide(4);
        tables.insert(1, 2, 7, "New");
        store.save(tables);
        EXPECT_EQ(reports.size(), row.closeSaves ? 1 : 2) << "a close that saves nothing says so";
        chmod(locked.constData(), 0755);
        if (!row.closeSaves) {
            EXPECT_EQ(fileBytes(path()), before) << "nothing written";
            continue;
        }
        const ScoreTables back = loaded();
        EXPECT_EQ(back(2, 1).names, wellFilled()(2, 1).names) << "the scores read at start";
        EXPECT_EQ(back(1, 2).names[0], "New") << "and the result won since";
    }
}

// Each round one helper is killed at a random moment while another saves
// 50 times beside it: the file is always one whole save, never a mixture.
TEST_F(StoreTest, ProgramsKilledWhileSavingOrSavingAtOnceLeaveAWholeFile)
{
    QRandomGenerator random(11);
    for (int round = 1; round <= 6; ++round) {
        SCOPED_TRACE(round);
        const QString killed = "killed " + QString::number(round), steady = "steady " + QString::number(round);
        QProcess victim, other;
        victim.start(STORE_HELPER_PATH, {"save", folder->path(), killed, "0"});
        other.start(STORE_HELPER_PATH, {"save", folder->path(), steady, "50"});
        ASSERT_TRUE(victim.waitForReadyRead(kPatience)) << "prints once it has saved";
        QThread::usleep(random.bounded(20000));
        victim.kill();
        ASSERT_TRUE(victim.waitForFinished(kPatience) && other.waitForFinished(kPatience));
        EXPECT_TRUE(other.exitStatus() == QProcess::NormalExit && other.exitCode() == 0); // 2: a store failure

        ASSERT_TRUE(holdsWholeStore(path()));
        const ScoreTables tables = loaded();
        std::set<std::string> names;
        eachTable(tables, [&](int, int, auto &table) { names.insert(table.names.begin(), table.names.end()); });
        ASSERT_EQ(names.size(), 1u) << "one save, not a mixture";
        EXPECT_TRUE(names.count(killed.toStdString()) || names.count(steady.toStdString())) << *names.begin();
        EXPECT_EQ(tables(2, 3).values[4], 234);
        EXPECT_FALSE(QFile::exists(path() + ".bad"));
    }
    EXPECT_TRUE(reports.isEmpty());
}

// Games started as the program starts, sharing one settings folder: the second
// brings the first forward and ends; a lock left by a killed game is cleared.
TEST_F(StoreTest, OneGamePerStoreAndASecondStartBringsTheFirstForward)
{
    const auto nextLine = [](QProcess &game) {
        while (!game.canReadLine())
            if (!game.waitForReadyRead(kPatience))
                return QByteArray("nothing");
        return game.readLine().trimmed();
    };
    const auto startGame = [&](QProcess &game) {
        game.start(STORE_HELPER_PATH, {"instance", folder->path()});
        return nextLine(game);
    };
    newStore().save(wellFilled());
    QProcess first, second, afterCrash;
    ASSERT_EQ(startGame(first), "first");
    const QByteArray store = fileBytes(path());
    ASSERT_EQ(startGame(second), "second");
    ASSERT_TRUE(second.waitForFinished(kPatience));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(nextLine(first), "raised");
    EXPECT_EQ(fileBytes(path()), store) << "the second start touched nothing";
    EXPECT_FALSE(QFile::exists(path() + ".lock")) << "not the lock QSettings takes while saving";

    first.kill(); // leaves its lock behind
    ASSERT_TRUE(first.waitForFinished(kPatience));
    EXPECT_EQ(startGame(afterCrash), "first");
    afterCrash.closeWriteChannel(); // ends it as a game is closed
    EXPECT_TRUE(afterCrash.waitForFinished(kPatience));
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

// QProcess, used to start the helper programs, wants an application object.
int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
