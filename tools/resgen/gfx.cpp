// The small pictures the game's screens use: title banner, maker's mark and
// the sound on/off buttons, each at its design size and at double size for
// high-density screens ("name@2x.ext"), both reduced from one large drawing.
#include "common.h"

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <utility>

namespace resgen {

namespace {

const QColor kPanel(26, 83, 136);
const QColor kBackground(19, 49, 85);
const QColor kAccent(255, 169, 83);

// Largest pixel size, up to `maxSize`, at which `text` fits in `width`.
QFont fittedFont(const QString &family, const QString &text, double width, int maxSize, bool bold)
{
    QFont font(family);
    font.setBold(bold);
    for (int size = maxSize; size > 4; --size) {
        font.setPixelSize(size);
        if (QFontMetricsF(font).horizontalAdvance(text) <= width)
            break;
    }
    return font;
}

// Text with a dark outline so it reads on any background.
void outlinedText(QPainter &p, const QFont &font, const QString &text, QPointF baselineCentre, const QColor &fill,
                  const QColor &outline, double outlineWidth)
{
    QPainterPath path;
    double width = QFontMetricsF(font).horizontalAdvance(text);
    path.addText(baselineCentre.x() - width / 2, baselineCentre.y(), font, text);
    p.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

// A drawing made k times its design size, k even, so that it halves exactly.
struct Master {
    QImage image;
    int k;
};

Master titleBanner()
{
    const int k = 4;                                  // drawn larger, then reduced
    const int w = 170 * k, h = 100 * k;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, kPanel.lighter(115));
    sky.setColorAt(0.6, kPanel);
    sky.setColorAt(1, kBackground);
    p.fillRect(img.rect(), sky);
    // Water: rows of waves along the bottom.
    for (int row = 0; row < 4; ++row) {
        double base = h * (0.74 + 0.075 * row);
        QPainterPath wave;
        wave.moveTo(0, h);
        wave.lineTo(0, base);
        for (int x = 0; x <= w; x += 4)
            wave.lineTo(x, base + std::sin(x * 0.045 + row * 1.3) * k * 2.2);
        wave.lineTo(w, h);
        wave.closeSubpath();
        p.setPen(QPen(QColor(170, 215, 245, 200), k * 0.8));
        p.setBrush(mixColor(QColor(60, 140, 200), kBackground, row / 3.5));
        p.drawPath(wave);
    }
    // Tiles bobbing on the water, one missing from the row.
    static const QColor tileColours[] = {QColor(232, 84, 70), kAccent, QColor(250, 214, 90), QColor(110, 190, 110),
                                         QColor(47, 119, 206)};
    const double ts = 17 * k;
    for (int i = 0; i < 6; ++i) {
        if (i == 4)
            continue;
        double cx = w * (0.12 + 0.152 * i);
        double cy = h * 0.76 + std::sin(i * 1.9) * k * 2;
        p.save();
        p.translate(cx, cy);
        p.rotate((i % 2 ? 6 : -5));
        QRectF r(-ts / 2, -ts / 2, ts, ts);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawRoundedRect(r.translated(k * 1.2, k * 1.2), k * 2.5, k * 2.5);
        QLinearGradient face(r.topLeft(), r.bottomRight());
        face.setColorAt(0, tileColours[i % 5].lighter(125));
        face.setColorAt(1, tileColours[i % 5].darker(115));
        p.setBrush(face);
        p.setPen(QPen(QColor(255, 255, 255, 200), k * 0.9));
        p.drawRoundedRect(r, k * 2.5, k * 2.5);
        p.restore();
    }
    // The name in two lines.
    const QString family = QStringLiteral("Comic Sans MS");
    const QString top = QStringLiteral("Brackwater-");
    const QString bottom = QStringLiteral("Tilemere");
    QFont small = fittedFont(family, top, w * 0.8, 22 * k, true);
    QFont big = fittedFont(family, bottom, w * 0.92, 34 * k, true);
    outlinedText(p, small, top, QPointF(w / 2.0, h * 0.25), QColor(235, 244, 252), kBackground, k * 2.2);
    outlinedText(p, big, bottom, QPointF(w / 2.0, h * 0.58), kAccent, kBackground, k * 2.8);
    p.end();
    return {img, k};
}

Master makerLogo()
{
    const int k = 6;
    const int s = 55 * k;
    QImage img(s, s, QImage::Format_RGB32);
    img.fill(kBackground);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF badge(k * 2, k * 2, s - k * 4, s - k * 4);
    QLinearGradient fill(badge.topLeft(), badge.bottomLeft());
    fill.setColorAt(0, QColor(47, 119, 206));
    fill.setColorAt(1, kPanel.darker(120));
    p.setPen(QPen(kAccent, k * 1.6));
    p.setBrush(fill);
    p.drawRoundedRect(badge, k * 9, k * 9);
    // Two waves under the letters.
    p.save();
    p.setClipPath([&] {
        QPainterPath clip;
        clip.addRoundedRect(badge.adjusted(k, k, -k, -k), k * 8, k * 8);
        return clip;
    }());
    for (int i = 0; i < 2; ++i) {
        QPainterPath wave;
        double base = s * (0.74 + 0.1 * i);
        wave.moveTo(0, s);
        wave.lineTo(0, base);
        for (int x = 0; x <= s; x += 2)
            wave.lineTo(x, base + std::sin(x * 0.055 + i * 2.0) * k * 1.8);
        wave.lineTo(s, s);
        wave.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(i == 0 ? QColor(120, 190, 240) : QColor(60, 130, 200));
        p.drawPath(wave);
    }
    p.restore();
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setBold(true);
    font.setPixelSize(static_cast<int>(s * 0.46));
    font.setLetterSpacing(QFont::PercentageSpacing, 88);
    outlinedText(p, font, QStringLiteral("BW"), QPointF(s / 2.0, s * 0.62), QColor(255, 255, 255), kBackground, k * 2.0);
    p.end();
    return {img, k};
}

// The loudspeaker button: a cone, and either sound waves or a cross.
Master speaker(bool muted)
{
    const int k = 8;
    const int s = 28 * k;
    QImage img(s, s, QImage::Format_RGB32);
    img.fill(kBackground);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor light(232, 240, 250);
    QPainterPath cone;
    cone.moveTo(3 * k, 10.5 * k);
    cone.lineTo(8 * k, 10.5 * k);
    cone.lineTo(14 * k, 5 * k);
    cone.lineTo(14 * k, 23 * k);
    cone.lineTo(8 * k, 17.5 * k);
    cone.lineTo(3 * k, 17.5 * k);
    cone.closeSubpath();
    p.setPen(QPen(light, k * 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(light);
    p.drawPath(cone);
    if (muted) {
        p.setPen(QPen(kAccent, k * 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(17.5 * k, 10 * k), QPointF(25 * k, 18 * k));
        p.drawLine(QPointF(25 * k, 10 * k), QPointF(17.5 * k, 18 * k));
    } else {
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 3; ++i) {
            double r = (4.0 + 3.5 * i) * k;
            p.setPen(QPen(light, k * 1.7, Qt::SolidLine, Qt::RoundCap));
            p.drawArc(QRectF(14 * k - r, 14 * k - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
        }
    }
    p.end();
    return {img, k};
}

// "Gfx/BW_logo.jpg" becomes "Gfx/BW_logo@2x.jpg", the name the game looks for.
QString doubleSizeName(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return name.left(dot) + QStringLiteral("@2x") + name.mid(dot);
}

} // namespace

bool generateGfx(const QString &resources, const QString &only)
{
    const QDir dir(resources);
    bool ok = true;
    const auto wanted = [&only](const QString &path) { return only.isEmpty() || path.contains(only); };
    // The design size and the double size, reduced from the same drawing.
    const auto write = [&](const char *name, Master (*draw)(), int quality) {
        const QString file = QString::fromLatin1(name);
        const QString doubled = doubleSizeName(file);
        if (!wanted(file) && !wanted(doubled))
            return;
        const Master master = draw();
        for (const auto &[path, factor] : {std::pair{file, master.k}, std::pair{doubled, master.k / 2}})
            if (wanted(path))
                ok = save(downsample(master.image, factor), dir.filePath(path), quality) && ok;
    };
    write("Gfx/titleBanner.jpg", titleBanner, 94);
    write("Gfx/BW_logo.jpg", makerLogo, 94);
    write("Gfx/Volume.bmp", [] { return speaker(false); }, 90);
    write("Gfx/MuteVolume.bmp", [] { return speaker(true); }, 90);
    return ok;
}

} // namespace resgen
