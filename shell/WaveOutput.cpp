// The audio output, built as a module of its own (brackwater-tilemere-sound)
// that the sound player loads on the first sound, so that Qt Multimedia and
// the sound server's libraries are not loaded with every start.
#include "SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>
#include <QTimer>

namespace tilemere {

namespace {

// Stopping an output throws away what the audio server still holds, which
// is the whole tail of a short sound (a click lost everything but its first
// 60 ms that way). So a finished sound keeps its output open this long
// before it is closed; a new sound closes it at once, cutting the old off.
constexpr int kPlayOutMilliseconds = 2000;

class SinkOutput final : public WaveOutput {
public:
    void play(const WaveSound &sound) override
    {
        stopPlaying();
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return; // no audio device: the game goes on silently

        // Made, played and deleted on the sound thread, with this output.
        auto *sink = new QAudioSink(device, sound.format, &owner_);
        auto *source = new QBuffer(sink);
        source->setData(sound.samples);
        source->open(QIODevice::ReadOnly);
        QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
            if (state != QAudio::IdleState)
                return;
            QTimer::singleShot(kPlayOutMilliseconds, sink, [sink] {
                if (sink->state() == QAudio::IdleState)
                    sink->stop();
            });
        });
        sink->start(source);
        sink_ = sink;
    }

private:
    void stopPlaying()
    {
        if (!sink_)
            return;
        sink_->stop();
        sink_->deleteLater();
        sink_ = nullptr;
    }

    QObject owner_;             // of every sink, so they go with this output
    QPointer<QAudioSink> sink_; // the sound playing or last played
};

} // namespace

} // namespace tilemere

extern "C" Q_DECL_EXPORT tilemere::WaveOutput *tilemereCreateWaveOutput()
{
    return new tilemere::SinkOutput;
}
