#include "SoundPlayer.h"

#include <QApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace tilemere {

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
    QApplication::beep();
}

void SoundPlayer::playForReal(const QString &path)
{
    for (auto &pair : loaded_)
        for (auto *effect : pair.effects)
            if (effect->isPlaying())
                effect->stop();

    auto found = loaded_.find(path);
    if (found == loaded_.end()) {
        Pair pair;
        for (auto &effect : pair.effects) {
            // Owned by the application so they go away before the audio backend does.
            effect = new QSoundEffect(QCoreApplication::instance());
            effect->setSource(QUrl::fromLocalFile(path));
            QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
                if (effect->status() == QSoundEffect::Error)
                    QApplication::beep();
            });
        }
        found = loaded_.insert(path, pair);
    }
    Pair &pair = *found;
    QSoundEffect *effect = pair.effects[static_cast<std::size_t>(pair.next)];
    pair.next = 1 - pair.next;
    if (effect->status() == QSoundEffect::Error) {
        QApplication::beep();
        return;
    }
    effect->play();
}

} // namespace tilemere
