// A second start reaching the running game over its socket: what a request
// may hold, and that nothing sent there can hold up the window or reach the
// player unless it is a well-formed request.
#include "SecondStartRequest.h"
#include "SingleInstance.h"

#include "Fuzz.h"

#include <QCoreApplication>
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

TEST_F(RunningGame, SocketLivesInTheUsersRuntimeFolder)
{
    EXPECT_TRUE(game->socketPath().startsWith(QFile::encodeName(runtime.path()) + '/')) << game->socketPath().data();
    qunsetenv("XDG_RUNTIME_DIR");
    const tilemere::SingleInstance other(settings.filePath("Other/Store.conf"));
    const QByteArray folder = other.socketPath().left(other.socketPath().lastIndexOf('/'));
    struct stat info {};
    ASSERT_EQ(::stat(folder.constData(), &info), 0) << folder.data();
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "a temporary folder of the user's own";
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

} // namespace
