// Writes camera-sized JPEGs that decode like photos: smooth light and shade,
// a few large shapes, fine detail and sensor noise everywhere, a different
// scene in each file.
//   startup_photos FOLDER COUNT WIDTH HEIGHT
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <cmath>
#include <cstdio>

namespace {

QImage scene(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    const double skyHue = random.bounded(360), groundHue = random.bounded(360);
    const double horizon = height * (0.35 + random.bounded(0.3));
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const bool sky = y < horizon;
        const double depth = sky ? y / horizon : (y - horizon) / (height - horizon);
        for (int x = 0; x < width; ++x) {
            const double ripple = std::sin(x * 0.013 + y * 0.007) * 12 + std::sin(x * 0.11) * std::cos(y * 0.09) * 9;
            const int grain = static_cast<int>(random.bounded(17)) - 8;
            const int value = qBound(0, static_cast<int>((sky ? 230 - 90 * depth : 90 + 80 * depth) + ripple) + grain, 255);
            line[x] = QColor::fromHsv(static_cast<int>(sky ? skyHue : groundHue) % 360, sky ? 90 : 140, value).rgb();
        }
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 12; ++i) {
        const QColor colour = QColor::fromHsv(random.bounded(360), 60 + random.bounded(150), 40 + random.bounded(200), 150);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        const int w = width / 20 + random.bounded(width / 4), h = height / 20 + random.bounded(height / 3);
        painter.drawEllipse(random.bounded(width), static_cast<int>(horizon) - h / 2 + random.bounded(height / 3), w, h);
    }
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s FOLDER COUNT WIDTH HEIGHT\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int count = std::atoi(argv[2]), width = std::atoi(argv[3]), height = std::atoi(argv[4]);
    QDir().mkpath(folder);
    for (int i = 1; i <= count; ++i) {
        const QString path = QStringLiteral("%1/photo%2.jpg").arg(folder).arg(i);
        if (!scene(width, height, 1000 + i).save(path, "JPEG", 92)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
