// Landscapes: a mountain lake, desert dunes and an autumn wood.
#include "common.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <vector>

namespace resgen {

namespace {

void paintDaySky(QImage &img, int horizon, const Noise &noise, double cloudScale)
{
    const int w = img.width();
    const int h = img.height();
    const Ramp sky{{0.0, QColor(36, 92, 170)}, {0.6, QColor(100, 160, 220)}, {1.0, QColor(200, 225, 240)}};
    for (int y = 0; y < horizon; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        double t = static_cast<double>(y) / horizon;
        for (int x = 0; x < w; ++x) {
            double nx = static_cast<double>(x) / h * cloudScale;
            double ny = static_cast<double>(y) / h * cloudScale;
            double n = noise.fbm(nx * 2.5 + 50, ny * 6.0, 6);
            double lower = noise.fbm(nx * 2.5 + 50.02, ny * 6.0 + 0.08, 6);
            double puff = smoothstep(0.0, 0.45, n) * (1 - smoothstep(0.6, 0.95, t));
            QRgb cloud = mixRgb(qRgb(255, 255, 255), qRgb(150, 165, 195), smoothstep(-0.1, 0.3, lower - n + 0.1));
            row[x] = mixRgb(sky.at(t), cloud, puff);
        }
    }
}

void drawConifer(QPainter &p, double x, double base, double height, const QColor &c)
{
    QPainterPath tree;
    const int tiers = 4;
    for (int i = 0; i < tiers; ++i) {
        double top = base - height * (0.35 + 0.65 * (i + 1) / tiers);
        double bottom = base - height * (0.12 + 0.65 * i / tiers);
        double half = height * 0.22 * (1.0 - 0.18 * i);
        tree.moveTo(x, top);
        tree.lineTo(x + half, bottom);
        tree.lineTo(x - half, bottom);
        tree.closeSubpath();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 40, 30));
    p.drawRect(QRectF(x - height * 0.025, base - height * 0.15, height * 0.05, height * 0.15));
    p.setBrush(c);
    p.drawPath(tree);
}

} // namespace

