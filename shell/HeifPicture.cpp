#include "HeifPicture.h"

#include <libheif/heif.h>

namespace tilemere {

namespace {

// libheif reads the container through these, so only the boxes it needs are
// read and the picture data waits for decode().
QIODevice &deviceOf(void *userData)
{
    return *static_cast<QIODevice *>(userData);
}

int64_t position(void *userData)
{
    return deviceOf(userData).pos();
}

int readBytes(void *data, size_t size, void *userData)
{
    const auto wanted = static_cast<qint64>(size);
    return deviceOf(userData).read(static_cast<char *>(data), wanted) == wanted ? 0 : 1;
}

int seekTo(int64_t at, void *userData)
{
    return deviceOf(userData).seek(at) ? 0 : 1;
}

heif_reader_grow_status waitForSize(int64_t size, void *userData)
{
    return size > deviceOf(userData).size() ? heif_reader_grow_status_size_beyond_eof
                                            : heif_reader_grow_status_size_reached;
}

constexpr heif_reader kDeviceReader{1, position, readBytes, seekTo, waitForSize};

} // namespace

HeifPicture::HeifPicture(QIODevice &device, int maxSide) : device_(device)
{
    context_ = heif_context_alloc();
    if (!context_)
        return;
    heif_context_set_maximum_image_size_limit(context_, maxSide);
    if (heif_context_read_from_reader(context_, &kDeviceReader, &device_, nullptr).code != heif_error_Ok)
        return;
    if (heif_context_get_primary_image_handle(context_, &primary_).code != heif_error_Ok)
        primary_ = nullptr;
}

HeifPicture::~HeifPicture()
{
    if (primary_)
        heif_image_handle_release(primary_);
    if (context_)
        heif_context_free(context_);
}

QSize HeifPicture::size() const
{
    if (!primary_)
        return {};
    return {heif_image_handle_get_width(primary_), heif_image_handle_get_height(primary_)};
}

QImage HeifPicture::decode()
{
    if (!primary_)
        return {};
    heif_image *decoded = nullptr;
    if (heif_decode_image(primary_, &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, nullptr).code !=
        heif_error_Ok)
        return {};
    int stride = 0;
    const uint8_t *pixels = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(decoded, heif_channel_interleaved);
    const int height = heif_image_get_height(decoded, heif_channel_interleaved);
    const auto release = [](void *image) { heif_image_release(static_cast<heif_image *>(image)); };
    if (!pixels || width <= 0 || height <= 0) {
        release(decoded);
        return {};
    }
    // The image shares libheif's pixels instead of copying them: a copy
    // would double the memory of the largest step.
    return QImage(pixels, width, height, stride, QImage::Format_RGBA8888, release, decoded);
}

} // namespace tilemere
