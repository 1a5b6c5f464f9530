// Tests of the meter: minimum length, clock jumps, alerts, saving a call and the probe watcher.
#include "calllog/ArchivoLlamadas.h"
#include "core/Formato.h"
#include "meter/Arranque.h"
#include "meter/BancoMedidor.h"
#include "meter/Medidor.h"
#include "platform/PppProbe.h"
#include "platform/VigiaConexion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <net/if.h>
#include <sys/resource.h>

class TestMedidor : public BancoMedidor {
    Q_OBJECT
private slots:
    void init() { Preparar(); }

    // The call ends at the second of its last tick; only strictly more than the minimum logs.
    void noAceptar_data() {
        QTest::addColumn<QString>("noAceptar");
        QTest::addColumn<int>("segundos");
        QTest::addColumn<bool>("anotada");
        QTest::newRow("15 no") << "15" << 15 << false;
        QTest::newRow("16 si") << "15" << 16 << true;
        QTest::newRow("con espacios") << " 15 " << 15 << false;
        QTest::newRow("no numerico") << "quince" << 1 << true;
    }
    void noAceptar() {
        QFETCH(QString, noAceptar);
        QFETCH(int, segundos);
        QFETCH(bool, anotada);
        Poner(General::Ajustes::NoAceptar, qPrintable(noAceptar));
        estado_.SegundosNegociacion = 0;
        Medidor m = Iniciado();
        Tick(m, segundos);
        QVERIFY(m.Terminar(reloj_.monotono).errores.empty());
        QCOMPARE(Contenido(Log()).count("\r\n"), anotada ? 1 : 0);
        QVERIFY(!fs::exists(EnCurso()));
    }

    // Summer-time changes and clock jumps in mid-call change neither duration nor amount.
    void saltosDeReloj_data() {
        QTest::addColumn<QDateTime>("inicio");
        QTest::addColumn<int>("salto");
        QTest::addColumn<int>("duracion");
        const auto t = [](int m, int d, int h, int min, int s) {
            return QDateTime(QDate(1999, m, d), QTime(h, min, s));
        };
        QTest::newRow("otoño 31/10/1999") << t(10, 31, 2, 59, 40) << -3600 << 43;
        QTest::newRow("primavera 28/03/1999") << t(3, 28, 1, 59, 40) << 3600 << 43;
        QTest::newRow("atrás 10 min") << t(3, 15, 10, 0, 0) << -600 << 43;
        QTest::newRow("atrás 2 h") << t(3, 15, 10, 0, 0) << -7200 << 43;
        QTest::newRow("adelante 3 h") << t(3, 15, 10, 0, 0) << 10800 << 23;
    }
    void saltosDeReloj() {
        QFETCH(QDateTime, inicio);
        QFETCH(int, salto);
        QFETCH(int, duracion);
        std::vector<Llamada> llamadas;
        for (const int s : {0, salto}) {
            const QDate d = inicio.date();
            const QTime h = inicio.time();
            reloj_.poner(d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second());
            Medidor m = Iniciado();
            for (int i = 1; i <= duracion; ++i) {
                reloj_.avanzar(1);
                if (i == duracion / 2)
                    reloj_.saltar(s);
                m.Tick(reloj_.monotono);
            }
            m.Terminar(reloj_.monotono);
            QCOMPARE(m.pantalla().Label7, General::FormatoDuracion(duracion + 20));
            llamadas.push_back(m.Registro());
        }
        QCOMPARE(llamadas[1], llamadas[0]);
        QCOMPARE(Leidas(Log()), llamadas);
    }

    // A call ended before its first tick lasts its negotiation seconds and the two it had.
    void terminaAntesDelPrimerTick() {
        Medidor m = Iniciado();
        Tick(m, 600);
        m.Terminar(reloj_.monotono);
        reloj_.avanzar(60);
        m.Iniciar(reloj_.t, reloj_.monotono);
        reloj_.avanzar(2);
        m.Terminar(reloj_.monotono);
        const auto l = Leidas(Log());
        QCOMPARE(l.size(), size_t(2));
        QCOMPARE(l[1].Duracion, int64_t(22));
        QCOMPARE(m.pantalla().Label7, std::string("00:00:22"));
        QVERIFY(l[1].Importe < l[0].Importe);
    }

