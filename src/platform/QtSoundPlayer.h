// QtSoundPlayer: SoundPlayer on QSoundEffect; silent where there is no audio output.
#pragma once

#include "platform/SoundPlayer.h"

#include <memory>

class QSoundEffect;

class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void play(const QString& archivo) override;

private:
    std::unique_ptr<QSoundEffect> efecto_;
};
