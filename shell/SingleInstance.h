#pragma once
// One game per score store. Each game saves its whole tables, so of two games
// sharing a store the one that closed last would drop the other's results. The
// first game holds a lock on a file beside the store and listens on a local
// socket in the user's runtime folder; a second start reaches it there, asks
// it to come forward, and ends.
//
// Anything the user runs can connect, so requests are read a little at a time
// as they arrive, never waited for: at most 8 connections at once, 1 second
// and kMaxRequestBytes each, and what is not a well-formed request is dropped
// without a word.

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;

namespace tilemere {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    // storeFilePath: the store this game would use (ScoreStore::filePath()).
    explicit SingleInstance(const QString &storeFilePath, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only game using the store; it then holds the store
    // until it ends. False when another game holds it: that game has been asked
    // to come forward, and this one must end without touching the store. A
    // game that crashed holds nothing. Call once, at start-up. handedPath:
    // what the desktop handed this start (a picture or folder, absolute, or
    // a file:// address), passed on to the running game; may be empty.
    // The tokens that let the running game come forward are taken from this
    // start's environment.
    bool claim(const QString &handedPath = {});

    // Where a second start finds this game; for tests.
    QByteArray socketPath() const { return socketPath_; }

signals:
    // A second start asked for this game's visible window, handing on what
    // the desktop handed it (empty when nothing) and its desktop's tokens
    // for bringing a window forward (empty when it had none).
    void raiseRequested(const QString &handedPath, const QByteArray &activationToken,
                        const QByteArray &startupId);

private:
    void listen();
    void takeConnections();
    void readFrom(QLocalSocket *connection);
    void askRunningGameToComeForward(const QString &handedPath);

    QString lockPath_;
    int lock_ = -1;
    QByteArray socketPath_;
    std::unique_ptr<QLocalServer> server_;
    int openConnections_ = 0;
};

} // namespace tilemere