    // Started 10 s after midnight with 20 negotiation seconds: the call began the day before.
    void justoTrasMedianoche() {
        reloj_.poner(1999, 3, 16, 0, 0, 10);
        Medidor m = Iniciado();
        QCOMPARE(m.SegundoInicio(), -10);
        Tick(m, 30);
        const Llamada r = m.Registro();
        QCOMPARE(r.Fecha, D(1999, 3, 15));
        QCOMPARE(r.Hora, Fechas::SegundosDelDia(23, 59, 50));
        QCOMPARE(r.Duracion, int64_t(50));
    }

    // Sounds at most once per call, and not later when switched on mid-call.
    void avisoImporteUnaVez_data() {
        QTest::addColumn<QString>("paso");
        QTest::addColumn<int>("sonidos");
        QTest::newRow("con sonido") << "1" << 1;
        QTest::newRow("sin sonido") << "0" << 0;
    }
    void avisoImporteUnaVez() {
        QFETCH(QString, paso);
        QFETCH(int, sonidos);
        Poner(General::Ajustes::PasoSINO, qPrintable(paso));
        Poner(General::Ajustes::PasoSonido, "/sonidos/paso.wav");
        Medidor m = Iniciado();
        m.Tick(reloj_.monotono);
        const double primero = *General::LeerNumero(m.pantalla().Label6, ',');
        Poner(General::Ajustes::Importe, std::to_string(int(primero) + 1).c_str());
        int oidos = 0;
        for (int i = 0; i < 900; ++i) {
            oidos += static_cast<int>(Tick(m, 1).sonidos.size());
            if (i == 450)
                Poner(General::Ajustes::PasoSINO, "1");
        }
        QVERIFY(!m.AvisoPendiente());
        QCOMPARE(oidos, sonidos);
    }

    void avisoPeriodico() {
        Poner(General::Ajustes::AlertaSINO, "1");
        Poner(General::Ajustes::AlertaSonido, "/sonidos/alerta.wav");
        Poner(General::Ajustes::Periodo2, "1");
        Medidor m = Iniciado();
        QStringList oidos; // duration shown when each alert sounded
        for (int i = 0; i < 150; ++i)
            if (!Tick(m, 1).sonidos.empty())
                oidos << QString::fromStdString(m.pantalla().Label7);
        QCOMPARE(oidos, QStringList({"00:01:00", "00:02:00"}));
    }

    // The failed call stays pending and in the journal; the next call carries it to the log.
    void anadirFallaConservaLaLlamada() {
        fs::remove(Log());
        fs::create_directory(Log());
        Medidor m = Iniciado();
        Tick(m, 100);
        const auto ef = m.Terminar(reloj_.monotono);
        QVERIFY(ef.errores.size() == 1 && ef.errores[0].find("llamadas.ldx") != std::string::npos);
        QCOMPARE(m.Pendientes().size(), size_t(1));
        QCOMPARE(Leidas(EnCurso()).size(), size_t(1));

        fs::remove(Log());
        m.Iniciar(reloj_.t, reloj_.monotono);
        Tick(m, 30);
        QCOMPARE(Leidas(EnCurso()).size(), size_t(2));
        QVERIFY(m.Terminar(reloj_.monotono).errores.empty());
        QCOMPARE(Leidas(Log()).size(), size_t(2));
        QVERIFY(!fs::exists(EnCurso()));
    }

