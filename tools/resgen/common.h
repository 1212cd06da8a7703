// Shared helpers for the resource generator: a seeded random source, noise,
// colour ramps and file writing. Everything here is deterministic so that
// running the generator twice writes the same bytes.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace resgen {

// Small random source with its own arithmetic, so results do not depend on
// the standard library's distributions.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    double uniform();                         // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return static_cast<int>(uniform() * n); }
    double normal();                          // mean 0, deviation 1
    bool chance(double p) { return uniform() < p; }

private:
    std::uint64_t state_;
};

// Gradient noise in two dimensions, returning roughly [-1, 1].
class Noise {
public:
    explicit Noise(std::uint64_t seed);
    double at(double x, double y) const;
    // Sum of octaves, normalised to roughly [-1, 1].
    double fbm(double x, double y, int octaves, double lacunarity = 2.0, double gain = 0.5) const;
    // Sharp crests, [0, 1].
    double ridged(double x, double y, int octaves) const;

private:
    double grad(int ix, int iy, double dx, double dy) const;
    std::vector<int> perm_;
};

// A colour ramp through several stops at positions in [0, 1].
class Ramp {
public:
    Ramp(std::initializer_list<std::pair<double, QColor>> stops);
    QRgb at(double t) const;
    QColor colorAt(double t) const { return QColor::fromRgb(at(t)); }

private:
    std::vector<std::pair<double, QColor>> stops_;
};

double clamp01(double v);
double smoothstep(double e0, double e1, double x);
double lerp(double a, double b, double t);
QRgb mixRgb(QRgb a, QRgb b, double t);
QColor mixColor(const QColor &a, const QColor &b, double t);
QRgb shade(QRgb c, double factor);            // multiply brightness, clamped

// Writes a picture, making the folder first. The format follows the suffix;
// quality applies to JPEG. Returns false (and says why) on failure.
bool save(const QImage &image, const QString &path, int quality = 90);
bool saveBytes(const QByteArray &bytes, const QString &path);

// Reflects the rows above `horizon` into the rows below it, rippled and
// tinted, as on calm water.
void reflectInto(QImage &image, int horizon, const QColor &tint, double tintAmount,
                 double rippleStrength, std::uint64_t seed);

// Scales down by an integer factor, averaging each block (used to smooth
// pictures drawn at a larger size).
QImage downsample(const QImage &image, int factor);

} // namespace resgen
