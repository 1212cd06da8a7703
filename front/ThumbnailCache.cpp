#include "ThumbnailCache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryFile>

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
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

QString flavourFolder(int side)
{
    return side <= ThumbnailCache::normalSide ? QStringLiteral("normal") : QStringLiteral("large");
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

// Written beside its final name and renamed over it, so a reader in another
// thread or program sees the old file or the new one, never half of one.
void writeAtomically(const QString &target, const QImage &thumbnail, const QList<std::pair<QString, QString>> &keys)
{
    QTemporaryFile file(target + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return;
    // Keys go on the image: the writer's own text option splits them at
    // the colon of "Thumb::URI".
    QImage withKeys = thumbnail;
    for (const auto &[key, value] : keys)
        withKeys.setText(key, value);
    // Light compression: a thumbnail is small either way, and is written
    // while the player waits for the next page.
    QImageWriter writer(&file, "png");
    writer.setQuality(80);
    if (!writer.write(withKeys) || !file.flush())
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
    for (const char c : QFile::encodeName(absolutePath(picturePath))) {
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

QImage ThumbnailCache::find(const QString &picturePath, int minSide) const
{
    const QFileInfo file(picturePath);
    if (!file.isFile() || minSide > largeSide)
        return {};
    const QString uri = fileUri(picturePath);
    const qint64 mtime = file.lastModified().toSecsSinceEpoch();
    for (const int side : {normalSide, largeSide}) {
        if (side < minSide)
            continue;
        // The keys are read from the decoded image: the reader's own text
        // lookup splits them at the colon of "Thumb::URI". A thumbnail is
        // small, so decoding one that turns out stale costs little.
        // Opened here: a reader given a missing name tries it with every
        // suffix it knows.
        QFile cached(thumbnailPath(picturePath, side));
        if (!cached.open(QIODevice::ReadOnly))
            continue;
        QImageReader reader(&cached, "png");
        reader.setAutoDetectImageFormat(false);
        const QImage thumbnail = reader.read();
        bool mtimeRead = false;
        if (thumbnail.isNull() || thumbnail.text(uriKey) != uri
            || thumbnail.text(mtimeKey).toLongLong(&mtimeRead) != mtime || !mtimeRead)
            continue;
        // The size is optional in the standard, but catches an edit within
        // the same second.
        const QString size = thumbnail.text(sizeKey);
        if (!size.isEmpty() && size.toLongLong() != file.size())
            continue;
        if (qMax(thumbnail.width(), thumbnail.height()) >= minSide)
            return thumbnail;
    }
    return {};
}

void ThumbnailCache::store(const QString &picturePath, const QImage &picture) const
{
    const QFileInfo file(picturePath);
    if (picture.isNull() || !file.isFile())
        return;
    const QList<std::pair<QString, QString>> keys = {
        {uriKey, fileUri(picturePath)},
        {mtimeKey, QString::number(file.lastModified().toSecsSinceEpoch())},
        {sizeKey, QString::number(file.size())},
        {QStringLiteral("Software"), QStringLiteral("Brackwater-Tilemere")},
    };
    // The large one first, so the normal one is scaled from it rather than
    // from the whole picture.
    QImage source = picture;
    for (const int side : {largeSide, normalSide}) {
        if (qMax(source.width(), source.height()) <= side)
            continue;
        if (!makeFolders(root, flavourFolder(side)))
            return;
        source = source.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        writeAtomically(thumbnailPath(picturePath, side), source, keys);
    }
}

} // namespace tilemere
