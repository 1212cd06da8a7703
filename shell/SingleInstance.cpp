#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tilemere {

namespace {

// Not "<store file>.lock": QSettings locks that one itself while it saves.
QString lockPathFor(const QString &storeFilePath)
{
    const QFileInfo store(storeFilePath);
    return store.dir().filePath(store.completeBaseName() + QLatin1String(".running"));
}

// Beside the lock, in a folder only its user writes. A socket's path holds
// about 100 bytes, so a longer one becomes a name in the temporary folder,
// one per store, so games of different users or test folders never meet.
QByteArray socketPathFor(const QString &lockPath)
{
    const QByteArray beside = QFile::encodeName(lockPath + QLatin1String(".socket"));
    if (beside.size() < static_cast<qsizetype>(sizeof(sockaddr_un::sun_path)))
        return beside;
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(lockPath), QCryptographicHash::Sha256);
    return QFile::encodeName(QDir::tempPath()) + "/brackwater-tilemere-" + hash.toHex().left(24);
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
// A request is a path; what is longer, or slower, is not waited for.
constexpr qsizetype kMaxRequestBytes = 64 * 1024;
constexpr int kRequestPatienceMs = 200;

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
    const int file = ::open(QFile::encodeName(lockPath_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
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
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener < 0)
        return;
    // A socket left by a crashed game would keep bind() from working; the
    // lock says no game listens there now.
    ::unlink(socketPath_.constData());
    const sockaddr_un address = addressOf(socketPath_);
    if (::bind(listener, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(listener, 8) != 0) {
        ::close(listener);
        return; // the game runs; only a second start cannot bring it forward
    }
    listener_ = listener;
    requests_ = std::make_unique<QSocketNotifier>(listener_, QSocketNotifier::Read);
    connect(requests_.get(), &QSocketNotifier::activated, this, &SingleInstance::takeRequests);
}

void SingleInstance::takeRequests()
{
    for (int request; (request = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
        // The request is the path the second start was handed, then the end
        // of the connection. It comes at once; a start that sends nothing
        // holds this game up for a moment at most.
        QByteArray handed;
        char buffer[4096];
        pollfd waiting{request, POLLIN, 0};
        while (handed.size() < kMaxRequestBytes && ::poll(&waiting, 1, kRequestPatienceMs) == 1) {
            const ssize_t got = ::read(request, buffer, sizeof buffer);
            if (got <= 0)
                break;
            handed.append(buffer, got);
        }
        ::close(request);
        emit raiseRequested(QString::fromUtf8(handed));
    }
}

void SingleInstance::askRunningGameToComeForward(const QString &handedPath)
{
    const QByteArray request = handedPath.toUtf8();
    const sockaddr_un address = addressOf(socketPath_);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kPatienceMs) {
        const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (socket < 0)
            return;
        const bool reached = ::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
        if (reached && !request.isEmpty())
            (void)::send(socket, request.constData(), std::size_t(request.size()), MSG_NOSIGNAL);
        ::close(socket);
        if (reached)
            return;
        QThread::msleep(50);
    }
}

} // namespace tilemere
