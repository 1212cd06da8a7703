#include "PictureLoader.h"

#include "BoundedDevice.h"
#include "DiskNames.h"
#include "HeifPicture.h"
#include "JpegPicture.h"
#include "PictureHeaders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTransform>

#include <strings.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace tilemere {

std::int64_t DecodeBudget::bytesInUse() const
{
    const std::lock_guard lock(mutex_);
    return inUse_;
}

std::int64_t DecodeBudget::peakBytesInUse() const
{
    const std::lock_guard lock(mutex_);
    return peak_;
}

bool DecodeBudget::reserve(std::int64_t bytes)
{
    if (bytes > total_)
        return false;
    std::unique_lock lock(mutex_);
    freed_.wait(lock, [&] { return inUse_ + bytes <= total_; });
    inUse_ += bytes;
    peak_ = std::max(peak_, inUse_);
    return true;
}

void DecodeBudget::release(std::int64_t bytes)
{
    {
        const std::lock_guard lock(mutex_);
        inUse_ -= bytes;
    }
    freed_.notify_all();
}

namespace {

enum class Kind { None, Bitmap, Jpeg, Png, Gif, WebP, Tiff, Heif };

struct PictureType {
    const char *suffix;
    Kind kind;
};

constexpr PictureType kTypes[] = {
    {"bmp", Kind::Bitmap}, {"jpg", Kind::Jpeg}, {"jpeg", Kind::Jpeg}, {"png", Kind::Png},   {"gif", Kind::Gif},
    {"webp", Kind::WebP},  {"tif", Kind::Tiff}, {"tiff", Kind::Tiff}, {"heic", Kind::Heif}, {"heif", Kind::Heif},
    {"avif", Kind::Heif},
};

// Qt's decoder for a kind, and the bytes a decoded pixel takes in it at
// most (16-bit PNG and TIFF decode to 8 bytes; GIF keeps a second canvas).
struct QtDecoder {
    const char *format;
    int bytesPerPixel;
};

QtDecoder qtDecoder(Kind kind)
{
    switch (kind) {
    case Kind::Bitmap: return {"bmp", 4};
    case Kind::Jpeg: return {"jpeg", 4};
    case Kind::Png: return {"png", 8};
    case Kind::Gif: return {"gif", 8};
    case Kind::WebP: return {"webp", 4};
    case Kind::Tiff: return {"tiff", 8};
    default: return {nullptr, 0};
    }
}

Kind kindOfName(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const PictureType &type : kTypes) {
        if (suffix == QLatin1String(type.suffix))
            return type.kind;
    }
    return Kind::None;
}

// The file's own type, among the offered ones only: a photo saved as PNG
// under a .jpg name still opens, while an animation, icon or any other type
// under an offered name never reaches its decoder.
Kind kindOfContent(const QByteArray &head)
{
    if (head.startsWith("\xFF\xD8\xFF"))
        return Kind::Jpeg;
    if (head.startsWith("\x89PNG\r\n\x1A\n"))
        return Kind::Png;
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return Kind::Gif;
    if (head.startsWith("BM"))
        return Kind::Bitmap;
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return Kind::WebP;
    for (const char *tiff : {"II*\0", "MM\0*", "II+\0", "MM\0+"}) {
        if (head.startsWith(QByteArray(tiff, 4)))
            return Kind::Tiff;
    }
    if (HeifPicture::looksLikeHeif(head))
        return Kind::Heif;
    return Kind::None;
}

// The name's suffix is an offered type's, in any letter case.
bool hasPictureSuffix(const char *name)
{
    const char *dot = std::strrchr(name, '.');
    if (!dot)
        return false;
    for (const PictureType &type : kTypes) {
        if (::strcasecmp(dot + 1, type.suffix) == 0)
            return true;
    }
    return false;
}

bool plausibleSize(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= kMaxPictureSide &&
           size.height() <= kMaxPictureSide && std::int64_t{size.width()} * size.height() <= kMaxPicturePixels;
}

std::int64_t pixels(QSize size)
{
    return std::int64_t{size.width()} * size.height();
}

// Holds bytes of a budget for as long as it lives.
class Reservation {
public:
    Reservation(DecodeBudget &budget, std::int64_t bytes)
        : budget_(budget), bytes_(bytes), held_(budget.reserve(bytes)) {}
    ~Reservation()
    {
        if (held_)
            budget_.release(bytes_);
    }
    Reservation(const Reservation &) = delete;
    Reservation &operator=(const Reservation &) = delete;
    bool held() const { return held_; }
    int megabytes() const { return static_cast<int>((bytes_ >> 20) + 1); }

private:
    DecodeBudget &budget_;
    const std::int64_t bytes_;
    const bool held_;
};

