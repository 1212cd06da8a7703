#include "ThumbnailLoader.h"

#include "Thumbnails.h"

#include <QThread>

#ifdef __GLIBC__
#include <malloc.h>
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

} // namespace

ThumbnailLoader::ThumbnailLoader(ThumbnailCache cache, QObject *parent)
    : QObject(parent), cache_(std::move(cache))
{
    pool_.setMaxThreadCount(QThread::idealThreadCount());
}

ThumbnailLoader::~ThumbnailLoader()
{
    pool_.clear();
    pool_.waitForDone();
}

void ThumbnailLoader::request(int generation, int slot, const QString &path, QSize pixelSize)
{
    pool_.start(
        [this, generation, slot, path, pixelSize] {
            thumbnails::Made made = thumbnails::makeThumbnail(path, pixelSize, budget_, cache_);
            // Delivered through this object's event queue: should the loader
            // go first, the event goes with it.
            QMetaObject::invokeMethod(
                this, [this, generation, slot, thumbnail = std::move(made.thumbnail)] {
                    emit thumbnailReady(generation, slot, thumbnail);
                },
                Qt::QueuedConnection);
            if (!made.toCache.isNull()) {
                pool_.start(
                    [this, path, picture = std::move(made.toCache)] {
                        cache_.store(path, picture);
                        returnFreedMemory();
                    },
                    kCachePriority);
            }
        },
        kThumbnailPriority);
}

void ThumbnailLoader::cancelAll()
{
    pool_.clear();
}

} // namespace tilemere
