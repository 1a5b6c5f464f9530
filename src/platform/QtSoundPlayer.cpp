// QtSoundPlayer: one QSoundEffect reused, so a new play stops the one still sounding.
#include "platform/QtSoundPlayer.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer() = default;
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString& archivo) {
    // Without an output device QSoundEffect stays "playing" forever and warns on every call.
    if (archivo.isEmpty() || !QFileInfo(archivo).isFile() ||
        QMediaDevices::audioOutputs().isEmpty())
        return;
    if (!efecto_)
        efecto_ = std::make_unique<QSoundEffect>();
    efecto_->stop();
    efecto_->setSource(QUrl::fromLocalFile(QFileInfo(archivo).absoluteFilePath()));
    efecto_->play();
}
