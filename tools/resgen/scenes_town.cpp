// A city by a river at night, and hot-air balloons over farmland.
#include "common.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace resgen {

namespace {

void drawFirework(QPainter &p, QPointF at, double radius, const QColor &c, Rng &rng)
{
    const int rays = 36;
    for (int i = 0; i < rays; ++i) {
        double a = 2 * M_PI * i / rays + rng.range(-0.05, 0.05);
        double r = radius * rng.range(0.75, 1.0);
        for (int k = 1; k <= 6; ++k) {
            double f = k / 6.0;
            QPointF pt = at + QPointF(std::cos(a), std::sin(a) + 0.15 * f * f) * r * f;
            QColor dot = mixColor(QColor(255, 255, 230), c, f);
            dot.setAlpha(static_cast<int>(255 * (1.0 - 0.5 * f)));
            p.setBrush(dot);
            double s = radius * (0.012 + 0.02 * f);
            p.drawEllipse(pt, s, s);
        }
    }
    QRadialGradient glow(at, radius * 1.2);
    QColor g = c;
    g.setAlpha(70);
    glow.setColorAt(0, g);
    g.setAlpha(0);
    glow.setColorAt(1, g);
    p.setBrush(glow);
    p.drawEllipse(at, radius * 1.2, radius * 1.2);
}

void drawBuilding(QPainter &p, double x, double width, double top, double base, const QColor &wall, Rng &rng)
{
    QLinearGradient g(x, 0, x + width, 0);
    g.setColorAt(0, wall.lighter(115));
    g.setColorAt(1, wall.darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(QRectF(x, top, width, base - top));
    double cell = std::max(width / 9.0, (base - top) / 60.0);
    int cols = std::max(2, static_cast<int>(width / (cell * 1.6)));
    int rows = static_cast<int>((base - top) / (cell * 1.8));
    double ww = width / (cols * 1.6 + 0.6);
    bool warm = rng.chance(0.6);
    double litShare = rng.range(0.3, 0.7);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            QColor wc;
            if (rng.chance(litShare))
                wc = warm ? QColor(255, 214, 120) : QColor(180, 230, 255);
            else
                wc = wall.darker(170);
            p.setBrush(wc);
            p.drawRect(QRectF(x + ww * (0.6 + 1.6 * c), top + cell * (0.8 + 1.8 * r), ww, cell));
        }
}

void drawBalloon(QPainter &p, QPointF top, double size, const QColor &a, const QColor &b, int gores, Rng &rng)
{
    double r = size * 0.5;
    QPointF centre = top + QPointF(0, r);
    QPainterPath env;
    env.moveTo(centre.x() - r * 0.28, centre.y() + r * 1.3);
    env.cubicTo(centre.x() - r * 1.1, centre.y() + r * 0.6, centre.x() - r * 1.15, centre.y() - r * 1.05,
                centre.x(), centre.y() - r);
    env.cubicTo(centre.x() + r * 1.15, centre.y() - r * 1.05, centre.x() + r * 1.1, centre.y() + r * 0.6,
                centre.x() + r * 0.28, centre.y() + r * 1.3);
    env.closeSubpath();
    p.save();
    p.setClipPath(env);
    p.setPen(Qt::NoPen);
    p.setBrush(b);
    p.drawPath(env);
    // Gores narrow towards the sides, as on a sphere.
    for (int i = 0; i < gores; ++i) {
        double a0 = -M_PI / 2 + M_PI * i / gores;
        double a1 = -M_PI / 2 + M_PI * (i + 1) / gores;
        double x0 = centre.x() + std::sin(a0) * r * 1.05;
        double x1 = centre.x() + std::sin(a1) * r * 1.05;
        QPainterPath gore;
        gore.moveTo(centre.x(), centre.y() - r * 1.1);
        gore.quadTo(x0 + (x0 - centre.x()) * 0.3, centre.y() - r * 0.2, centre.x() + (x0 - centre.x()) * 0.3,
                    centre.y() + r * 1.4);
        gore.lineTo(centre.x() + (x1 - centre.x()) * 0.3, centre.y() + r * 1.4);
        gore.quadTo(x1 + (x1 - centre.x()) * 0.3, centre.y() - r * 0.2, centre.x(), centre.y() - r * 1.1);
        p.setBrush(i % 2 ? a : b);
        p.drawPath(gore);
    }
    // A band round the middle.
    if (rng.chance(0.6)) {
        p.setBrush(QColor(255, 240, 200));
        p.drawRect(QRectF(centre.x() - r * 1.2, centre.y() + r * 0.35, r * 2.4, r * 0.12));
    }
    QRadialGradient shadeG(centre + QPointF(-r * 0.35, -r * 0.4), r * 1.6);
    shadeG.setColorAt(0, QColor(255, 255, 255, 70));
    shadeG.setColorAt(0.5, QColor(0, 0, 0, 0));
    shadeG.setColorAt(1, QColor(0, 0, 40, 110));
    p.setBrush(shadeG);
    p.drawRect(QRectF(centre.x() - r * 1.3, centre.y() - r * 1.2, r * 2.6, r * 2.6));
    p.restore();
    // Ropes and basket.
    double by = centre.y() + r * 1.75;
    p.setPen(QPen(QColor(60, 40, 30), std::max(0.8, size * 0.01)));
    p.drawLine(QPointF(centre.x() - r * 0.27, centre.y() + r * 1.3), QPointF(centre.x() - r * 0.16, by));
    p.drawLine(QPointF(centre.x() + r * 0.27, centre.y() + r * 1.3), QPointF(centre.x() + r * 0.16, by));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(130, 86, 44));
    p.drawRect(QRectF(centre.x() - r * 0.18, by, r * 0.36, r * 0.26));
    p.setBrush(QColor(90, 56, 30));
    p.drawRect(QRectF(centre.x() - r * 0.18, by, r * 0.36, r * 0.05));
}

} // namespace

