#include "ThumbnailCache.h"

#include "BoundedDevice.h"
#include "DiskNames.h"
#include "PngFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

namespace tilemere {

namespace {

const char *const uriKey = "Thumb::URI";
const char *const mtimeKey = "Thumb::MTime";
const char *const sizeKey = "Thumb::Size";

QString absolutePath(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// What the cache keys a picture on, from one call. (QFileInfo gives local
// times: each conversion back to seconds takes Qt's and the C library's
// time-zone locks and looks at the zone file again, so the decoding threads
// queued for each other there.)
template <typename Facts> std::optional<Facts> regularFile(const QString &path)
{
    struct stat facts {};
    if (::stat(pathToDisk(path).constData(), &facts) != 0 || !S_ISREG(facts.st_mode))
        return std::nullopt;
    return Facts{static_cast<qint64>(facts.st_mtime), static_cast<qint64>(facts.st_size)};
}

QString flavourFolder(int side)
{
    return side <= ThumbnailCache::normalSide ? QStringLiteral("normal")
           : side <= ThumbnailCache::largeSide ? QStringLiteral("large")
           : side <= ThumbnailCache::xLargeSide ? QStringLiteral("x-large")
                                                : QStringLiteral("xx-large");
}

// The standard asks for folders only their owner can enter; one that is
// already there is left as the desktop made it.
bool makePrivateFolder(const QString &path)
{
    if (::mkdir(QFile::encodeName(path).constData(), 0700) == 0 || errno == EEXIST)
        return QFileInfo(path).isDir();
    return false;
}

bool makeFolders(const QString &root, const QString &flavour)
{
    const QString parent = QFileInfo(root).absolutePath();
    return QDir().mkpath(parent) && makePrivateFolder(root) && makePrivateFolder(root + u'/' + flavour);
}

// Light compression: a thumbnail is small either way, and is written while
// the player waits for the next page.
constexpr int kCompressionLevel = 3;

// The largest cached thumbnail read: the standard's biggest size is 1024 a
// side; anything beyond is no thumbnail.
constexpr std::int64_t kMaxThumbnailPixels = 1024 * 1024;
constexpr qint64 kMaxThumbnailFileBytes = 16 << 20;

QByteArray textOf(const png::Picture &picture, const char *key)
{
    for (const auto &[name, text] : picture.texts)
        if (name == key)
            return text;
    return {};
}

// Written beside its final name and renamed over it, so a reader in another
// thread or program sees the old file or the new one, never half of one.
void writeAtomically(const QString &target, const QImage &thumbnail, const png::Texts &keys)
{
    const QByteArray png = png::encode(thumbnail, keys, kCompressionLevel);
    QTemporaryFile file(target + QStringLiteral(".XXXXXX"));
    if (png.isEmpty() || !file.open())
        return;
    if (file.write(png) != png.size() || !file.flush())
        return;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(target).constData()) == 0)
        file.setAutoRemove(false);
}

} // namespace

ThumbnailCache::ThumbnailCache(QString cacheRoot)
    : root(std::move(cacheRoot))
{
}

QString ThumbnailCache::defaultRoot()
{
    const QString cacheHome = qEnvironmentVariable("XDG_CACHE_HOME");
    if (QDir::isAbsolutePath(cacheHome))
        return cacheHome + QStringLiteral("/thumbnails");
    return QDir::homePath() + QStringLiteral("/.cache/thumbnails");
}

QString ThumbnailCache::fileUri(const QString &picturePath)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    QByteArray uri("file://");
    for (const char c : pathToDisk(absolutePath(picturePath))) {
        const auto byte = static_cast<unsigned char>(c);
        const bool kept = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9')
            || std::strchr("-._~!$&'()*+,;=:@/", byte) != nullptr;
        if (kept && byte != 0) {
            uri += c;
        } else {
            uri += '%';
            uri += hex[byte >> 4];
            uri += hex[byte & 15];
        }
    }
    return QString::fromLatin1(uri);
}

