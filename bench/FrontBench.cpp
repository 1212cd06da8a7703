// The front screen with camera-sized pictures: a page of nine thumbnails
// from 6000 x 4000 JPEGs and from 4000 x 3000 bitmaps, a new game cut from
// such a JPEG, and, for comparison, the nine JPEGs decoded at full size.
#include "Controls.h"
#include "FolderList.h"
#include "Form1.h"
#include "GameState.h"
#include "frmFront.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <memory>

namespace {

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

// Nine names for one picture each, made once per run: the first is written,
// the other eight are hard links to it.
struct PictureFolder {
    QTemporaryDir dir;
    QStringList paths;

    PictureFolder(int width, int height, const char *format, const QString &suffix)
    {
        const QString first = dir.path() + QStringLiteral("/1.") + suffix;
        cameraSizedPicture(width, height).save(first, format, 90);
        paths << first;
        for (int i = 2; i <= 9; ++i) {
            const QString name = dir.path() + QStringLiteral("/%1.").arg(i) + suffix;
            if (::link(qPrintable(first), qPrintable(name)) != 0)
                QFile::copy(first, name);
            paths << name;
        }
    }
};

PictureFolder &jpegFolder()
{
    static PictureFolder folder(6000, 4000, "JPEG", QStringLiteral("jpg"));
    return folder;
}

PictureFolder &bitmapFolder()
{
    static PictureFolder folder(4000, 3000, "BMP", QStringLiteral("bmp"));
    return folder;
}

// Wall time: the nine pictures decode on the thread pool while this thread waits.
void thumbnailPage(benchmark::State &state, PictureFolder &folder)
{
    frmFront front;
    front.Dir1->setPath(folder.dir.path()); // fills the page once
    for (auto _ : state)
        front.showThumbnailPage();
    state.counters["pictures"] = front.File1.count();
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

void BM_FullSizeDecode_NineJpeg6000x4000(benchmark::State &state)
{
    for (auto _ : state) {
        for (const QString &path : jpegFolder().paths)
            benchmark::DoNotOptimize(tilemere::loadPicture(path));
    }
}
BENCHMARK(BM_FullSizeDecode_NineJpeg6000x4000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Load, stretch into the board's buffer, draw and shuffle (not animated).
void BM_NewGame_Jpeg6000x4000(benchmark::State &state)
{
    const QString path = jpegFolder().paths.first();
    Form1 &play = Form1::instance();
    play.setFrontScreen(
        nullptr, [path] { return path; }, [] { return false; });
    play.setShuffleSeed(1);
    gChosenSize = 4;
    for (auto _ : state) {
        if (!play.createNewGame(gBoardSide))
            state.SkipWithError("the picture could not be opened");
    }
    play.setFrontScreen(nullptr, {}, {});
}
BENCHMARK(BM_NewGame_Jpeg6000x4000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
