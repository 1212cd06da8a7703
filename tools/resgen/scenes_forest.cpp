// An autumn wood with a path, misty distance and falling leaves.
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

const QColor kMist(236, 214, 172);

QColor autumnLeaf(Rng &rng)
{
    static const QColor palette[] = {QColor(200, 50, 30),  QColor(230, 110, 30), QColor(245, 170, 40),
                                     QColor(250, 210, 70), QColor(160, 40, 40),  QColor(140, 150, 50),
                                     QColor(220, 80, 50),  QColor(190, 120, 40)};
    QColor c = palette[rng.below(8)];
    return c.lighter(static_cast<int>(rng.range(85, 120)));
}

struct Tree {
    double x, base, height;
    int layer;
};

void drawTree(QPainter &p, const Tree &t, Rng &rng, double mist)
{
    double trunkW = t.height * 0.06;
    QColor bark = mixColor(QColor(60, 40, 32), kMist, mist);
    QPainterPath trunk;
    trunk.moveTo(t.x - trunkW, t.base);
    trunk.lineTo(t.x - trunkW * 0.4, t.base - t.height * 0.8);
    trunk.lineTo(t.x + trunkW * 0.4, t.base - t.height * 0.8);
    trunk.lineTo(t.x + trunkW, t.base);
    trunk.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(bark);
    p.drawPath(trunk);
    // Bark lines
    p.setPen(QPen(bark.darker(140), std::max(1.0, trunkW * 0.12)));
    for (int i = 0; i < 5; ++i) {
        double bx = t.x + rng.range(-0.6, 0.6) * trunkW * 0.7;
        double by = t.base - rng.range(0.05, 0.5) * t.height;
        p.drawLine(QPointF(bx, by), QPointF(bx + rng.range(-0.1, 0.1) * trunkW, by - t.height * rng.range(0.05, 0.15)));
    }
    // Branches reaching into the crown
    p.setPen(QPen(bark, std::max(1.0, trunkW * 0.35), Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 5; ++i) {
        double by = t.base - t.height * rng.range(0.4, 0.75);
        double side = i % 2 ? 1 : -1;
        p.drawLine(QPointF(t.x, by), QPointF(t.x + side * t.height * rng.range(0.12, 0.25), by - t.height * 0.15));
    }
    // The crown: many overlapping clumps, shadowed underneath.
    QPointF centre(t.x, t.base - t.height * 0.78);
    double rx = t.height * 0.32, ry = t.height * 0.3;
    int clumps = 260;
    p.setPen(Qt::NoPen);
    QColor treeTone = autumnLeaf(rng);
    for (int i = 0; i < clumps; ++i) {
        double a = rng.uniform() * 2 * M_PI;
        double r = std::sqrt(rng.uniform());
        QPointF at = centre + QPointF(std::cos(a) * rx * r, std::sin(a) * ry * r);
        double size = t.height * rng.range(0.025, 0.05);
        // Lit from the upper right, darker inside and underneath.
        double dark = clamp01((at.y() - centre.y()) / ry * 0.4 - (at.x() - centre.x()) / rx * 0.2 + 0.3 + 0.2 * (1 - r));
        QColor c = rng.chance(0.6) ? treeTone.lighter(static_cast<int>(rng.range(85, 125))) : autumnLeaf(rng);
        c = mixColor(c, QColor(70, 20, 16), dark * 0.6);
        QColor face = mixColor(c, kMist, mist);
        QRadialGradient g(at - QPointF(-size * 0.3, size * 0.3), size * 1.2);
        g.setColorAt(0, face.lighter(120));
        g.setColorAt(1, face.darker(115));
        p.setBrush(g);
        p.drawEllipse(at, size, size * 0.85);
    }
}

} // namespace

