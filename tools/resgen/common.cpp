#include "common.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace resgen {

std::uint64_t Rng::next()
{
    // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double Rng::uniform()
{
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}

double Rng::normal()
{
    double u1 = uniform();
    double u2 = uniform();
    if (u1 < 1e-12)
        u1 = 1e-12;
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * M_PI * u2);
}

Noise::Noise(std::uint64_t seed) : perm_(512)
{
    Rng rng(seed);
    std::vector<int> p(256);
    for (int i = 0; i < 256; ++i)
        p[i] = i;
    for (int i = 255; i > 0; --i)
        std::swap(p[i], p[static_cast<int>(rng.next() % static_cast<std::uint64_t>(i + 1))]);
    for (int i = 0; i < 512; ++i)
        perm_[i] = p[i & 255];
}

double Noise::grad(int ix, int iy, double dx, double dy) const
{
    static const double gx[8] = {1, -1, 0, 0, 0.7071, -0.7071, 0.7071, -0.7071};
    static const double gy[8] = {0, 0, 1, -1, 0.7071, 0.7071, -0.7071, -0.7071};
    int h = perm_[(perm_[ix & 255] + iy) & 511] & 7;
    return gx[h] * dx + gy[h] * dy;
}

double Noise::at(double x, double y) const
{
    double fx = std::floor(x);
    double fy = std::floor(y);
    int ix = static_cast<int>(fx);
    int iy = static_cast<int>(fy);
    double dx = x - fx;
    double dy = y - fy;
    auto fade = [](double t) { return t * t * t * (t * (t * 6 - 15) + 10); };
    double u = fade(dx);
    double v = fade(dy);
    double a = grad(ix, iy, dx, dy);
    double b = grad(ix + 1, iy, dx - 1, dy);
    double c = grad(ix, iy + 1, dx, dy - 1);
    double d = grad(ix + 1, iy + 1, dx - 1, dy - 1);
    return 1.4 * lerp(lerp(a, b, u), lerp(c, d, u), v);
}

double Noise::fbm(double x, double y, int octaves, double lacunarity, double gain) const
{
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * at(x, y);
        norm += amp;
        amp *= gain;
        // A small rotation between octaves hides the lattice.
        double nx = x * 0.8 - y * 0.6;
        double ny = x * 0.6 + y * 0.8;
        x = nx * lacunarity + 13.7;
        y = ny * lacunarity + 7.3;
    }
    return sum / norm;
}

double Noise::ridged(double x, double y, int octaves) const
{
    double sum = 0, amp = 1, norm = 0, weight = 1;
    for (int i = 0; i < octaves; ++i) {
        double r = 1.0 - std::fabs(at(x, y));
        r *= r;
        r *= weight;
        weight = std::clamp(r * 1.6, 0.0, 1.0);
        sum += amp * r;
        norm += amp;
        amp *= 0.5;
        double nx = x * 0.8 - y * 0.6;
        double ny = x * 0.6 + y * 0.8;
        x = nx * 2.0 + 5.1;
        y = ny * 2.0 + 9.4;
    }
    return sum / norm;
}

Ramp::Ramp(std::initializer_list<std::pair<double, QColor>> stops) : stops_(stops) {}

QRgb Ramp::at(double t) const
{
    if (t <= stops_.front().first)
        return stops_.front().second.rgb();
    for (std::size_t i = 1; i < stops_.size(); ++i) {
        if (t <= stops_[i].first) {
            double span = stops_[i].first - stops_[i - 1].first;
            double f = span > 0 ? (t - stops_[i - 1].first) / span : 0;
            return mixRgb(stops_[i - 1].second.rgb(), stops_[i].second.rgb(), f);
        }
    }
    return stops_.back().second.rgb();
}

double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

double smoothstep(double e0, double e1, double x)
{
    double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

double lerp(double a, double b, double t) { return a + (b - a) * t; }

QRgb mixRgb(QRgb a, QRgb b, double t)
{
    t = clamp01(t);
    auto ch = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return qRgb(ch(qRed(a), qRed(b)), ch(qGreen(a), qGreen(b)), ch(qBlue(a), qBlue(b)));
}

QColor mixColor(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgb(mixRgb(a.rgb(), b.rgb(), t));
}

QRgb shade(QRgb c, double factor)
{
    auto ch = [factor](int x) { return std::clamp(static_cast<int>(std::lround(x * factor)), 0, 255); };
    return qRgb(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)));
}

bool save(const QImage &image, const QString &path, int quality)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage out = image.convertToFormat(path.endsWith(QLatin1String(".png")) && image.hasAlphaChannel()
                                           ? QImage::Format_ARGB32
                                           : QImage::Format_RGB32);
    bool ok = path.endsWith(QLatin1String(".jpg")) ? out.save(path, "JPEG", quality) : out.save(path);
    if (!ok)
        std::fprintf(stderr, "resgen: could not write %s\n", qPrintable(path));
    else
        std::printf("  %s (%dx%d)\n", qPrintable(path), image.width(), image.height());
    return ok;
}

bool saveBytes(const QByteArray &bytes, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "resgen: could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("  %s (%lld bytes)\n", qPrintable(path), static_cast<long long>(bytes.size()));
    return true;
}

void reflectInto(QImage &image, int horizon, const QColor &tint, double tintAmount,
                 double rippleStrength, std::uint64_t seed)
{
    Noise noise(seed);
    const int w = image.width();
    const int h = image.height();
    const QImage source = image.copy();
    const double scale = h / 600.0;
    for (int y = horizon; y < h; ++y) {
        double depth = static_cast<double>(y - horizon) / std::max(1, h - horizon);
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            // Ripples get longer and stronger nearer the viewer.
            double n = noise.fbm(x * 0.004 / scale, (y - horizon) * 0.09 / scale / (0.15 + depth), 3);
            double dx = n * rippleStrength * scale * (3 + 40 * depth);
            double dy = noise.at(x * 0.01 / scale + 40, y * 0.05 / scale) * rippleStrength * scale * (1 + 8 * depth);
            int sx = std::clamp(static_cast<int>(x + dx), 0, w - 1);
            int sy = std::clamp(static_cast<int>(2 * horizon - y - 1 + dy), 0, horizon - 1);
            QRgb c = source.pixel(sx, sy);
            double amount = clamp01(tintAmount + 0.25 * depth);
            c = mixRgb(c, tint.rgb(), amount);
            // Glints on the crests.
            double glint = smoothstep(0.55, 0.8, n) * 0.25;
            row[x] = mixRgb(c, qRgb(255, 255, 255), glint * (1 - depth) * 0.6);
        }
    }
}

QImage downsample(const QImage &image, int factor)
{
    const int w = image.width() / factor;
    const int h = image.height() / factor;
    QImage out(w, h, QImage::Format_RGB32);
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    const int n = factor * factor;
    for (int y = 0; y < h; ++y) {
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int r = 0, g = 0, b = 0;
            for (int j = 0; j < factor; ++j) {
                const auto *s = reinterpret_cast<const QRgb *>(src.constScanLine(y * factor + j));
                for (int i = 0; i < factor; ++i) {
                    QRgb c = s[x * factor + i];
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
            }
            dst[x] = qRgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n);
        }
    }
    return out;
}

} // namespace resgen