QImage alpineLake(int w, int h, std::uint64_t seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    Noise noise(seed);
    Rng rng(seed + 99);
    const int horizon = static_cast<int>(h * 0.6);
    paintDaySky(img, horizon, noise, 1.0);
    // Snowy peaks: a ridge line, then rock and snow lit from the left.
    for (int x = 0; x < w; ++x) {
        double nx = static_cast<double>(x) / h;
        double ridge = horizon - (0.12 + 0.32 * noise.ridged(nx * 1.3 + 2.0, 0.5, 6)) * h;
        for (int y = std::max(0, static_cast<int>(ridge)); y < horizon; ++y) {
            double ny = static_cast<double>(y) / h;
            double f = noise.ridged(nx * 5 + 2, ny * 5, 6);
            double fx = noise.ridged(nx * 5 + 2.004, ny * 5, 6);
            double light = clamp01(0.55 + (f - fx) * 90.0);
            double altitude = static_cast<double>(horizon - y) / h;
            double snow = smoothstep(0.17, 0.22, altitude + 0.08 * noise.fbm(nx * 8, ny * 8, 4) + 0.1 * (f - 0.5));
            QRgb rock = mixRgb(qRgb(70, 70, 84), qRgb(150, 140, 136), light);
            QRgb ice = mixRgb(qRgb(150, 170, 205), qRgb(255, 255, 255), light);
            QRgb c = mixRgb(rock, ice, snow);
            double haze = smoothstep(0.0, 0.25, static_cast<double>(y - ridge) / h) * 0.35;
            img.setPixel(x, y, mixRgb(c, qRgb(170, 195, 225), haze));
        }
    }
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // Two bands of forest, the far one bluer.
        for (int band = 0; band < 2; ++band) {
            QPainterPath hill;
            hill.moveTo(0, horizon);
            std::vector<double> tops;
            for (int i = 0; i <= 60; ++i) {
                double fx = i / 60.0;
                double top = horizon - (0.03 + 0.05 * band + 0.04 * (0.5 + 0.5 * noise.fbm(fx * 4 + band * 9, 1.0, 4))) * h;
                if (band == 1)
                    top = horizon - (0.01 + 0.09 * std::pow(std::max(0.0, 0.6 - fx) / 0.6, 1.5) + 0.015 * noise.at(fx * 8, 3)) * h;
                tops.push_back(top);
                hill.lineTo(fx * w, top);
            }
            hill.lineTo(w, horizon);
            hill.closeSubpath();
            QColor base = band == 0 ? QColor(52, 88, 84) : QColor(30, 70, 44);
            p.setPen(Qt::NoPen);
            p.setBrush(base);
            p.drawPath(hill);
            int count = band == 0 ? 160 : 130;
            for (int i = 0; i < count; ++i) {
                double fx = rng.uniform();
                double top = tops[static_cast<int>(fx * 60)];
                double ty = rng.range(top, horizon) + 0.01 * h;
                double th = (band == 0 ? rng.range(0.025, 0.04) : rng.range(0.04, 0.07)) * h;
                QColor c = base.lighter(static_cast<int>(rng.range(85, 130)));
                drawConifer(p, fx * w, ty, th, c);
            }
        }
        // A red cabin on the far shore.
        double cx = 0.7 * w, cy = horizon;
        p.setBrush(QColor(170, 40, 36));
        p.drawRect(QRectF(cx, cy - 0.045 * h, 0.07 * h, 0.045 * h));
        p.setBrush(QColor(245, 240, 230));
        p.drawRect(QRectF(cx + 0.012 * h, cy - 0.032 * h, 0.012 * h, 0.014 * h));
        p.drawRect(QRectF(cx + 0.045 * h, cy - 0.032 * h, 0.012 * h, 0.014 * h));
        QPainterPath roof;
        roof.moveTo(cx - 0.006 * h, cy - 0.045 * h);
        roof.lineTo(cx + 0.035 * h, cy - 0.075 * h);
        roof.lineTo(cx + 0.076 * h, cy - 0.045 * h);
        roof.closeSubpath();
        p.setBrush(QColor(60, 50, 50));
        p.drawPath(roof);
    }
    reflectInto(img, horizon, QColor(30, 80, 110), 0.25, 0.7, seed + 1);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // Meadow in front, with flowers and boulders.
        QPainterPath shore;
        shore.moveTo(0, h);
        for (int i = 0; i <= 40; ++i) {
            double fx = i / 40.0;
            double top = h - (0.1 + 0.12 * smoothstep(0.3, 1.0, fx) + 0.03 * noise.fbm(fx * 5, 7.0, 4)) * h;
            shore.lineTo(fx * w, top);
        }
        shore.lineTo(w, h);
        shore.closeSubpath();
        QLinearGradient grass(0, h * 0.75, 0, h);
        grass.setColorAt(0, QColor(110, 150, 60));
        grass.setColorAt(1, QColor(50, 100, 40));
        p.setPen(Qt::NoPen);
        p.setBrush(grass);
        p.drawPath(shore);
        p.save();
        p.setClipPath(shore);
        for (int i = 0; i < 900; ++i) {
            double x = rng.range(0, w);
            double y = rng.range(0.76, 1.0) * h;
            double len = rng.range(0.01, 0.03) * h;
            p.setPen(QPen(QColor(40 + rng.below(60), 90 + rng.below(80), 30 + rng.below(30)), std::max(1.0, h / 500.0)));
            p.drawLine(QPointF(x, y), QPointF(x + rng.range(-0.3, 0.3) * len, y - len));
        }
        static const QColor flowers[] = {QColor(250, 240, 90), QColor(240, 80, 90), QColor(250, 250, 250),
                                         QColor(170, 110, 230), QColor(255, 150, 40)};
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 260; ++i) {
            double x = rng.range(0, w);
            double y = rng.range(0.78, 1.0) * h;
            double r = (0.003 + 0.006 * (y / h - 0.78) / 0.22) * h;
            p.setBrush(flowers[rng.below(5)]);
            p.drawEllipse(QPointF(x, y), r, r);
        }
        p.restore();
        for (int i = 0; i < 4; ++i) {
            double bx = (0.1 + 0.25 * i + rng.range(-0.05, 0.05)) * w;
            double by = h - rng.range(0.02, 0.08) * h;
            double r = rng.range(0.03, 0.06) * h;
            QRadialGradient g(QPointF(bx - r * 0.4, by - r * 0.5), r * 1.4);
            g.setColorAt(0, QColor(170, 165, 160));
            g.setColorAt(1, QColor(70, 68, 72));
            p.setBrush(g);
            p.drawEllipse(QRectF(bx - r, by - r * 0.8, r * 2, r * 1.3));
        }
    }
    return img;
}

