#pragma once
// One sound at a time, each file loaded once and kept. A missing or
// unplayable file beeps; without an audio device the game stays silent.

#include "Shell.h"

#include <QHash>
#include <QString>

#include <array>
#include <memory>

class QSoundEffect;

namespace tilemere {

class SoundPlayer final : public SoundOutput {
public:
    static SoundPlayer &instance();

    // Plays through the installed output, or the real one.
    void play(const QString &path) override;
    void beep() override;
    void setOutput(SoundOutput *output) { output_ = output; }

private:
    SoundPlayer() = default;
    void playForReal(const QString &path);

    // Two effects per file, used in turn: restarting the effect that is still
    // playing has been seen to stay silent, a fresh one always sounds.
    struct Pair {
        std::array<QSoundEffect *, 2> effects{};
        int next = 0;
    };
    QHash<QString, Pair> loaded_;
    SoundOutput *output_ = nullptr;
};

} // namespace tilemere