// Line buffers, tables and the like, beside the pixels.
constexpr std::int64_t kDecoderOverhead = std::int64_t{4} << 20;

// The size a picture is decoded at: with a target, no smaller than it, but
// not much larger either. The decoder scales before the orientation is
// applied, so the target is turned the same way as the stored picture.
QSize decodeSize(QSize stored, QSize target, bool turned)
{
    if (!target.isValid())
        return stored;
    if (turned)
        target.transpose();
    if (stored.width() > 2 * target.width() && stored.height() > 2 * target.height())
        return stored.scaled(target, Qt::KeepAspectRatioByExpanding);
    return stored;
}

// The orientation a camera recorded, applied as Qt's reader applies it:
// mirrored first, then turned a quarter clockwise.
QImage oriented(QImage image, QImageIOHandler::Transformations orientation)
{
    image = std::move(image).mirrored(orientation.testFlag(QImageIOHandler::TransformationMirror),
                                      orientation.testFlag(QImageIOHandler::TransformationFlip));
    if (orientation.testFlag(QImageIOHandler::TransformationRotate90))
        image = image.transformed(QTransform().rotate(90));
    return image;
}

// The bytes a decode may read beyond what its pixels need: headers, camera
// data and colour profiles (a phone's JPEG carries previews of its own).
std::int64_t metadataAllowance(Kind kind)
{
    return kind == Kind::Jpeg ? std::int64_t{16} << 20 : std::int64_t{1} << 20;
}

// What the header stage may read: the markers, chunks or directories up to
// the pixels. A WebP is read whole by its decoder, as long as it says it is.
std::int64_t headerCap(Kind kind, const QFile &file, const std::optional<headers::WebpFacts> &webp)
{
    if (kind == Kind::WebP)
        return webp ? std::min<std::int64_t>(webp->fileBytes, file.size()) : 0;
    if (kind == Kind::Tiff)
        return file.size(); // the directories may lie anywhere; they are read in pieces
    return metadataAllowance(kind);
}

// The bytes a pixel may take in the file: no encoding of pictures stores
// more than this (a 16-bit TIFF of five samples, uncompressed, takes 10).
std::int64_t fileBytesPerPixel(Kind kind)
{
    return kind == Kind::Tiff ? 16 : 8;
}

QImage decodeWithQt(BoundedDevice &device, const char *format, QSize wanted, QSize stored, int megabytes)
{
    if (!device.seek(0))
        return {};
    QImageReader reader(&device, format);
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(megabytes);
    if (wanted != stored)
        reader.setScaledSize(wanted);
    QImage image = reader.read();
    // A decode cut short by the stop may still hand back what it had.
    if (device.stopped())
        return {};
    // Pixels pointing past a short colour table would be drawn from
    // whatever follows it.
    if (image.format() == QImage::Format_Indexed8 && image.colorCount() < 256) {
        QList<QRgb> colours = image.colorTable();
        colours.resize(256, qRgb(0, 0, 0));
        image.setColorTable(colours);
    }
    return image;
}

