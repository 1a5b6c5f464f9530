// NetworkManagerProbe: a call is up while NetworkManager has an active connection of a kind
// billed by time, or while another probe (the interface check) says so.
#pragma once

#include "platform/ConnectionProbe.h"

#include <QDBusConnection>
#include <QObject>
#include <QThread>
#include <atomic>
#include <mutex>
#include <string>

class LectorNetworkManager;

class NetworkManagerProbe : public QObject, public ConnectionProbe {
    Q_OBJECT
public:
    // `bus` is the system bus in the program, a private one in tests; `respaldo` is asked at
    // every poll, as before. NetworkManager's state is read now, then again on its signals on
    // a thread of its own, so a busy caller's thread never delays what connected() says.
    NetworkManagerProbe(const QDBusConnection& bus, ConnectionProbe& respaldo,
                        QObject* padre = nullptr);
    ~NetworkManagerProbe() override;
    bool connected() override;
    std::string nombre() override;
    bool Disponible() const { return disponible_; }
    // Whether an active connection of this type, whose devices report this metered state
    // (NetworkManager's NMMetered), is paid by time.
    static bool Cuenta(const QString& tipo, uint medido);

private:
    friend class LectorNetworkManager;
    // Runs on the reader's thread (and once in the constructor, before it starts).
    void Releer();
    bool Registrado() const;
    // Whether an active connection counts, and its name; `disponible` false when the service
    // does not answer as NetworkManager.
    bool Activa(bool& disponible, std::string& nombre) const;
    QVariant Propiedad(const QString& ruta, const QString& interfaz, const QString& nombre) const;

    QDBusConnection bus_;
    ConnectionProbe& respaldo_;
    QThread hilo_;
    LectorNetworkManager* lector_ = nullptr; // lives on hilo_, which deletes it as it ends
    // Written on the reader's thread, read on any.
    std::atomic<bool> disponible_ = false;
    std::atomic<bool> conectado_ = false;
    std::mutex mutex_; // the three together, so nombre() never pairs a state with another name
    std::string nombre_;
};
