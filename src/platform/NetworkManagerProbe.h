// NetworkManagerProbe: a call is up while NetworkManager has an active connection of a kind
// billed by time, or while another probe (the interface check) says so.
#pragma once

#include "platform/ConnectionProbe.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <string>

class QDBusMessage;

class NetworkManagerProbe : public QObject, public ConnectionProbe {
    Q_OBJECT
public:
    // `bus` is the system bus in the program, a private one in tests; `respaldo` is asked at
    // every poll, as before. NetworkManager's state is read now and again on its signals.
    NetworkManagerProbe(const QDBusConnection& bus, ConnectionProbe& respaldo,
                        QObject* padre = nullptr);
    bool connected() override;
    std::string nombre() override;
    bool Disponible() const { return disponible_; }
    // Whether an active connection of this type, whose devices report this metered state
    // (NetworkManager's NMMetered), is paid by time.
    static bool Cuenta(const QString& tipo, uint medido);

private slots:
    void PropiedadesCambiadas(const QDBusMessage& mensaje);

private:
    void Releer();
    // Whether an active connection counts, and its name; `disponible` false when the service
    // does not answer as NetworkManager.
    bool Activa(bool& disponible, std::string& nombre) const;
    QVariant Propiedad(const QString& ruta, const QString& interfaz, const QString& nombre) const;

    QDBusConnection bus_;
    ConnectionProbe& respaldo_;
    QTimer releer_; // one re-read for a burst of signals
    // Read by a watcher's thread too.
    std::atomic<bool> disponible_ = false;
    std::atomic<bool> conectado_ = false;
    std::string nombre_;
};