QImage cityNights(int w, int h, std::uint64_t seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    Noise noise(seed);
    Rng rng(seed + 11);
    const int horizon = static_cast<int>(h * 0.66);
    const Ramp sky{{0.0, QColor(6, 10, 34)}, {0.6, QColor(26, 36, 90)}, {1.0, QColor(110, 70, 120)}};
    for (int y = 0; y < horizon; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            double n = noise.fbm(x * 2.0 / h, y * 7.0 / h, 5);
            row[x] = mixRgb(sky.at(static_cast<double>(y) / horizon), qRgb(70, 60, 110), smoothstep(0.1, 0.5, n) * 0.5);
        }
    }
    for (int i = 0; i < w * horizon / 500; ++i) {
        int x = rng.below(w), y = rng.below(horizon * 2 / 3);
        img.setPixel(x, y, mixRgb(img.pixel(x, y), qRgb(255, 255, 240), rng.range(0.4, 1.0)));
    }
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        // The moon with a halo and a few craters.
        QPointF moon(0.16 * w, 0.17 * h);
        double mr = 0.06 * h;
        QRadialGradient halo(moon, mr * 4);
        halo.setColorAt(0, QColor(255, 250, 220, 90));
        halo.setColorAt(1, QColor(255, 250, 220, 0));
        p.setBrush(halo);
        p.drawEllipse(moon, mr * 4, mr * 4);
        p.setBrush(QColor(250, 244, 220));
        p.drawEllipse(moon, mr, mr);
        p.setBrush(QColor(220, 210, 186));
        p.drawEllipse(moon + QPointF(-mr * 0.3, -mr * 0.2), mr * 0.2, mr * 0.2);
        p.drawEllipse(moon + QPointF(mr * 0.35, mr * 0.3), mr * 0.28, mr * 0.25);
        p.drawEllipse(moon + QPointF(mr * 0.1, -mr * 0.5), mr * 0.12, mr * 0.12);
        drawFirework(p, QPointF(0.55 * w, 0.16 * h), 0.11 * h, QColor(255, 80, 120), rng);
        drawFirework(p, QPointF(0.75 * w, 0.1 * h), 0.08 * h, QColor(90, 220, 140), rng);
        drawFirework(p, QPointF(0.9 * w, 0.22 * h), 0.07 * h, QColor(120, 160, 255), rng);
        // Two rows of buildings, the back row hazier.
        static const QColor walls[] = {QColor(50, 60, 90),  QColor(70, 56, 80), QColor(40, 70, 80),
                                       QColor(80, 74, 70), QColor(60, 50, 60), QColor(46, 56, 70)};
        for (int row = 0; row < 2; ++row) {
            double x = -rng.range(0, 0.03) * w;
            while (x < w) {
                double bw = rng.range(0.05, 0.11) * w;
                double top = horizon - (row == 0 ? rng.range(0.22, 0.45) : rng.range(0.08, 0.3)) * h;
                QColor wall = walls[rng.below(6)];
                if (row == 0)
                    wall = mixColor(wall, QColor(40, 40, 90), 0.4);
                drawBuilding(p, x, bw, top, horizon, wall, rng);
                if (rng.chance(0.35)) {
                    p.setPen(QPen(QColor(30, 30, 40), std::max(1.0, h / 400.0)));
                    p.drawLine(QPointF(x + bw / 2, top), QPointF(x + bw / 2, top - 0.05 * h));
                    p.setPen(Qt::NoPen);
                    p.setBrush(QColor(255, 40, 40));
                    p.drawEllipse(QPointF(x + bw / 2, top - 0.05 * h), h / 250.0, h / 250.0);
                } else if (row == 0 && rng.chance(0.3)) {
                    QPainterPath spire;
                    spire.moveTo(x, top);
                    spire.lineTo(x + bw / 2, top - 0.08 * h);
                    spire.lineTo(x + bw, top);
                    spire.closeSubpath();
                    p.setBrush(wall.darker(120));
                    p.drawPath(spire);
                }
                x += bw + rng.range(0.0, 0.01) * w;
            }
        }
        // Embankment with street lights.
        p.setBrush(QColor(30, 28, 40));
        p.drawRect(QRectF(0, horizon - 0.015 * h, w, 0.015 * h));
        for (double lx = 0.02 * w; lx < w; lx += 0.06 * w) {
            QRadialGradient lamp(QPointF(lx, horizon - 0.03 * h), 0.02 * h);
            lamp.setColorAt(0, QColor(255, 230, 160, 255));
            lamp.setColorAt(1, QColor(255, 200, 120, 0));
            p.setBrush(lamp);
            p.drawEllipse(QPointF(lx, horizon - 0.03 * h), 0.02 * h, 0.02 * h);
        }
        // A suspension bridge across the river on the right.
        double deck = horizon - 0.06 * h;
        double t1 = 0.55 * w, t2 = 0.85 * w;
        p.setBrush(QColor(160, 50, 50));
        for (double tx : {t1, t2}) {
            p.drawRect(QRectF(tx - 0.008 * w, deck - 0.2 * h, 0.016 * w, 0.26 * h));
            p.drawRect(QRectF(tx - 0.014 * w, deck - 0.2 * h, 0.028 * w, 0.012 * h));
        }
        p.setBrush(QColor(40, 36, 50));
        p.drawRect(QRectF(0.42 * w, deck, 0.6 * w, 0.012 * h));
        QPainterPath cable;
        cable.moveTo(0.42 * w, deck);
        cable.quadTo((0.42 * w + t1) / 2, deck - 0.08 * h, t1, deck - 0.19 * h);
        cable.quadTo((t1 + t2) / 2, deck + 0.1 * h, t2, deck - 0.19 * h);
        cable.quadTo(w, deck - 0.05 * h, w * 1.02, deck);
        p.setPen(QPen(QColor(200, 80, 70), std::max(1.0, h / 300.0)));
        p.setBrush(Qt::NoBrush);
        p.drawPath(cable);
        p.setPen(QPen(QColor(200, 80, 70, 160), std::max(0.7, h / 700.0)));
        for (int i = 1; i < 16; ++i) {
            // Hangers from the main span's cable down to the deck.
            double u = i / 16.0;
            double y = (1 - u) * (1 - u) * (deck - 0.19 * h) + 2 * u * (1 - u) * (deck + 0.1 * h) + u * u * (deck - 0.19 * h);
            double x = t1 + (t2 - t1) * u;
            p.drawLine(QPointF(x, y), QPointF(x, deck));
        }
        p.setPen(Qt::NoPen);
        for (double bx = 0.43 * w; bx < w; bx += 0.02 * w) {
            p.setBrush(QColor(255, 230, 150));
            p.drawEllipse(QPointF(bx, deck - 0.002 * h), h / 350.0, h / 350.0);
        }
    }
    reflectInto(img, horizon, QColor(10, 16, 40), 0.3, 1.2, seed + 2);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A river boat with lit windows.
    double bx = 0.22 * w, by = horizon + 0.12 * h, bl = 0.3 * w;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 230, 236));
    QPainterPath hull;
    hull.moveTo(bx, by);
    hull.lineTo(bx + bl, by);
    hull.lineTo(bx + bl * 0.94, by + 0.035 * h);
    hull.lineTo(bx + bl * 0.04, by + 0.035 * h);
    hull.closeSubpath();
    p.drawPath(hull);
    p.setBrush(QColor(30, 60, 120));
    p.drawRect(QRectF(bx, by + 0.02 * h, bl, 0.008 * h));
    p.setBrush(QColor(200, 204, 214));
    p.drawRect(QRectF(bx + bl * 0.1, by - 0.04 * h, bl * 0.75, 0.04 * h));
    for (int i = 0; i < 12; ++i) {
        p.setBrush(rng.chance(0.8) ? QColor(255, 220, 130) : QColor(60, 60, 80));
        p.drawRect(QRectF(bx + bl * (0.12 + i * 0.06), by - 0.032 * h, bl * 0.04, 0.018 * h));
    }
    for (int i = 0; i < 12; ++i) {
        QColor bulb = QColor::fromHsv((i * 53) % 360, 160, 255);
        p.setBrush(bulb);
        p.drawEllipse(QPointF(bx + bl * (0.05 + i * 0.08), by - 0.048 * h - 0.01 * h * std::sin(i * 0.26 * M_PI / 1.0)),
                      h / 300.0, h / 300.0);
    }
    return img;
}

