// The puzzle pictures. Each function draws a whole picture at any size; the
// composition follows the proportions given.
#pragma once

#include <QImage>
#include <QString>

#include <cstdint>

namespace resgen {

QImage harbourDusk(int w, int h, std::uint64_t seed);
QImage sailingRegatta(int w, int h, std::uint64_t seed);
QImage alpineLake(int w, int h, std::uint64_t seed);
QImage desertDunes(int w, int h, std::uint64_t seed);
QImage autumnForest(int w, int h, std::uint64_t seed);
QImage mandelbrotSpiral(int w, int h);
QImage juliaGarden(int w, int h);
QImage nebulaVoyage(int w, int h, std::uint64_t seed);
QImage marbledPaper(int w, int h, std::uint64_t seed);
QImage stainedGlass(int w, int h, std::uint64_t seed);
QImage starMosaic(int w, int h);
QImage patchworkQuilt(int w, int h, std::uint64_t seed);
QImage cityNights(int w, int h, std::uint64_t seed);
QImage balloonFestival(int w, int h, std::uint64_t seed);

// Writes the default picture into Gfx/ and the collection into Puzzleimages/.
bool generatePictures(const QString &resources, const QString &only);

} // namespace resgen
