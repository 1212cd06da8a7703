// The picture browser's decoding: a page of nine thumbnails from 6000 x 4000
// JPEGs and from 4000 x 3000 bitmaps, decoded side by side as the front
// screen does, the picture of a new game, the nine JPEGs at full size for
// comparison, and the peak memory of a page of nine forged pictures (tiny
// files whose headers claim 45000 x 45000 pixels), of a page of files made
// to stall or swell a decoder, and a warm page of cached thumbnails read by
// the cache's own PNG reader and by Qt's.
#include "HostileFiles.h"
#include "PictureLoader.h"
#include "PngFile.h"
#include "Thumbnails.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <map>

namespace {

constexpr QSize kSlotSize(121, 105);

// A picture with detail everywhere, so the decoder has real work to do.
QImage cameraSizedPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const unsigned noise = (static_cast<unsigned>(x) * 2654435761u) ^ (static_cast<unsigned>(y) * 40503u);
            line[x] = qRgb((x / 7 + (noise & 31)) & 255, (y / 5 + ((noise >> 5) & 31)) & 255, ((x + y) / 11) & 255);
        }
    }
    return image;
}

// Nine names for one file each, made once per run: the first is written,
// the other eight are hard links to it.
struct PictureFolder {
    QTemporaryDir dir;
    QStringList paths;

    PictureFolder(const QByteArray &bytes, const QString &suffix)
    {
        const QString first = dir.path() + QStringLiteral("/1.") + suffix;
        QFile file(first);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        file.close();
        paths << first;
        for (int i = 2; i <= 9; ++i) {
            const QString name = dir.path() + QStringLiteral("/%1.").arg(i) + suffix;
            if (::link(qPrintable(first), qPrintable(name)) != 0)
                QFile::copy(first, name);
            paths << name;
        }
    }
};

QByteArray encoded(const QImage &image, const char *format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

PictureFolder &jpegFolder()
{
    static PictureFolder folder(encoded(cameraSizedPicture(6000, 4000), "jpeg"), QStringLiteral("jpg"));
    return folder;
}

PictureFolder &bitmapFolder()
{
    static PictureFolder folder(encoded(cameraSizedPicture(4000, 3000), "bmp"), QStringLiteral("bmp"));
    return folder;
}

// A progressive JPEG of 64 x 48 pixels whose frame header says 45000 x 45000:
// about 1 KB. Decoded, its coefficients alone would take 6 GB.
PictureFolder &forgedFolder()
{
    static PictureFolder folder(
        [] {
            QByteArray jpeg = encoded(cameraSizedPicture(64, 48), "jpeg", true);
            const qsizetype frame = jpeg.indexOf("\xFF\xC2");
            for (const int field : {5, 7}) {
                jpeg[frame + field] = static_cast<char>(45000 >> 8);
                jpeg[frame + field + 1] = static_cast<char>(45000 & 0xFF);
            }
            return jpeg;
        }(),
        QStringLiteral("jpg"));
    return folder;
}

// One page as the front screen decodes it: side by side on a pool, within
// one budget. Nine threads, one a slot, stand for a machine with many cores.
QList<QImage> decodePage(const QStringList &paths, tilemere::DecodeBudget &budget)
{
    QThreadPool pool;
    pool.setMaxThreadCount(9);
    return QtConcurrent::blockingMapped(&pool, paths, [&budget](const QString &path) {
        return thumbnails::thumbnailFor(path, kSlotSize, budget);
    });
}

void thumbnailPage(benchmark::State &state, PictureFolder &folder)
{
    tilemere::DecodeBudget budget;
    for (auto _ : state)
        benchmark::DoNotOptimize(decodePage(folder.paths, budget));
    state.counters["budget_peak_MiB"] = static_cast<double>(budget.peakBytesInUse()) / (1 << 20);
}

void BM_ThumbnailPage_Jpeg6000x4000(benchmark::State &state)
{
    thumbnailPage(state, jpegFolder());
}
BENCHMARK(BM_ThumbnailPage_Jpeg6000x4000)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_ThumbnailPage_Bmp4000x3000(benchmark::State &state)
{
    thumbnailPage(state, bitmapFolder());
}
BENCHMARK(BM_ThumbnailPage_Bmp4000x3000)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// The process's peak (VmHWM) or present (VmRSS) resident memory in MiB.
long memoryMiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
    }
    return -1;
}

