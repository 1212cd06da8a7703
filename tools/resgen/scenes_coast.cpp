// A harbour town and its lighthouse at dusk.
#include "common.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace resgen {

namespace {

// Dusk sky with sun glow, lit clouds and the first stars.
void paintDuskSky(QImage &img, int horizon, double sunX, const Noise &noise, Rng &rng)
{
    const int w = img.width();
    const int h = img.height();
    const Ramp sky{{0.0, QColor(14, 18, 52)},   {0.35, QColor(52, 40, 104)}, {0.62, QColor(150, 68, 112)},
                   {0.84, QColor(240, 128, 74)}, {1.0, QColor(255, 204, 120)}};
    const double sunY = horizon + 0.01 * h;
    for (int y = 0; y < horizon; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        double t = static_cast<double>(y) / horizon;
        double ny = static_cast<double>(y) / h;
        for (int x = 0; x < w; ++x) {
            double nx = static_cast<double>(x) / h;
            QRgb c = sky.at(t);
            double d = std::hypot(x - sunX, (y - sunY) * 1.6) / h;
            c = mixRgb(c, qRgb(255, 222, 150), std::exp(-d * 5.0) * 0.75);
            // Clouds lie in horizontal bands.
            double n = noise.fbm(nx * 2.2 + 3, ny * 10.0, 6);
            double band = smoothstep(0.05, 0.25, ny) * (1 - smoothstep(0.5, 0.62, ny));
            double dens = smoothstep(0.02, 0.35, n) * band;
            if (dens > 0) {
                QRgb lit = mixRgb(qRgb(255, 150, 130), qRgb(255, 190, 110), t);
                QRgb core = mixRgb(qRgb(70, 42, 92), qRgb(120, 60, 90), t);
                double edge = smoothstep(0.05, 0.45, n);
                QRgb cloud = mixRgb(lit, core, edge * (1.0 - 0.5 * std::exp(-d * 4.0)));
                c = mixRgb(c, cloud, dens * 0.9);
            }
            row[x] = c;
        }
    }
    // Stars fade out towards the glow.
    int stars = w * horizon / 900;
    for (int i = 0; i < stars; ++i) {
        int x = rng.below(w);
        int y = static_cast<int>(std::pow(rng.uniform(), 1.6) * horizon * 0.55);
        double b = rng.range(0.3, 1.0) * (1.0 - static_cast<double>(y) / (horizon * 0.55));
        QRgb c = img.pixel(x, y);
        img.setPixel(x, y, mixRgb(c, qRgb(255, 250, 235), b));
        if (b > 0.8 && x + 1 < w)
            img.setPixel(x + 1, y, mixRgb(img.pixel(x + 1, y), qRgb(255, 250, 235), b * 0.5));
    }
}

// A ridge of hills filled down to the horizon.
void paintRidge(QImage &img, int horizon, double base, double amp, double freq, const Noise &noise,
                double offset, QRgb top, QRgb bottom, double x0, double x1)
{
    const int w = img.width();
    const int h = img.height();
    for (int x = static_cast<int>(x0 * w); x < static_cast<int>(x1 * w); ++x) {
        double nx = static_cast<double>(x) / h;
        double edge = smoothstep(x0 * w, x0 * w + 0.15 * h, x) * (1 - smoothstep(x1 * w - 0.15 * h, x1 * w, x));
        double ridge = horizon - (base + amp * (0.5 + 0.5 * noise.fbm(nx * freq + offset, offset, 5))) * h * edge;
        for (int y = std::max(0, static_cast<int>(ridge)); y < horizon; ++y) {
            double t = (y - ridge) / std::max(1.0, horizon - ridge);
            img.setPixel(x, y, mixRgb(top, bottom, t));
        }
    }
}

// Weathered rock, lighter at the top where the sky lights it.
QImage rockTexture(int w, int h, int horizon, const Noise &noise)
{
    QImage tex(w, h, QImage::Format_RGB32);
    tex.fill(0);
    const int y0 = std::max(0, static_cast<int>(horizon - 0.2 * h));
    for (int y = y0; y < horizon; ++y) {
        auto *row = reinterpret_cast<QRgb *>(tex.scanLine(y));
        double t = static_cast<double>(y - y0) / (horizon - y0);
        for (int x = w / 2; x < w; ++x) {
            double nx = static_cast<double>(x) / h;
            double ny = static_cast<double>(y) / h;
            double n = noise.fbm(nx * 14, ny * 24, 5);
            double crack = smoothstep(0.75, 0.95, noise.ridged(nx * 9 + 4, ny * 6, 4));
            double strata = 0.5 + 0.5 * std::sin((ny + 0.03 * n) * 260.0);
            QRgb c = mixRgb(qRgb(120, 82, 84), qRgb(40, 30, 46), t + 0.35 * n);
            row[x] = shade(c, 0.95 + 0.45 * n - 0.45 * crack + 0.12 * strata);
        }
    }
    return tex;
}

void drawHouse(QPainter &p, double x, double base, double hw, double hh, const QColor &wall, Rng &rng)
{
    QRectF body(x, base - hh, hw, hh);
    p.setPen(Qt::NoPen);
    p.setBrush(wall);
    p.drawRect(body);
    p.setBrush(wall.darker(135));
    p.drawRect(QRectF(x + hw * 0.8, base - hh, hw * 0.2, hh));
    QPainterPath roof;
    double overhang = hw * 0.08;
    roof.moveTo(x - overhang, base - hh);
    roof.lineTo(x + hw / 2, base - hh - hw * rng.range(0.35, 0.6));
    roof.lineTo(x + hw + overhang, base - hh);
    roof.closeSubpath();
    static const QColor roofs[] = {QColor(96, 38, 40), QColor(58, 52, 70), QColor(120, 60, 42)};
    p.setBrush(roofs[rng.below(3)]);
    p.drawPath(roof);
    int cols = std::max(1, static_cast<int>(hw / (hh * 0.3)));
    int rows = std::max(1, static_cast<int>(hh / (hw * 0.45)));
    double ww = hw / (cols * 2 + 1);
    double wh = hh / (rows * 2 + 1);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            bool lit = rng.chance(0.55);
            p.setBrush(lit ? QColor(255, 214, 120) : QColor(40, 36, 60));
            p.drawRect(QRectF(x + ww * (2 * c + 1), base - hh + wh * (2 * r + 1), ww, wh));
        }
}

