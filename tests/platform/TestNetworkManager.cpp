// The NetworkManager probe against a fake one on a private bus: time-billed and metered links.
#include "platform/NetworkManagerProbe.h"
#include "platform/VigiaConexion.h"
#include "support/FakeServices.h"

#include <QtDBus>

class TestNetworkManager : public QObject {
    Q_OBJECT
    QProcess bus_;
    QProcess nm_;

    void Llamar(const QString& metodo, const QVariantList& argumentos) {
        QDBusMessage m = QDBusMessage::createMethodCall("org.freedesktop.NetworkManager",
                                                        "/org/freedesktop/NetworkManager",
                                                        "org.vatrimox.Prueba", metodo);
        m.setArguments(argumentos);
        const QDBusMessage r = QDBusConnection(QStringLiteral("prueba")).call(m);
        QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
    }

private slots:
    void initTestCase() {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        QVERIFY2(!daemon.isEmpty(), "instale el paquete dbus-daemon");
        bus_.start(daemon, {"--session", "--nofork", "--print-address"});
        QVERIFY(bus_.waitForReadyRead(10000));
        const QByteArray direccion = bus_.readLine().trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", direccion); // for the fake NetworkManager
        QVERIFY(QDBusConnection::connectToBus(direccion, "prueba").isConnected());
    }
    void cleanupTestCase() {
        for (QProcess* p : {&nm_, &bus_})
            p->kill(), p->waitForFinished();
    }

    void sigueLasConexiones() {
        FakeProbe interfaz;
        interfaz.conectado = true; // no NetworkManager yet: the interface check answers
        NetworkManagerProbe sonda(QDBusConnection(QStringLiteral("prueba")), interfaz);
        QVERIFY(!sonda.Disponible() && sonda.connected());
        interfaz.conectado = false;

        nm_.start(VM_FAKE_NM);
        QTRY_VERIFY(sonda.Disponible());
        QVERIFY(!sonda.connected());
        interfaz.conectado = true; // a link dialled outside NetworkManager still counts
        QVERIFY(sonda.connected());
        interfaz.conectado = false;

        Llamar("Poner", {"Cable", "802-3-ethernet", 4u}); // guessed not metered
        Llamar("Poner", {"Movistar", "gsm", 0u});
        QTRY_VERIFY(sonda.connected() && sonda.nombre() == "Movistar");
        {
            // Watched on its own thread, the drop is noted while this thread handles no events.
            const auto ahora = [] {
                return std::chrono::duration_cast<VigiaConexion::Instante>(
                    std::chrono::steady_clock::now().time_since_epoch());
            };
            VigiaConexion vigia(sonda, ahora);
            QVERIFY(vigia.connected() && !vigia.caida());
            const auto antes = ahora();
            Llamar("Quitar", {"Movistar"});
            while (!vigia.caida() && ahora() - antes < VigiaConexion::Instante(5000)) {
            }
            QVERIFY(vigia.caida() && *vigia.caida() >= antes &&
                    *vigia.caida() - antes < VigiaConexion::Instante(400));
        }
        QVERIFY(!sonda.connected() && sonda.nombre().empty()); // the cable is not paid by time
        Llamar("Poner", {"Cable", "802-3-ethernet", 1u});      // the user marks it metered
        QTRY_VERIFY(sonda.connected() && sonda.nombre() == "Cable");

        nm_.kill();
        QVERIFY(nm_.waitForFinished());
        QTRY_VERIFY(!sonda.Disponible() && !sonda.connected());
    }
};

QTEST_GUILESS_MAIN(TestNetworkManager)
#include "TestNetworkManager.moc"
