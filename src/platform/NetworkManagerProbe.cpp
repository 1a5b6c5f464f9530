// NetworkManagerProbe: reads NetworkManager's active connections over D-Bus and follows its
// PropertiesChanged signals on a thread of its own, so the 100 ms watchers only read a cached
// answer that is current even while the window's thread is busy.
#include "platform/NetworkManagerProbe.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QTimer>

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

// Follows NetworkManager on the probe's thread: Qt delivers the bus's signals to the thread of
// the object that receives them, so they no longer wait for the window's thread.
class LectorNetworkManager : public QObject {
    Q_OBJECT
public:
    explicit LectorNetworkManager(NetworkManagerProbe& sonda) : sonda_(sonda) {}

    // Called on the reader's thread; the state is read again once the signals are followed,
    // so no change between the constructor's reading and now is missed.
    void Empezar() {
        releer_ = new QTimer(this); // one re-read for a burst of signals
        releer_->setSingleShot(true);
        releer_->setInterval(50);
        connect(releer_, &QTimer::timeout, this, [this] { sonda_.Releer(); });
        QDBusConnection& bus = sonda_.bus_;
        if (bus.isConnected()) {
            auto* vigilante = new QDBusServiceWatcher(
                Servicio, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
            connect(vigilante, &QDBusServiceWatcher::serviceOwnerChanged, releer_,
                    qOverload<>(&QTimer::start));
            // Any object of the service: the manager, its active connections and devices.
            bus.connect(Servicio, QString(), Propiedades, "PropertiesChanged", this,
                        SLOT(PropiedadesCambiadas(QDBusMessage)));
        }
        sonda_.Releer();
    }

public slots:
    void PropiedadesCambiadas(const QDBusMessage& mensaje) {
        static const QStringList Interfaces = {InterfazRaiz, InterfazActiva, InterfazDispositivo};
        static const QStringList Claves = {"ActiveConnections", "State",  "Type", "Id",
                                           "Devices",           "Metered"};
        const QList<QVariant> args = mensaje.arguments();
        if (args.size() < 2 || !Interfaces.contains(args[0].toString()))
            return;
        const QVariantMap cambios = qdbus_cast<QVariantMap>(args[1]);
        for (const QString& clave : Claves)
            if (cambios.contains(clave)) {
                releer_->start();
                return;
            }
    }

private:
    NetworkManagerProbe& sonda_;
    QTimer* releer_ = nullptr;
};

NetworkManagerProbe::NetworkManagerProbe(const QDBusConnection& bus, ConnectionProbe& respaldo,
                                         QObject* padre)
    : QObject(padre), bus_(bus), respaldo_(respaldo) {
    Releer();
    lector_ = new LectorNetworkManager(*this);
    lector_->moveToThread(&hilo_);
    connect(&hilo_, &QThread::finished, lector_, &QObject::deleteLater);
    hilo_.setObjectName(QStringLiteral("NetworkManager"));
    hilo_.start();
    QMetaObject::invokeMethod(lector_, &LectorNetworkManager::Empezar,
                              Qt::BlockingQueuedConnection);
}

// The reader goes with its thread, before the state it writes.
NetworkManagerProbe::~NetworkManagerProbe() {
    hilo_.quit();
    hilo_.wait();
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
    {
        const std::lock_guard bloqueo(mutex_);
        if (disponible_ && conectado_)
            return nombre_;
    }
    return respaldo_.nombre();
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
    bool disponible = Registrado();
    const bool conectado = disponible && Activa(disponible, nombre);
    const std::lock_guard bloqueo(mutex_);
    nombre_ = nombre;
    disponible_ = disponible;
    conectado_ = conectado;
}

// Asked with a plain call rather than through the bus's interface object, which belongs to
// another thread.
bool NetworkManagerProbe::Registrado() const {
    if (!bus_.isConnected())
        return false;
    QDBusMessage llamada = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    llamada << Servicio;
    const QDBusMessage respuesta = bus_.call(llamada, QDBus::Block, EsperaMs);
    return respuesta.type() == QDBusMessage::ReplyMessage && !respuesta.arguments().isEmpty() &&
           respuesta.arguments().first().toBool();
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

#include "NetworkManagerProbe.moc"