void drawBoat(QPainter &p, double cx, double water, double len, const QColor &hull, bool sail, Rng &rng,
              bool reflection)
{
    double depth = len * 0.22;
    QPainterPath body;
    body.moveTo(cx - len / 2, water - depth * 0.6);
    body.lineTo(cx + len / 2, water - depth);
    body.quadTo(cx + len * 0.38, water + depth * 0.35, cx + len * 0.1, water + depth * 0.4);
    body.lineTo(cx - len * 0.38, water + depth * 0.3);
    body.closeSubpath();
    if (reflection) {
        p.save();
        p.translate(0, 2 * water + depth * 0.8);
        p.scale(1, -1);
        p.setOpacity(0.35);
        p.setPen(Qt::NoPen);
        p.setBrush(hull.darker(160));
        p.drawPath(body);
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(hull);
    p.drawPath(body);
    p.setBrush(QColor(235, 225, 210));
    p.drawRect(QRectF(cx - len / 2, water - depth * 0.75, len, depth * 0.12));
    // Cabin
    p.setBrush(QColor(220, 210, 196).darker(110));
    p.drawRect(QRectF(cx - len * 0.15, water - depth * 1.5, len * 0.28, depth * 0.8));
    p.setBrush(QColor(255, 214, 120));
    p.drawRect(QRectF(cx - len * 0.1, water - depth * 1.3, len * 0.06, depth * 0.3));
    if (sail) {
        double mast = len * rng.range(1.0, 1.4);
        p.setPen(QPen(QColor(40, 30, 36), std::max(1.0, len * 0.02)));
        p.drawLine(QPointF(cx + len * 0.05, water - depth), QPointF(cx + len * 0.05, water - depth - mast));
        p.setPen(QPen(QColor(40, 30, 36, 160), std::max(0.6, len * 0.006)));
        p.drawLine(QPointF(cx + len * 0.05, water - depth - mast), QPointF(cx - len * 0.48, water - depth * 0.7));
        p.drawLine(QPointF(cx + len * 0.05, water - depth - mast), QPointF(cx + len * 0.48, water - depth));
    }
}

void drawLighthouse(QPainter &p, double cx, double base, double height, double unit)
{
    double bw = height * 0.2;
    double tw = height * 0.13;
    QPainterPath tower;
    tower.moveTo(cx - bw / 2, base);
    tower.lineTo(cx - tw / 2, base - height);
    tower.lineTo(cx + tw / 2, base - height);
    tower.lineTo(cx + bw / 2, base);
    tower.closeSubpath();
    p.save();
    p.setClipPath(tower);
    const int bands = 5;
    for (int i = 0; i < bands; ++i) {
        p.fillRect(QRectF(cx - bw, base - height * (i + 1) / bands, bw * 2, height / bands + 1),
                   i % 2 ? QColor(232, 218, 212) : QColor(196, 44, 50));
    }
    QLinearGradient shadow(cx - bw / 2, 0, cx + bw / 2, 0);
    shadow.setColorAt(0, QColor(255, 220, 170, 70));
    shadow.setColorAt(0.45, QColor(0, 0, 0, 0));
    shadow.setColorAt(1, QColor(20, 10, 40, 150));
    p.fillRect(QRectF(cx - bw, base - height, bw * 2, height), shadow);
    // Small windows up the tower
    for (int i = 1; i < 4; ++i)
        p.fillRect(QRectF(cx - unit * 0.5, base - height * i / 4.0, unit, unit * 1.6), QColor(60, 40, 50));
    p.restore();
    // Gallery, lantern and cap.
    double gy = base - height;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 40));
    p.drawRect(QRectF(cx - tw * 0.8, gy - unit * 1.2, tw * 1.6, unit * 1.2));
    p.setPen(QPen(QColor(40, 30, 40), std::max(1.0, unit * 0.3)));
    for (int i = 0; i <= 6; ++i) {
        double x = cx - tw * 0.8 + tw * 1.6 * i / 6;
        p.drawLine(QPointF(x, gy - unit * 1.2), QPointF(x, gy - unit * 3));
    }
    p.drawLine(QPointF(cx - tw * 0.8, gy - unit * 3), QPointF(cx + tw * 0.8, gy - unit * 3));
    QRadialGradient glow(QPointF(cx, gy - unit * 5), height * 0.35);
    glow.setColorAt(0, QColor(255, 245, 200, 220));
    glow.setColorAt(0.25, QColor(255, 220, 140, 90));
    glow.setColorAt(1, QColor(255, 200, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(cx, gy - unit * 5), height * 0.35, height * 0.35);
    p.setBrush(QColor(255, 236, 170));
    p.drawRect(QRectF(cx - tw * 0.4, gy - unit * 7.5, tw * 0.8, unit * 5));
    p.setBrush(QColor(60, 40, 46));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(cx - tw * 0.4 + tw * 0.8 * i / 2 - unit * 0.2, gy - unit * 7.5, unit * 0.4, unit * 5));
    QPainterPath cap;
    cap.moveTo(cx - tw * 0.55, gy - unit * 7.5);
    cap.quadTo(cx, gy - unit * 12, cx + tw * 0.55, gy - unit * 7.5);
    cap.closeSubpath();
    p.setBrush(QColor(150, 30, 40));
    p.drawPath(cap);
}

