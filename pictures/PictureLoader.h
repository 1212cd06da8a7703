#pragma once
// Reading the pictures of a folder the player does not control: downloads,
// mail attachments, a camera card. A file is decoded only by the decoders of
// the picture types the browser offers, only when its name is one of them,
// only when its stated size is one a camera could make, and only within a
// memory budget that the caller holds.

#include "BoundedDevice.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace tilemere {

// The largest stated size decoded. The biggest camera sensors make about
// 150 megapixels and stitched panoramas stay well below 200; JPEG itself
// cannot state more than 65500 a side. Anything beyond is a forgery, and
// refusing it from its header costs nothing.
inline constexpr std::int64_t kMaxPicturePixels = 200'000'000;
inline constexpr int kMaxPictureSide = 65500;

// Memory for decoding, shared by the decodes that draw on it: a page of
// thumbnails holds one and its decodes wait for each other, however many
// threads run them. A decode that would need more than the whole budget is
// refused. Thread-safe; outlives every decode that uses it.
class DecodeBudget {
public:
    // Today's pictures, 48-megapixel phone photos included, decode in well
    // under this; Qt's own image limit is the same.
    static constexpr std::int64_t kDefaultBytes = std::int64_t{256} << 20;

    // Precondition: totalBytes > 0.
    explicit DecodeBudget(std::int64_t totalBytes = kDefaultBytes) : total_(totalBytes) {}
    DecodeBudget(const DecodeBudget &) = delete;
    DecodeBudget &operator=(const DecodeBudget &) = delete;

    std::int64_t totalBytes() const { return total_; }
    std::int64_t bytesInUse() const;
    std::int64_t peakBytesInUse() const;

    // Waits until the bytes are free and takes them; false at once when they
    // exceed the whole budget. Every true is matched by one release.
    bool reserve(std::int64_t bytes);
    void release(std::int64_t bytes);

private:
    const std::int64_t total_;
    mutable std::mutex mutex_;
    std::condition_variable freed_;
    std::int64_t inUse_ = 0;
    std::int64_t peak_ = 0;
};

// Whether a file name ends in the suffix of an offered picture type (".jpg",
// ".png", ".heic", …) in any letter case, whether or not its decoder is
// installed.
bool isPictureName(const QString &name);

// The names of the regular files of folder (links followed) that are
// picture names, hidden ones left out, in no particular order, as
// nameFromDisk shows them. Pipes, devices and folders named like pictures are
// left out without being opened. Waits on the disk; stopped, when given, is
// asked every few hundred entries and ends the listing early once it says true.
QStringList listPictureFiles(const QString &folder, const std::function<bool()> &stopped = {});

// Loads a picture the right way up (camera orientation applied). A null
// image when the name is not of an offered type, the file is no regular
// file, cannot be decoded, states a size beyond the limits above, or needs
// more memory than the budget holds. With a size, the picture may be decoded
// smaller on the way, but never below that size nor above twice it (JPEG
// does this at a reduced scale, which is much faster). Safe to call from
// several threads at once.
QImage loadPicture(const QString &path, QSize targetSize, DecodeBudget &budget);

// The same, given up (a null image) once stop says so; every read of the
// file is also held to what its stated size can need. Without a stop, a
// decode is given DecodeStop::kDefaultTime.
QImage loadPicture(const QString &path, QSize targetSize, DecodeBudget &budget, const DecodeStop &stop);

// The same with a budget of its own of DecodeBudget::kDefaultBytes, for one
// picture at a time.
QImage loadPicture(const QString &path, QSize targetSize = {});

} // namespace tilemere
