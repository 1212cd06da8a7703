#pragma once
// Thumbnails kept where the desktop keeps them, by the freedesktop.org
// Thumbnail Managing Standard: a file manager's thumbnails serve the game and
// the game's serve the file manager.
//
// Every member is const and touches no shared state, so one cache may be
// used from several threads at once.

#include <QImage>
#include <QSize>
#include <QString>

#include <array>

namespace tilemere {

class ThumbnailCache {
public:
    // The sizes of the standard's "normal", "large", "x-large" and
    // "xx-large" folders.
    static constexpr int normalSide = 128;
    static constexpr int largeSide = 256;
    static constexpr int xLargeSide = 512;
    static constexpr int xxLargeSide = 1024;
    static constexpr std::array<int, 4> sides{normalSide, largeSide, xLargeSide, xxLargeSide};

    // cacheRoot is the "thumbnails" folder itself; tests point it elsewhere.
    explicit ThumbnailCache(QString cacheRoot = defaultRoot());

    // $XDG_CACHE_HOME/thumbnails, or ~/.cache/thumbnails when that is unset
    // or not absolute.
    static QString defaultRoot();

    // The file's "file://" URI, percent-encoded as the standard wants
    // (upper-case hex; letters, digits and -._~!$&'()*+,;=:@/ kept), from the
    // bytes of its path on disk: a name that is not UTF-8 keys its own bytes,
    // as a file manager keys it.
    static QString fileUri(const QString &picturePath);

    // Where the thumbnail of the picture with the given side (one of sides)
    // is kept: <root>/normal|large|x-large|xx-large/<MD5 of the URI>.png.
    QString thumbnailPath(const QString &picturePath, int side) const;

    // A cached thumbnail of the file whose longest side is at least minSide
    // (1..xxLargeSide), made from the file as it is now (URI, modification
    // time and, when recorded, size match); otherwise a null image. A stale,
    // corrupt or unreadable cache file counts as missing.
    QImage find(const QString &picturePath, int minSide) const;
    // The smallest current cached thumbnail of the file that is at least
    // size both ways, or a null image.
    QImage findCovering(const QString &picturePath, QSize size) const;

    // Keeps thumbnails of the picture decoded from the file, one of each
    // size below its longest side (a picture decoded at reduced size still
    // serves, as long as it is that large). Nothing is ever scaled up, and a
    // size whose thumbnail is still current is left as it is. A cache that
    // cannot be written costs nothing; a file written meanwhile is never seen
    // half done.
    void store(const QString &picturePath, const QImage &picture) const;

private:
    struct FileFacts {
        qint64 mtime;
        qint64 size;
    };
    // The thumbnail of that size when it is current for the file.
    QImage current(const QString &picturePath, int side, const QByteArray &uri, const FileFacts &file) const;

    QString root;
};

} // namespace tilemere