QString ThumbnailCache::thumbnailPath(const QString &picturePath, int side) const
{
    const QByteArray md5 = QCryptographicHash::hash(fileUri(picturePath).toLatin1(), QCryptographicHash::Md5);
    return root + u'/' + flavourFolder(side) + u'/' + QString::fromLatin1(md5.toHex()) + QStringLiteral(".png");
}

QImage ThumbnailCache::current(const QString &picturePath, int side, const QByteArray &uri,
                               const FileFacts &file) const
{
    // A thumbnail is small, so decoding one that turns out stale costs
    // little. Opened as a picture is: anyone may have planted a pipe, a link
    // to a device or a huge file under the name. One that says it is too
    // big is not read at all; its size as read counts too, since a file
    // system may report less than there is.
    QFile cached;
    if (!openPictureFile(thumbnailPath(picturePath, side), cached) || cached.size() > kMaxThumbnailFileBytes)
        return {};
    const QByteArray bytes = cached.read(kMaxThumbnailFileBytes + 1);
    if (bytes.size() > kMaxThumbnailFileBytes)
        return {};
    const png::Picture thumbnail = png::read(bytes, kMaxThumbnailPixels);
    bool mtimeRead = false;
    if (thumbnail.image.isNull() || textOf(thumbnail, uriKey) != uri
        || textOf(thumbnail, mtimeKey).toLongLong(&mtimeRead) != file.mtime || !mtimeRead)
        return {};
    // The size is optional in the standard, but catches an edit within
    // the same second.
    const QByteArray size = textOf(thumbnail, sizeKey);
    if (!size.isEmpty() && size.toLongLong() != file.size)
        return {};
    return thumbnail.image;
}

QImage ThumbnailCache::find(const QString &picturePath, int minSide) const
{
    const std::optional<FileFacts> file = regularFile<FileFacts>(picturePath);
    if (!file || minSide > xxLargeSide)
        return {};
    const QByteArray uri = fileUri(picturePath).toLatin1();
    for (const int side : sides) {
        if (side < minSide)
            continue;
        const QImage thumbnail = current(picturePath, side, uri, *file);
        if (qMax(thumbnail.width(), thumbnail.height()) >= minSide)
            return thumbnail;
    }
    return {};
}

QImage ThumbnailCache::findCovering(const QString &picturePath, QSize size) const
{
    const std::optional<FileFacts> file = regularFile<FileFacts>(picturePath);
    if (!file)
        return {};
    const QByteArray uri = fileUri(picturePath).toLatin1();
    for (const int side : sides) {
        // A smaller size cannot be as wide or as high as size.
        if (side < qMax(size.width(), size.height()))
            continue;
        const QImage thumbnail = current(picturePath, side, uri, *file);
        if (!thumbnail.isNull() && thumbnail.width() >= size.width() && thumbnail.height() >= size.height())
            return thumbnail;
    }
    return {};
}

void ThumbnailCache::store(const QString &picturePath, const QImage &picture) const
{
    const std::optional<FileFacts> file = regularFile<FileFacts>(picturePath);
    if (picture.isNull() || !file)
        return;
    const QByteArray uri = fileUri(picturePath).toLatin1();
    // All ASCII: the URI is percent-encoded.
    const png::Texts keys = {
        {uriKey, uri},
        {mtimeKey, QByteArray::number(file->mtime)},
        {sizeKey, QByteArray::number(file->size)},
        {"Software", "Brackwater-Tilemere"},
    };
    // The largest first, so each smaller one is scaled from the one before
    // rather than from the whole picture.
    QImage source = picture;
    for (auto side = sides.rbegin(); side != sides.rend(); ++side) {
        if (qMax(source.width(), source.height()) <= *side)
            continue;
        source = source.scaled(*side, *side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        // A current one was made by another visit or by a file manager:
        // rewriting it would only wear the disk and wake its watchers.
        if (!current(picturePath, *side, uri, *file).isNull())
            continue;
        if (!makeFolders(root, flavourFolder(*side)))
            return;
        writeAtomically(thumbnailPath(picturePath, *side), source, keys);
    }
}

} // namespace tilemere
