// Which WAV files the real player can play and what it hands to the audio
// output; everything else gives the default beep instead.
#include "SoundPlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

template <typename T> QByteArray little(T value)
{
    QByteArray bytes(sizeof value, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

TEST(WaveFileTest, PlayableFilesAndWhatTheOutputGets)
{
    const auto chunk = [](const char *id, const QByteArray &body) {
        return QByteArray(id, 4) + little<quint32>(body.size()) + body + QByteArray(body.size() % 2, '\0');
    };
    // The extensible header (tag 0xFFFE) names the real format in `extension`.
    const auto format = [&chunk](quint16 tag, quint16 channels, quint32 rate, quint16 bits, QByteArray extension = {}) {
        const quint16 frame = channels * bits / 8;
        return chunk("fmt ", little(tag) + little(channels) + little(rate) + little(rate * frame) + little(frame) +
                                 little(bits) + extension);
    };
    const auto wave = [](const QByteArray &body) { return "RIFF" + little<quint32>(4 + body.size()) + "WAVE" + body; };
    const QByteArray data = chunk("data", QByteArray::fromHex("01020304")), pcm16 = format(1, 1, 44100, 16);
    const QByteArray extensible = QByteArray::fromHex("16001000000000000100000000001000800000aa00389b71");
    const struct {
        const char *name;
        QByteArray file;
        const char *expected; // channels, rate, sample format, samples; nothing: not playable
    } cases[] = {
        {"16-bit mono", wave(pcm16 + data), "1 44100 Int16 01020304"},
        {"8-bit stereo", wave(format(1, 2, 11025, 8) + data), "2 11025 UInt8 01020304"},
        {"32-bit float", wave(format(3, 1, 48000, 32) + data), "1 48000 Float 01020304"},
        {"extensible 16-bit", wave(format(0xFFFE, 2, 22050, 16, extensible) + data), "2 22050 Int16 01020304"},
        {"24-bit widened to the top of 32", wave(format(1, 1, 44100, 24) + chunk("data", "\xaa\xbb\xcc\x11\x22\x33")),
         "1 44100 Int32 00aabbcc00112233"},
        {"odd-sized chunk before the samples", wave(pcm16 + chunk("LIST", "abc") + data), "1 44100 Int16 01020304"},
        {"samples before the format", wave(data + pcm16), "1 44100 Int16 01020304"},
        {"cut short: whole frames only", wave(format(1, 2, 44100, 16)) + "data" + little(400) + "\1\2\3\4\5\6\7",
         "2 44100 Int16 01020304"},
        {"text named .wav", "click click click click click", ""},
        {"another RIFF kind", "RIFF" + little(16) + "AVI " + data, ""},
        {"compressed (ADPCM)", wave(format(2, 1, 44100, 4) + data), ""},
        {"12-bit PCM", wave(format(1, 1, 44100, 12) + data), ""},
        {"no channels", wave(format(1, 0, 44100, 16) + data), ""},
        {"no samples chunk", wave(pcm16), ""},
        {"no format chunk", wave(data), ""},
        {"less than one frame", wave(format(1, 2, 44100, 16) + chunk("data", "ab")), ""},
        {"format chunk cut short", wave(chunk("fmt ", little<quint16>(1) + little<quint16>(1))), ""},
    };
    const char *const sampleFormats[] = {"Unknown", "UInt8", "Int16", "Int32", "Float"};
    QTemporaryDir folder;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QLatin1String(c.name));
        if (QFile file(path); file.open(QIODevice::WriteOnly))
            file.write(c.file);
        const std::optional<tilemere::WaveSound> sound = tilemere::readWave(path);
        const std::string got = !sound ? "" : QString::asprintf("%d %d %s %s", sound->format.channelCount(),
            sound->format.sampleRate(), sampleFormats[sound->format.sampleFormat()],
            sound->samples.toHex().constData()).toStdString();
        EXPECT_EQ(got, c.expected);
    }
    EXPECT_FALSE(tilemere::readWave(folder.filePath(QStringLiteral("missing.wav"))));
}

} // namespace
