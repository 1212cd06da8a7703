// Our own readers of outside bytes, fuzzed from real files: the cache's PNG
// reader, the Exif orientation reader, the header checks and, through them,
// the whole loader. Each input must end cleanly (refused, or read whole) in
// under 2 s and 256 MiB; a crash or a sanitizer report fails the program.
#include "Fuzz.h"
#include "HostileFiles.h"
#include "JpegPicture.h"
#include "PictureHeaders.h"
#include "PictureLoader.h"
#include "PngFile.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QString shippedPictures()
{
    return QStringLiteral(TILEMERE_SOURCE_DIR "/resources/Puzzleimages");
}

// Small versions of the shipped pictures: the fuzzer's time goes into
// variety, not into decoding pixels.
QList<QImage> shippedSmall()
{
    QList<QImage> small;
    for (const QByteArray &bytes : fuzz::filesIn(shippedPictures(), {".jpg", ".bmp"})) {
        const QImage image = QImage::fromData(bytes);
        if (!image.isNull())
            small << image.scaled(48, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (small.size() == 4)
            break;
    }
    return small;
}

// Where a PNG's chunk lengths, and its stated size, lie.
QList<fuzz::Field> pngFields(const QByteArray &png)
{
    QList<fuzz::Field> fields{{16, 4, true}, {20, 4, true}};
    for (qsizetype at = 8; at + 8 <= png.size();) {
        fields.append({at, 4, true});
        at += 12 + qsizetype(qFromBigEndian<quint32>(png.constData() + at));
    }
    return fields;
}

// No input failed, and some mutations still read: a run that refuses
// everything tests nothing.
void expectClean(const fuzz::Report &report, qsizetype seeds)
{
    EXPECT_TRUE(report.failure.isEmpty()) << report.failure.toStdString();
    EXPECT_GT(report.accepted, seeds) << "mutations that still read";
}

TEST(ReaderFuzz, CachePngReaderRefusesOrReadsWhole)
{
    QList<QByteArray> seeds;
    for (const QImage &image : shippedSmall()) {
        seeds << tilemere::png::encode(image, {{"Thumb::URI", "file:///a.jpg"}, {"Thumb::MTime", "1"}}, 3);
        seeds << hostile::encoded(image.convertToFormat(QImage::Format_Indexed8), "png");
    }
    QList<QList<fuzz::Field>> fields;
    for (const QByteArray &seed : seeds)
        fields << pngFields(seed);
    const fuzz::Report report = fuzz::run(seeds, fields, 3000, 2401, [](const QByteArray &input) {
        const auto picture = tilemere::png::decode(input, 4096 * 4096);
        fuzz::Verdict verdict;
        if (!picture || picture->image.isNull())
            return verdict; // left to Qt, or refused
        verdict.accepted = true;
        // Read whole: the pixels the header states, every one.
        const auto facts = tilemere::headers::pngFacts(input);
        if (!facts || picture->image.size() != QSize(facts->width, facts->height))
            verdict.failure = QStringLiteral("an image of another size than the header states");
        return verdict;
    });
    expectClean(report, seeds.size());
}

// An Exif block: "Exif\0\0", a TIFF header, then a directory of entries
// and the offset of the next one, pointing back at the first: a loop.
QByteArray exifBlock(bool bigEndian, quint16 orientation, int entriesBefore)
{
    QByteArray block("Exif\0\0", 6);
    QByteArray tiff(bigEndian ? "MM\0*" : "II*\0", 4);
    const auto put = [&](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            tiff.append(char(value >> (8 * (bigEndian ? bytes - 1 - i : i))));
    };
    put(8, 4);
    put(quint32(entriesBefore + 1), 2);
    for (int i = 0; i < entriesBefore; ++i) {
        put(0x010F + i, 2); // makers' names and the like
        put(2, 2);
        put(4, 4);
        put(0x41424300, 4);
    }
    put(0x0112, 2);
    put(3, 2);
    put(1, 4);
    put(quint32(orientation) << (bigEndian ? 16 : 0), 4);
    put(8, 4);
    return block + tiff;
}

TEST(ReaderFuzz, ExifOrientationReaderGivesAnOrientationOrNone)
{
    QList<QByteArray> seeds;
    QList<QList<fuzz::Field>> fields;
    for (const bool big : {false, true}) {
        for (const int before : {0, 3}) {
            seeds << exifBlock(big, quint16(before + 3), before);
            // The directory's offset and count, each entry's type, count and
            // value, and the next directory's offset.
            QList<fuzz::Field> places{{10, 4, big}, {14, 2, big}};
            for (int i = 0; i <= before; ++i)
                for (const int at : {2, 4, 8})
                    places.append({16 + 12 * i + at, at == 2 ? 2 : 4, big});
            places.append({16 + 12 * (before + 1), 4, big});
            fields << places;
        }
    }
    using T = QImageIOHandler;
    const QList<T::Transformations> known = {T::TransformationNone, T::TransformationMirror, T::TransformationRotate180,
                                             T::TransformationFlip, T::TransformationFlipAndRotate90,
                                             T::TransformationRotate90, T::TransformationMirrorAndRotate90,
                                             T::TransformationRotate270};
    const fuzz::Report report = fuzz::run(seeds, fields, 4000, 2402, [&](const QByteArray &input) {
        // A copy of exactly the input's length, so that a read past it is
        // caught by the address sanitizer.
        const std::vector<uchar> bytes(input.begin(), input.end());
        const auto orientation = tilemere::jpeg::exifOrientation(bytes.data(), unsigned(bytes.size()));
        fuzz::Verdict verdict{orientation != T::TransformationNone, {}};
        if (!known.contains(orientation))
            verdict.failure = QStringLiteral("no orientation a camera writes");
        return verdict;
    });
    expectClean(report, seeds.size());
}

TEST(ReaderFuzz, HeaderChecksTellSomethingSaneOrNothing)
{
    QList<QByteArray> seeds;
    for (const QImage &image : shippedSmall().mid(0, 2)) {
        for (const char *format : {"bmp", "png", "webp", "tiff"})
            seeds << hostile::encoded(image, format);
    }
    seeds << hostile::tiffWithSamples(3) << hostile::animatedWebp(300) << hostile::bitmapPastItsPalette(16);
    const QList<QList<fuzz::Field>> fields(seeds.size(), {{4, 4, false}, {10, 4, false}, {18, 4, false},
                                                          {22, 4, false}, {16, 4, true}, {20, 4, true}});
    const fuzz::Report report = fuzz::run(seeds, fields, 4000, 2403, [](const QByteArray &input) {
        fuzz::Verdict verdict;
        QBuffer device;
        device.setData(input);
        device.open(QIODevice::ReadOnly);
        verdict.accepted = tilemere::headers::bitmapIsShort(device);
        verdict.accepted = !tilemere::headers::tiffSamplesPlausible(device) || verdict.accepted;
        if (const auto png = tilemere::headers::pngFacts(input)) {
            verdict.accepted = true;
            if (png->width < 0 || png->height < 0)
                verdict.failure = QStringLiteral("a negative PNG size");
        }
        if (const auto webp = tilemere::headers::webpFacts(input)) {
            verdict.accepted = true;
            if (webp->width <= 0 || webp->height <= 0 || webp->fileBytes < 8)
                verdict.failure = QStringLiteral("a WebP size no file has");
        }
        return verdict;
    });
    expectClean(report, seeds.size());
}

// The whole loader, with Qt's and libjpeg's decoders behind the checks, on
// small files of every type: nothing or a picture of a size that was stated.
TEST(ReaderFuzz, LoaderGivesAPictureOrNothing)
{
    QList<QByteArray> seeds;
    QStringList suffixes;
    const QImage image = shippedSmall().value(0);
    for (const char *format : {"jpeg", "png", "bmp", "gif", "webp", "tiff"}) {
        seeds << hostile::encoded(image, format, QByteArrayView(format) == "jpeg");
        suffixes << QString::fromLatin1(format);
    }
    seeds << hostile::encoded(image, "jpeg").insert(2, QByteArray::fromHex("ffe1") + [] {
        QByteArray exif = exifBlock(false, 6, 1);
        return QByteArray(1, char((exif.size() + 2) >> 8)) + char((exif.size() + 2) & 0xFF) + exif;
    }());
    suffixes << QStringLiteral("jpg");
    QTemporaryDir dir;
    int number = 0;
    tilemere::DecodeBudget budget;
    const fuzz::Report report = fuzz::run(seeds, {}, 900, 2404, [&](const QByteArray &input) {
        const QString path = dir.filePath(QStringLiteral("input.") + suffixes[number++ % suffixes.size()]);
        fuzz::Verdict verdict;
        if (!hostile::writeFile(path, input)) {
            verdict.failure = QStringLiteral("not written");
            return verdict;
        }
        const QImage picture = tilemere::loadPicture(path, QSize(24, 16), budget);
        verdict.accepted = !picture.isNull();
        if (verdict.accepted && (picture.width() > tilemere::kMaxPictureSide || picture.height() > tilemere::kMaxPictureSide))
            verdict.failure = QStringLiteral("a picture beyond any stated size");
        if (budget.bytesInUse() != 0)
            verdict.failure = QStringLiteral("memory left reserved");
        return verdict;
    });
    expectClean(report, seeds.size());
}

} // namespace
