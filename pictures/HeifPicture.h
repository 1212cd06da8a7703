#pragma once
// A HEIF, HEIC or AVIF picture read through libheif: first the container,
// which tells the size cheaply, then, when the loader agrees, the pixels.
// libheif is loaded on first use; without it no such picture decodes.
// Internal to the picture loader.

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QSize>

struct heif_context;
struct heif_image_handle;

namespace tilemere {

class HeifPicture {
public:
    // Whether a file starting with head (its first 12 bytes or more) is a
    // HEIF or AVIF picture libheif can read.
    static bool looksLikeHeif(const QByteArray &head);

    // Reads the container from the device, which must stay open and
    // unmoved by others while this object lives. Pixels are read only by
    // decode(). Stated sides beyond maxSide are refused by libheif itself.
    HeifPicture(QIODevice &device, int maxSide);
    ~HeifPicture();
    HeifPicture(const HeifPicture &) = delete;
    HeifPicture &operator=(const HeifPicture &) = delete;

    // The size of the primary picture; invalid when the container is broken.
    QSize size() const;
    // The primary picture, turned and mirrored as the file says; null when
    // it cannot be decoded.
    QImage decode();

private:
    QIODevice &device_;
    heif_context *context_ = nullptr;
    heif_image_handle *primary_ = nullptr;
};

} // namespace tilemere
