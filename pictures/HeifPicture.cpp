#include "HeifPicture.h"

#include <QLibrary>

#include <libheif/heif.h>

#include <optional>

namespace tilemere {

namespace {

// libheif and its codecs are loaded on the first HEIF or AVIF picture, not
// with the program: most players never open one, and every start would pay
// for linking them.
struct HeifApi {
    decltype(&heif_check_filetype) checkFiletype;
    decltype(&heif_context_alloc) contextAlloc;
    decltype(&heif_context_free) contextFree;
    decltype(&heif_context_set_maximum_image_size_limit) setMaximumImageSizeLimit;
    decltype(&heif_context_read_from_reader) readFromReader;
    decltype(&heif_context_get_primary_image_handle) primaryImageHandle;
    decltype(&heif_image_handle_release) handleRelease;
    decltype(&heif_image_handle_get_width) handleWidth;
    decltype(&heif_image_handle_get_height) handleHeight;
    decltype(&heif_decode_image) decodeImage;
    decltype(&heif_image_get_plane_readonly) planeReadonly;
    decltype(&heif_image_get_width) imageWidth;
    decltype(&heif_image_get_height) imageHeight;
    decltype(&heif_image_release) imageRelease;
};

std::optional<HeifApi> loadHeifApi()
{
    QLibrary library(QStringLiteral("heif"), 1);
    if (!library.load())
        return {};
    bool complete = true;
    const auto resolve = [&](auto &function, const char *name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
        complete = complete && function;
    };
    HeifApi api{};
    resolve(api.checkFiletype, "heif_check_filetype");
    resolve(api.contextAlloc, "heif_context_alloc");
    resolve(api.contextFree, "heif_context_free");
    resolve(api.setMaximumImageSizeLimit, "heif_context_set_maximum_image_size_limit");
    resolve(api.readFromReader, "heif_context_read_from_reader");
    resolve(api.primaryImageHandle, "heif_context_get_primary_image_handle");
    resolve(api.handleRelease, "heif_image_handle_release");
    resolve(api.handleWidth, "heif_image_handle_get_width");
    resolve(api.handleHeight, "heif_image_handle_get_height");
    resolve(api.decodeImage, "heif_decode_image");
    resolve(api.planeReadonly, "heif_image_get_plane_readonly");
    resolve(api.imageWidth, "heif_image_get_width");
    resolve(api.imageHeight, "heif_image_get_height");
    resolve(api.imageRelease, "heif_image_release");
    if (!complete)
        return {};
    return api;
}

// Null when libheif is not installed: HEIF and AVIF pictures then do not
// decode, like any other broken picture. Loaded once, by whichever thread
// asks first.
const HeifApi *heifApi()
{
    static const std::optional<HeifApi> api = loadHeifApi();
    return api ? &*api : nullptr;
}

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

bool HeifPicture::looksLikeHeif(const QByteArray &head)
{
    // Every HEIF file starts with its "ftyp" box; only then is libheif
    // loaded to read the brands.
    if (head.size() < 12 || head.mid(4, 4) != "ftyp")
        return false;
    const HeifApi *heif = heifApi();
    return heif && heif->checkFiletype(reinterpret_cast<const uint8_t *>(head.constData()),
                                       static_cast<int>(head.size())) == heif_filetype_yes_supported;
}

HeifPicture::HeifPicture(QIODevice &device, int maxSide) : device_(device)
{
    const HeifApi *heif = heifApi();
    if (!heif || !(context_ = heif->contextAlloc()))
        return;
    heif->setMaximumImageSizeLimit(context_, maxSide);
    if (heif->readFromReader(context_, &kDeviceReader, &device_, nullptr).code != heif_error_Ok)
        return;
    if (heif->primaryImageHandle(context_, &primary_).code != heif_error_Ok)
        primary_ = nullptr;
}

HeifPicture::~HeifPicture()
{
    if (primary_)
        heifApi()->handleRelease(primary_);
    if (context_)
        heifApi()->contextFree(context_);
}

QSize HeifPicture::size() const
{
    if (!primary_)
        return {};
    return {heifApi()->handleWidth(primary_), heifApi()->handleHeight(primary_)};
}

QImage HeifPicture::decode()
{
    if (!primary_)
        return {};
    const HeifApi *heif = heifApi();
    heif_image *decoded = nullptr;
    if (heif->decodeImage(primary_, &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, nullptr).code !=
        heif_error_Ok)
        return {};
    int stride = 0;
    const uint8_t *pixels = heif->planeReadonly(decoded, heif_channel_interleaved, &stride);
    const int width = heif->imageWidth(decoded, heif_channel_interleaved);
    const int height = heif->imageHeight(decoded, heif_channel_interleaved);
    const auto release = [](void *image) { heifApi()->imageRelease(static_cast<heif_image *>(image)); };
    if (!pixels || width <= 0 || height <= 0) {
        release(decoded);
        return {};
    }
    // The image shares libheif's pixels instead of copying them: a copy
    // would double the memory of the largest step.
    return QImage(pixels, width, height, stride, QImage::Format_RGBA8888, release, decoded);
}

} // namespace tilemere
