// A stand-in for NetworkManager on the session bus it is given: active connections that a test
// puts up and takes down through the methods Poner and Quitar, with NetworkManager's signals.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <map>

namespace {

const QString Servicio = "org.freedesktop.NetworkManager";
const QString Raiz = "/org/freedesktop/NetworkManager";
const QString Activas = Raiz + "/ActiveConnection/";
const QString Dispositivos = Raiz + "/Devices/";
const QString Propiedades = "org.freedesktop.DBus.Properties";

struct Conexion {
    int numero;
    QString tipo;
    uint medido; // NMMetered of its one device
};

class FalsoNetworkManager : public QDBusVirtualObject {
public:
    explicit FalsoNetworkManager(QDBusConnection bus) : bus_(std::move(bus)) {}

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& m, const QDBusConnection&) override {
        const QList<QVariant> a = m.arguments();
        if (m.interface() == Propiedades && m.member() == "Get" && a.size() == 2) {
            const QVariant v = Valor(m.path(), a[1].toString());
            bus_.send(v.isValid()
                          ? m.createReply(QVariant::fromValue(QDBusVariant(v)))
                          : m.createErrorReply(QDBusError::UnknownProperty, a[1].toString()));
            return true;
        }
        if (m.member() == "Poner" && a.size() == 3) {
            const QString id = a[0].toString();
            const auto it = conexiones_.find(id);
            if (it == conexiones_.end()) {
                conexiones_[id] = {++ultima_, a[1].toString(), a[2].toUInt()};
                CambioActivas();
            } else {
                it->second.medido = a[2].toUInt();
                Senal(Dispositivos + QString::number(it->second.numero),
                      "org.freedesktop.NetworkManager.Device", {{"Metered", it->second.medido}});
            }
        } else if (m.member() == "Quitar" && a.size() == 1) {
            conexiones_.erase(a[0].toString());
            CambioActivas();
        } else {
            return false;
        }
        bus_.send(m.createReply());
        return true;
    }

private:
    QList<QDBusObjectPath> ListaActivas() const {
        QList<QDBusObjectPath> r;
        for (const auto& [id, c] : conexiones_)
            r << QDBusObjectPath(Activas + QString::number(c.numero));
        return r;
    }

    QVariant Valor(const QString& ruta, const QString& propiedad) const {
        if (ruta == Raiz && propiedad == "ActiveConnections")
            return QVariant::fromValue(ListaActivas());
        for (const auto& [id, c] : conexiones_) {
            const QString n = QString::number(c.numero);
            if (ruta == Activas + n) // State 2: activated
                return QVariantMap{{"State", 2u},
                                   {"Type", c.tipo},
                                   {"Id", id},
                                   {"Devices", QVariant::fromValue(QList<QDBusObjectPath>{
                                                   QDBusObjectPath(Dispositivos + n)})}}
                    .value(propiedad);
            if (ruta == Dispositivos + n && propiedad == "Metered")
                return c.medido;
        }
        return {};
    }

    void Senal(const QString& ruta, const QString& interfaz, const QVariantMap& cambios) {
        QDBusMessage s = QDBusMessage::createSignal(ruta, Propiedades, "PropertiesChanged");
        s << interfaz << cambios << QStringList();
        bus_.send(s);
    }

    void CambioActivas() {
        Senal(Raiz, Servicio, {{"ActiveConnections", QVariant::fromValue(ListaActivas())}});
    }

    QDBusConnection bus_;
    std::map<QString, Conexion> conexiones_;
    int ultima_ = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    FalsoNetworkManager nm(bus);
    if (!bus.registerVirtualObject(Raiz, &nm, QDBusConnection::SubPath) ||
        !bus.registerService(Servicio))
        return 1;
    return QCoreApplication::exec();
}
