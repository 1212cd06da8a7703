// The score store against its file, one game per store, and the code page its
// names are kept in. Every test gets a settings folder of its own, so the
// files of one test never meet QSettings' cache of another's.

#include "ScoreStore.h"
#include "ScoreTables.h"
#include "Windows1252.h"

#include "Fuzz.h"

#include <QtCore>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <future>
#include <optional>
#include <set>

namespace {

using tilemere::kEmptyScore;
using tilemere::ScoreStore;
using tilemere::ScoreTables;
constexpr const char *kMissingName = "Anononymous";
constexpr int kPatience = 60000; // a ceiling for a loaded machine, not an expectation

// Every table holding value(place 0..9) and name(table 0..7, place).
ScoreTables tablesOf(const std::function<std::int32_t(int)> &value, const std::function<std::string(int, int)> &name)
{
    ScoreTables tables;
    for (int table = 0; table < 8; ++table)
        for (int place = 0; place < tilemere::kPlaces; ++place) {
            tables(tilemere::kScoreModes[table / 4], table % 4 + 1).values[place] = value(place);
            tables(tilemere::kScoreModes[table / 4], table % 4 + 1).names[place] = name(table, place);
        }
    return tables;
}

// Results 1..10 on every table, a different name on each place ("P11" + place on table (1, 1)).
ScoreTables wellFilled()
{
    return tablesOf([](int place) { return place + 1; }, [](int table, int place) {
        return "P" + std::to_string(table / 4 * 10 + table % 4 + 11) + std::to_string(place + 1);
    });
}

// The file holds the values of a store an older game wrote (tests/store/sample.conf),
// each of the same type and size: the keys are what players' files hold.
::testing::AssertionResult holdsWholeStore(const QString &path)
{
    const QSettings raw(path, QSettings::IniFormat), sample(STORE_SAMPLE_PATH, QSettings::IniFormat);
    if (raw.status() != QSettings::NoError || raw.allKeys() != sample.allKeys() || sample.allKeys().size() != 90)
        return ::testing::AssertionFailure() << "values: " << raw.allKeys().join(' ').toStdString();
    for (const QString &key : sample.allKeys()) {
        const QVariant value = raw.value(key), like = sample.value(key);
        const bool bytes = like.typeId() == QMetaType::QByteArray; // else a name, as text
        if (value.typeId() != like.typeId() || (bytes && value.toByteArray().size() != like.toByteArray().size()))
            return ::testing::AssertionFailure() << key.toStdString() << " is of the wrong shape";
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
        QDir().mkpath(QFileInfo(path()).path());
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    // A new store, as a new start of the game makes.
    ScoreStore newStore()
    {
        return ScoreStore([this](const QString &message) { reports << message; });
    }
    // The tables a new start loads; `store` is then that game's store.
    ScoreTables loaded()
    {
        ScoreTables tables;
        store.emplace(newStore()).load(tables);
        return tables;
    }

    std::optional<QTemporaryDir> folder;
    std::optional<ScoreStore> store;
    QStringList reports;
};

// A first run, then a file that holds no store at all: empty places, and the
// save writes a whole store, keeping the other file aside, never over an earlier copy.
TEST_F(StoreTest, NoStoreGivesEmptyPlacesAndTheSaveWritesAWholeOneKeepingAnyOtherFileAside)
{
    const ScoreTables empty = tablesOf([](int) { return kEmptyScore; }, [](int, int) { return kMissingName; });
    const QByteArray picture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20), text("Scores\nAnn 31 moves\n");
    for (const QByteArray &content : {QByteArray(), picture, text}) {
        if (!content.isNull())
            writeFile(content);
        ScoreTables tables = loaded();
        EXPECT_EQ(tables, empty);
        store->save(tables);
        ASSERT_TRUE(holdsWholeStore(path()));
    }
    EXPECT_EQ(fileBytes(path() + ".bad"), picture);
    EXPECT_EQ(fileBytes(path() + ".2.bad"), text);
    const QSettings raw(path(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("1.0/SOUNDOPTIONS").toByteArray(), QByteArray("\1\0", 2).repeated(4)); // little-endian
    EXPECT_EQ(raw.value("1.0/SOLVINGDATA").toByteArray(), QByteArray(6, '\0'));
    EXPECT_TRUE(reports.isEmpty());
}

// A name is measured in code page 1252 bytes, the ending NUL taking the 25th;
// characters that code page lacks become "?". A name too long to keep leaves
// its result in place under the placeholder name.
TEST_F(StoreTest, NamesAreKeptAsCodePage1252HoldsThemUpToTwentyFourBytes)
{
    const struct { const char *what; QString typed, kept; } rows[] = {
        {"24 letters", QString(24, 'a'), QString(24, 'a')},
        {"25 letters", QString(25, 'a'), kMissingName},
        {"25 bytes with an accent", QString(24, 'a') + "é", kMissingName},
        {"24 euro signs, 72 bytes of UTF-8", QString(24, QChar(0x20AC)), QString(24, QChar(0x20AC))},
        {"24 bytes once a CJK letter is a '?'", QString(23, 'a') + "東", QString(23, 'a') + "?"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        ScoreTables tables = wellFilled();
        tables(tilemere::ScoreMode::Time, 3).names[4] = row.typed.toStdString();
        newStore().save(tables);
        tables(tilemere::ScoreMode::Time, 3).names[4] = row.kept.toStdString();
        EXPECT_EQ(loaded(), tables);
    }
}

// A store as the game writes it, odd names and the two reserved blocks (which
// only the store reads and writes) included, is written back unchanged.
TEST_F(StoreTest, SavingRightAfterLoadingWritesTheSameFile)
{
    writeFile(fileBytes(STORE_SAMPLE_PATH));
    const ScoreTables tables = loaded();
    store->save(tables);
    EXPECT_EQ(fileBytes(path()), fileBytes(STORE_SAMPLE_PATH));
    EXPECT_FALSE(QFile::exists(path() + ".bad"));
    EXPECT_TRUE(reports.isEmpty());
}

// Each flaw in a well-filled store costs only the values it touches: a table
// without usable results has empty places, a result without a usable name
// keeps its place under the placeholder name. Whenever anything could not be
// used, the file is kept aside before the next save.
TEST_F(StoreTest, AFlawedStoreKeepsWhatItCanReadAndTheFileIsKeptAsideWhenAnythingIsLost)
{
    // The file with key's line holding value, or without that line when value is null.
    const auto line = [](const char *key, const QByteArray &value) {
        return [=](QByteArray file) {
            const qsizetype start = file.indexOf(QByteArray("\n") + key + "=") + 1;
            const QByteArray kept = value.isNull() ? QByteArray() : key + ("=" + value) + "\n";
            return file.replace(start, file.indexOf('\n', start) + 1 - start, kept);
        };
    };
    const auto replaced = [](const char *from, const char *to) {
        return [=](QByteArray file) { return file.replace(from, to); };
    };
    // 1, 2, -5, 4, ..., 9, 40000 as little-endian numbers: places 3 and 10 cannot be real.
    const QByteArray results = "@ByteArray(\\x1\\0\\0\\0\\x2\\0\\0\\0\\xfb\\xff\\xff\\xff\\x4\\0\\0\\0\\x5\\0\\0\\0"
                               "\\x6\\0\\0\\0\\x7\\0\\0\\0\\x8\\0\\0\\0\\x9\\0\\0\\0\\x40\\x9c\\0\\0)";
    const QByteArray byteArrayVariant = "@Variant(\\0\\0\\0\\xc\\0\\0\\0(" + QByteArray("\\x1").repeated(40) + ")";
    const std::set<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    // emptied, unnamed: places of table (1, 1) that lose their result, their name; firstName: at its place 1,
    // when not its own.
    const struct { const char *what; std::function<QByteArray(QByteArray)> damage; std::set<int> emptied, unnamed;
                   const char *firstName; bool keptAside; } rows[] = {
        {"CR LF line ends", replaced("\n", "\r\n"), {}, {}, nullptr, false},
        {"an unknown extra key", replaced("[1.0]\n", "[1.0]\ncolour=blue\n"), {}, {}, nullptr, false},
        {"the same line twice", replaced("[1.0]\n", "[1.0]\n1STATS1_1=P111\n"), {}, {}, nullptr, false},
        {"a byte-order mark", replaced("[1.0]", "\xEF\xBB\xBF[1.0]"), {}, {}, nullptr, false},
        {"a name in Latin-1", line("1STATS1_1", "Zo\xEB"), {}, {}, "Zoë", false},
        {"a line of junk", replaced("[1.0]\n", "[1.0]\njunk\n"), {}, {}, nullptr, true},
        {"results as a @Variant", line("1STATS1VAL", byteArrayVariant), all, all, nullptr, true},
        {"results cut short", line("1STATS1VAL", "@ByteArray(\\x1\\0\\0\\0)"), all, all, nullptr, true},
        {"results missing, names there", line("1STATS1VAL", {}), all, all, nullptr, true},
        {"negative and impossible results", line("1STATS1VAL", results), {3, 10}, {3, 10}, nullptr, true},
        {"a name as bytes", line("1STATS1_2", "@ByteArray(Bea)"), {}, {2}, nullptr, true},
        {"a name of 25 letters", line("1STATS1_2", QByteArray(25, 'a')), {}, {2}, nullptr, true},
        {"a name missing", line("1STATS1_2", {}), {}, {2}, nullptr, false},
        {"a trailing backslash", line("1STATS1_10", "Ann\\"), {}, {10}, nullptr, true},
        {"an unbalanced quote", line("1STATS1_10", "\"Ann"), {}, {10}, nullptr, true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        useNewFolder();
        ScoreTables expected = wellFilled();
        newStore().save(expected);
        const QByteArray damaged = row.damage(fileBytes(path()));
        writeFile(damaged);
        auto &table = expected(tilemere::ScoreMode::Moves, 1);
        for (int place : row.emptied)
            table.values[place - 1] = kEmptyScore;
        for (int place : row.unnamed)
            table.names[place - 1] = kMissingName;
        if (row.firstName)
            table.names[0] = row.firstName;

        ScoreTables tables = loaded();
        EXPECT_EQ(tables, expected);
        EXPECT_EQ(fileBytes(path()), damaged) << "loading alone changes nothing";
        store->save(tables);
        EXPECT_EQ(fileBytes(path() + ".bad"), row.keptAside ? damaged : QByteArray());
        EXPECT_EQ(loaded(), expected) << "the save keeps everything that was read";
        EXPECT_TRUE(reports.isEmpty());
    }
}

// Root may read and write anything, so this runs as an ordinary user only;
// CTest runs it once more as "nobody" (tests/support/run_as_nobody.sh) when the tests run as root.
// Each game below wins a result after Clear Scores and is then closed.
TEST_F(StoreTest, AStoreThatCannotBeReadOrWrittenIsReportedAndNoScoreIsLost)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores file permissions";
    // locked: in the settings folder; firstResult: read at start, 0 when nothing could be read.
    const struct { const char *what, *locked; int mode; bool unlockedBeforeClose; std::int32_t firstResult;
                   bool closeSaves; } rows[] = {
        {"the store's folder cannot be made", ".", 0555, false, kEmptyScore, false},
        {"the store's folder is read-only", "Ostrel", 0555, false, 1, false},
        {"the file is read-only", "Ostrel/Brackwater-Tilemere.conf", 0444, false, 1, false},
        {"the file is read-only, then writable", "Ostrel/Brackwater-Tilemere.conf", 0444, true, 1, true},
        {"the file cannot be read", "Ostrel/Brackwater-Tilemere.conf", 0200, false, 0, false},
        {"the file cannot be read, then can", "Ostrel/Brackwater-Tilemere.conf", 0200, true, 0, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        useNewFolder();
        if (row.locked != QByteArray("."))
            newStore().save(wellFilled());
        const QByteArray before = fileBytes(path());
        const QByteArray locked = QFile::encodeName(QDir(folder->path()).filePath(row.locked));
        ASSERT_EQ(chmod(locked.constData(), row.mode), 0);
        reports.clear();

        ScoreTables tables = loaded();
        EXPECT_EQ(reports, QStringList{" Error Failerd"});
        EXPECT_EQ(tables(tilemere::ScoreMode::Time, 1).values[0], row.firstResult);
        EXPECT_EQ(store->loadFailed(), row.firstResult == 0);
        if (row.unlockedBeforeClose)
            chmod(locked.constData(), 0755);
        tables.clearSide(4);
        tables.insert(tilemere::ScoreMode::Moves, 2, 7, "New");
        store->save(tables);
        EXPECT_EQ(reports.size(), row.closeSaves ? 1 : 2) << "a close that saves nothing says so";
        chmod(locked.constData(), 0755);
        if (row.closeSaves)
            EXPECT_EQ(loaded(), tables) << "the scores read at start and the result won since";
        else
            EXPECT_EQ(fileBytes(path()), before) << "nothing written";
    }
}

// What stands in the file's place and is not a file is never waited on: the
// start goes on at once and reports it as an unreadable store, and no save
// writes through it.
TEST_F(StoreTest, AFifoOrDeviceInTheFilesPlaceIsReportedAtOnce)
{
    const struct { const char *what; std::function<bool(const QByteArray &)> make; } rows[] = {
        {"a FIFO", [](const QByteArray &at) { return mkfifo(at.constData(), 0600) == 0; }},
        {"a link to a FIFO", [](const QByteArray &at) {
             return mkfifo((at + ".fifo").constData(), 0600) == 0 && symlink((at + ".fifo").constData(), at.constData()) == 0;
         }},
        {"a link to a device", [](const QByteArray &at) { return symlink("/dev/zero", at.constData()) == 0; }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        useNewFolder();
        reports.clear();
        QDir().mkpath(QFileInfo(path()).path());
        const QByteArray at = QFile::encodeName(path());
        ASSERT_TRUE(row.make(at));
        ScoreTables tables = wellFilled();
        auto loading = std::async(std::launch::async, [&] {
            store.emplace(newStore()).load(tables);
        });
        if (loading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ADD_FAILURE() << "the load waits on it";
            ::close(::open(at.constData(), O_WRONLY | O_NONBLOCK)); // lets a FIFO's reader go
            loading.wait();
            continue;
        }
        EXPECT_EQ(reports, QStringList{" Error Failerd"});
        EXPECT_EQ(tables, wellFilled()) << "left as they were";
        store->save(tables);
        EXPECT_EQ(reports.size(), 2) << "the save writes nothing and says so";
        struct stat info {};
        EXPECT_EQ(lstat(at.constData(), &info), 0);
        EXPECT_FALSE(S_ISREG(info.st_mode)) << "not replaced";
    }
}

// Thousands of damaged copies of a real store, read in this process: each
// loads, as tables a game could have made. (fuzz_store.py also saves each.)
TEST_F(StoreTest, DamagedCopiesOfARealStoreLoadAsPossibleTables)
{
    const QByteArray sample = fileBytes(STORE_SAMPLE_PATH);
    ASSERT_FALSE(sample.isEmpty());
    fuzz::Mutator mutator(1208);
    for (int round = 0; round < 2000; ++round) {
        const QByteArray content = mutator.mutate(sample);
        writeFile(content);
        ScoreTables tables = wellFilled();
        store.emplace(newStore()).load(tables);
        ASSERT_TRUE(reports.isEmpty()) << "a file that can be read is never a failed load: " << content.toHex().constData();
        for (int table = 0; table < 8; ++table)
            for (int place = 0; place < tilemere::kPlaces; ++place) {
                const auto &scores = tables(tilemere::kScoreModes[table / 4], table % 4 + 1);
                ASSERT_TRUE(scores.values[place] >= 0 && scores.values[place] <= kEmptyScore) << round;
                ASSERT_LE(tilemere::toWindows1252(QString::fromStdString(scores.names[place])).size(), 24) << round;
            }
    }
}

// Each round one helper is killed at a random moment while another saves
// 50 times beside it: the file is always one whole save, never a mixture.
TEST_F(StoreTest, ProgramsKilledWhileSavingOrSavingAtOnceLeaveAWholeFile)
{
    const auto savedBy = [](const QString &name) { // as the helper fills them: every result 0
        return tablesOf([](int) { return 0; }, [&](int, int) { return name.toStdString(); });
    };
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
        EXPECT_TRUE(tables == savedBy(killed) || tables == savedBy(steady)) << "one save, not a mixture";
        EXPECT_FALSE(QFile::exists(path() + ".bad"));
    }
    EXPECT_TRUE(reports.isEmpty());
}

// Games started as the program starts, sharing one settings folder: the second
// hands its picture to the first, which comes forward, and ends; a lock left
// by a killed game is cleared.
TEST_F(StoreTest, OneGamePerStoreAndASecondStartBringsTheFirstForward)
{
    const auto nextLine = [](QProcess &game) {
        while (!game.canReadLine())
            if (!game.waitForReadyRead(kPatience))
                return QByteArray("nothing");
        return game.readLine().trimmed();
    };
    const auto startGame = [&](QProcess &game, const QString &handed = {}) {
        game.start(STORE_HELPER_PATH, QStringList{"instance", folder->path()} + QStringList(handed));
        return nextLine(game);
    };
    newStore().save(wellFilled());
    QProcess first, second, afterCrash;
    ASSERT_EQ(startGame(first), "first");
    const QByteArray saved = fileBytes(path());
    ASSERT_EQ(startGame(second, QString::fromUtf8("/photos/été 2.jpg")), "second");
    ASSERT_TRUE(second.waitForFinished(kPatience) && second.exitCode() == 0);
    EXPECT_EQ(nextLine(first), "raised /photos/été 2.jpg");
    EXPECT_EQ(fileBytes(path()), saved) << "the second start touched nothing";
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
    const QString has = QString::fromUtf8("A€‚Ž‘Ÿ\xC2\xA0éÿ\xC2\x81");
    const QByteArray hasBytes = "A\x80\x82\x8E\x91\x9F\xA0\xE9\xFF\x81";
    EXPECT_EQ(tilemere::toWindows1252(has), hasBytes);
    EXPECT_EQ(tilemere::fromWindows1252(hasBytes), has);
    EXPECT_EQ(tilemere::toWindows1252(QString::fromUtf8("東京a😀bΩ\xC2\x80")), "??a?b??")
        << "characters it lacks, U+0080 included";
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
