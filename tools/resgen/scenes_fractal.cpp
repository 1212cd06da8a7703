// Pictures computed point by point: fractals, a nebula and marbled paper.
#include "common.h"
#include "pictures.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <complex>

namespace resgen {

namespace {

// Cosine palette: smooth, endlessly repeating bands of colour.
QRgb cosinePalette(double t, const double a[3], const double b[3], const double c[3], const double d[3])
{
    int ch[3];
    for (int i = 0; i < 3; ++i)
        ch[i] = static_cast<int>(255 * clamp01(a[i] + b[i] * std::cos(2 * M_PI * (c[i] * t + d[i]))));
    return qRgb(ch[0], ch[1], ch[2]);
}

} // namespace

QImage mandelbrotSpiral(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    const double cx = -0.7436447860, cy = 0.1318252536;
    const double span = 0.0092;                 // width of the view
    const double pixel = span / w;
    const int maxIter = 1200;
    const double a[3] = {0.5, 0.5, 0.5}, b[3] = {0.5, 0.5, 0.5}, c[3] = {1.0, 1.0, 1.0},
                 d[3] = {0.0, 0.10, 0.20};
    const double lightAngle = 0.8;
    const double lx = std::cos(lightAngle), ly = std::sin(lightAngle);
    const int ss = 2;                          // samples per side
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int r = 0, g = 0, bl = 0;
            for (int sy = 0; sy < ss; ++sy)
                for (int sx = 0; sx < ss; ++sx) {
                    double px = cx + (x + (sx + 0.5) / ss - w / 2.0) * pixel;
                    double py = cy - (y + (sy + 0.5) / ss - h / 2.0) * pixel;
                    std::complex<double> z(0, 0), dz(0, 0), cc(px, py);
                    int n = 0;
                    for (; n < maxIter && std::norm(z) < 1e6; ++n) {
                        dz = 2.0 * z * dz + 1.0;
                        z = z * z + cc;
                    }
                    QRgb col;
                    if (n == maxIter) {
                        col = qRgb(8, 6, 24);
                    } else {
                        double mu = n + 1 - std::log2(std::log(std::abs(z)));
                        std::complex<double> u = z / dz;
                        u /= std::abs(u);
                        double light = clamp01((u.real() * lx + u.imag() * ly + 1.5) / 2.5);
                        col = cosinePalette(std::sqrt(mu) * 0.22 + 0.55, a, b, c, d);
                        col = shade(col, 0.35 + 0.85 * light);
                    }
                    r += qRed(col);
                    g += qGreen(col);
                    bl += qBlue(col);
                }
            const int n = ss * ss;
            row[x] = qRgb(r / n, g / n, bl / n);
        }
    }
    return img;
}

QImage juliaGarden(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    const std::complex<double> c(-0.7269, 0.1889);
    const double scale = 2.3 / w;
    const int maxIter = 400;
    const Ramp petals{{0.0, QColor(20, 40, 30)},   {0.2, QColor(40, 120, 60)}, {0.4, QColor(170, 210, 80)},
                      {0.55, QColor(255, 220, 90)}, {0.7, QColor(240, 110, 140)}, {0.85, QColor(150, 50, 140)},
                      {1.0, QColor(30, 20, 60)}};
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            std::complex<double> z((x - w / 2.0) * scale, (y - h / 2.0) * scale);
            // Rotate so the spiral arms run across the picture.
            z *= std::complex<double>(std::cos(0.5), std::sin(0.5));
            double trap = 1e9, ringTrap = 1e9;
            int n = 0;
            for (; n < maxIter && std::norm(z) < 256; ++n) {
                z = z * z + c;
                trap = std::min(trap, std::abs(z.real() * z.imag()));
                ringTrap = std::min(ringTrap, std::fabs(std::abs(z) - 0.6));
            }
            QRgb col;
            if (n == maxIter) {
                // Inside: coloured by how close the orbit came to a ring.
                col = petals.at(0.45 + 0.5 * clamp01(ringTrap * 3.0));
                col = shade(col, 0.6 + 0.4 * clamp01(1 - ringTrap * 4));
            } else {
                double mu = n + 1 - std::log2(std::log(std::abs(z)));
                double t = std::fmod(std::log(mu + 1) * 0.55, 1.0);
                col = petals.at(t);
                double glow = std::exp(-trap * 30.0);
                col = mixRgb(col, qRgb(255, 250, 220), glow * 0.6);
            }
            row[x] = col;
        }
    }
    return img;
}

