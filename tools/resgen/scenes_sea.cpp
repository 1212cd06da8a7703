// A regatta of sailing boats under a summer sky.
#include "common.h"
#include "pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <vector>

namespace resgen {

QImage sailingRegatta(int w, int h, std::uint64_t seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    Noise noise(seed);
    Rng rng(seed * 17 + 3);
    const int horizon = static_cast<int>(h * 0.42);
    const Ramp sky{{0.0, QColor(40, 110, 190)}, {0.7, QColor(120, 180, 230)}, {1.0, QColor(210, 232, 245)}};
    const Ramp sea{{0.0, QColor(90, 150, 190)}, {0.3, QColor(30, 110, 160)}, {1.0, QColor(8, 50, 100)}};
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        double ny = static_cast<double>(y) / h;
        for (int x = 0; x < w; ++x) {
            double nx = static_cast<double>(x) / h;
            if (y < horizon) {
                double t = static_cast<double>(y) / horizon;
                QRgb c = sky.at(t);
                double n = noise.fbm(nx * 2.0, ny * 5.0, 6);
                double puff = smoothstep(0.0, 0.4, n) * (1 - smoothstep(0.75, 1.0, t));
                double shadowN = noise.fbm(nx * 2.0 + 0.02, ny * 5.0 + 0.06, 6);
                QRgb cloud = mixRgb(qRgb(255, 255, 255), qRgb(170, 180, 200), smoothstep(0.1, 0.5, shadowN - n + 0.2));
                row[x] = mixRgb(c, cloud, puff);
            } else {
                double d = static_cast<double>(y - horizon) / (h - horizon);
                double persp = 0.05 + d;
                double wave = noise.fbm(nx * 3.0 / persp, ny * 30.0 / persp, 5);
                QRgb c = sea.at(d + wave * 0.12);
                double crest = smoothstep(0.35, 0.6, wave);
                c = mixRgb(c, qRgb(230, 245, 255), crest * 0.7);
                double trough = smoothstep(-0.2, -0.5, wave);
                row[x] = mixRgb(c, qRgb(5, 30, 70), trough * 0.5);
            }
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // An island with a white village on the horizon.
    QPainterPath island;
    double ix0 = 0.55 * w, ix1 = 0.98 * w;
    island.moveTo(ix0, horizon);
    for (int i = 0; i <= 30; ++i) {
        double f = i / 30.0;
        double top = std::sin(f * M_PI) * (0.06 + 0.02 * noise.fbm(f * 4, 9.0, 4)) * h;
        island.lineTo(ix0 + (ix1 - ix0) * f, horizon - top);
    }
    island.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 120, 90));
    p.drawPath(island);
    for (int i = 0; i < 26; ++i) {
        double f = rng.range(0.2, 0.8);
        double top = std::sin(f * M_PI) * 0.055 * h;
        double hx = ix0 + (ix1 - ix0) * f;
        double hy = horizon - rng.range(0.0, top);
        double s = rng.range(0.008, 0.014) * h;
        p.setBrush(QColor(245, 242, 232));
        p.drawRect(QRectF(hx, hy - s, s * 1.3, s));
        p.setBrush(rng.chance(0.3) ? QColor(60, 110, 190) : QColor(200, 90, 60));
        p.drawRect(QRectF(hx - s * 0.1, hy - s * 1.25, s * 1.5, s * 0.3));
    }
    // Boats, far ones first.
    struct Boat { double x, y, s; int colour; bool flip; };
    std::vector<Boat> boats;
    for (int i = 0; i < 11; ++i) {
        double d = std::pow((i + rng.uniform()) / 11.0, 1.3);
        boats.push_back({(0.04 + 0.92 * (((i * 7) % 11) + rng.uniform()) / 11.0) * w, horizon + (0.04 + d * 0.5) * h, (0.07 + d * 0.3) * h, i % 6,
                         rng.chance(0.5)});
    }
    static const QColor sails[][2] = {
        {QColor(230, 50, 60), QColor(255, 220, 60)},  {QColor(40, 90, 200), QColor(255, 255, 255)},
        {QColor(250, 150, 30), QColor(120, 30, 110)}, {QColor(30, 160, 110), QColor(250, 240, 200)},
        {QColor(200, 40, 140), QColor(40, 180, 230)}, {QColor(255, 230, 60), QColor(20, 40, 90)}};
    int number = 7;
    for (const Boat &b : boats) {
        double s = b.s;
        double dir = b.flip ? -1 : 1;
        p.save();
        p.translate(b.x, b.y);
        p.scale(dir, 1);
        // Wake
        p.setPen(QPen(QColor(240, 250, 255, 160), std::max(1.0, s * 0.03), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(-s * 0.5, s * 0.04), QPointF(-s * 1.1, s * 0.1));
        p.drawLine(QPointF(-s * 0.3, s * 0.07), QPointF(-s * 0.9, s * 0.16));
        QPainterPath hull;
        hull.moveTo(-s * 0.5, -s * 0.05);
        hull.lineTo(s * 0.55, -s * 0.08);
        hull.quadTo(s * 0.35, s * 0.07, -s * 0.35, s * 0.05);
        hull.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(b.colour % 2 ? QColor(245, 245, 245) : QColor(20, 40, 80));
        p.drawPath(hull);
        // Mainsail and spinnaker
        QPainterPath main;
        main.moveTo(0, -s * 0.1);
        main.lineTo(0, -s * 1.15);
        main.quadTo(-s * 0.2, -s * 0.5, -s * 0.45, -s * 0.12);
        main.closeSubpath();
        QLinearGradient mg(-s * 0.4, 0, 0, 0);
        mg.setColorAt(0, QColor(225, 230, 235));
        mg.setColorAt(1, QColor(255, 255, 255));
        p.setBrush(mg);
        p.drawPath(main);
        QPainterPath spin;
        spin.moveTo(s * 0.02, -s * 1.05);
        spin.cubicTo(s * 0.75, -s * 0.95, s * 0.8, -s * 0.35, s * 0.5, -s * 0.15);
        spin.lineTo(s * 0.04, -s * 0.25);
        spin.closeSubpath();
        p.save();
        p.setClipPath(spin);
        for (int k = 0; k < 6; ++k) {
            p.setBrush(sails[b.colour][k % 2]);
            p.drawRect(QRectF(0, -s * 1.1 + k * s * 0.17, s, s * 0.17));
        }
        QLinearGradient sg(0, 0, s * 0.8, 0);
        sg.setColorAt(0, QColor(0, 0, 0, 60));
        sg.setColorAt(0.6, QColor(255, 255, 255, 40));
        sg.setColorAt(1, QColor(0, 0, 0, 40));
        p.fillRect(QRectF(0, -s * 1.2, s, s), sg);
        p.restore();
        p.setPen(QPen(QColor(40, 40, 40), std::max(1.0, s * 0.015)));
        p.drawLine(QPointF(0, -s * 0.08), QPointF(0, -s * 1.18));
        p.restore();
        if (s > 0.12 * h) {
            // Sail number low on the mainsail, where it is widest.
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setBold(true);
            f.setPixelSize(static_cast<int>(s * 0.09));
            p.setFont(f);
            p.setPen(QColor(30, 40, 70));
            p.drawText(QRectF(b.x - dir * s * 0.16 - s * 0.1, b.y - s * 0.36, s * 0.2, s * 0.12), Qt::AlignCenter,
                       QString::number(number++));
        }
    }
    return img;
}

} // namespace resgen
