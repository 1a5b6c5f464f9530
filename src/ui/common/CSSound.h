// CSSound: remembers a wave file and plays it without waiting.
#pragma once

#include <QString>

class SoundPlayer;

class CSSound {
public:
    explicit CSSound(SoundPlayer& reproductor) : reproductor_(reproductor) {}
    QString Filename;
    // Plays `archivo` (or the last file given when empty); flags are accepted and ignored,
    // playback being asynchronous always. Never reports failure.
    void PlayWave(const QString& archivo = QString(), int flags = 0);

private:
    SoundPlayer& reproductor_;
};
