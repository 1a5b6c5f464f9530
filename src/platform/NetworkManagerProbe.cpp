// NetworkManagerProbe: reads NetworkManager's active connections over D-Bus and follows its
// PropertiesChanged signals, so the 100 ms watchers only read a cached answer.
#include "platform/NetworkManagerProbe.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace {
const QString Servicio = QStringLiteral("org.freedesktop.NetworkManager");
const QString RutaRaiz = QStringLiteral("/org/freedesktop/NetworkManager");
const QString Propiedades = QStringLiteral("org.freedesktop.DBus.Properties");
const QString InterfazRaiz = Servicio;
const QString InterfazActiva = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
const QString InterfazDispositivo = QStringLiteral("org.freedesktop.NetworkManager.Device");
constexpr uint Activada = 2;    // NM_ACTIVE_CONNECTION_STATE_ACTIVATED
constexpr uint MedidoSi = 1;    // NM_METERED_YES
constexpr uint MedidoQuiza = 3; // NM_METERED_GUESS_YES
constexpr int EsperaMs = 2000;

QList<QDBusObjectPath> Rutas(const QVariant& valor) {
    return qdbus_cast<QList<QDBusObjectPath>>(valor);
}
} // namespace

NetworkManagerProbe::NetworkManagerProbe(const QDBusConnection& bus, ConnectionProbe& respaldo,
                                         QObject* padre)
    : QObject(padre), bus_(bus), respaldo_(respaldo) {
    releer_.setSingleShot(true);
    releer_.setInterval(50);
    connect(&releer_, &QTimer::timeout, this, &NetworkManagerProbe::Releer);
    if (bus_.isConnected()) {
        auto* vigilante =
            new QDBusServiceWatcher(Servicio, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(vigilante, &QDBusServiceWatcher::serviceOwnerChanged, &releer_,
                qOverload<>(&QTimer::start));
        // Any object of the service: the manager, its active connections and devices.
        bus_.connect(Servicio, QString(), Propiedades, "PropertiesChanged", this,
                     SLOT(PropiedadesCambiadas(QDBusMessage)));
    }
    Releer();
}

bool NetworkManagerProbe::Cuenta(const QString& tipo, uint medido) {
    static const QStringList PorTiempo = {"ppp", "gsm", "cdma", "bluetooth", "pppoe"};
    return PorTiempo.contains(tipo) || medido == MedidoSi || medido == MedidoQuiza;
}

// The interface check still counts beside NetworkManager: a link dialled outside it (pppd
// run by hand) is metered as before.
bool NetworkManagerProbe::connected() {
    return (disponible_ && conectado_) || respaldo_.connected();
}

std::string NetworkManagerProbe::nombre() {
    return disponible_ && conectado_ ? nombre_ : respaldo_.nombre();
}

void NetworkManagerProbe::PropiedadesCambiadas(const QDBusMessage& mensaje) {
    static const QStringList Interfaces = {InterfazRaiz, InterfazActiva, InterfazDispositivo};
    static const QStringList Claves = {"ActiveConnections", "State",  "Type", "Id",
                                       "Devices",           "Metered"};
    const QList<QVariant> args = mensaje.arguments();
    if (args.size() < 2 || !Interfaces.contains(args[0].toString()))
        return;
    const QVariantMap cambios = qdbus_cast<QVariantMap>(args[1]);
    for (const QString& clave : Claves)
        if (cambios.contains(clave)) {
            releer_.start();
            return;
        }
}

QVariant NetworkManagerProbe::Propiedad(const QString& ruta, const QString& interfaz,
                                        const QString& nombre) const {
    QDBusMessage llamada = QDBusMessage::createMethodCall(Servicio, ruta, Propiedades, "Get");
    llamada << interfaz << nombre;
    const QDBusMessage respuesta = bus_.call(llamada, QDBus::Block, EsperaMs);
    if (respuesta.type() != QDBusMessage::ReplyMessage || respuesta.arguments().isEmpty())
        return {};
    return qdbus_cast<QDBusVariant>(respuesta.arguments().first()).variant();
}

// Worked out apart and stored at the end: the watcher's thread, which reads connected() at any
// moment, never sees a call drop while the state is being read again.
void NetworkManagerProbe::Releer() {
    std::string nombre;
    bool disponible = bus_.isConnected() && bus_.interface() &&
                      bus_.interface()->isServiceRegistered(Servicio).value();
    const bool conectado = disponible && Activa(disponible, nombre);
    nombre_ = nombre;
    disponible_ = disponible;
    conectado_ = conectado;
}

bool NetworkManagerProbe::Activa(bool& disponible, std::string& nombre) const {
    const QVariant activas = Propiedad(RutaRaiz, InterfazRaiz, "ActiveConnections");
    // A service that does not answer as NetworkManager leaves the other probe in charge.
    disponible = activas.isValid();
    for (const QDBusObjectPath& activa : Rutas(activas)) {
        const QString ruta = activa.path();
        if (Propiedad(ruta, InterfazActiva, "State").toUInt() != Activada)
            continue;
        const QString tipo = Propiedad(ruta, InterfazActiva, "Type").toString();
        bool cuenta = Cuenta(tipo, 0);
        for (const QDBusObjectPath& dispositivo : Rutas(Propiedad(ruta, InterfazActiva, "Devices")))
            cuenta = cuenta ||
                     Cuenta(tipo,
                            Propiedad(dispositivo.path(), InterfazDispositivo, "Metered").toUInt());
        if (cuenta) {
            nombre = Propiedad(ruta, InterfazActiva, "Id").toString().toStdString();
            return true;
        }
    }
    return false;
}
