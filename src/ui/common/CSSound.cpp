// CSSound: plays its file through the sound player adapter.
#include "ui/common/CSSound.h"

#include "platform/SoundPlayer.h"

void CSSound::PlayWave(const QString& archivo, int) {
    if (!archivo.isEmpty())
        Filename = archivo;
    if (!Filename.isEmpty())
        reproductor_.play(Filename);
}
