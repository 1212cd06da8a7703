#pragma once
// One sound at a time, each file read once and kept. A missing or unplayable
// file beeps; without an audio device the game stays silent. Reading, the
// sound server's connection and the playing all happen on a thread of their
// own: a server that does not answer (stopped, hung) holds up only that
// thread, never the window, and clicks made meanwhile are not queued up. The audio output
// lives in a module of its own (WaveOutput.cpp), loaded on the first sound:
// Qt Multimedia brings the sound server's and the network's libraries, which
// would otherwise cost every start.

#include "Shell.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QHash>
#include <QString>

class QThread;
class QObject;

#include <memory>
#include <mutex>
#include <optional>

namespace tilemere {

// The samples of a WAV file, ready for an audio output. QAudioFormat is all
// inline, so only the audio module links Qt Multimedia.
struct WaveSound {
    QAudioFormat format;
    QByteArray samples; // whole frames only
};

// The audio output the module makes: plays a sound, cutting off the one
// before. Lives until the program ends.
class WaveOutput {
public:
    virtual ~WaveOutput() = default;
    virtual void play(const WaveSound &sound) = 0;
};

// The module's one entry point, found by this name.
inline constexpr const char *kWaveOutputFactory = "tilemereCreateWaveOutput";
using WaveOutputFactory = WaveOutput *(*)();

// Reads a PCM (8, 16, 24 or 32 bit) or 32-bit float WAV file, 24-bit samples
// widened to 32. Nothing when the file is missing, unreadable, not a WAV
// file, compressed, or holds no whole frame.
std::optional<WaveSound> readWave(const QString &path);
// The same for a file's bytes, as read.
std::optional<WaveSound> decodeWave(const QByteArray &bytes);

class SoundPlayer final : public SoundOutput {
public:
    static SoundPlayer &instance();
    ~SoundPlayer() override;

    // A missing file beeps; an existing one goes to the installed output, or
    // is played for real.
    void play(const QString &path) override;
    void beep() override;
    void setOutput(SoundOutput *output) { output_ = output; }

private:
    SoundPlayer() = default;
    void playForReal(const QString &path);
    void startThread();
    void stopThread();
    // On the sound thread only.
    void playPending();
    WaveOutput *waveOutput();

    SoundOutput *output_ = nullptr;
    QThread *thread_ = nullptr;
    QObject *onThread_ = nullptr; // lives on thread_, so what is posted to it runs there
    std::mutex pendingLock_;
    QString pending_; // the latest sound asked for; a newer one replaces it
    bool posted_ = false;
    // Used on the sound thread only.
    QHash<QString, WaveSound> loaded_;
    std::unique_ptr<WaveOutput> waveOutput_;
    bool moduleTried_ = false;
};

} // namespace tilemere
