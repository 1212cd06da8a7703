// Pictures made of shapes: a rose window, a star mosaic and a quilt. Colours
// change across each picture so that no two puzzle tiles look alike.
#include "common.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <vector>

namespace resgen {

namespace {

struct Cell {
    double x, y;
    QRgb colour;
};

} // namespace

QImage stainedGlass(int w, int h, std::uint64_t seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    Noise noise(seed);
    Rng rng(seed * 7 + 3);
    const double cx = w / 2.0, cy = h / 2.0, radius = 0.46 * h;
    static const QRgb jewels[] = {qRgb(190, 20, 40),  qRgb(30, 70, 190), qRgb(240, 170, 30), qRgb(30, 150, 80),
                                  qRgb(130, 40, 160), qRgb(230, 90, 30), qRgb(40, 160, 200), qRgb(250, 220, 120)};
    std::vector<Cell> cells;
    // A rose window: rings of panes with twelvefold symmetry.
    cells.push_back({cx, cy, qRgb(250, 220, 120)});
    const int ringCounts[] = {6, 12, 12, 24, 24, 36};
    for (int ring = 0; ring < 6; ++ring) {
        double r = radius * (0.13 + 0.16 * ring);
        int n = ringCounts[ring];
        QRgb a = jewels[(ring * 3) % 8], b = jewels[(ring * 3 + 5) % 8];
        for (int i = 0; i < n; ++i) {
            double ang = 2 * M_PI * (i + (ring % 2) * 0.5) / n;
            cells.push_back({cx + std::cos(ang) * r, cy + std::sin(ang) * r, i % 2 ? a : b});
        }
    }
    // Plain panes round it, blue and green, brighter towards the top.
    for (int i = 0; i < 90; ++i) {
        double x = rng.range(0, w), y = rng.range(0, h);
        if (std::hypot(x - cx, y - cy) < radius * 1.05)
            continue;
        QRgb c = rng.chance(0.6) ? qRgb(30 + rng.below(40), 60 + rng.below(60), 150 + rng.below(80))
                                 : qRgb(30 + rng.below(40), 120 + rng.below(60), 90 + rng.below(60));
        if (rng.chance(0.12))
            c = jewels[rng.below(8)];
        cells.push_back({x, y, c});
    }
    const double lead = h * 0.006;
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            double dc = std::hypot(x - cx, y - cy);
            bool inside = dc < radius;
            double d1 = 1e18, d2 = 1e18;
            int best = 0, second = 0;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                const Cell &c = cells[i];
                if ((std::hypot(c.x - cx, c.y - cy) < radius) != inside)
                    continue;
                double d = (x - c.x) * (x - c.x) + (y - c.y) * (y - c.y);
                if (d < d1) {
                    d2 = d1;
                    second = best;
                    d1 = d;
                    best = static_cast<int>(i);
                } else if (d < d2) {
                    d2 = d;
                    second = static_cast<int>(i);
                }
            }
            // Distance to the border between the two nearest panes.
            double apart = std::hypot(cells[best].x - cells[second].x, cells[best].y - cells[second].y);
            double edge = apart > 0 ? (d2 - d1) / (2.0 * apart) : 1e9;
            double ringEdge = std::fabs(dc - radius);
            double n = noise.fbm(x * 8.0 / h, y * 8.0 / h, 4);
            double streak = noise.at(x * 40.0 / h, y * 4.0 / h);
            double light = 0.75 + 0.25 * (1.0 - static_cast<double>(y) / h) + 0.18 * n + 0.05 * streak;
            QRgb glass = shade(cells[best].colour, light);
            // Brighter in the middle of each pane, as light comes through.
            glass = mixRgb(glass, qRgb(255, 255, 240), smoothstep(lead * 3, lead * 14, edge) * 0.18);
            double leadAmount = std::max(1.0 - smoothstep(lead * 0.6, lead, edge),
                                         1.0 - smoothstep(lead * 1.6, lead * 2.2, ringEdge));
            QRgb metal = mixRgb(qRgb(30, 30, 34), qRgb(90, 90, 96), clamp01(0.5 + n));
            row[x] = mixRgb(glass, metal, leadAmount);
        }
    }
    return img;
}

