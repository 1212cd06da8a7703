#include "JpegPicture.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace tilemere::jpeg {

namespace {

// libjpeg reports errors by calling error_exit, which must not return: jump
// back to the function that set the jump. Those functions hold no C++
// object that a jump would skip the destruction of.
struct JumpingErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JumpingErrors *>(info->err)->jump, 1);
}

void stayQuiet(j_common_ptr) {}

// Feeds libjpeg from the device through a buffer the caller owns.
struct DeviceSource {
    jpeg_source_mgr manager;
    QIODevice *device;
    JOCTET *buffer;
    std::size_t capacity;
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
    qint64 got = source.device->read(reinterpret_cast<char *>(source.buffer), static_cast<qint64>(source.capacity));
    if (got <= 0) {
        // What libjpeg's own sources do at the end: a made-up end marker.
        source.buffer[0] = 0xFF;
        source.buffer[1] = JPEG_EOI;
        got = 2;
    }
    source.manager.next_input_byte = source.buffer;
    source.manager.bytes_in_buffer = static_cast<std::size_t>(got);
    return TRUE;
}

void skipBytes(j_decompress_ptr info, long count)
{
    DeviceSource &source = sourceOf(info);
    if (count <= 0)
        return;
    const auto wanted = static_cast<std::size_t>(count);
    if (wanted <= source.manager.bytes_in_buffer) {
        source.manager.next_input_byte += wanted;
        source.manager.bytes_in_buffer -= wanted;
        return;
    }
    source.device->skip(static_cast<qint64>(wanted - source.manager.bytes_in_buffer));
    source.manager.bytes_in_buffer = 0;
}

quint32 exifNumber(const uchar *at, int bytes, bool bigEndian)
{
    quint32 value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= quint32(at[bigEndian ? i : bytes - 1 - i]) << (8 * (bytes - 1 - i));
    return value;
}

} // namespace

QImageIOHandler::Transformations exifOrientation(const uchar *data, unsigned int size)
{
    using T = QImageIOHandler;
    if (size < 14 || std::memcmp(data, "Exif\0\0", 6) != 0)
        return T::TransformationNone;
    const uchar *tiff = data + 6;
    const std::size_t length = size - 6;
    const bool big = tiff[0] == 'M';
    if ((tiff[0] != 'I' && tiff[0] != 'M') || tiff[1] != tiff[0] || exifNumber(tiff + 2, 2, big) != 42)
        return T::TransformationNone;
    const std::size_t directory = exifNumber(tiff + 4, 4, big);
    if (directory + 2 > length)
        return T::TransformationNone;
    const std::size_t entries = exifNumber(tiff + directory, 2, big);
    for (std::size_t i = 0; i < entries && directory + 2 + 12 * (i + 1) <= length; ++i) {
        const uchar *entry = tiff + directory + 2 + 12 * i;
        if (exifNumber(entry, 2, big) != 0x0112 || exifNumber(entry + 2, 2, big) != 3)
            continue;
        switch (exifNumber(entry + 8, 2, big)) {
        case 2: return T::TransformationMirror;
        case 3: return T::TransformationRotate180;
        case 4: return T::TransformationFlip;
        case 5: return T::TransformationFlipAndRotate90;
        case 6: return T::TransformationRotate90;
        case 7: return T::TransformationMirrorAndRotate90;
        case 8: return T::TransformationRotate270;
        default: return T::TransformationNone;
        }
    }
    return T::TransformationNone;
}

