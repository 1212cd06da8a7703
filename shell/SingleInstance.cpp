#include "SingleInstance.h"

#include "SecondStartRequest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
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
    // The socket goes before the lock: once the lock is free a new game may
    // put its own socket at the same place, and ours must not remove it.
    // Connections still being read close with the server, unheard.
    if (server_) {
        for (QLocalSocket *connection : server_->findChildren<QLocalSocket *>())
            disconnect(connection, nullptr, this, nullptr);
        server_.reset();
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
    auto server = std::make_unique<QLocalServer>();
    // Made under another name and moved into place with the user's access
    // only, so nobody can reach it in between.
    server->setSocketOptions(QLocalServer::UserAccessOption);
    server->setListenBacklogSize(16);
    // A socket left by a crashed game would keep listen() from working; the
    // lock says no game listens there now.
    const QString name = QFile::decodeName(socketPath_);
    QLocalServer::removeServer(name);
    if (!server->listen(name))
        return;
    server_ = std::move(server);
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::takeConnections);
}

void SingleInstance::takeConnections()
{
    while (QLocalSocket *connection = server_->nextPendingConnection()) {
        // Past the cap a connection is closed at once, its sender none the wiser.
        if (openConnections_ >= kMaxConnections) {
            connection->abort();
            connection->deleteLater();
            continue;
        }
        readFrom(connection);
    }
}

// Reads what has arrived whenever more arrives; the request is judged when
// the sender closes its end, and dropped on its deadline or past its size.
void SingleInstance::readFrom(QLocalSocket *connection)
{
    struct Reading {
        QByteArray bytes;
        bool done = false;
    };
    ++openConnections_;
    // The socket holds no more than one byte past the cap, however much is sent.
    connection->setReadBufferSize(kMaxRequestBytes + 1);
    const auto reading = std::make_shared<Reading>();
    auto *deadline = new QTimer(connection);
    // Once per connection, whichever comes first: its end, its deadline, its cap.
    const auto finish = [this, reading, connection](bool complete) {
        if (std::exchange(reading->done, true))
            return;
        disconnect(connection, nullptr, this, nullptr);
        connection->abort();
        connection->deleteLater(); // it may be emitting now
        --openConnections_;
        const auto request = complete ? decodeRequest(reading->bytes) : std::nullopt;
        if (request)
            emit raiseRequested(request->handedPath, request->activationToken, request->startupId);
    };
    const auto take = [reading, connection, finish] {
        while (!reading->done && connection->bytesAvailable() > 0) {
            reading->bytes += connection->read(kMaxRequestBytes + 1 - reading->bytes.size());
            if (reading->bytes.size() > kMaxRequestBytes)
                finish(false);
        }
    };
    connect(deadline, &QTimer::timeout, this, [finish] { finish(false); });
    connect(connection, &QLocalSocket::readyRead, this, take);
    // What came before the end is still there to read once the end is seen.
    connect(connection, &QLocalSocket::disconnected, this, [take, finish] {
        take();
        finish(true);
    });
    connect(connection, &QLocalSocket::errorOccurred, this, [take, finish](QLocalSocket::LocalSocketError error) {
        if (error == QLocalSocket::PeerClosedError)
            take(); // the end itself, seen as disconnected
        else
            finish(false);
    });
    deadline->setSingleShot(true);
    deadline->start(kRequestDeadlineMs);
    take(); // what came with the connection
}

void SingleInstance::askRunningGameToComeForward(const QString &handedPath)
{
    if (socketPath_.isEmpty())
        return;
    const QByteArray request = encodeRequest(
        {handedPath, qgetenv("XDG_ACTIVATION_TOKEN"), qgetenv("DESKTOP_STARTUP_ID")});
    // This start has no window to keep answering, so it may wait here, but
    // never past its patience, however the running game behaves.
    QElapsedTimer waited;
    waited.start();
    const auto left = [&waited] { return int(qMax<qint64>(0, kPatienceMs - waited.elapsed())); };
    while (left() > 0) {
        QLocalSocket socket;
        socket.connectToServer(QFile::decodeName(socketPath_));
        if (socket.waitForConnected(left())) {
            // Far below a socket's buffer, so it goes at once.
            socket.write(request);
            socket.waitForBytesWritten(qMax(1, left()));
            socket.abort();
            return;
        }
        QThread::msleep(50);
    }
}

} // namespace tilemere