QImage starMosaic(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(30, 40, 70));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const int cols = 7;
    const double cell = static_cast<double>(w) / cols;
    const int rows = static_cast<int>(std::ceil(h / cell));
    const double cx = w / 2.0, cy = h / 2.0;
    auto starAt = [&](double x, double y, double r, double inner) {
        QPolygonF star;
        for (int i = 0; i < 16; ++i) {
            double a = M_PI * i / 8 + M_PI / 8;
            double rr = i % 2 ? r * inner : r;
            star << QPointF(x + std::cos(a) * rr, y + std::sin(a) * rr);
        }
        return star;
    };
    auto hueAt = [&](double x, double y) {
        // A colour wheel round the centre, shifting outwards.
        double dist = std::hypot(x - cx, y - cy) / (w * 0.5);
        double ang = std::atan2(y - cy, x - cx);
        return static_cast<int>(ang / (2 * M_PI) * 360 + 360 + dist * 90) % 360;
    };
    const QColor cream(250, 240, 210);
    for (int pass = 0; pass < 3; ++pass)
        for (int j = -1; j <= rows; ++j)
            for (int i = -1; i <= cols; ++i) {
                double x = (i + 0.5) * cell, y = (j + 0.5) * cell;
                int hue = hueAt(x, y);
                if (pass == 0) {
                    p.setPen(Qt::NoPen);
                    p.setBrush(QColor::fromHsv((hue + 150) % 360, 170, 110));
                    p.drawRect(QRectF(x - cell / 2, y - cell / 2, cell, cell));
                } else if (pass == 1) {
                    // Eight-pointed star, an inner rosette and a jewel.
                    QPolygonF star = starAt(x, y, cell * 0.5, 0.72);
                    p.setPen(QPen(cream, cell * 0.035, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                    p.setBrush(QColor::fromHsv(hue, 170, 215));
                    p.drawPolygon(star);
                    p.setPen(QPen(QColor(220, 170, 60), cell * 0.025));
                    p.setBrush(QColor::fromHsv((hue + 40) % 360, 200, 245));
                    p.drawPolygon(starAt(x, y, cell * 0.3, 0.6));
                    p.setPen(Qt::NoPen);
                    p.setBrush(QColor::fromHsv((hue + 200) % 360, 140, 250));
                    p.drawEllipse(QPointF(x, y), cell * 0.08, cell * 0.08);
                } else {
                    // Diamonds where four cells meet.
                    double dx = x + cell / 2, dy = y + cell / 2, dr = cell * 0.17;
                    QPolygonF diamond;
                    diamond << QPointF(dx, dy - dr) << QPointF(dx + dr, dy) << QPointF(dx, dy + dr) << QPointF(dx - dr, dy);
                    p.setPen(QPen(cream, cell * 0.03));
                    p.setBrush(QColor::fromHsv((hueAt(dx, dy) + 90) % 360, 190, 235));
                    p.drawPolygon(diamond);
                }
            }
    // A medallion in the middle.
    p.setPen(QPen(cream, w * 0.008));
    p.setBrush(QColor(20, 50, 100));
    p.drawEllipse(QPointF(cx, cy), w * 0.2, w * 0.2);
    QRadialGradient g(QPointF(cx, cy), w * 0.17);
    g.setColorAt(0, QColor(255, 236, 150));
    g.setColorAt(1, QColor(200, 110, 30));
    p.setBrush(g);
    p.drawPolygon(starAt(cx, cy, w * 0.17, 0.74));
    p.setBrush(QColor(30, 90, 160));
    p.drawPolygon(starAt(cx, cy, w * 0.1, 0.62));
    p.setBrush(QColor(220, 40, 60));
    p.drawEllipse(QPointF(cx, cy), w * 0.035, w * 0.035);
    return img;
}

QImage patchworkQuilt(int w, int h, std::uint64_t seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(240, 232, 214));
    Rng rng(seed * 11 + 1);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    static const QColor fabrics[] = {QColor(190, 40, 50),  QColor(240, 180, 60), QColor(40, 90, 160),
                                     QColor(70, 150, 90),  QColor(230, 120, 150), QColor(120, 70, 150),
                                     QColor(250, 240, 220), QColor(230, 110, 40), QColor(60, 170, 180),
                                     QColor(150, 90, 50)};
    const int n = 6;
    const double bs = static_cast<double>(w) / n;
    const double bh = static_cast<double>(h) / n;
    auto printed = [&](const QRectF &r, const QColor &c, int kind) {
        // A plain or printed fabric: dots, stripes or tiny flowers.
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawRect(r);
        QColor ink = c.lightness() > 150 ? c.darker(150) : c.lighter(150);
        p.setBrush(ink);
        double s = bs * 0.05;
        if (kind == 1) {
            for (double y = r.top() + s; y < r.bottom(); y += s * 2.2)
                for (double x = r.left() + s + (static_cast<int>(y / s) % 2) * s; x < r.right(); x += s * 2.2)
                    p.drawEllipse(QPointF(x, y), s * 0.3, s * 0.3);
        } else if (kind == 2) {
            for (double x = r.left(); x < r.right(); x += s * 1.6)
                p.drawRect(QRectF(x, r.top(), s * 0.5, r.height()));
        } else if (kind == 3) {
            for (double y = r.top() + s * 1.5; y < r.bottom(); y += s * 3.2)
                for (double x = r.left() + s * 1.5; x < r.right(); x += s * 3.2)
                    for (int k = 0; k < 5; ++k) {
                        double a = k * 2 * M_PI / 5;
                        p.drawEllipse(QPointF(x + std::cos(a) * s * 0.5, y + std::sin(a) * s * 0.5), s * 0.35, s * 0.35);
                    }
        }
    };
    for (int by = 0; by < n; ++by)
        for (int bx = 0; bx < n; ++bx) {
            QRectF block(bx * bs, by * bh, bs, bh);
            const int ia = rng.below(10);
            const int ib = (ia + 1 + rng.below(9)) % 10;     // never the same as the first
            QColor a = fabrics[ia], b = fabrics[ib], c = fabrics[rng.below(10)];
            int kind = (bx + by * 2 + rng.below(2)) % 5;
            p.save();
            p.setClipRect(block);
            if (kind == 0) {                         // four-patch
                for (int k = 0; k < 4; ++k)
                    printed(QRectF(block.left() + (k % 2) * bs / 2, block.top() + (k / 2) * bh / 2, bs / 2, bh / 2),
                            (k == 0 || k == 3) ? a : b, rng.below(4));
            } else if (kind == 1) {                  // log cabin
                printed(block, a, rng.below(4));
                for (int k = 0; k < 4; ++k) {
                    double in = bs * 0.1 * (k + 1);
                    printed(block.adjusted(in, in, -in, -in), k % 2 ? a : b, rng.below(4));
                }
                printed(block.adjusted(bs * 0.42, bh * 0.42, -bs * 0.42, -bh * 0.42), QColor(200, 30, 40), 0);
            } else if (kind == 2) {                  // half-square triangles
                printed(block, a, rng.below(4));
                p.setBrush(b);
                QPolygonF tri;
                tri << block.topLeft() << block.topRight() << block.bottomLeft();
                p.drawPolygon(tri);
            } else if (kind == 3) {                  // pinwheel
                printed(block, a, rng.below(4));
                QPointF m = block.center();
                p.setBrush(b);
                for (int k = 0; k < 4; ++k) {
                    QTransform t;
                    t.translate(m.x(), m.y());
                    t.rotate(90 * k);
                    QPolygonF blade;
                    blade << QPointF(0, 0) << QPointF(0, -bh / 2) << QPointF(bs / 2, -bh / 2);
                    p.drawPolygon(t.map(blade));
                }
            } else {                                 // star block
                printed(block, a, rng.below(4));
                QPointF m = block.center();
                QPolygonF star;
                for (int k = 0; k < 16; ++k) {
                    double ang = M_PI * k / 8 - M_PI / 2;
                    double r = k % 2 ? bs * 0.2 : bs * 0.45;
                    star << m + QPointF(std::cos(ang) * r, std::sin(ang) * r);
                }
                p.setBrush(b);
                p.drawPolygon(star);
                p.setBrush(c);
                p.drawEllipse(m, bs * 0.12, bs * 0.12);
            }
            p.restore();
            // Quilting stitches round each block.
            QPen stitch(QColor(60, 50, 40, 200), std::max(1.0, bs * 0.012), Qt::DashLine);
            p.setPen(stitch);
            p.setBrush(Qt::NoBrush);
            p.drawRect(block.adjusted(bs * 0.04, bh * 0.04, -bs * 0.04, -bh * 0.04));
            p.setPen(QPen(QColor(90, 70, 60), std::max(1.0, bs * 0.015)));
            p.drawRect(block);
        }
    return img;
}

} // namespace resgen