    // Log and journal unwritable: the call goes to the reserve folder, or stays pending for the
    // retry, and is logged once later; at exit to the last resort or whole to standard error.
    void sinSitioAlTerminar_data() {
        QTest::addColumn<bool>("reserva");
        QTest::addColumn<bool>("alSalir");
        QTest::newRow("reserva") << true << false;
        QTest::newRow("límite de tamaño") << false << false;
        QTest::newRow("al salir, último recurso") << true << true;
        QTest::newRow("al salir, sin sitio") << false << true;
    }
    void sinSitioAlTerminar() {
        QFETCH(bool, reserva);
        QFETCH(bool, alSalir);
        const auto otra = carpeta_ / "reserva";
        const auto ultimo = carpeta_ / "ultimo";
        Medidor m = Iniciado();
        m.CarpetasReserva({otra});
        Tick(m, 60);
        rlimit antes{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &antes) == 0);
        if (reserva) {
            fs::remove(Log());
            fs::create_directories(Log());
            fs::remove(EnCurso());
            fs::create_directories(EnCurso() / "ocupado");
            if (alSalir)
                Escribir(otra, "no es una carpeta");
        } else {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit poco{10, antes.rlim_max};
            QVERIFY(setrlimit(RLIMIT_FSIZE, &poco) == 0);
        }
        const auto ef = m.Terminar(reloj_.monotono);
        const std::string salida = alSalir ? m.GuardarAlSalir({ultimo}) : "";
        setrlimit(RLIMIT_FSIZE, &antes);
        QCOMPARE(ef.errores.size(), size_t(1));
        const bool enReserva = reserva && !alSalir;
        const std::string dice = enReserva ? Diario::Ruta(otra).string() : "ni en otra carpeta";
        QVERIFY2(ef.errores[0].find(dice) != std::string::npos, ef.errores[0].c_str());
        QCOMPARE(m.SinGuardar(), !reserva);
        const std::vector<Llamada> llamada = m.Pendientes();
        QCOMPARE(llamada.size(), size_t(1));
        if (alSalir) {
            const std::string final = reserva ? Diario::Ruta(ultimo).string() + " y se añadirá"
                                              : ArchivoLlamadas::LineaRegistro(llamada[0]) +
                                                    "Tampoco se ha podido guardar en ";
            QVERIFY2(salida.find(final) != std::string::npos, salida.c_str());
        }
        if (reserva) {
            fs::remove_all(Log());
            fs::remove_all(EnCurso());
            if (alSalir)
                fs::remove(otra);
            Arrancar(D(1999, 3, 15), {otra, ultimo});
        } else {
            m.Reintentar();
            QVERIFY(!m.SinGuardar() && m.Pendientes().empty());
        }
        QCOMPARE(Leidas(Log()), llamada);
        for (const fs::path& p : {EnCurso(), Diario::Ruta(otra), Diario::Ruta(ultimo)})
            QVERIFY2(!fs::exists(p), p.c_str());
    }

    // Counts only an interface that is up, running and point-to-point, under the chosen prefix.
    void sonda() {
        const uint todo = IFF_POINTOPOINT | IFF_UP | IFF_RUNNING;
        for (auto [nombre, banderas, prefijo, cuenta] :
             {std::tuple{"ppp0", todo, "", true},
              {"ppp0", todo & ~IFF_RUNNING, "", false},
              {"ppp0", todo & ~IFF_POINTOPOINT, "", false},
              {"wwan0", todo, "wwan", true},
              {"ppp0", todo, "wwan", false}})
            QCOMPARE(PppProbe::Cuenta(nombre, banderas, prefijo), cuenta);

        // Watched on a thread of its own: the drop is timed while this thread spins, busy.
        using std::chrono::milliseconds;
        const auto reloj = [] {
            return std::chrono::duration_cast<milliseconds>(
                std::chrono::steady_clock::now().time_since_epoch());
        };
        FakeProbe enlace;
        enlace.conectado = true;
        VigiaConexion vigia(enlace, reloj, milliseconds(10));
        QVERIFY(vigia.connected() && !vigia.caida());
        const auto corte = reloj();
        enlace.conectado = false;
        while (!vigia.caida() && reloj() - corte < milliseconds(5000)) {
        }
        QVERIFY(!vigia.connected() && vigia.caida());
        QVERIFY(*vigia.caida() >= corte && *vigia.caida() - corte < milliseconds(250));
    }
};

QTEST_GUILESS_MAIN(TestMedidor)
#include "TestMedidor.moc"