QImage balloonFestival(int w, int h, std::uint64_t seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    Noise noise(seed);
    Rng rng(seed * 5 + 2);
    const int horizon = static_cast<int>(h * 0.68);
    const Ramp sky{{0.0, QColor(70, 140, 210)}, {0.7, QColor(170, 205, 235)}, {1.0, QColor(255, 220, 180)}};
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            double nx = static_cast<double>(x) / w, ny = static_cast<double>(y) / h;
            if (y < horizon) {
                double n = noise.fbm(nx * 3, ny * 9, 5);
                row[x] = mixRgb(sky.at(static_cast<double>(y) / horizon), qRgb(255, 250, 245), smoothstep(0.15, 0.5, n) * 0.8);
            } else {
                // Patchwork fields receding to the horizon.
                double d = static_cast<double>(y - horizon) / (h - horizon);
                double persp = 0.12 + d;
                double fx = (nx - 0.5) / persp * 3 + 0.4 * noise.at(nx * 4, ny * 4);
                double fy = 2.0 / persp;
                int cx = static_cast<int>(std::floor(fx)), cy = static_cast<int>(std::floor(fy));
                Rng cell(((static_cast<std::uint64_t>(cx) * 73856093ULL) ^ (static_cast<std::uint64_t>(cy) * 19349663ULL)) + seed);
                static const QRgb fields[] = {qRgb(120, 170, 60), qRgb(200, 190, 80), qRgb(90, 140, 50),
                                              qRgb(170, 200, 90), qRgb(150, 110, 60), qRgb(220, 200, 110)};
                QRgb c = fields[cell.below(6)];
                double ex = std::min(fx - cx, 1 - (fx - cx)), ey = std::min(fy - cy, 1 - (fy - cy));
                double hedge = 1.0 - smoothstep(0.0, 0.04 + 0.02 * d, std::min(ex, ey * 0.6));
                c = shade(c, 0.92 + 0.12 * noise.at(x * 30.0 / w, y * 30.0 / h));
                c = mixRgb(c, qRgb(50, 90, 40), hedge * 0.9);
                row[x] = mixRgb(c, qRgb(190, 210, 220), (1 - d) * (1 - d) * 0.5);
            }
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Hazy hills and woods along the horizon.
    p.setPen(Qt::NoPen);
    for (int band = 0; band < 2; ++band) {
        QPainterPath hills;
        hills.moveTo(0, horizon + 1);
        for (int i = 0; i <= 50; ++i) {
            double f = i / 50.0;
            double top = (band == 0 ? 0.035 : 0.012) * h * (1.2 + noise.fbm(f * 3 + band * 5, 2.0, 4)) +
                         (band == 1 ? 0.006 * h * std::fabs(noise.at(f * 60, 1.0)) : 0);
            hills.lineTo(f * w, horizon - top);
        }
        hills.lineTo(w, horizon + 1);
        hills.closeSubpath();
        p.setBrush(band == 0 ? QColor(150, 170, 190) : QColor(80, 120, 80));
        p.drawPath(hills);
    }
    // Village on the horizon: a church and a few houses.
    double vx = 0.62 * w, vy = horizon + 0.01 * h;
    p.setBrush(QColor(230, 220, 200));
    p.drawRect(QRectF(vx, vy - 0.08 * h, 0.03 * w, 0.08 * h));
    QPainterPath steeple;
    steeple.moveTo(vx, vy - 0.08 * h);
    steeple.lineTo(vx + 0.015 * w, vy - 0.13 * h);
    steeple.lineTo(vx + 0.03 * w, vy - 0.08 * h);
    steeple.closeSubpath();
    p.setBrush(QColor(90, 80, 90));
    p.drawPath(steeple);
    for (int i = 0; i < 9; ++i) {
        double hx = vx + (i - 4) * 0.035 * w + (i > 3 ? 0.04 * w : 0);
        p.setBrush(QColor(240, 232, 214));
        p.drawRect(QRectF(hx, vy - 0.025 * h, 0.028 * w, 0.025 * h));
        p.setBrush(QColor(180, 70, 50));
        p.drawRect(QRectF(hx - 0.003 * w, vy - 0.032 * h, 0.034 * w, 0.009 * h));
    }
    // Balloons, far and small first.
    static const QColor pairs[][2] = {
        {QColor(230, 40, 50), QColor(255, 210, 40)},  {QColor(40, 90, 200), QColor(250, 250, 250)},
        {QColor(250, 130, 20), QColor(130, 40, 140)}, {QColor(30, 160, 100), QColor(255, 240, 120)},
        {QColor(220, 50, 150), QColor(60, 200, 230)}, {QColor(250, 90, 60), QColor(40, 60, 120)},
        {QColor(120, 200, 60), QColor(250, 120, 40)}, {QColor(250, 250, 250), QColor(200, 30, 40)}};
    struct B { double x, y, s; };
    std::vector<B> balloons;
    for (int i = 0; i < 13; ++i) {
        double d = (i + rng.uniform()) / 13.0;
        double s = (0.04 + 0.26 * d * d) * w;
        balloons.push_back({rng.range(0.08, 0.92) * w, rng.range(0.03, 0.62) * h - s * 0.3, s});
    }
    for (std::size_t i = 0; i < balloons.size(); ++i) {
        const B &b = balloons[i];
        const auto &pair = pairs[(i * 3) % 8];
        drawBalloon(p, QPointF(b.x, b.y), b.s, pair[0], pair[1], 8 + 2 * static_cast<int>(i % 3), rng);
    }
    // A few birds.
    p.setPen(QPen(QColor(50, 50, 70), std::max(1.0, w / 400.0), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 5; ++i) {
        QPointF at(rng.range(0.1, 0.9) * w, rng.range(0.05, 0.4) * h);
        double s = w * 0.01;
        QPainterPath bird;
        bird.moveTo(at + QPointF(-s, -s * 0.3));
        bird.quadTo(at + QPointF(-s * 0.5, -s * 0.7), at);
        bird.quadTo(at + QPointF(s * 0.5, -s * 0.7), at + QPointF(s, -s * 0.3));
        p.drawPath(bird);
    }
    return img;
}

} // namespace resgen
