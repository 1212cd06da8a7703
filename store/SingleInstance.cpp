#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

namespace tilemere {

namespace {

// Not "<store file>.lock": QSettings locks that one itself while it saves.
QString lockPathFor(const QString &storeFilePath)
{
    const QFileInfo store(storeFilePath);
    return store.dir().filePath(store.completeBaseName() + QLatin1String(".running"));
}

// One name per store, so games of different users or test folders never meet.
// Short, since a socket's path is limited to about 100 bytes.
QString serverNameFor(const QString &lockPath)
{
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(lockPath), QCryptographicHash::Sha256);
    return QLatin1String("brackwater-tilemere-") + QLatin1String(hash.toHex().left(24));
}

// The first game may have taken the lock and not be listening yet.
constexpr int kPatienceMs = 5000;

} // namespace

SingleInstance::SingleInstance(const QString &storeFilePath, QObject *parent)
    : QObject(parent)
    , lock_(lockPathFor(storeFilePath))
    , serverName_(serverNameFor(lockPathFor(storeFilePath)))
{
    // A game runs for hours: the lock is stale only when its game is gone.
    lock_.setStaleLockTime(0);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromServer();
        }
        emit raiseRequested();
    });
}

bool SingleInstance::claim()
{
    QDir().mkpath(QFileInfo(lock_.fileName()).path());
    // tryLock removes a lock whose game is no longer running.
    if (lock_.tryLock(0)) {
        // A socket left by a crashed game would keep listen() from working.
        QLocalServer::removeServer(serverName_);
        server_.listen(serverName_);
        return true;
    }
    // A store folder that cannot hold a lock cannot hold a save either; the
    // store reports that itself, and two games cannot overwrite each other.
    if (lock_.error() != QLockFile::LockFailedError)
        return true;
    askRunningGameToComeForward();
    return false;
}

void SingleInstance::askRunningGameToComeForward()
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kPatienceMs) {
        QLocalSocket socket;
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(kPatienceMs)) {
            // The connection is the request; wait for the game to take it.
            socket.waitForDisconnected(kPatienceMs);
            return;
        }
        QThread::msleep(50);
    }
}

} // namespace tilemere