namespace {

// Called by libjpeg every few rows of every scan: where a decode of too
// many scans, or one given up, is ended.
struct Progress {
    jpeg_progress_mgr manager;
    const DecodeStop *stop;
};

// One decompression and everything libjpeg calls back into; plain data, so
// a jump out of libjpeg leaves nothing half-destroyed.
struct Decompression {
    jpeg_decompress_struct info;
    JumpingErrors errors;
    DeviceSource source;
    Progress progress;
};

void checkProgress(j_common_ptr common)
{
    auto *info = reinterpret_cast<j_decompress_ptr>(common);
    const Progress &progress = *reinterpret_cast<Progress *>(info->progress);
    if (info->input_scan_number > kMaxScans || progress.stop->stopped())
        jumpBack(common);
}

// Sets up a decompression reading from device through buffer; it must be
// destroyed with jpeg_destroy_decompress.
void begin(Decompression &job, QIODevice &device, std::vector<JOCTET> &buffer, const DecodeStop &stop)
{
    std::memset(&job, 0, sizeof job);
    job.progress.manager.progress_monitor = checkProgress;
    job.progress.stop = &stop;
    job.source.device = &device;
    job.source.buffer = buffer.data();
    job.source.capacity = buffer.size();
    job.source.manager.init_source = startSource;
    job.source.manager.fill_input_buffer = fillBuffer;
    job.source.manager.skip_input_data = skipBytes;
    job.source.manager.resync_to_restart = jpeg_resync_to_restart;
    job.source.manager.term_source = endSource;
    job.info.err = jpeg_std_error(&job.errors.manager);
    job.errors.manager.error_exit = jumpBack;
    job.errors.manager.output_message = stayQuiet;
}

bool readMarkers(Decompression &job, Header &header)
{
    if (setjmp(job.errors.jump) != 0)
        return false;
    jpeg_create_decompress(&job.info);
    job.info.src = &job.source.manager;
    job.info.progress = &job.progress.manager;
    jpeg_save_markers(&job.info, JPEG_APP0 + 1, 0xFFFF);
    if (jpeg_read_header(&job.info, TRUE) != JPEG_HEADER_OK)
        return false;
    header.width = static_cast<int>(job.info.image_width);
    header.height = static_cast<int>(job.info.image_height);
    for (jpeg_saved_marker_ptr marker = job.info.marker_list; marker; marker = marker->next) {
        header.orientation = exifOrientation(marker->data, marker->data_length);
        if (header.orientation != QImageIOHandler::TransformationNone)
            break;
    }
    if (jpeg_has_multiple_scans(&job.info)) {
        // One 128-byte block per 8 x 8 pixels of each component, rounded up
        // to whole sampling units as the coefficient buffer is.
        for (int c = 0; c < job.info.num_components; ++c) {
            const jpeg_component_info &component = job.info.comp_info[c];
            const std::int64_t across = component.width_in_blocks + component.h_samp_factor;
            const std::int64_t down = component.height_in_blocks + component.v_samp_factor;
            header.coefficientBytes += across * down * static_cast<std::int64_t>(sizeof(JBLOCK));
        }
    }
    return true;
}

bool isCmyk(const Decompression &job)
{
    return job.info.jpeg_color_space == JCS_CMYK || job.info.jpeg_color_space == JCS_YCCK;
}

// After readMarkers: starts decoding at eighths/8 into QImage::Format_RGB32's
// byte order, the padding byte set to 0xFF, or into CMYK for such files.
bool startDecoding(Decompression &job, int eighths, std::int64_t memoryLimit)
{
    if (setjmp(job.errors.jump) != 0)
        return false;
    job.info.mem->max_memory_to_use = static_cast<long>(memoryLimit);
    job.info.scale_num = static_cast<unsigned int>(eighths);
    job.info.scale_denom = 8;
    if (isCmyk(job))
        job.info.out_color_space = JCS_CMYK;
    else
        job.info.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    return jpeg_start_decompress(&job.info) == TRUE;
}

// CMYK files are written with inverted inks (as the Adobe marker they carry
// says), so each ink times the inverted black gives the colour: Qt's reader
// turns them into RGB the same way.
void cmykToRgb(const JSAMPLE *inks, QRgb *out, unsigned int width)
{
    for (unsigned int x = 0; x < width; ++x, inks += 4) {
        const int black = inks[3];
        out[x] = qRgb(black * inks[0] / 255, black * inks[1] / 255, black * inks[2] / 255);
    }
}

// Reads every row into the image; CMYK rows go through inks, one row's room.
bool readRows(Decompression &job, QImage &image, std::vector<JSAMPLE> &inks)
{
    if (setjmp(job.errors.jump) != 0)
        return false;
    while (job.info.output_scanline < job.info.output_height) {
        const unsigned int y = job.info.output_scanline;
        JSAMPROW row = inks.empty() ? image.scanLine(static_cast<int>(y)) : inks.data();
        if (jpeg_read_scanlines(&job.info, &row, 1) != 1)
            return false;
        if (!inks.empty())
            cmykToRgb(row, reinterpret_cast<QRgb *>(image.scanLine(static_cast<int>(y))), job.info.output_width);
    }
    jpeg_finish_decompress(&job.info);
    return true;
}

} // namespace

std::optional<Header> readHeader(QIODevice &device, const DecodeStop &stop)
{
    // Only the markers are read: small pieces.
    std::vector<JOCTET> buffer(4096);
    Decompression job;
    begin(job, device, buffer, stop);
    Header header;
    const bool read = readMarkers(job, header);
    jpeg_destroy_decompress(&job.info);
    return read ? std::optional(header) : std::nullopt;
}

QImage decodeScaled(QIODevice &device, int eighths, std::int64_t memoryLimit, const DecodeStop &stop)
{
    // Large reads: a camera photo is megabytes, and each refill is a call
    // back out of libjpeg's decoding loop.
    std::vector<JOCTET> buffer(std::size_t{256} << 10);
    Decompression job;
    begin(job, device, buffer, stop);
    Header header;
    QImage image;
    std::vector<JSAMPLE> inks;
    if (readMarkers(job, header) && startDecoding(job, eighths, memoryLimit)) {
        image = QImage(static_cast<int>(job.info.output_width), static_cast<int>(job.info.output_height),
                       QImage::Format_RGB32);
        if (isCmyk(job))
            inks.resize(std::size_t{job.info.output_width} * 4);
        if (image.isNull() || !readRows(job, image, inks))
            image = QImage();
    }
    jpeg_destroy_decompress(&job.info);
    return image;
}

} // namespace tilemere::jpeg
