#include "PictureHeaders.h"

#include <QByteArray>

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstring>

#include <jpeglib.h>

namespace tilemere::headers {

namespace {

// libjpeg reports errors by calling error_exit, which must not return: jump
// back to the reader. No C++ object lives across the jump.
struct JumpingErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JumpingErrors *>(info->err)->jump, 1);
}

void stayQuiet(j_common_ptr) {}

// Feeds libjpeg from the device in small pieces: only the markers are read.
struct DeviceSource {
    jpeg_source_mgr manager;
    QIODevice *device;
    JOCTET buffer[4096];
};

DeviceSource &sourceOf(j_decompress_ptr info)
{
    return *reinterpret_cast<DeviceSource *>(info->src);
}

void startSource(j_decompress_ptr) {}
void endSource(j_decompress_ptr) {}

boolean fillBuffer(j_decompress_ptr info)
{
    DeviceSource &source = sourceOf(info);
    qint64 got = source.device->read(reinterpret_cast<char *>(source.buffer), sizeof source.buffer);
    if (got <= 0) {
        // What libjpeg's own sources do at the end: a made-up end marker.
        source.buffer[0] = 0xFF;
        source.buffer[1] = JPEG_EOI;
        got = 2;
    }
    source.manager.next_input_byte = source.buffer;
    source.manager.bytes_in_buffer = static_cast<size_t>(got);
    return TRUE;
}

void skipBytes(j_decompress_ptr info, long count)
{
    DeviceSource &source = sourceOf(info);
    if (count <= 0)
        return;
    const auto wanted = static_cast<size_t>(count);
    if (wanted <= source.manager.bytes_in_buffer) {
        source.manager.next_input_byte += wanted;
        source.manager.bytes_in_buffer -= wanted;
        return;
    }
    source.device->skip(static_cast<qint64>(wanted - source.manager.bytes_in_buffer));
    source.manager.bytes_in_buffer = 0;
}

quint32 littleEndian(const QByteArray &bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes[at + i]);
    return value;
}

} // namespace

std::optional<JpegHeader> readJpegHeader(QIODevice &device)
{
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof info);
    JumpingErrors errors;
    DeviceSource source{};
    source.device = &device;
    source.manager.init_source = startSource;
    source.manager.fill_input_buffer = fillBuffer;
    source.manager.skip_input_data = skipBytes;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = endSource;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jumpBack;
    errors.manager.output_message = stayQuiet;

    JpegHeader header;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    info.src = &source.manager;
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    header.width = static_cast<int>(info.image_width);
    header.height = static_cast<int>(info.image_height);
    if (jpeg_has_multiple_scans(&info)) {
        // One 128-byte block per 8 x 8 pixels of each component, rounded up
        // to whole sampling units as the coefficient buffer is.
        for (int c = 0; c < info.num_components; ++c) {
            const jpeg_component_info &component = info.comp_info[c];
            const std::int64_t across = component.width_in_blocks + component.h_samp_factor;
            const std::int64_t down = component.height_in_blocks + component.v_samp_factor;
            header.coefficientBytes += across * down * static_cast<std::int64_t>(sizeof(JBLOCK));
        }
    }
    jpeg_destroy_decompress(&info);
    return header;
}

bool bitmapIsShort(QIODevice &device)
{
    const QByteArray header = device.read(34);
    if (header.size() < 26 || !header.startsWith("BM"))
        return false;
    const std::int64_t pixelsAt = littleEndian(header, 10, 4);
    const quint32 infoSize = littleEndian(header, 14, 4);
    std::int64_t width = 0, height = 0, bitsPerPixel = 0, compression = 0;
    if (infoSize == 12) {
        width = littleEndian(header, 18, 2);
        height = littleEndian(header, 20, 2);
        bitsPerPixel = littleEndian(header, 24, 2);
    } else if (infoSize >= 40 && header.size() >= 34) {
        width = static_cast<qint32>(littleEndian(header, 18, 4));
        height = static_cast<qint32>(littleEndian(header, 22, 4));
        bitsPerPixel = littleEndian(header, 28, 2);
        compression = littleEndian(header, 30, 4);
    } else {
        return false;
    }
    // Run-length coded bitmaps (1, 2) have no fixed length; 0 and 3 do.
    if ((compression != 0 && compression != 3) || width <= 0 || bitsPerPixel == 0)
        return false;
    // A row is below 2^45 bytes, but rows times height could pass 2^63:
    // compare by dividing instead.
    const std::int64_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    const std::int64_t pixelBytes = device.size() - pixelsAt;
    return pixelBytes < 0 || pixelBytes / rowBytes < (height < 0 ? -height : height);
}

} // namespace tilemere::headers
