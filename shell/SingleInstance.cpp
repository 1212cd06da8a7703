#include "SingleInstance.h"

#include "SecondStartRequest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

namespace tilemere {

namespace {

// Not "<store file>.lock": QSettings locks that one itself while it saves.
QString lockPathFor(const QString &storeFilePath)
{
    const QFileInfo store(storeFilePath);
    return store.dir().filePath(store.completeBaseName() + QLatin1String(".running"));
}

// A folder for the socket that only this user can enter: nobody else can
// then connect, nor put a socket of their own in its place.
bool isPrivateFolder(const QByteArray &folder)
{
    struct stat info;
    return ::lstat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
           (info.st_mode & 077) == 0;
}

// The user's runtime folder, made for such sockets; without one, a private
// folder of this user's in the temporary folder. One socket per store, named
// by it, so games of different test folders never meet. Empty when there is
// no safe place.
QByteArray socketPathFor(const QString &lockPath)
{
    QByteArray folder = qgetenv("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !folder.startsWith('/') || !isPrivateFolder(folder)) {
        folder = QFile::encodeName(QDir::tempPath()) + "/brackwater-tilemere-" + QByteArray::number(::getuid());
        ::mkdir(folder.constData(), 0700);
        if (!isPrivateFolder(folder))
            return {};
    }
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(lockPath), QCryptographicHash::Sha256);
    const QByteArray path = folder + "/brackwater-tilemere-" + hash.toHex().left(24) + ".socket";
    return path.size() < static_cast<qsizetype>(sizeof(sockaddr_un::sun_path)) ? path : QByteArray();
}

sockaddr_un addressOf(const QByteArray &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    return address;
}

// The first game may have taken the lock and not be listening yet.
constexpr int kPatienceMs = 5000;
// A request comes whole at once; one that takes longer is not a second start.
constexpr int kRequestDeadlineMs = 1000;
constexpr int kMaxConnections = 8;

} // namespace

SingleInstance::SingleInstance(const QString &storeFilePath, QObject *parent)
    : QObject(parent)
    , lockPath_(lockPathFor(storeFilePath))
    , socketPath_(socketPathFor(lockPathFor(storeFilePath)))
{
}

SingleInstance::~SingleInstance()
{
    if (listener_ >= 0) {
        requests_.reset(); // before its socket closes
        ::close(listener_);
        ::unlink(socketPath_.constData());
    }
    if (lock_ >= 0)
        ::close(lock_);
}

bool SingleInstance::claim(const QString &handedPath)
{
    // A lock the kernel holds for the open file: it goes with the game however
    // the game ends, so none is ever left behind, and taking it writes
    // nothing. (QLockFile writes its file and waits for the disk to have it,
    // milliseconds on every start.) The file itself stays, empty.
    QDir().mkpath(QFileInfo(lockPath_).path());
    const int file = ::open(QFile::encodeName(lockPath_).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600);
    // A store folder that cannot hold a lock cannot hold a save either; the
    // store reports that itself, and two games cannot overwrite each other.
    if (file < 0)
        return true;
    if (::flock(file, LOCK_EX | LOCK_NB) == 0) {
        lock_ = file;
        listen();
        return true;
    }
    const bool heldByAnother = errno == EWOULDBLOCK;
    ::close(file);
    if (!heldByAnother)
        return true;
    askRunningGameToComeForward(handedPath);
    return false;
}

void SingleInstance::listen()
{
    if (socketPath_.isEmpty())
        return; // the game runs; only a second start cannot bring it forward
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener < 0)
        return;
    // A socket left by a crashed game would keep bind() from working; the
    // lock says no game listens there now.
    ::unlink(socketPath_.constData());
    const sockaddr_un address = addressOf(socketPath_);
    if (::bind(listener, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(listener, 16) != 0) {
        ::close(listener);
        return;
    }
    listener_ = listener;
    requests_ = std::make_unique<QSocketNotifier>(listener_, QSocketNotifier::Read);
    connect(requests_.get(), &QSocketNotifier::activated, this, &SingleInstance::takeConnections);
}

void SingleInstance::takeConnections()
{
    for (int socket; (socket = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0;) {
        // Past the cap a connection is closed at once: left waiting it would
        // keep the listener ready and this loop running.
        if (openConnections_ >= kMaxConnections) {
            ::close(socket);
            continue;
        }
        readFrom(socket);
    }
}

// Reads what has arrived whenever more arrives; the request is judged when
// the sender closes its end, and dropped on its deadline or past its size.
void SingleInstance::readFrom(int socket)
{
    struct Reading {
        int socket;
        QByteArray bytes;
        bool done = false;
    };
    ++openConnections_;
    const auto reading = std::make_shared<Reading>(Reading{socket, {}});
    auto *notifier = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    auto *deadline = new QTimer(notifier);
    // Once per connection, whichever comes first: its end, its deadline, its cap.
    const auto finish = [this, reading, notifier](bool complete) {
        if (std::exchange(reading->done, true))
            return;
        notifier->setEnabled(false);
        ::close(reading->socket);
        --openConnections_;
        const auto request = complete ? decodeRequest(reading->bytes) : std::nullopt;
        notifier->deleteLater(); // it may be emitting now
        if (request)
            emit raiseRequested(request->handedPath, request->activationToken, request->startupId);
    };
    connect(deadline, &QTimer::timeout, this, [finish] { finish(false); });
    connect(notifier, &QSocketNotifier::activated, this, [reading, finish] {
        char buffer[4096];
        while (!reading->done) {
            const ssize_t got = ::read(reading->socket, buffer, sizeof buffer);
            if (got > 0) {
                reading->bytes.append(buffer, got);
                if (reading->bytes.size() > kMaxRequestBytes)
                    finish(false);
            } else if (got == 0) {
                finish(true);
            } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
                return; // more later
            } else if (errno != EINTR) {
                finish(false);
            }
        }
    });
    deadline->setSingleShot(true);
    deadline->start(kRequestDeadlineMs);
}

void SingleInstance::askRunningGameToComeForward(const QString &handedPath)
{
    if (socketPath_.isEmpty())
        return;
    const QByteArray request = encodeRequest(
        {handedPath, qgetenv("XDG_ACTIVATION_TOKEN"), qgetenv("DESKTOP_STARTUP_ID")});
    const sockaddr_un address = addressOf(socketPath_);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kPatienceMs) {
        // Non-blocking, so a game whose queue is full is retried, not waited on.
        const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (socket < 0)
            return;
        const bool reached = ::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
        if (reached) {
            // Far below a socket's buffer, so it goes at once.
            (void)::send(socket, request.constData(), std::size_t(request.size()), MSG_NOSIGNAL);
            ::close(socket);
            return;
        }
        ::close(socket);
        QThread::msleep(50);
    }
}

} // namespace tilemere