QImage desertDunes(int w, int h, std::uint64_t seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    Noise noise(seed);
    Rng rng(seed + 5);
    const Ramp sky{{0.0, QColor(60, 110, 180)}, {0.55, QColor(150, 170, 200)}, {1.0, QColor(250, 210, 160)}};
    const double sunX = 0.2 * w, sunY = 0.2 * h;
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        double t = static_cast<double>(y) / (0.55 * h);
        for (int x = 0; x < w; ++x) {
            double d = std::hypot(x - sunX, y - sunY) / h;
            QRgb c = mixRgb(sky.at(t), qRgb(255, 240, 200), std::exp(-d * 6) * 0.8);
            double wisp = noise.fbm(x * 1.2 / h + 20, y * 14.0 / h, 5);
            c = mixRgb(c, qRgb(255, 246, 236), smoothstep(0.1, 0.5, wisp) * 0.7 * (1 - smoothstep(0.3, 0.5, t * 0.55)));
            if (d < 0.05)
                c = qRgb(255, 250, 232);
            row[x] = c;
        }
    }
    // Dunes from back to front: a gentle windward slope up to a sharp crest,
    // then a steep lee face in shadow, away from the sun.
    const int layers = 6;
    for (int layer = 0; layer < layers; ++layer) {
        double base = (0.44 + 0.1 * layer) * h;
        double amp = (0.04 + 0.025 * layer) * h;
        double freq = 2.2 - 0.25 * layer;
        QRgb litColor = mixRgb(qRgb(250, 196, 120), qRgb(238, 160, 84), layer / 5.0);
        QRgb shadowColor = mixRgb(qRgb(190, 120, 120), qRgb(140, 66, 52), layer / 5.0);
        double haze = 0.45 * (1.0 - layer / 5.0);
        for (int x = 0; x < w; ++x) {
            double nx = static_cast<double>(x) / h;
            double phase = nx * freq + 0.5 * noise.fbm(nx * 0.9, layer * 3.3, 3) + layer * 0.37;
            double pf = phase - std::floor(phase);
            double height = pf < 0.75 ? smoothstep(0.0, 0.75, pf) : 1.0 - smoothstep(0.75, 1.0, pf) * 0.9;
            double ridge = base - amp * (0.2 + height) - 0.03 * h * noise.at(nx * 0.6, layer + 0.5);
            for (int y = std::max(0, static_cast<int>(ridge)); y < h; ++y) {
                double ny = static_cast<double>(y) / h;
                double below = (y - ridge) / amp;
                double q = phase + below * 0.18;
                double qf = q - std::floor(q);
                double lit = smoothstep(0.8, 0.76, qf) + smoothstep(0.96, 1.0, qf);
                double ripple = 0.5 + 0.5 * std::sin(ny * 700.0 - nx * 90.0 + noise.at(nx * 6, ny * 12) * 5.0);
                QRgb c = mixRgb(shadowColor, litColor, clamp01(lit));
                c = shade(c, 0.93 + 0.08 * ripple + 0.05 * noise.at(nx * 3, ny * 3));
                img.setPixel(x, y, mixRgb(c, qRgb(245, 205, 170), haze));
            }
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // An oasis: palms round a pool.
    double ox = 0.72 * w, oy = 0.7 * h;
    QRadialGradient pool(QPointF(ox, oy), 0.14 * h);
    pool.setColorAt(0, QColor(60, 170, 190));
    pool.setColorAt(1, QColor(20, 90, 130));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 140, 60));
    p.drawEllipse(QPointF(ox, oy), 0.2 * h, 0.045 * h);
    p.setBrush(pool);
    p.drawEllipse(QPointF(ox, oy), 0.15 * h, 0.03 * h);
    for (int i = 0; i < 7; ++i) {
        double px = ox + rng.range(-0.2, 0.2) * h;
        double py = oy + rng.range(-0.03, 0.02) * h;
        double ph = rng.range(0.12, 0.2) * h;
        double lean = rng.range(-0.05, 0.05) * h;
        QPainterPath trunk;
        trunk.moveTo(px, py);
        trunk.quadTo(px + lean * 0.2, py - ph * 0.5, px + lean, py - ph);
        p.setPen(QPen(QColor(110, 76, 50), ph * 0.05, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(trunk);
        for (int f = 0; f < 8; ++f) {
            double a = f * M_PI / 4 + rng.range(-0.2, 0.2);
            QPointF top(px + lean, py - ph);
            QPointF tip = top + QPointF(std::cos(a) * ph * 0.4, std::sin(a) * ph * 0.2 + ph * 0.12);
            QPainterPath frond;
            frond.moveTo(top);
            frond.quadTo(top + QPointF(std::cos(a) * ph * 0.3, -ph * 0.12), tip);
            p.setPen(QPen(QColor(40 + rng.below(40), 110 + rng.below(40), 40), ph * 0.045, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(frond);
        }
    }
    // A camel caravan along a crest.
    for (int i = 0; i < 5; ++i) {
        double cx = (0.18 + i * 0.06) * w;
        double cy = 0.56 * h + i * 0.012 * h;
        double s = 0.045 * h;
        QPainterPath camel;
        camel.moveTo(cx - s * 0.6, cy - s * 0.5);
        camel.cubicTo(cx - s * 0.5, cy - s * 1.2, cx - s * 0.1, cy - s * 0.9, cx, cy - s * 0.75);
        camel.cubicTo(cx + s * 0.1, cy - s * 1.2, cx + s * 0.45, cy - s * 0.9, cx + s * 0.5, cy - s * 0.55);
        camel.lineTo(cx + s * 0.75, cy - s * 1.0);
        camel.lineTo(cx + s * 0.95, cy - s * 0.95);
        camel.lineTo(cx + s * 0.6, cy - s * 0.45);
        camel.lineTo(cx - s * 0.6, cy - s * 0.4);
        camel.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 40, 36));
        p.drawPath(camel);
        p.setPen(QPen(QColor(70, 40, 36), s * 0.1));
        for (double lx : {-0.45, -0.3, 0.3, 0.45})
            p.drawLine(QPointF(cx + lx * s, cy - s * 0.45), QPointF(cx + lx * s + s * 0.05, cy));
        if (i == 0) {
            p.drawLine(QPointF(cx - s * 1.1, cy - s * 0.9), QPointF(cx - s * 1.1, cy));
            p.setBrush(QColor(70, 40, 36));
            p.drawEllipse(QPointF(cx - s * 1.1, cy - s), s * 0.12, s * 0.12);
        }
    }
    return img;
}

} // namespace resgen
