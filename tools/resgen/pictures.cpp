#include "pictures.h"

#include "common.h"

#include <QDir>

#include <cstdio>
#include <functional>

namespace resgen {

namespace {

struct Picture {
    const char *file;   // relative to resources/
    int width;
    int height;
    std::function<QImage(int, int)> draw;
    int supersample;    // drawn this many times larger, then scaled down
};

const std::vector<Picture> &pictures()
{
    static const std::vector<Picture> list = {
        {"Gfx/1.bmp", 400, 400, [](int w, int h) { return harbourDusk(w, h, 1001); }, 2},
        {"Puzzleimages/harbour-dusk.jpg", 2400, 1600, [](int w, int h) { return harbourDusk(w, h, 42); }, 1},
        {"Puzzleimages/mandelbrot-spiral.jpg", 2048, 1536, [](int w, int h) { return mandelbrotSpiral(w, h); }, 1},
        {"Puzzleimages/nebula-voyage.jpg", 2560, 1440, [](int w, int h) { return nebulaVoyage(w, h, 7); }, 1},
        {"Puzzleimages/alpine-lake.jpg", 1024, 768, [](int w, int h) { return alpineLake(w, h, 12); }, 1},
        {"Puzzleimages/sailing-regatta.jpg", 1280, 720, [](int w, int h) { return sailingRegatta(w, h, 5); }, 1},
        {"Puzzleimages/city-nights.jpg", 800, 600, [](int w, int h) { return cityNights(w, h, 21); }, 2},
        {"Puzzleimages/balloon-festival.jpg", 600, 900, [](int w, int h) { return balloonFestival(w, h, 33); }, 2},
        {"Puzzleimages/autumn-forest.jpg", 720, 960, [](int w, int h) { return autumnForest(w, h, 8); }, 1},
        {"Puzzleimages/star-mosaic.jpg", 512, 512, [](int w, int h) { return starMosaic(w, h); }, 2},
        {"Puzzleimages/patchwork-quilt.jpg", 768, 768, [](int w, int h) { return patchworkQuilt(w, h, 4); }, 2},
        {"Puzzleimages/julia-garden.bmp", 800, 600, [](int w, int h) { return juliaGarden(w, h); }, 2},
        {"Puzzleimages/stained-glass.bmp", 640, 480, [](int w, int h) { return stainedGlass(w, h, 9); }, 2},
        {"Puzzleimages/desert-dunes.bmp", 800, 600, [](int w, int h) { return desertDunes(w, h, 27); }, 1},
        {"Puzzleimages/marbled-paper.bmp", 600, 600, [](int w, int h) { return marbledPaper(w, h, 15); }, 1},
    };
    return list;
}

} // namespace

bool generatePictures(const QString &resources, const QString &only)
{
    bool ok = true;
    for (const Picture &pic : pictures()) {
        const QString file = QString::fromLatin1(pic.file);
        if (!only.isEmpty() && !file.contains(only))
            continue;
        QImage image = pic.draw(pic.width * pic.supersample, pic.height * pic.supersample);
        if (pic.supersample > 1)
            image = downsample(image, pic.supersample);
        ok = save(image, QDir(resources).filePath(file), 88) && ok;
    }
    return ok;
}

} // namespace resgen
