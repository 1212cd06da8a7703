#pragma once
// Makes the browser's thumbnails off the window's thread, as many at once as
// there are cores, and hands each back through the event loop, so the
// window never waits on a decode. Every decode draws on one memory budget
// that lives as long as the loader, and goes through the shared thumbnail
// cache.

#include "PictureLoader.h"
#include "ThumbnailCache.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <chrono>
#include <mutex>
#include <utility>

namespace tilemere {

class ThumbnailLoader : public QObject {
    Q_OBJECT
public:
    // cache: where thumbnails are looked up and kept.
    explicit ThumbnailLoader(ThumbnailCache cache = ThumbnailCache(), QObject *parent = nullptr);
    // Drops what has not started and waits for what has.
    ~ThumbnailLoader() override;

    // Queues the thumbnail of the picture at path, squeezed to pixelSize
    // (valid, non-empty). Requests start in the order they are made;
    // thumbnailReady comes once for each one not cancelled, on this
    // object's thread, with generation and slot as given.
    void request(int generation, int slot, const QString &path, QSize pixelSize);
    // Drops every request not yet started, and ends the decodes running at
    // their next read. Those still report (a broken picture, or the
    // thumbnail when it was made by then); the caller tells them apart by
    // their generation.
    void cancelAll();
    // How long one decode may take before it is given up (a broken
    // picture); DecodeStop::kDefaultTime unless set.
    void setDecodeTime(std::chrono::milliseconds allowed) { decodeTime_ = allowed; }
    // One thumbnail at a time, leaving the other cores to the window and the
    // display server, or (false, the default) as many as there are cores.
    void setOneAtATime(bool one);

signals:
    void thumbnailReady(int generation, int slot, const QImage &thumbnail);

private:
    void startWrites();

    ThumbnailCache cache_;
    DecodeBudget budget_;
    std::chrono::milliseconds decodeTime_ = DecodeStop::kDefaultTime;
    std::atomic<int> batch_{0};      // raised by cancelAll; older requests do nothing
    std::atomic<int> unfinished_{0}; // requests queued or running
    std::mutex writesMutex_;
    QList<std::pair<QString, QImage>> pendingWrites_; // for the cache, once no request is left
    QThreadPool pool_; // last, so its threads are gone before what they use
};

} // namespace tilemere
