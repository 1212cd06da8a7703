#include "ThumbnailCache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryFile>

#include <png.h>
#include <sys/stat.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

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

using Keys = QList<std::pair<QByteArray, QByteArray>>;

// What libpng needs to write one image; plain data only, since libpng
// reports errors by jumping out of the function that holds it.
struct PngJob {
    const QImage *pixels;
    int colourType;
    png_text *texts;
    int textCount;
    QByteArray *out;
};

void appendToBuffer(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<QByteArray *>(png_get_io_ptr(png))->append(reinterpret_cast<const char *>(data),
                                                           static_cast<qsizetype>(length));
}

void noFlush(png_structp) {}

bool runPngJob(png_structp png, png_infop info, const PngJob &job)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, job.out, appendToBuffer, noFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(job.pixels->width()),
                 static_cast<png_uint_32>(job.pixels->height()), 8, job.colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_text(png, info, job.texts, job.textCount);
    // Light compression: a thumbnail is small either way, and is written
    // while the player waits for the next page.
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    for (int y = 0; y < job.pixels->height(); ++y)
        png_write_row(png, job.pixels->constScanLine(y));
    png_write_end(png, info);
    return true;
}

// Encoded with libpng itself: Qt's PNG writer first offers the file to
// every image plugin installed, which loads them all. The keys go in as
// plain text chunks, the form every reader of the cache understands.
QByteArray encodePng(const QImage &thumbnail, const Keys &keys)
{
    const bool alpha = thumbnail.hasAlphaChannel();
    const QImage pixels = thumbnail.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    std::vector<png_text> texts(static_cast<std::size_t>(keys.size()));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto &[key, value] = keys[static_cast<qsizetype>(i)];
        texts[i].compression = PNG_TEXT_COMPRESSION_NONE;
        texts[i].key = const_cast<char *>(key.constData());
        texts[i].text = const_cast<char *>(value.constData());
        texts[i].text_length = static_cast<png_size_t>(value.size());
    }
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const PngJob job{&pixels, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, texts.data(),
                     static_cast<int>(texts.size()), &out};
    const bool written = info && runPngJob(png, info, job);
    png_destroy_write_struct(&png, &info);
    return written ? out : QByteArray();
}

// Written beside its final name and renamed over it, so a reader in another
// thread or program sees the old file or the new one, never half of one.
void writeAtomically(const QString &target, const QImage &thumbnail, const Keys &keys)
{
    const QByteArray png = encodePng(thumbnail, keys);
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
    // All ASCII: the URI is percent-encoded.
    const Keys keys = {
        {uriKey, fileUri(picturePath).toLatin1()},
        {mtimeKey, QByteArray::number(file.lastModified().toSecsSinceEpoch())},
        {sizeKey, QByteArray::number(file.size())},
        {"Software", "Brackwater-Tilemere"},
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
