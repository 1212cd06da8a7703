#pragma once
// Thumbnails kept where the desktop keeps them, by the freedesktop.org
// Thumbnail Managing Standard: a file manager's thumbnails serve the game and
// the game's serve the file manager.
//
// Every member is const and touches no shared state, so one cache may be
// used from several threads at once.

#include <QImage>
#include <QString>

namespace tilemere {

class ThumbnailCache {
public:
    // The sizes of the standard's "normal" and "large" folders.
    static constexpr int normalSide = 128;
    static constexpr int largeSide = 256;

    // cacheRoot is the "thumbnails" folder itself; tests point it elsewhere.
    explicit ThumbnailCache(QString cacheRoot = defaultRoot());

    // $XDG_CACHE_HOME/thumbnails, or ~/.cache/thumbnails when that is unset
    // or not absolute.
    static QString defaultRoot();

    // The file's "file://" URI, percent-encoded as the standard wants
    // (UTF-8, upper-case hex; letters, digits and -._~!$&'()*+,;=:@/ kept).
    static QString fileUri(const QString &picturePath);

    // Where the thumbnail of the picture with the given side (normalSide or
    // largeSide) is kept: <root>/normal|large/<MD5 of the URI>.png.
    QString thumbnailPath(const QString &picturePath, int side) const;

    // A cached thumbnail of the file whose longest side is at least minSide
    // (1..largeSide), made from the file as it is now (URI, modification
    // time and, when recorded, size match); otherwise a null image. A stale,
    // corrupt or unreadable cache file counts as missing.
    QImage find(const QString &picturePath, int minSide) const;

    // Keeps thumbnails of the picture decoded from the file: a normal one
    // when its longest side is above normalSide, a large one when above
    // largeSide (a picture decoded at reduced size still serves, as long as
    // it is that large). Nothing is ever scaled up. A cache that cannot be
    // written costs nothing; a file written meanwhile is never seen half done.
    void store(const QString &picturePath, const QImage &picture) const;

private:
    QString root;
};

} // namespace tilemere
