// VigiaConexion: the watcher's thread and the readings it keeps.
#include "platform/VigiaConexion.h"

VigiaConexion::VigiaConexion(ConnectionProbe& sonda, std::function<Instante()> reloj,
                             Instante intervalo)
    : sonda_(sonda), reloj_(std::move(reloj)), intervalo_(intervalo) {
    Leer();
    hilo_ = std::jthread([this](const std::stop_token& parar) { Vigilar(parar); });
}

VigiaConexion::~VigiaConexion() {
    hilo_.request_stop();
    espera_.notify_all();
}

void VigiaConexion::Leer() {
    const bool ahora = sonda_.connected();
    const Instante instante = reloj_();
    const std::lock_guard bloqueo(mutex_);
    if (conectado_ && !ahora)
        caida_ = instante;
    else if (ahora)
        caida_.reset();
    conectado_ = ahora;
}

void VigiaConexion::Vigilar(const std::stop_token& parar) {
    while (!parar.stop_requested()) {
        {
            std::unique_lock bloqueo(mutex_);
            espera_.wait_for(bloqueo, parar, intervalo_, [] { return false; });
        }
        if (!parar.stop_requested())
            Leer();
    }
}

bool VigiaConexion::connected() {
    const std::lock_guard bloqueo(mutex_);
    return conectado_;
}

std::optional<VigiaConexion::Instante> VigiaConexion::caida() {
    const std::lock_guard bloqueo(mutex_);
    return caida_;
}