void drawBeam(QPainter &p, QPointF from, double angle, double length, double spread)
{
    QPainterPath beam;
    beam.moveTo(from);
    beam.lineTo(from + QPointF(std::cos(angle - spread), std::sin(angle - spread)) * length);
    beam.lineTo(from + QPointF(std::cos(angle + spread), std::sin(angle + spread)) * length);
    beam.closeSubpath();
    QLinearGradient g(from, from + QPointF(std::cos(angle), std::sin(angle)) * length);
    g.setColorAt(0, QColor(255, 240, 190, 120));
    g.setColorAt(1, QColor(255, 240, 190, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(beam);
}

void drawGull(QPainter &p, QPointF at, double size, const QColor &c)
{
    QPainterPath g;
    g.moveTo(at.x() - size, at.y() - size * 0.2);
    g.quadTo(at.x() - size * 0.5, at.y() - size * 0.6, at.x(), at.y());
    g.quadTo(at.x() + size * 0.5, at.y() - size * 0.6, at.x() + size, at.y() - size * 0.2);
    p.setPen(QPen(c, std::max(1.0, size * 0.15), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(g);
}

} // namespace

QImage harbourDusk(int w, int h, std::uint64_t seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    Noise noise(seed);
    Rng rng(seed * 31 + 7);
    const int horizon = static_cast<int>(h * 0.6);
    const double unit = h / 300.0;
    paintDuskSky(img, horizon, w * 0.6, noise, rng);
    paintRidge(img, horizon, 0.04, 0.10, 3.0, noise, 11.0, qRgb(120, 72, 122), qRgb(170, 96, 118), 0.0, 0.56);
    paintRidge(img, horizon, 0.02, 0.07, 5.0, noise, 23.0, qRgb(66, 40, 80), qRgb(92, 52, 86), 0.0, 0.48);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // The setting sun.
        QRadialGradient sun(QPointF(w * 0.6, horizon - 0.01 * h), 0.05 * h);
        sun.setColorAt(0, QColor(255, 250, 220));
        sun.setColorAt(0.8, QColor(255, 226, 150));
        sun.setColorAt(1, QColor(255, 200, 120, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(sun);
        p.save();
        p.setClipRect(QRectF(0, 0, w, horizon));
        p.drawEllipse(QPointF(w * 0.6, horizon - 0.01 * h), 0.05 * h, 0.05 * h);
        p.restore();
        // Town on the quay, to the left.
        double quayTop = horizon - 0.03 * h;
        double x = -0.02 * w;
        while (x < 0.42 * w) {
            double hw = rng.range(0.05, 0.09) * h;
            double hh = rng.range(0.06, 0.12) * h;
            static const QColor walls[] = {QColor(196, 110, 90), QColor(214, 170, 104), QColor(96, 140, 150),
                                           QColor(210, 196, 176), QColor(150, 96, 120), QColor(120, 150, 110)};
            // A second row higher up the hill.
            drawHouse(p, x + hw * 0.4, quayTop - hh * 0.55, hw * 0.8, hh * 0.7, walls[rng.below(6)].darker(150), rng);
            drawHouse(p, x, quayTop, hw, hh, walls[rng.below(6)].darker(115), rng);
            x += hw + rng.range(0.0, 0.015) * h;
        }
        QLinearGradient wall(0, quayTop, 0, horizon);
        wall.setColorAt(0, QColor(120, 96, 100));
        wall.setColorAt(1, QColor(64, 50, 66));
        p.fillRect(QRectF(0, quayTop, 0.45 * w, horizon - quayTop), wall);
        p.setPen(QPen(QColor(50, 40, 56), std::max(1.0, unit * 0.4)));
        for (double bx = 0; bx < 0.45 * w; bx += unit * 6)
            p.drawLine(QPointF(bx, quayTop), QPointF(bx, horizon));
        // Street lamps along the quay.
        for (double lx = 0.03 * w; lx < 0.44 * w; lx += 0.07 * w) {
            p.setPen(QPen(QColor(30, 24, 36), std::max(1.0, unit * 0.6)));
            p.drawLine(QPointF(lx, quayTop), QPointF(lx, quayTop - unit * 10));
            QRadialGradient lamp(QPointF(lx, quayTop - unit * 10), unit * 6);
            lamp.setColorAt(0, QColor(255, 236, 170, 255));
            lamp.setColorAt(1, QColor(255, 200, 120, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(lamp);
            p.drawEllipse(QPointF(lx, quayTop - unit * 10), unit * 6, unit * 6);
        }
        // Headland with the lighthouse, to the right.
        QPainterPath rock;
        double rx0 = 0.66 * w;
        rock.moveTo(rx0, horizon);
        for (int i = 0; i <= 40; ++i) {
            double fx = i / 40.0;
            double px = rx0 + (w - rx0 + 2) * fx;
            double top = 0.005 + 0.125 * smoothstep(0.0, 0.45, fx) + 0.02 * noise.fbm(fx * 6, 3.3, 4) * smoothstep(0.0, 0.1, fx);
            rock.lineTo(px, horizon - top * h);
        }
        rock.lineTo(w + 2, horizon);
        rock.closeSubpath();
        p.setBrush(rockTexture(w, h, horizon, noise));
        p.setPen(Qt::NoPen);
        p.drawPath(rock);
        double lx = 0.84 * w;
        double lbase = horizon - 0.125 * h;
        double lheight = 0.3 * h;
        QPointF lantern(lx, lbase - lheight - unit * 5);
        drawBeam(p, lantern, M_PI + 0.12, 0.55 * w, 0.05);
        drawBeam(p, lantern, -0.25, 0.35 * w, 0.05);
        // Keeper's cottage
        drawHouse(p, lx + 0.05 * h, lbase + 0.005 * h, 0.09 * h, 0.06 * h, QColor(200, 190, 180).darker(140), rng);
        drawLighthouse(p, lx, lbase + 0.01 * h, lheight, unit);
        for (int i = 0; i < 7; ++i)
            drawGull(p, QPointF(rng.range(0.1, 0.7) * w, rng.range(0.12, 0.4) * h), rng.range(2.5, 5.0) * unit,
                     QColor(30, 20, 40));
    }
    reflectInto(img, horizon, QColor(30, 30, 80), 0.22, 1.0, seed + 5);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // Ripple highlights, golden below the sun.
        const double sunX = w * 0.6;
        for (int i = 0; i < 1400; ++i) {
            double d = std::pow(rng.uniform(), 1.4);
            double y = horizon + 2 + d * (h - horizon);
            double spread = (0.02 + 0.12 * d) * w;
            bool gold = rng.chance(0.45);
            double x = gold ? sunX + rng.normal() * spread * 0.5 : rng.range(0, w);
            double len = (0.004 + 0.03 * d) * h * rng.range(0.4, 1.2);
            double a = gold ? rng.range(90, 200) * (1 - 0.6 * d) : rng.range(20, 60);
            p.setPen(QPen(gold ? QColor(255, 214, 140, static_cast<int>(a)) : QColor(220, 190, 240, static_cast<int>(a)),
                          std::max(1.0, (0.5 + 2.5 * d) * unit), Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x - len / 2, y), QPointF(x + len / 2, y));
        }
        // Boats moored along the quay.
        static const QColor hulls[] = {QColor(170, 40, 44), QColor(30, 70, 120), QColor(220, 210, 190),
                                       QColor(30, 110, 90), QColor(210, 150, 40)};
        for (int i = 0; i < 5; ++i) {
            double bx = (0.05 + i * 0.08 + rng.range(-0.01, 0.01)) * w;
            drawBoat(p, bx, horizon + 0.035 * h, rng.range(0.09, 0.12) * h, hulls[i % 5], rng.chance(0.7), rng, true);
        }
        // A larger boat out on the water and a rowing boat in front.
        drawBoat(p, 0.6 * w, horizon + 0.13 * h, 0.22 * h, QColor(30, 90, 140), true, rng, true);
        drawBoat(p, 0.22 * w, horizon + 0.32 * h, 0.2 * h, QColor(190, 60, 40), false, rng, true);
        // Mooring posts in the foreground.
        for (int i = 0; i < 6; ++i) {
            double px = (0.7 + i * 0.055) * w;
            double top = horizon + (0.2 + 0.035 * i) * h;
            double pw = (0.018 + 0.004 * i) * h;
            double bottom = top + (0.12 + 0.02 * i) * h;
            QLinearGradient wood(px, 0, px + pw, 0);
            wood.setColorAt(0, QColor(120, 84, 60));
            wood.setColorAt(1, QColor(50, 32, 30));
            p.setPen(Qt::NoPen);
            p.setBrush(wood);
            p.drawRoundedRect(QRectF(px, top, pw, bottom - top), pw * 0.3, pw * 0.3);
            p.setBrush(QColor(20, 16, 30, 120));
            p.drawEllipse(QRectF(px - pw * 0.5, bottom - pw * 0.3, pw * 2, pw * 0.6));
            p.setPen(QPen(QColor(200, 170, 120), std::max(1.0, pw * 0.12)));
            if (i + 1 < 6)
                p.drawLine(QPointF(px + pw, top + pw), QPointF((0.7 + (i + 1) * 0.055) * w, top + 0.035 * h + pw));
        }
    }
    return img;
}

} // namespace resgen
