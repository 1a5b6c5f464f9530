// SoundPlayer: plays a wave file without blocking; a new play replaces one still sounding.
#pragma once

#include <QString>

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Errors (missing file, no audio device) are ignored.
    virtual void play(const QString& archivo) = 0;
};
