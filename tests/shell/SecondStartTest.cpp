// A second start reaching the running game over its socket: what a request
// may hold, and that nothing sent there can hold up the window or reach the
// player unless it is a well-formed request.
#include "SecondStartRequest.h"
#include "SingleInstance.h"

#include "Fuzz.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <cstring>
#include <thread>
#include <vector>

namespace {

using tilemere::decodeRequest;
using tilemere::encodeRequest;
using tilemere::SecondStartRequest;

const SecondStartRequest kFull{QString::fromUtf8("/photos/été <b>2</b>.jpg"), "wayland-token_1", "xfce4-123_TIME456"};

QByteArray field(char tag, std::uint32_t length, const QByteArray &bytes)
{
    char size[4];
    qToLittleEndian(length, size);
    return QByteArray(1, tag) + QByteArray(size, 4) + bytes;
}

const QByteArray kHeader("BWTM\x01", 5);

TEST(SecondStartRequestTest, WellFormedRequestsReadBackAndAllOthersAreRefused)
{
    EXPECT_EQ(decodeRequest(encodeRequest(kFull)), kFull);
    EXPECT_EQ(decodeRequest(encodeRequest({})), SecondStartRequest{}) << "a start handed nothing";
    EXPECT_EQ(decodeRequest(kHeader + field('A', 3, "tok") + field('P', 2, "/a")),
              (SecondStartRequest{"/a", "tok", {}})) << "fields in any order";

    const struct {
        const char *name;
        QByteArray bytes;
    } refused[] = {
        {"nothing", {}},
        {"garbage", QByteArray(4096, '\xAB')},
        {"old-style bare path", "/photos/a.jpg"},
        {"path twice", kHeader + field('P', 2, "/a") + field('P', 2, "/b")},
        {"unknown field", kHeader + field('Q', 2, "/a")},
        {"empty field", kHeader + field('P', 0, {})},
        {"length past the end", kHeader + field('P', 3, "/a")},
        {"length 2^31-1", kHeader + field('P', 0x7FFFFFFF, "/a")},
        {"length 2^32-1", kHeader + field('P', 0xFFFFFFFF, "/a")},
        {"a field cut in its length", kHeader + field('P', 2, "/a") + "S\x01"},
        {"path not UTF-8", kHeader + field('P', 2, "\xFF/")},
        {"path with a new line", kHeader + field('P', 4, "/a\nb")},
        {"token with a space", kHeader + field('A', 3, "a b")},
        {"token with a control byte", kHeader + field('S', 3, "a\x01""b")},
        {"over the size cap", kHeader + field('P', 9000, "/" + QByteArray(8999, 'a'))},
    };
    for (const auto &row : refused)
        EXPECT_FALSE(decodeRequest(row.bytes)) << row.name;
}

// Damaged copies of real requests: each is refused or reads as a request that
// holds only what a request may hold and writes back as itself.
TEST(SecondStartRequestTest, DamagedRequestsAreRefusedOrReadAsSoundRequests)
{
    const QByteArray seeds[] = {encodeRequest(kFull), encodeRequest({"/a.jpg", {}, {}}),
                                encodeRequest({{}, "t", "s"})};
    fuzz::Mutator mutator(20261208);
    int accepted = 0;
    for (int round = 0; round < 6000; ++round) {
        const QByteArray input = mutator.mutate(seeds[round % std::size(seeds)]);
        const auto request = decodeRequest(input);
        if (!request)
            continue;
        ++accepted;
        EXPECT_EQ(decodeRequest(encodeRequest(*request)), request) << input.toHex().constData();
        EXPECT_LE(request->handedPath.toUtf8().size() + request->activationToken.size() + request->startupId.size(),
                  input.size());
        for (QChar c : request->handedPath)
            EXPECT_NE(c.category(), QChar::Other_Control) << input.toHex().constData();
    }
    EXPECT_GT(accepted, 0) << "some mutations (a flipped bit in a path) still make a request";
}

QByteArray sendTo(const QByteArray &path, int &socket)
{
    socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    if (::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return "cannot connect: " + QByteArray(std::strerror(errno));
    return {};
}

struct RunningGame : ::testing::Test {
    QTemporaryDir runtime, settings;
    std::unique_ptr<tilemere::SingleInstance> game;
    QStringList raised;
    void SetUp() override
    {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        game = std::make_unique<tilemere::SingleInstance>(settings.filePath("Ostrel/Brackwater-Tilemere.conf"));
        ASSERT_TRUE(game->claim());
        QObject::connect(game.get(), &tilemere::SingleInstance::raiseRequested,
                         [this](const QString &path, const QByteArray &token, const QByteArray &id) {
                             raised << path + ' ' + QString::fromLatin1(token + ' ' + id);
                         });
    }
    // Runs the window's events for ms and returns the longest it went unanswered.
    qint64 longestStall(int ms)
    {
        QElapsedTimer clock, sinceLast;
        clock.start();
        sinceLast.start();
        qint64 longest = 0;
        while (clock.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            longest = qMax(longest, sinceLast.restart());
            QThread::msleep(2);
        }
        return longest;
    }
};

// The socket goes only into a folder no other user can enter or swap: the
// runtime folder when it is such a folder, else one of the user's own in the
// temporary folder. With neither there is no socket, and the game still runs.
TEST(SecondStartSocketTest, GoesOnlyWhereNoOtherUserCanReachIt)
{
    const QByteArray oldTemp = qgetenv("TMPDIR");
    enum Runtime { Unset, Made, Link, Relative };
    enum Folder { InRuntime, Fallback, None };
    const struct {
        const char *name;
        Runtime runtime;
        mode_t runtimeMode;
        mode_t fallbackMode; // 0: not there before the game starts
        Folder expected;
    } rows[] = {
        {"private runtime folder", Made, 0700, 0, InRuntime},
        {"no runtime folder", Unset, 0, 0, Fallback},
        {"runtime folder others may enter", Made, 0755, 0, Fallback},
        {"runtime folder others may write", Made, 0777, 0, Fallback},
        {"runtime folder a link to a private one", Link, 0700, 0, Fallback},
        {"relative runtime folder", Relative, 0700, 0, Fallback},
        {"private fallback left by an earlier game", Unset, 0, 0700, Fallback},
        {"fallback others may enter", Unset, 0, 0755, None},
        {"fallback others may write", Unset, 0, 0777, None},
    };
    for (const auto &row : rows) {
        QTemporaryDir root, settings;
        // A relative folder would be found from where the game was started.
        struct StartedIn {
            QString old = QDir::currentPath();
            ~StartedIn() { QDir::setCurrent(old); }
        } startedIn;
        QDir::setCurrent(root.path());
        const QByteArray base = QFile::encodeName(root.path());
        const QByteArray runtime = base + "/run", temp = base + "/tmp";
        const QByteArray fallback = temp + "/brackwater-tilemere-" + QByteArray::number(::getuid());
        ::mkdir(temp.constData(), 0755);
        qputenv("TMPDIR", temp);
        if (row.fallbackMode) {
            ::mkdir(fallback.constData(), 0700);
            ::chmod(fallback.constData(), row.fallbackMode);
        }
        const QByteArray real = row.runtime == Link ? base + "/real" : runtime;
        ::mkdir(real.constData(), 0700);
        ::chmod(real.constData(), row.runtimeMode);
        if (row.runtime == Link)
            ::symlink(real.constData(), runtime.constData());
        if (row.runtime == Unset)
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", row.runtime == Relative ? QByteArray("run") : runtime);

        tilemere::SingleInstance game(settings.filePath("Ostrel/Brackwater-Tilemere.conf"));
        EXPECT_TRUE(game.claim()) << row.name;
        const QByteArray path = game.socketPath();
        const QByteArray folder = path.left(path.lastIndexOf('/'));
        if (row.expected == None) {
            EXPECT_TRUE(path.isEmpty()) << row.name << ": " << path.data();
            continue;
        }
        EXPECT_EQ(folder, row.expected == InRuntime ? runtime : fallback) << row.name;
        struct stat info {};
        ASSERT_EQ(::lstat(folder.constData(), &info), 0) << row.name;
        EXPECT_TRUE(S_ISDIR(info.st_mode) && (info.st_mode & 077) == 0) << row.name;
        ASSERT_EQ(::lstat(path.constData(), &info), 0) << row.name;
        EXPECT_TRUE(S_ISSOCK(info.st_mode) && (info.st_mode & 077) == 0) << row.name << ": the user's alone";
    }
    if (oldTemp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTemp);
}

QStringList raisedBy(tilemere::SingleInstance &game, int ms, const std::function<void()> &sender = {})
{
    QStringList raised;
    const auto connection = QObject::connect(&game, &tilemere::SingleInstance::raiseRequested,
                     [&raised](const QString &path, const QByteArray &token, const QByteArray &id) {
                         raised << path + ' ' + QString::fromLatin1(token + ' ' + id);
                     });
    std::thread sending(sender ? sender : [] {});
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    sending.join();
    QCoreApplication::processEvents();
    QObject::disconnect(connection);
    return raised;
}

// A game that crashed leaves its socket behind with nobody listening; the
// next game takes its place and is reached there. A game that ends removes
// its socket.
TEST(SecondStartSocketTest, SocketOfACrashedGameIsReplacedAndAnEndedGameLeavesNone)
{
    QTemporaryDir runtime, settings;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const QString store = settings.filePath("Ostrel/Brackwater-Tilemere.conf");
    const QByteArray path = tilemere::SingleInstance(store).socketPath();
    const int stale = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(stale, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(stale);
    {
        tilemere::SingleInstance game(store);
        ASSERT_TRUE(game.claim());
        tilemere::SingleInstance second(store);
        EXPECT_FALSE(second.claim(QStringLiteral("/photos/a.jpg")));
        EXPECT_EQ(raisedBy(game, 300), QStringList{"/photos/a.jpg  "});
    }
    EXPECT_NE(::access(path.constData(), F_OK), 0) << "the ended game's socket is still there";
    tilemere::SingleInstance next(store);
    EXPECT_TRUE(next.claim());
}

// Slow, silent and garbled senders at once: the window keeps answering, none
// of them reaches the player, and a real second start afterwards does.
TEST_F(RunningGame, NoSenderHoldsUpTheWindowAndOnlyARealRequestIsTaken)
{
    const QByteArray path = game->socketPath();
    std::atomic<bool> stop{false};
    std::vector<std::thread> senders;
    senders.emplace_back([&] { // one byte every 150 ms
        int socket;
        if (!sendTo(path, socket).isEmpty())
            return;
        for (char byte : encodeRequest(kFull)) {
            if (stop || ::send(socket, &byte, 1, MSG_NOSIGNAL) != 1)
                break;
            QThread::msleep(150);
        }
        ::close(socket);
    });
    senders.emplace_back([&] { // sixty that send nothing
        std::vector<int> sockets(60);
        for (int &socket : sockets)
            sendTo(path, socket);
        while (!stop)
            QThread::msleep(10);
        for (int socket : sockets)
            ::close(socket);
    });
    senders.emplace_back([&] { // 4 KB of garbage, then the end
        int socket;
        if (!sendTo(path, socket).isEmpty())
            return;
        QByteArray garbage(4096, '\0');
        for (qsizetype i = 0; i < garbage.size(); ++i)
            garbage[i] = char(i * 131 + 7);
        (void)::send(socket, garbage.constData(), std::size_t(garbage.size()), MSG_NOSIGNAL);
        ::close(socket);
    });
    const qint64 stall = longestStall(2500);
    stop = true;
    for (std::thread &sender : senders)
        sender.join();
    EXPECT_LT(stall, 100) << "ms the window did not answer";
    EXPECT_TRUE(raised.isEmpty()) << raised.join('|').toStdString();

    qputenv("XDG_ACTIVATION_TOKEN", "token42");
    tilemere::SingleInstance second(settings.filePath("Ostrel/Brackwater-Tilemere.conf"));
    EXPECT_FALSE(second.claim(kFull.handedPath));
    qunsetenv("XDG_ACTIVATION_TOKEN");
    longestStall(300);
    EXPECT_EQ(raised, QStringList{kFull.handedPath + " token42 "});
}

// A request is judged whole, however it is cut up on the way, and nothing
// past the size cap is taken, however much a sender pushes.
TEST_F(RunningGame, RequestIsJudgedWholeHoweverItArrives)
{
    const QByteArray longestPath = '/' + QByteArray(tilemere::kMaxRequestBytes - 11, 'a');
    const QByteArray longest = encodeRequest({QString::fromLatin1(longestPath), {}, {}});
    ASSERT_EQ(longest.size(), tilemere::kMaxRequestBytes);
    const struct {
        const char *name;
        QByteArray bytes;
        qsizetype piece;
        bool taken;
    } rows[] = {
        {"the longest request at once", longest, longest.size(), true},
        {"the longest request in pieces", longest, 100, true},
        {"a short request byte by byte", encodeRequest({"/b.png", "t", {}}), 1, true},
        {"one byte past the longest", longest + 'a', longest.size() + 1, false},
        {"a request and then more", encodeRequest({"/b.png", {}, {}}) + QByteArray(1 << 20, 'a'), 64 * 1024, false},
    };
    for (const auto &row : rows) {
        const QByteArray path = game->socketPath();
        const QStringList raised = raisedBy(*game, 600, [&] {
            int socket;
            if (!sendTo(path, socket).isEmpty())
                return;
            for (qsizetype at = 0; at < row.bytes.size(); at += row.piece) {
                const auto size = std::size_t(qMin(row.piece, row.bytes.size() - at));
                if (::send(socket, row.bytes.constData() + at, size, MSG_NOSIGNAL) != ssize_t(size))
                    break;
                if (row.piece < 1000)
                    QThread::usleep(200);
            }
            ::close(socket);
        });
        const auto expected = decodeRequest(row.bytes);
        QStringList wanted;
        if (row.taken && expected)
            wanted << expected->handedPath + ' ' + QString::fromLatin1(expected->activationToken) + ' ';
        EXPECT_EQ(raised, wanted) << row.name;
    }
}

} // namespace