QImage nebulaVoyage(int w, int h, std::uint64_t seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    Noise n1(seed), n2(seed + 1), n3(seed + 2);
    Rng rng(seed * 13 + 5);
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            double nx = static_cast<double>(x) / h * 2.2, ny = static_cast<double>(y) / h * 2.2;
            // Domain warping gives the billowing, filamentary look.
            double wx = n1.fbm(nx + 1.7, ny + 9.2, 4);
            double wy = n1.fbm(nx + 8.3, ny + 2.8, 4);
            double gas = n2.fbm(nx + 1.5 * wx, ny + 1.5 * wy, 7);
            double hue = n3.fbm(nx * 0.6 + wx, ny * 0.6 - wy, 4);
            double dust = n3.ridged(nx * 1.5 + 2 * wx, ny * 1.5 + 2 * wy, 6);
            double density = smoothstep(-0.25, 0.6, gas);
            QRgb magenta = qRgb(220, 60, 150), teal = qRgb(40, 190, 200), amber = qRgb(255, 170, 70);
            QRgb colour = hue < 0 ? mixRgb(teal, magenta, smoothstep(-0.5, 0.0, hue))
                                  : mixRgb(magenta, amber, smoothstep(0.0, 0.5, hue));
            QRgb base = mixRgb(qRgb(4, 4, 16), qRgb(20, 12, 50), smoothstep(-0.6, 0.4, wx));
            QRgb c = mixRgb(base, colour, density * 0.9);
            c = mixRgb(c, qRgb(255, 240, 230), smoothstep(0.45, 0.9, gas) * 0.7);
            c = mixRgb(c, qRgb(6, 4, 14), smoothstep(0.5, 0.9, dust) * 0.75 * density);
            row[x] = c;
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    // Stars: many faint, some bright with a glow and spikes.
    const int stars = w * h / 900;
    for (int i = 0; i < stars; ++i) {
        double x = rng.range(0, w), y = rng.range(0, h);
        double m = rng.uniform();
        QColor c = QColor::fromHsv(rng.chance(0.5) ? 210 : 40, rng.below(60), 255);
        double r = h * (0.0005 + 0.0012 * std::pow(m, 8));
        if (m > 0.988) {
            r = h * rng.range(0.0018, 0.0035);
            QRadialGradient glow(QPointF(x, y), r * 6);
            QColor g = c;
            g.setAlpha(120);
            glow.setColorAt(0, g);
            g.setAlpha(0);
            glow.setColorAt(1, g);
            p.setBrush(glow);
            p.drawEllipse(QPointF(x, y), r * 6, r * 6);
            p.setPen(QPen(QColor(255, 255, 255, 150), std::max(1.0, r * 0.3)));
            p.drawLine(QPointF(x - r * 10, y), QPointF(x + r * 10, y));
            p.drawLine(QPointF(x, y - r * 10), QPointF(x, y + r * 10));
            p.setPen(Qt::NoPen);
        }
        c.setAlpha(static_cast<int>(110 + 145 * m));
        p.setBrush(c);
        p.drawEllipse(QPointF(x, y), r, r);
    }
    // A ringed planet in the lower left and a small moon.
    QPointF centre(0.22 * w, 0.72 * h);
    double pr = 0.2 * h;
    p.save();
    p.translate(centre);
    p.rotate(-18);
    auto ring = [&](bool front) {
        for (int i = 0; i < 10; ++i) {
            double rr = pr * (1.35 + i * 0.07);
            QColor rc = QColor::fromHsv(30 + i * 3, 60 + i * 8, 220 - i * 8, 150 - i * 8);
            p.setPen(QPen(rc, pr * 0.075));
            p.setBrush(Qt::NoBrush);
            QRectF box(-rr, -rr * 0.28, rr * 2, rr * 0.56);
            p.drawArc(box, front ? 180 * 16 : 0, 180 * 16);
        }
    };
    ring(false);
    QRadialGradient body(QPointF(-pr * 0.4, -pr * 0.4), pr * 1.5);
    body.setColorAt(0, QColor(250, 210, 160));
    body.setColorAt(0.5, QColor(200, 120, 80));
    body.setColorAt(1, QColor(40, 16, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(QPointF(0, 0), pr, pr);
    p.setClipRegion(QRegion(QRect(-static_cast<int>(pr), -static_cast<int>(pr), static_cast<int>(2 * pr),
                                  static_cast<int>(2 * pr)), QRegion::Ellipse));
    for (int i = 0; i < 9; ++i) {
        double by = -pr + pr * 2 * (i + 0.5) / 9 + pr * 0.05 * std::sin(i * 1.7);
        QColor band = i % 2 ? QColor(120, 60, 40, 80) : QColor(255, 230, 190, 60);
        p.setBrush(band);
        p.drawEllipse(QRectF(-pr * 1.2, by - pr * 0.06, pr * 2.4, pr * 0.12));
    }
    p.setClipping(false);
    ring(true);
    p.restore();
    QPointF moon(0.42 * w, 0.52 * h);
    double mr = 0.035 * h;
    QRadialGradient mg(moon - QPointF(mr * 0.4, mr * 0.4), mr * 1.6);
    mg.setColorAt(0, QColor(210, 220, 240));
    mg.setColorAt(1, QColor(30, 34, 60));
    p.setBrush(mg);
    p.drawEllipse(moon, mr, mr);
    return img;
}

QImage marbledPaper(int w, int h, std::uint64_t seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    Noise noise(seed);
    const QRgb inks[] = {qRgb(24, 60, 120), qRgb(230, 190, 90), qRgb(170, 40, 50),  qRgb(240, 232, 210),
                         qRgb(40, 120, 110), qRgb(200, 100, 40), qRgb(90, 40, 100), qRgb(120, 170, 200)};
    const int inkCount = 8;
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            double nx = static_cast<double>(x) / w, ny = static_cast<double>(y) / h;
            // A comb drawn through the inks, then swirled.
            double swirlX = noise.fbm(nx * 2, ny * 2, 4);
            double swirlY = noise.fbm(nx * 2 + 7, ny * 2 + 3, 4);
            double fx = nx + 0.12 * swirlX;
            double fy = ny + 0.12 * swirlY;
            // Comb teeth dragged down through the bands pull them into arches.
            double tooth = fx * 10 - std::floor(fx * 10);
            double comb = 0.05 * std::pow(std::sin(tooth * M_PI), 2.0);
            double bands = (fy + comb) * 14 + std::sin(fx * 2 * M_PI * 1.5) * 1.2;
            double index = std::floor(bands);
            double frac = bands - index;
            int i0 = static_cast<int>(((static_cast<long>(index) % inkCount) + inkCount) % inkCount);
            int i1 = (i0 + 1) % inkCount;
            QRgb c = mixRgb(inks[i0], inks[i1], smoothstep(0.88, 1.0, frac));
            // Fine veins where the inks meet, and speckles.
            double vein = std::exp(-std::pow((frac - 0.05) * 40, 2));
            c = mixRgb(c, qRgb(20, 16, 24), vein * 0.6);
            double speck = noise.at(nx * 120, ny * 120);
            c = shade(c, 0.94 + 0.1 * speck);
            row[x] = c;
        }
    }
    return img;
}

} // namespace resgen
