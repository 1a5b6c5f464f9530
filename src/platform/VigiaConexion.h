// VigiaConexion: a connection probe read on a thread of its own, so the moment a link goes is
// known to the poll interval even while the window's thread is busy.
#pragma once

#include "platform/ConnectionProbe.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

class VigiaConexion : public ConnectionProbe {
public:
    using Instante = std::chrono::milliseconds;
    // `sonda` is read every `intervalo` on the watcher's thread (its connected() must be safe
    // there); `reloj` is the monotonic clock the meter uses.
    VigiaConexion(ConnectionProbe& sonda, std::function<Instante()> reloj,
                  Instante intervalo = Instante(100));
    ~VigiaConexion() override;

    // The last reading of the watcher's thread.
    bool connected() override;
    // Asked of the probe on the caller's thread.
    std::string nombre() override { return sonda_.nombre(); }
    std::optional<Instante> caida() override;

private:
    void Leer();
    void Vigilar(const std::stop_token& parar);

    ConnectionProbe& sonda_;
    std::function<Instante()> reloj_;
    Instante intervalo_;
    std::mutex mutex_;
    std::condition_variable_any espera_;
    bool conectado_ = false;
    std::optional<Instante> caida_;
    std::jthread hilo_; // last: it starts once the rest is ready and stops before it goes
};
