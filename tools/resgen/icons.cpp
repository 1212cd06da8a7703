// The application icon: a picture cut into a 3 x 3 board with the bottom
// right tile missing. Small sizes are laid out on whole pixels so the edges
// stay sharp.
#include "common.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace resgen {

namespace {

struct Layout {
    int margin;
    int gap;
    int tile;
};

Layout layoutFor(int size)
{
    switch (size) {
    case 16: return {1, 1, 4};
    case 24: return {2, 1, 6};
    case 32: return {2, 2, 8};
    case 48: return {4, 2, 12};
    case 64: return {5, 3, 16};
    case 128: return {9, 4, 34};
    default: break;
    }
    int gap = std::max(1, size / 32);
    int tile = (size - 2 * (size / 14) - 2 * gap) / 3;
    return {(size - 3 * tile - 2 * gap) / 2, gap, tile};
}

// The picture on the tiles: a sunset over the sea, drawn over `area`.
void paintScene(QPainter &p, const QRectF &area, int size)
{
    const double u = area.width();
    const double horizon = area.top() + u * 0.52;
    QLinearGradient sky(area.topLeft(), QPointF(area.left(), horizon));
    sky.setColorAt(0.0, QColor(255, 200, 84));
    sky.setColorAt(0.6, QColor(244, 120, 90));
    sky.setColorAt(1.0, QColor(180, 70, 130));
    p.fillRect(QRectF(area.left(), area.top(), u, horizon - area.top()), sky);
    QLinearGradient sea(QPointF(area.left(), horizon), area.bottomLeft());
    sea.setColorAt(0.0, QColor(50, 140, 210));
    sea.setColorAt(1.0, QColor(20, 60, 140));
    p.fillRect(QRectF(area.left(), horizon, u, area.bottom() - horizon), sea);
    // The sun, half set.
    p.save();
    p.setClipRect(QRectF(area.left(), area.top(), u, horizon - area.top()));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 244, 190));
    p.drawEllipse(QPointF(area.left() + u * 0.5, horizon), u * 0.15, u * 0.15);
    p.restore();
    if (size >= 48) {
        // Two small clouds in the sky.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 236, 200, 230));
        for (const QPointF &c : {QPointF(0.18, 0.16), QPointF(0.8, 0.2)}) {
            QPointF at(area.left() + u * c.x(), area.top() + u * c.y());
            p.drawEllipse(at, u * 0.07, u * 0.035);
            p.drawEllipse(at + QPointF(u * 0.04, -u * 0.02), u * 0.045, u * 0.035);
            p.drawEllipse(at + QPointF(-u * 0.045, u * 0.005), u * 0.04, u * 0.025);
        }
    }
    if (size >= 32) {
        // Glitter on the water under the sun.
        p.setPen(QPen(QColor(255, 226, 160, 220), std::max(1.0, u * 0.025), Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 4; ++i) {
            double y = horizon + u * (0.05 + 0.1 * i);
            double half = u * (0.1 - 0.015 * i);
            double shift = (i % 2 ? 0.03 : -0.03) * u;
            p.drawLine(QPointF(area.left() + u * 0.5 - half + shift, y), QPointF(area.left() + u * 0.5 + half + shift, y));
        }
        // A sailing boat on the left.
        const double bx = area.left() + u * 0.16, by = horizon + u * 0.04;
        QPainterPath sail;
        sail.moveTo(bx, by - u * 0.02);
        sail.lineTo(bx, by - u * 0.26);
        sail.lineTo(bx + u * 0.12, by - u * 0.02);
        sail.closeSubpath();
        QPainterPath hull;
        hull.moveTo(bx - u * 0.08, by);
        hull.lineTo(bx + u * 0.15, by);
        hull.lineTo(bx + u * 0.11, by + u * 0.04);
        hull.lineTo(bx - u * 0.05, by + u * 0.04);
        hull.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 250, 245));
        p.drawPath(sail);
        p.setBrush(QColor(120, 40, 50));
        p.drawPath(hull);
    }
}

QImage appIcon(int size)
{
    const Layout l = layoutFor(size);
    const int k = size >= 48 ? 4 : 1;              // large sizes are drawn larger and reduced
    const int s = size * k;
    QImage img(s, s, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, size >= 24);
    // The board's frame.
    QRectF frame(0, 0, s, s);
    double corner = size >= 24 ? s * 0.16 : s * 0.12;
    QLinearGradient wood(frame.topLeft(), frame.bottomLeft());
    wood.setColorAt(0, QColor(47, 119, 206));
    wood.setColorAt(1, QColor(19, 49, 85));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    if (size >= 24)
        p.drawRoundedRect(frame, corner, corner);
    else
        p.drawRect(frame.adjusted(0, 0, 0, 0));
    // The picture, painted once and shown through the eight tiles.
    const double m = l.margin * k, g = l.gap * k, t = l.tile * k;
    QRectF picture(m, m, 3 * t + 2 * g, 3 * t + 2 * g);
    QPainterPath tiles;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            if (r == 2 && c == 2)
                continue;
            QRectF rect(m + c * (t + g), m + r * (t + g), t, t);
            double rr = size >= 48 ? t * 0.12 : 0;
            if (rr > 0)
                tiles.addRoundedRect(rect, rr, rr);
            else
                tiles.addRect(rect);
        }
    p.save();
    p.setClipPath(tiles);
    paintScene(p, picture, size);
    p.restore();
    // The hole, sunk into the board, and a highlight on the tiles' edges.
    QRectF hole(m + 2 * (t + g), m + 2 * (t + g), t, t);
    p.setBrush(QColor(12, 30, 54));
    if (size >= 48)
        p.drawRoundedRect(hole, t * 0.12, t * 0.12);
    else
        p.drawRect(hole);
    if (size >= 32) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 110), std::max(1.0, k * size / 64.0)));
        p.drawPath(tiles);
    }
    p.end();
    if (k > 1)
        img = img.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return img;
}

} // namespace

bool generateIcons(const QString &iconsDir, const QString &only)
{
    bool ok = true;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral("hicolor/%1x%1/apps/org.example.Tilemere.png").arg(size);
        if (!only.isEmpty() && !file.contains(only))
            continue;
        ok = save(appIcon(size), QDir(iconsDir).filePath(file)) && ok;
    }
    return ok;
}

} // namespace resgen
