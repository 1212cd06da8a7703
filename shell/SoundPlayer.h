#pragma once
// One sound at a time, each file read once and kept. A missing or unplayable
// file beeps; without an audio device the game stays silent.

#include "Shell.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QString>

#include <optional>

class QAudioSink;

namespace tilemere {

// The samples of a WAV file, ready for an audio output.
struct WaveSound {
    QAudioFormat format;
    QByteArray samples; // whole frames only
};

// Reads a PCM (8, 16, 24 or 32 bit) or 32-bit float WAV file, 24-bit samples
// widened to 32. Nothing when the file is missing, unreadable, not a WAV
// file, compressed, or holds no whole frame.
std::optional<WaveSound> readWave(const QString &path);

class SoundPlayer final : public SoundOutput {
public:
    static SoundPlayer &instance();

    // A missing file beeps; an existing one goes to the installed output, or
    // is played for real.
    void play(const QString &path) override;
    void beep() override;
    void setOutput(SoundOutput *output) { output_ = output; }

private:
    SoundPlayer() = default;
    void playForReal(const QString &path);
    void stopPlaying();

    QHash<QString, WaveSound> loaded_;
    QPointer<QAudioSink> sink_; // the sound playing or last played
    SoundOutput *output_ = nullptr;
};

} // namespace tilemere
