#include "SoundPlayer.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tilemere {

namespace {

// The game's sounds are short; a file this large is not one of them, and
// reading it whole would only cost memory.
constexpr qint64 kLargestWaveFile = 64 * 1024 * 1024;

constexpr quint16 kFormatPcm = 1;
constexpr quint16 kFormatFloat = 3;
constexpr quint16 kFormatExtensible = 0xFFFE;

quint16 read16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 read32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

struct ChunkFormat {
    QAudioFormat audio;
    int bitsPerSample = 0;
};

std::optional<ChunkFormat> readFormatChunk(const QByteArray &chunk)
{
    if (chunk.size() < 16)
        return {};
    quint16 tag = read16(chunk, 0);
    const quint16 channels = read16(chunk, 2);
    const quint32 rate = read32(chunk, 4);
    const quint16 bits = read16(chunk, 14);
    // The extensible header keeps the real format in the first two bytes
    // of its sub-format identifier.
    if (tag == kFormatExtensible && chunk.size() >= 26)
        tag = read16(chunk, 24);
    if (channels < 1 || channels > 32 || rate < 1000 || rate > 768000)
        return {};

    QAudioFormat::SampleFormat sampleFormat = QAudioFormat::Unknown;
    if (tag == kFormatPcm && bits == 8)
        sampleFormat = QAudioFormat::UInt8;
    else if (tag == kFormatPcm && bits == 16)
        sampleFormat = QAudioFormat::Int16;
    else if (tag == kFormatPcm && (bits == 24 || bits == 32))
        sampleFormat = QAudioFormat::Int32;
    else if (tag == kFormatFloat && bits == 32)
        sampleFormat = QAudioFormat::Float;
    else
        return {};

    ChunkFormat format;
    format.audio.setSampleRate(static_cast<int>(rate));
    format.audio.setChannelCount(channels);
    format.audio.setSampleFormat(sampleFormat);
    format.bitsPerSample = bits;
    return format;
}

// No audio format carries 24-bit samples, so each becomes the top three
// bytes of a 32-bit one.
QByteArray widen24To32(const QByteArray &samples)
{
    const qsizetype count = samples.size() / 3;
    QByteArray wide(count * 4, '\0');
    for (qsizetype i = 0; i < count; ++i)
        std::copy_n(samples.constData() + i * 3, 3, wide.data() + i * 4 + 1);
    return wide;
}

} // namespace

std::optional<WaveSound> readWave(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestWaveFile)
        return {};
    return decodeWave(file.read(kLargestWaveFile));
}

std::optional<WaveSound> decodeWave(const QByteArray &bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return {};

    std::optional<ChunkFormat> format;
    std::optional<QByteArray> data;
    qsizetype at = 12;
    while (at + 8 <= bytes.size() && !(format && data)) {
        const QByteArray id = bytes.mid(at, 4);
        const qint64 declared = read32(bytes, at + 4);
        const qsizetype start = at + 8;
        // A cut-off last chunk keeps what the file still holds.
        const qsizetype size = static_cast<qsizetype>(std::min<qint64>(declared, bytes.size() - start));
        if (id == "fmt ") {
            format = readFormatChunk(bytes.mid(start, size));
            if (!format)
                return {};
        } else if (id == "data") {
            data = bytes.mid(start, size);
        }
        // Chunks start on even offsets: an odd-sized one is followed by a pad byte.
        at = start + static_cast<qsizetype>(declared + (declared & 1));
    }
    if (!format || !data)
        return {};

    const qsizetype frameBytes = format->audio.channelCount() * format->bitsPerSample / 8;
    QByteArray samples = data->left(data->size() / frameBytes * frameBytes);
    if (samples.isEmpty())
        return {};
    if (format->bitsPerSample == 24)
        samples = widen24To32(samples);
    return WaveSound{format->audio, samples};
}

SoundPlayer &SoundPlayer::instance()
{
    static SoundPlayer player;
    return player;
}

void SoundPlayer::play(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        (output_ ? output_ : this)->beep();
        return;
    }
    if (output_)
        output_->play(path);
    else
        playForReal(path);
}

void SoundPlayer::beep()
{
    // Without a graphical application there is no desktop to beep.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QApplication::beep();
}

SoundPlayer::~SoundPlayer()
{
    stopThread();
}

void SoundPlayer::playForReal(const QString &path)
{
    startThread();
    {
        const std::lock_guard lock(pendingLock_);
        pending_ = path;
        if (std::exchange(posted_, true))
            return; // the thread has not taken the last one yet; it takes this instead
    }
    QMetaObject::invokeMethod(onThread_, [this] { playPending(); }, Qt::QueuedConnection);
}

void SoundPlayer::startThread()
{
    if (thread_)
        return;
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("sound"));
    onThread_ = new QObject;
    onThread_->moveToThread(thread_);
    thread_->start();
    // The audio objects go before the application does.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, onThread_,
                     [this] { stopThread(); }, Qt::DirectConnection);
}

void SoundPlayer::stopThread()
{
    if (!thread_)
        return;
    QMetaObject::invokeMethod(onThread_, [this] {
        waveOutput_.reset();
        loaded_.clear();
        onThread_->deleteLater();
    }, Qt::QueuedConnection);
    thread_->quit();
    if (thread_->wait(1000)) {
        delete thread_;
    } else {
        // Held up by a sound server that does not answer. It is left to the
        // end of the program rather than waited for, and the program ends
        // before the audio library's own clean-up, which would wait for it.
        // Whatever the program had to save was saved before it quit.
        std::atexit([] {
            std::fflush(nullptr);
            std::_Exit(EXIT_SUCCESS);
        });
    }
    thread_ = nullptr;
    onThread_ = nullptr;
}

void SoundPlayer::playPending()
{
    QString path;
    {
        const std::lock_guard lock(pendingLock_);
        path = std::exchange(pending_, QString());
        posted_ = false;
    }
    auto found = loaded_.constFind(path);
    if (found == loaded_.constEnd()) {
        std::optional<WaveSound> sound = readWave(path);
        if (!sound) {
            // Not remembered: a file put right later plays.
            QMetaObject::invokeMethod(QCoreApplication::instance(), [this] { beep(); }, Qt::QueuedConnection);
            return;
        }
        found = loaded_.insert(path, std::move(*sound));
    }

    if (WaveOutput *output = waveOutput())
        output->play(*found);
}

WaveOutput *SoundPlayer::waveOutput()
{
    if (moduleTried_)
        return waveOutput_.get();
    moduleTried_ = true;
    // Beside the program; a program run from the build tree finds it where
    // the build put it. Without the module the game goes on silently.
    for (const QString &folder : {QCoreApplication::applicationDirPath(), QStringLiteral(TILEMERE_BUILT_SOUND_DIR)}) {
        QLibrary module(folder + QStringLiteral("/brackwater-tilemere-sound"));
        if (const auto create = reinterpret_cast<WaveOutputFactory>(module.resolve(kWaveOutputFactory))) {
            waveOutput_.reset(create());
            break;
        }
    }
    return waveOutput_.get();
}

} // namespace tilemere
