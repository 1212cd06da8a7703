// Which WAV files the real player can play and what it hands to the audio
// output; everything else gives the default beep instead.
#include "SoundPlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <optional>

namespace {

QByteArray little16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray little32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const char *id, const QByteArray &body)
{
    QByteArray bytes = QByteArray(id, 4) + little32(static_cast<quint32>(body.size())) + body;
    if (body.size() % 2 != 0)
        bytes += '\0';
    return bytes;
}

QByteArray format(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 frame = static_cast<quint16>(channels * bits / 8);
    return chunk("fmt ", little16(tag) + little16(channels) + little32(rate) + little32(rate * frame) +
                             little16(frame) + little16(bits));
}

// The extensible header names the real format in its sub-format identifier.
QByteArray extensibleFormat(quint16 subFormat, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 frame = static_cast<quint16>(channels * bits / 8);
    const QByteArray guidTail = QByteArray::fromHex("000000001000800000aa00389b71");
    return chunk("fmt ", little16(0xFFFE) + little16(channels) + little32(rate) + little32(rate * frame) +
                             little16(frame) + little16(bits) + little16(22) + little16(bits) +
                             little32(0) + little16(subFormat) + guidTail);
}

QByteArray wave(const QByteArray &chunks)
{
    return "RIFF" + little32(static_cast<quint32>(4 + chunks.size())) + "WAVE" + chunks;
}

const QByteArray kFourBytes = QByteArray::fromHex("01020304");

struct Expected {
    int channels;
    int rate;
    QAudioFormat::SampleFormat sampleFormat;
    QByteArray samples;
};

struct Case {
    const char *name;
    QByteArray file;
    std::optional<Expected> expected; // nothing: not playable
};

TEST(WaveFileTest, PlayableFilesAndWhatTheOutputGets)
{
    const Case cases[] = {
        {"16-bit mono", wave(format(1, 1, 44100, 16) + chunk("data", kFourBytes)),
         Expected{1, 44100, QAudioFormat::Int16, kFourBytes}},
        {"8-bit stereo", wave(format(1, 2, 11025, 8) + chunk("data", kFourBytes)),
         Expected{2, 11025, QAudioFormat::UInt8, kFourBytes}},
        {"32-bit float", wave(format(3, 1, 48000, 32) + chunk("data", kFourBytes)),
         Expected{1, 48000, QAudioFormat::Float, kFourBytes}},
        {"extensible 16-bit", wave(extensibleFormat(1, 2, 22050, 16) + chunk("data", kFourBytes)),
         Expected{2, 22050, QAudioFormat::Int16, kFourBytes}},
        {"24-bit widened to the top of 32", wave(format(1, 1, 44100, 24) + chunk("data", QByteArray::fromHex("aabbcc112233"))),
         Expected{1, 44100, QAudioFormat::Int32, QByteArray::fromHex("00aabbcc00112233")}},
        {"odd-sized chunk before the samples is padded",
         wave(format(1, 1, 44100, 16) + chunk("LIST", "abc") + chunk("data", kFourBytes)),
         Expected{1, 44100, QAudioFormat::Int16, kFourBytes}},
        {"samples before the format", wave(chunk("data", kFourBytes) + format(1, 1, 44100, 16)),
         Expected{1, 44100, QAudioFormat::Int16, kFourBytes}},
        {"samples cut short keep whole frames",
         wave(format(1, 2, 44100, 16)) + "data" + little32(400) + QByteArray::fromHex("01020304050607"),
         Expected{2, 44100, QAudioFormat::Int16, kFourBytes}},
        {"empty file", QByteArray(), std::nullopt},
        {"text named .wav", QByteArray("click click click click click"), std::nullopt},
        {"another RIFF kind", "RIFF" + little32(16) + "AVI " + chunk("data", kFourBytes), std::nullopt},
        {"compressed (ADPCM)", wave(format(2, 1, 44100, 4) + chunk("data", kFourBytes)), std::nullopt},
        {"12-bit PCM", wave(format(1, 1, 44100, 12) + chunk("data", kFourBytes)), std::nullopt},
        {"no channels", wave(format(1, 0, 44100, 16) + chunk("data", kFourBytes)), std::nullopt},
        {"no samples chunk", wave(format(1, 1, 44100, 16)), std::nullopt},
        {"no format chunk", wave(chunk("data", kFourBytes)), std::nullopt},
        {"less than one frame", wave(format(1, 2, 44100, 16) + chunk("data", "ab")), std::nullopt},
        {"format chunk cut short", wave(chunk("fmt ", little16(1) + little16(1))), std::nullopt},
    };
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QStringLiteral("sound.wav"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.file);
        file.close();

        const std::optional<tilemere::WaveSound> sound = tilemere::readWave(path);

        ASSERT_EQ(sound.has_value(), c.expected.has_value());
        if (!sound)
            continue;
        EXPECT_EQ(sound->format.channelCount(), c.expected->channels);
        EXPECT_EQ(sound->format.sampleRate(), c.expected->rate);
        EXPECT_EQ(sound->format.sampleFormat(), c.expected->sampleFormat);
        EXPECT_EQ(sound->samples.toHex(), c.expected->samples.toHex());
    }
    EXPECT_FALSE(tilemere::readWave(folder.filePath(QStringLiteral("missing.wav"))));
}

} // namespace
