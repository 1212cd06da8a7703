#include "ThumbnailLoader.h"

#include "Thumbnails.h"

#include <QThread>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace tilemere {

namespace {

// Writing the cache files waits until the page's thumbnails are all made:
// the player is looking at empty slots, not at the cache.
constexpr int kThumbnailPriority = 1;
constexpr int kCachePriority = 0;

// What a decode or a cache write frees stays in this thread's own heap
// until the system is handed it back.
void returnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// Decodes are background work: the window's thread, the display server and
// whatever else the player runs go first. A nice of 10 rather than the idle
// class, so that on a busy machine thumbnails come slower but still come.
// (Linux gives each thread its own nice value.)
void yieldToForegroundWork()
{
#ifdef __linux__
    thread_local bool lowered = false;
    if (!lowered) {
        lowered = true;
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    }
#endif
}

} // namespace

ThumbnailLoader::ThumbnailLoader(ThumbnailCache cache, QObject *parent)
    : QObject(parent), cache_(std::move(cache))
{
    pool_.setMaxThreadCount(QThread::idealThreadCount());
    // A page is made in a fraction of a second; idle threads need not wait
    // half a minute for the next one, holding their stacks.
    pool_.setExpiryTimeout(500);
    // The threads are started now, while the window is being built, so that
    // the first page's requests find them waiting.
    for (int i = 0; i < pool_.maxThreadCount(); ++i)
        pool_.start(yieldToForegroundWork);
}

ThumbnailLoader::~ThumbnailLoader()
{
    ++batch_;
    pool_.clear();
    pool_.waitForDone();
}

void ThumbnailLoader::request(int generation, int slot, const QString &path, QSize pixelSize)
{
    ++unfinished_;
    pool_.start(
        [this, batch = batch_.load(), allowed = decodeTime_, generation, slot, path, pixelSize] {
            if (batch == batch_.load()) {
                yieldToForegroundWork();
                // The time runs from the start of the decode, not from the
                // request: a page waits in the queue for the one before.
                const DecodeStop stop(allowed, batch_, batch);
                thumbnails::Made made = thumbnails::makeThumbnail(path, pixelSize, budget_, cache_, stop);
                // Delivered through this object's event queue: should the
                // loader go first, the event goes with it.
                QMetaObject::invokeMethod(
                    this, [this, generation, slot, thumbnail = std::move(made.thumbnail)] {
                        emit thumbnailReady(generation, slot, thumbnail);
                    },
                    Qt::QueuedConnection);
                if (!made.toCache.isNull()) {
                    const std::lock_guard lock(writesMutex_);
                    pendingWrites_.append({path, std::move(made.toCache)});
                }
            }
            if (--unfinished_ == 0)
                startWrites();
        },
        kThumbnailPriority);
}

void ThumbnailLoader::startWrites()
{
    // Only once no thumbnail is left to make: the page's last decode then
    // has a core of its own, with the window and the display server on the
    // other, rather than sharing it with the cache.
    QList<std::pair<QString, QImage>> writes;
    {
        const std::lock_guard lock(writesMutex_);
        writes.swap(pendingWrites_);
    }
    for (auto &[path, picture] : writes) {
        pool_.start(
            [this, path = std::move(path), picture = std::move(picture)] {
                cache_.store(path, picture);
                returnFreedMemory();
            },
            kCachePriority);
    }
}

void ThumbnailLoader::setOneAtATime(bool one)
{
    pool_.setMaxThreadCount(one ? 1 : QThread::idealThreadCount());
}

void ThumbnailLoader::cancelAll()
{
    // The requests queued so far end at once when their turn comes, and
    // those running at their decode's next read.
    ++batch_;
}

} // namespace tilemere
