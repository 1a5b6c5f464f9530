// A fake NetworkManager on the session bus: tests put links up and down with Poner and Quitar.
#include <QtDBus>
#include <map>

namespace {

const QString Servicio = "org.freedesktop.NetworkManager";
const QString Raiz = "/org/freedesktop/NetworkManager";

struct Conexion {
    int numero;
    QString tipo;
    uint medido = 0; // NMMetered of its one device
};

class FalsoNetworkManager : public QDBusVirtualObject {
public:
    explicit FalsoNetworkManager(QDBusConnection bus) : bus_(std::move(bus)) { Publicar(); }
    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& m, const QDBusConnection&) override {
        const QList<QVariant> a = m.arguments();
        const QString id = a.value(0).toString();
        if (m.member() == "Get" && a.size() == 2) {
            const QVariant v = objetos_.value(m.path()).value(a[1].toString());
            return bus_.send(
                v.isValid() ? m.createReply(QVariant::fromValue(QDBusVariant(v)))
                            : m.createErrorReply(QDBusError::UnknownProperty, a[1].toString()));
        }
        if (m.member() == "Poner" && a.size() == 3) {
            const bool nueva = conexiones_.try_emplace(id, ++ultima_, a[1].toString()).second;
            Conexion& c = conexiones_.at(id);
            c.medido = a[2].toUInt();
            Publicar();
            // A new connection changes the list; a known one only its device's Metered.
            nueva ? Senal(Raiz, Servicio) : Senal(Dispositivo(c), Servicio + ".Device");
        } else if (m.member() == "Quitar" && a.size() == 1) {
            conexiones_.erase(id);
            Publicar();
            Senal(Raiz, Servicio);
        } else {
            return false;
        }
        return bus_.send(m.createReply());
    }

private:
    static QString Dispositivo(const Conexion& c) {
        return Raiz + "/Devices/" + QString::number(c.numero);
    }

    // Every object's properties by path, after each change. State 2: activated.
    void Publicar() {
        QList<QDBusObjectPath> activas;
        objetos_.clear();
        for (const auto& [id, c] : conexiones_) {
            activas << QDBusObjectPath(Raiz + "/ActiveConnection/" + QString::number(c.numero));
            const QList<QDBusObjectPath> dispositivos{QDBusObjectPath(Dispositivo(c))};
            objetos_[activas.back().path()] = {{"State", 2u},
                                               {"Type", c.tipo},
                                               {"Id", id},
                                               {"Devices", QVariant::fromValue(dispositivos)}};
            objetos_[Dispositivo(c)] = {{"Metered", c.medido}};
        }
        objetos_[Raiz] = {{"ActiveConnections", QVariant::fromValue(activas)}};
    }

    void Senal(const QString& ruta, const QString& interfaz) {
        bus_.send(
            QDBusMessage::createSignal(ruta, "org.freedesktop.DBus.Properties", "PropertiesChanged")
            << interfaz << objetos_.value(ruta) << QStringList());
    }

    QDBusConnection bus_;
    std::map<QString, Conexion> conexiones_;
    QMap<QString, QVariantMap> objetos_;
    int ultima_ = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    FalsoNetworkManager nm(bus);
    const bool registrado = bus.registerVirtualObject(Raiz, &nm, QDBusConnection::SubPath) &&
                            bus.registerService(Servicio);
    return registrado ? QCoreApplication::exec() : 1;
}
