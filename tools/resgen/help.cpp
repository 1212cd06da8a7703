// The help page: index.htm beside the program and its files in help/.
#include "common.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace resgen {

QByteArray helpPageHtml();
QByteArray helpStyleCss();

namespace {

// A 4 x 4 board with the hole in the corner and an arrow showing the tile
// beside it sliding in.
QImage boardIllustration()
{
    const int k = 3;
    const int s = 240 * k;
    QImage img(s, s, QImage::Format_RGB32);
    img.fill(QColor(26, 83, 136));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double margin = 14 * k, gap = 4 * k;
    const double tile = (s - 2 * margin - 3 * gap) / 4;
    QRectF board(margin - gap, margin - gap, s - 2 * margin + 2 * gap, s - 2 * margin + 2 * gap);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(19, 49, 85));
    p.drawRoundedRect(board, 8 * k, 8 * k);
    // Tiles numbered in reading order, coloured in bands so the order shows.
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setBold(true);
    font.setPixelSize(static_cast<int>(tile * 0.42));
    p.setFont(font);
    int number = 1;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c, ++number) {
            if (r == 3 && c == 3)
                continue;
            QRectF rect(margin + c * (tile + gap), margin + r * (tile + gap), tile, tile);
            bool moving = (r == 3 && c == 2);
            QColor face = QColor::fromHsv((20 + r * 55 + c * 12) % 360, 150, 225);
            if (moving)
                face = QColor(255, 169, 83);
            QLinearGradient g(rect.topLeft(), rect.bottomRight());
            g.setColorAt(0, face.lighter(118));
            g.setColorAt(1, face.darker(112));
            p.setPen(QPen(QColor(255, 255, 255, 150), k));
            p.setBrush(g);
            p.drawRoundedRect(rect, 6 * k, 6 * k);
            p.setPen(QColor(19, 49, 85));
            p.drawText(rect, Qt::AlignCenter, QString::number(number));
        }
    // The arrow from tile 15 into the hole.
    QPointF from(margin + 2 * (tile + gap) + tile * 0.75, margin + 3 * (tile + gap) + tile * 0.8);
    QPointF to(margin + 3 * (tile + gap) + tile * 0.55, from.y());
    p.setPen(QPen(QColor(255, 255, 255), 4 * k, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    QPainterPath head;
    head.moveTo(to + QPointF(6 * k, 0));
    head.lineTo(to + QPointF(-6 * k, -7 * k));
    head.lineTo(to + QPointF(-6 * k, 7 * k));
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(head);
    p.end();
    return downsample(img, k);
}

} // namespace

bool generateHelp(const QString &resources, const QString &only)
{
    const QDir dir(resources);
    bool ok = true;
    auto wanted = [&only](const QString &name) { return only.isEmpty() || name.contains(only); };
    if (wanted(QStringLiteral("index.htm")))
        ok = saveBytes(helpPageHtml(), dir.filePath(QStringLiteral("index.htm"))) && ok;
    if (wanted(QStringLiteral("help/style.css")))
        ok = saveBytes(helpStyleCss(), dir.filePath(QStringLiteral("help/style.css"))) && ok;
    if (wanted(QStringLiteral("help/board.png")))
        ok = save(boardIllustration(), dir.filePath(QStringLiteral("help/board.png"))) && ok;
    return ok;
}

} // namespace resgen