QImage autumnForest(int w, int h, std::uint64_t seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    Noise noise(seed);
    Rng rng(seed * 3 + 1);
    const double groundTop = 0.58 * h;
    {
        const Ramp sky{{0.0, QColor(150, 180, 210)}, {0.6, QColor(240, 220, 180)}, {1.0, kMist}};
        const Ramp ground{{0.0, QColor(210, 170, 120)}, {0.3, QColor(190, 110, 50)}, {1.0, QColor(120, 50, 24)}};
        for (int y = 0; y < h; ++y) {
            auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < w; ++x) {
                double nx = static_cast<double>(x) / h, ny = static_cast<double>(y) / h;
                if (y < groundTop) {
                    row[x] = sky.at(y / groundTop);
                } else {
                    double d = (y - groundTop) / (h - groundTop);
                    double n = noise.fbm(nx * 10 / (0.2 + d), ny * 30 / (0.2 + d), 4);
                    row[x] = shade(ground.at(d + 0.1 * n), 0.95 + 0.25 * n);
                }
            }
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // The path winds from the front to the misty distance.
    QPainterPath path;
    const int steps = 40;
    std::vector<QPointF> left, right;
    for (int i = 0; i <= steps; ++i) {
        double f = static_cast<double>(i) / steps;         // 0 far, 1 near
        double y = groundTop + (h - groundTop) * std::pow(f, 1.6) + 2;
        double cx = w * (0.5 + 0.16 * std::sin(f * 4.0 + 0.5) * f);
        double half = w * (0.01 + 0.3 * f * f);
        left.push_back({cx - half, y});
        right.push_back({cx + half, y});
    }
    path.moveTo(left.front());
    for (const QPointF &pt : left)
        path.lineTo(pt);
    for (auto it = right.rbegin(); it != right.rend(); ++it)
        path.lineTo(*it);
    path.closeSubpath();
    QLinearGradient pathFill(0, groundTop, 0, h);
    pathFill.setColorAt(0, QColor(228, 206, 170));
    pathFill.setColorAt(1, QColor(170, 140, 104));
    p.setPen(Qt::NoPen);
    p.setBrush(pathFill);
    p.drawPath(path);
    // Trees, far to near, mistier with distance.
    std::vector<Tree> trees;
    const int layers = 5;
    for (int layer = 0; layer < layers; ++layer) {
        int count = 22 - layer * 4;
        for (int i = 0; i < count; ++i) {
            double f = static_cast<double>(layer) / (layers - 1);
            double base = groundTop + (h - groundTop) * (0.02 + 0.9 * std::pow(f, 1.5)) + rng.range(0, 0.04) * h;
            double height = h * (0.16 + 0.5 * f) * rng.range(0.85, 1.15);
            double x = rng.range(-0.05, 1.05) * w;
            // Keep the path clear near the front.
            double pathF = std::pow(clamp01((base - groundTop) / (h - groundTop)), 1.0 / 1.6);
            double pathX = w * (0.5 + 0.16 * std::sin(pathF * 4.0 + 0.5) * pathF);
            double half = w * (0.01 + 0.3 * pathF * pathF) + height * 0.08;
            if (std::fabs(x - pathX) < half)
                x = x < pathX ? pathX - half - height * 0.05 : pathX + half + height * 0.05;
            trees.push_back({x, base, height, layer});
        }
    }
    std::stable_sort(trees.begin(), trees.end(), [](const Tree &a, const Tree &b) { return a.base < b.base; });
    for (const Tree &t : trees) {
        double mist = 0.7 * (1.0 - static_cast<double>(t.layer) / (layers - 1));
        drawTree(p, t, rng, mist);
    }
    // Fallen leaves scattered on the ground and the path.
    for (int i = 0; i < 700; ++i) {
        double f = std::pow(rng.uniform(), 0.7);
        double y = groundTop + (h - groundTop) * f;
        double x = rng.range(0, w);
        double s = h * (0.002 + 0.01 * f);
        p.save();
        p.translate(x, y);
        p.rotate(rng.range(0, 180));
        p.setBrush(autumnLeaf(rng));
        p.drawEllipse(QPointF(0, 0), s, s * 0.5);
        p.restore();
    }
    // Sunbeams through the canopy.
    for (int i = 0; i < 5; ++i) {
        double x0 = (0.45 + 0.12 * i) * w;
        QPainterPath beam;
        beam.moveTo(x0, 0);
        beam.lineTo(x0 + 0.05 * w, 0);
        beam.lineTo(x0 - 0.35 * w + 0.1 * w, h * 0.9);
        beam.lineTo(x0 - 0.35 * w - 0.02 * w, h * 0.9);
        beam.closeSubpath();
        QLinearGradient g(0, 0, 0, h * 0.9);
        g.setColorAt(0, QColor(255, 245, 210, 70));
        g.setColorAt(1, QColor(255, 245, 210, 0));
        p.setBrush(g);
        p.drawPath(beam);
    }
    // Toadstools by the path.
    for (int i = 0; i < 4; ++i) {
        double mx = (0.12 + i * 0.05) * w + rng.range(-0.01, 0.01) * w;
        double my = h * (0.94 + rng.range(-0.02, 0.03));
        double s = h * rng.range(0.018, 0.03);
        p.setBrush(QColor(240, 232, 214));
        p.drawRect(QRectF(mx - s * 0.25, my - s, s * 0.5, s));
        QPainterPath cap;
        cap.moveTo(mx - s, my - s);
        cap.quadTo(mx, my - s * 2.4, mx + s, my - s);
        cap.closeSubpath();
        p.setBrush(QColor(200, 30, 30));
        p.drawPath(cap);
        p.setBrush(QColor(255, 255, 255));
        for (int d = 0; d < 4; ++d)
            p.drawEllipse(QPointF(mx + rng.range(-0.6, 0.6) * s, my - s * rng.range(1.2, 1.6)), s * 0.12, s * 0.1);
    }
    // Leaves in the air.
    for (int i = 0; i < 60; ++i) {
        p.save();
        p.translate(rng.range(0, w), rng.range(0.05, 0.85) * h);
        p.rotate(rng.range(0, 360));
        double s = h * rng.range(0.004, 0.009);
        p.setBrush(autumnLeaf(rng));
        p.drawEllipse(QPointF(0, 0), s, s * 0.45);
        p.restore();
    }
    return img;
}

} // namespace resgen