QImage loadWithQt(QFile &file, Kind kind, QSize target, DecodeBudget &budget, const DecodeStop &stop)
{
    // JPEG is read by libjpeg itself, header and all.
    QSize stored;
    std::int64_t coefficientBytes = 0;
    QImageIOHandler::Transformations orientation;
    QtDecoder decoder = qtDecoder(kind);
    const QByteArray head = file.peek(64);
    const std::optional<headers::WebpFacts> webp = headers::webpFacts(head);
    // Three canvases for an animation: the one shown, the frame drawn onto
    // it (as large, at worst), and the premultiplied copy Qt's reader makes
    // of the canvas to scale it down.
    std::int64_t canvases = 1;
    {
        BoundedDevice device(file, headerCap(kind, file, webp), stop);
        if (kind == Kind::Jpeg) {
            const auto header = jpeg::readHeader(device, stop);
            if (!header)
                return {};
            stored = QSize(header->width, header->height);
            coefficientBytes = header->coefficientBytes;
            orientation = header->orientation;
        } else {
            // The file's own size: the device's is capped.
            if (kind == Kind::Bitmap && (!file.seek(0) || headers::bitmapIsShort(file)))
                return {};
            if (kind == Kind::Tiff && !headers::tiffSamplesPlausible(device))
                return {};
            if (kind == Kind::WebP && (!webp || webp->fileBytes > file.size() + 1))
                return {};
            if (kind == Kind::Png) {
                // Sixteen bits a channel decode to 8 bytes a pixel, and are
                // turned into 4 in a second whole copy.
                const auto png = headers::pngFacts(head);
                if (png && png->bitDepth == 16)
                    decoder.bytesPerPixel = 12 + (png->interlaced ? 4 : 0);
            }
            if (!device.seek(0))
                return {};
            QImageReader reader(&device, decoder.format);
            reader.setAutoDetectImageFormat(false);
            stored = reader.size();
            orientation = reader.transformation();
            if (webp && webp->animated) {
                canvases = 3;
                stored = QSize(webp->width, webp->height);
            }
        }
    }
    if (!plausibleSize(stored) || stop.stopped())
        return {};

    const QSize wanted = decodeSize(stored, target, orientation.testFlag(QImageIOHandler::TransformationRotate90));
    // A JPEG decodes at a multiple of 1/8 on the way, no smaller than wanted.
    int eighths = 8;
    if (kind == Kind::Jpeg && wanted != stored) {
        const double factor = std::min(double(stored.width()) / wanted.width(), double(stored.height()) / wanted.height());
        eighths = std::clamp(static_cast<int>(std::ceil(8 / factor)), 1, 8);
    }
    const std::int64_t decodedPixels =
        pixels(QSize((stored.width() * eighths + 7) / 8, (stored.height() * eighths + 7) / 8));
    const std::int64_t copies = (wanted != stored ? 1 : 0) + (orientation ? 1 : 0);
    const std::int64_t readCap = metadataAllowance(kind) + pixels(stored) * fileBytesPerPixel(kind);
    // The WebP decoder holds the whole file while it decodes.
    const std::int64_t heldFile = kind == Kind::WebP ? std::min<std::int64_t>(readCap, file.size()) : 0;
    const std::int64_t bytes = coefficientBytes + canvases * decodedPixels * decoder.bytesPerPixel +
                               copies * pixels(wanted) * 4 + kDecoderOverhead + 64 * stored.width() + heldFile;
    const Reservation memory(budget, bytes);
    if (!memory.held() || !file.seek(0))
        return {};
    BoundedDevice device(file, readCap, stop);
    if (kind == Kind::Jpeg) {
        QImage image = jpeg::decodeScaled(device, eighths, bytes, stop);
        if (image.isNull())
            return {};
        // At most twice the size wanted, it is handed over as decoded:
        // callers scale it on to what they show, and a second scaling
        // here would only cost time.
        if (image.width() > 2 * wanted.width() || image.height() > 2 * wanted.height())
            image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return oriented(std::move(image), orientation);
    }
    return decodeWithQt(device, decoder.format, wanted, stored, memory.megabytes());
}

QImage loadHeif(QFile &file, QSize target, DecodeBudget &budget, const DecodeStop &stop)
{
    // The container and the coded pictures are read before decoding.
    BoundedDevice device(file, std::int64_t{256} << 20, stop);
    HeifPicture picture(device, kMaxPictureSide);
    const QSize stored = picture.size();
    if (!plausibleSize(stored))
        return {};
    // Up to three 16-bit planes while decoding, then 4 bytes a pixel, and a
    // scaled copy of at most a quarter of the pixels.
    const Reservation memory(budget, pixels(stored) * 11 + kDecoderOverhead);
    if (!memory.held())
        return {};
    const QImage image = picture.decode();
    if (stop.stopped())
        return {};
    const QSize wanted = decodeSize(image.size(), target, false);
    if (image.isNull() || wanted == image.size())
        return image;
    return image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

bool isPictureName(const QString &name)
{
    // Every type is offered, whether or not its decoder is installed: asking
    // Qt which are would load every image plugin at start-up. A picture whose
    // decoder is missing shows as a broken one.
    return kindOfName(name) != Kind::None;
}

QStringList listPictureFiles(const QString &folder, const std::function<bool()> &stopped)
{
    // The suffix is checked on the bytes, before any name is decoded.
    return readFolder(folder, EntryType::File, hasPictureSuffix, stopped);
}

QImage loadPicture(const QString &path, QSize targetSize, DecodeBudget &budget, const DecodeStop &stop)
{
    if (kindOfName(path) == Kind::None)
        return {};
    QFile file;
    if (!openPictureFile(path, file))
        return {};
    const Kind kind = kindOfContent(file.peek(16));
    if (kind == Kind::None)
        return {};
    const QImage image = kind == Kind::Heif ? loadHeif(file, targetSize, budget, stop)
                                            : loadWithQt(file, kind, targetSize, budget, stop);
    return image.isNull() ? QImage() : image;
}

QImage loadPicture(const QString &path, QSize targetSize, DecodeBudget &budget)
{
    return loadPicture(path, targetSize, budget, DecodeStop());
}

QImage loadPicture(const QString &path, QSize targetSize)
{
    DecodeBudget budget;
    return loadPicture(path, targetSize, budget);
}

} // namespace tilemere