// Peak memory is a high-water mark of the whole process, so a page is
// decoded in a child of its own; the child reports its peak in MiB, the
// page's time in ms and how many slots show the broken-picture mark.
std::array<long, 3> decodePageInChild(const QStringList &paths)
{
    std::array<long, 3> report{-1, -1, -1};
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return report;
    const pid_t child = ::fork();
    if (child == 0) {
        QElapsedTimer clock;
        clock.start();
        tilemere::DecodeBudget budget;
        long broken = 0;
        for (const QImage &thumbnail : decodePage(paths, budget))
            broken += thumbnail == thumbnails::brokenPicture(kSlotSize) ? 1 : 0;
        const long measured[] = {memoryMiB("VmHWM:"), static_cast<long>(clock.elapsed()), broken};
        ::write(pipeEnds[1], measured, sizeof measured);
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    ::read(pipeEnds[0], report.data(), sizeof(long) * report.size());
    ::close(pipeEnds[0]);
    ::waitpid(child, nullptr, 0);
    return report;
}

// It must stay under 200 MiB; before the loader refused forged sizes, one
// such picture took about 5.9 GB, and a page took that once per core.
void BM_ForgedPage_PeakMemory(benchmark::State &state)
{
    const QStringList paths = forgedFolder().paths;
    for (auto _ : state) {
        const std::array<long, 3> report = decodePageInChild(paths);
        state.counters["peak_MiB"] = static_cast<double>(report[0]);
        state.counters["before_MiB"] = static_cast<double>(memoryMiB("VmRSS:"));
        state.counters["page_ms"] = static_cast<double>(report[1]);
        state.counters["broken_slots"] = static_cast<double>(report[2]);
        if (report[0] < 0 || report[0] >= 200)
            state.SkipWithError("a page of forged pictures took 200 MiB or more");
    }
}
BENCHMARK(BM_ForgedPage_PeakMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FullSizeDecode_NineJpeg6000x4000(benchmark::State &state)
{
    for (auto _ : state) {
        for (const QString &path : jpegFolder().paths)
            benchmark::DoNotOptimize(tilemere::loadPicture(path));
    }
}
BENCHMARK(BM_FullSizeDecode_NineJpeg6000x4000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The picture of a new game, decoded for the board's 400-pixel buffer.
void BM_GamePicture_Jpeg6000x4000(benchmark::State &state)
{
    const QString path = jpegFolder().paths.first();
    for (auto _ : state)
        benchmark::DoNotOptimize(tilemere::loadPicture(path, QSize(400, 400)));
}
BENCHMARK(BM_GamePicture_Jpeg6000x4000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A page of files made to stall or swell a decoder (a gigabyte-inflating
// PNG, thousands of empty JPEG scans, an endless GIF, a 16-bit interlaced
// 5600 x 5600 PNG, an animation on a 5600 x 5600 canvas, padded WebP and
// JPEG, a TIFF of 200 samples, a bitmap past its palette), decoded as the
// front screen does, in a child: its peak must stay under 400 MiB.
void BM_HostilePage_PeakMemory(benchmark::State &state)
{
    static QTemporaryDir dir;
    static QStringList paths;
    if (paths.isEmpty()) {
        const std::pair<const char *, QByteArray> files[] = {
            {"bomb.png", hostile::pngInflatingTo(std::int64_t{1} << 30)},
            {"scans.jpg", hostile::jpegWithEmptyScans(5000)},
            {"endless.gif", hostile::endlessGif(std::int64_t{1} << 31)},
            {"deep.png", hostile::sixteenBitInterlacedPng(5600, 5600)},
            {"canvas.webp", hostile::animatedWebp(5600)},
            {"padded.webp", hostile::encoded(hostile::detailed(40, 30), "webp")},
            {"padded.jpg", hostile::encoded(hostile::detailed(40, 30), "jpeg").chopped(2)},
            {"samples.tif", hostile::tiffWithSamples(200)},
            {"palette.bmp", hostile::bitmapPastItsPalette(64)},
        };
        for (const auto &[name, bytes] : files) {
            const QString path = dir.filePath(QLatin1String(name));
            const bool padded = QByteArrayView(name).startsWith("padded");
            hostile::writeFile(path, bytes, padded ? std::int64_t{2} << 30 : 0);
            paths << path;
        }
    }
    for (auto _ : state) {
        const std::array<long, 3> report = decodePageInChild(paths);
        state.counters["peak_MiB"] = static_cast<double>(report[0]);
        state.counters["page_ms"] = static_cast<double>(report[1]);
        if (report[0] < 0 || report[0] >= 400)
            state.SkipWithError("a page of hostile files took 400 MiB or more");
    }
}
BENCHMARK(BM_HostilePage_PeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// Nine cached thumbnails of photos, as a warm page reads them: 256 pixels
// across (the "large" entries a screen at scale 1 uses) or 512 ("x-large",
// at scale 2); the cache's own PNG reader against Qt's.
const QList<QByteArray> &cachedThumbnails(int side)
{
    static std::map<int, QList<QByteArray>> made;
    QList<QByteArray> &files = made[side];
    if (files.isEmpty()) {
        const QImage photo = cameraSizedPicture(1536, 1024)
                                 .scaled(side, side * 2 / 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        for (int i = 0; i < 9; ++i)
            files << tilemere::png::encode(photo.mirrored(i % 2, i % 3 == 0), {{"Thumb::URI", "file:///a.jpg"}}, 3);
    }
    return files;
}

void BM_WarmPage_OwnPngReader(benchmark::State &state)
{
    for (auto _ : state)
        for (const QByteArray &file : cachedThumbnails(static_cast<int>(state.range(0))))
            benchmark::DoNotOptimize(tilemere::png::read(file, 1 << 20));
}
BENCHMARK(BM_WarmPage_OwnPngReader)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);

void BM_WarmPage_QtPngReader(benchmark::State &state)
{
    for (auto _ : state) {
        for (const QByteArray &file : cachedThumbnails(static_cast<int>(state.range(0)))) {
            QBuffer buffer;
            buffer.setData(file);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer, "png");
            benchmark::DoNotOptimize(reader.read());
        }
    }
}
BENCHMARK(BM_WarmPage_QtPngReader)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);

} // namespace
