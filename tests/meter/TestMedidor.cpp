// Tests of the meter: minimum length, clock jumps, alerts, saving a call, the ppp interface check.
#include "core/Formato.h"
#include "meter/BancoMedidor.h"
#include "platform/PppProbe.h"

#include <net/if.h>

class TestMedidor : public BancoMedidor {
    Q_OBJECT
    struct NoAcepta {
        const char *fila, *minimo;
        int segundos, anotadas;
    };
    struct Salto {
        const char* fila;
        int mes, dia, hora, minuto, segundo, salto, duracion;
    };
    struct Aviso {
        const char *fila, *activos;
        QString oidos; // each sound with the duration shown when it played
    };
    struct SinSitio {
        const char* fila;
        bool reserva, alSalir;
    };

private slots:
    void init() { Preparar(); }

    // The call ends at the second of its last tick; only strictly more than the minimum logs.
    void noAceptar_data() {
        tabla<NoAcepta>({{"15 no", "15", 15, 0},
                         {"16 si", "15", 16, 1},
                         {"con espacios", " 15 ", 15, 0},
                         {"no numerico", "quince", 1, 1}});
    }
    void noAceptar() {
        const auto& c = fila<NoAcepta>();
        Poner(General::Ajustes::NoAceptar, c.minimo);
        estado_.SegundosNegociacion = 0;
        Medidor m = Iniciado();
        Tick(m, c.segundos);
        QVERIFY(m.Terminar(reloj_.monotono).errores.empty());
        QCOMPARE(Contenido(Log()).count("\r\n"), c.anotadas);
        QVERIFY(!fs::exists(EnCurso()));
    }

    // Summer-time changes and clock jumps in mid-call change neither duration nor amount.
    void saltosDeReloj_data() {
        tabla<Salto>({{"otoño 31/10/1999", 10, 31, 2, 59, 40, -3600, 43},
                      {"primavera 28/03/1999", 3, 28, 1, 59, 40, 3600, 43},
                      {"atrás 2 h", 3, 15, 10, 0, 0, -7200, 43},
                      {"adelante 3 h", 3, 15, 10, 0, 0, 10800, 23}});
    }
    void saltosDeReloj() {
        const auto& c = fila<Salto>();
        std::vector<Llamada> llamadas;
        for (const int s : {0, c.salto}) {
            reloj_.poner(1999, c.mes, c.dia, c.hora, c.minuto, c.segundo);
            Medidor m = Iniciado();
            for (int i = 1; i <= c.duracion; ++i) {
                reloj_.avanzar(1);
                if (i == c.duracion / 2)
                    reloj_.saltar(s);
                m.Tick(reloj_.monotono);
            }
            m.Terminar(reloj_.monotono);
            QCOMPARE(m.pantalla().Label7, General::FormatoDuracion(c.duracion + 20));
            llamadas.push_back(m.Registro());
        }
        QCOMPARE(llamadas[1], llamadas[0]);
        QCOMPARE(Leidas(Log()), llamadas);
    }

    // Begun the day before (20 s negotiated); 20 s + 2; refused by the log, carried by the next.
    void llamadasSeguidas() {
        reloj_.poner(1999, 3, 16, 0, 0, 10);
        Medidor m = Iniciado();
        QCOMPARE(m.SegundoInicio(), -10);
        Tick(m, 600);
        const Llamada r = m.Registro();
        QVERIFY(r.Fecha == D(1999, 3, 15) && r.Hora == Fechas::SegundosDelDia(23, 59, 50));
        QCOMPARE(r.Duracion, int64_t(620));
        m.Terminar(reloj_.monotono);
        reloj_.avanzar(60);
        m.Iniciar(reloj_.t, reloj_.monotono);
        reloj_.avanzar(2);
        m.Terminar(reloj_.monotono);
        const auto l = Leidas(Log());
        QVERIFY(l.size() == 2 && l[1].Duracion == 22 && l[1].Importe < l[0].Importe);
        QCOMPARE(m.pantalla().Label7, std::string("00:00:22"));

        fs::remove(Log()), fs::create_directory(Log());
        m.Iniciar(reloj_.t, reloj_.monotono);
        Tick(m, 100);
        const auto ef = m.Terminar(reloj_.monotono);
        QVERIFY(ef.errores.size() == 1 && ef.errores[0].find("llamadas.ldx") != std::string::npos);
        QVERIFY(m.Pendientes().size() == 1 && Leidas(EnCurso()).size() == 1);
        fs::remove(Log());
        // The journal the data folder refuses goes to the reserve, and leaves it once the folder
        // takes it again: a copy left behind would be logged again at the next start.
        m.CarpetasReserva({carpeta_ / "r"});
        m.Iniciar(reloj_.t, reloj_.monotono);
        fs::remove(EnCurso()), fs::create_directories(EnCurso() / "x");
        Tick(m, 29);
        QVERIFY(fs::exists(Diario::Ruta(carpeta_ / "r")));
        fs::remove_all(EnCurso());
        Tick(m, 1);
        QVERIFY(!fs::exists(Diario::Ruta(carpeta_ / "r")));
        QCOMPARE(Leidas(EnCurso()).size(), size_t(2));
        QVERIFY(m.Terminar(reloj_.monotono).errores.empty());
        QVERIFY(Leidas(Log()).size() == 2 && !fs::exists(EnCurso()));
    }

    // The amount alert once per call; the periodic one each 5 minutes shown while it is on.
    void avisos_data() {
        tabla<Aviso>({{"con sonido", "1",
                       "paso 00:02:49, alerta 00:05:00, alerta 00:10:00, alerta 00:15:00"},
                      {"sin sonido", "0", "alerta 00:10:00, alerta 00:15:00"}});
    }
    void avisos() {
        using namespace General;
        const auto& c = fila<Aviso>();
        for (const Ajuste* a : {&Ajustes::PasoSINO, &Ajustes::AlertaSINO})
            Poner(*a, c.activos);
        Poner(Ajustes::PasoSonido, "paso");
        Poner(Ajustes::AlertaSonido, "alerta");
        Poner(Ajustes::Periodo2, "5");
        Medidor m = Iniciado();
        m.Tick(reloj_.monotono);
        const double primero = *LeerNumero(m.pantalla().Label6, ',');
        Poner(Ajustes::Importe, std::to_string(int(primero) + 1).c_str());
        QStringList oidos;
        for (int i = 0; i < 900; ++i) {
            for (const std::string& s : Tick(m, 1).sonidos)
                oidos << QString::fromStdString(s + " " + m.pantalla().Label7);
            for (const Ajuste* a : {&Ajustes::PasoSINO, &Ajustes::AlertaSINO})
                Poner(*a, i < 450 ? c.activos : "1");
        }
        QVERIFY(!m.AvisoPendiente());
        QCOMPARE(oidos.join(", "), c.oidos);
    }

    // Log and journal unwritable: to the reserve or pending; at exit to the last resort or stderr.
    void sinSitioAlTerminar_data() {
        tabla<SinSitio>({{"reserva", true, false},
                         {"límite de tamaño", false, false},
                         {"al salir, último recurso", true, true},
                         {"al salir, sin sitio", false, true}});
    }
    void sinSitioAlTerminar() {
        const auto [nombre, reserva, alSalir] = fila<SinSitio>();
        const auto otra = carpeta_ / "reserva", ultimo = carpeta_ / "ultimo";
        Medidor m = Iniciado();
        m.CarpetasReserva({otra});
        Tick(m, 60);
        if (reserva) {
            for (const fs::path& p : {Log(), EnCurso()}) // folders in place of the files
                fs::remove(p), fs::create_directories(p / "ocupado");
            if (alSalir)
                Escribir(otra, "no es una carpeta");
        }
        Medidor::Efectos ef;
        std::string salida;
        const auto terminar = [&] {
            ef = m.Terminar(reloj_.monotono);
            salida = alSalir ? m.GuardarAlSalir({ultimo}) : "";
        };
        reserva ? terminar() : ConDiscoLleno(terminar, 10);
        QCOMPARE(ef.errores.size(), size_t(1));
        const std::string dice =
            reserva && !alSalir ? Diario::Ruta(otra).string() : "ni en otra carpeta";
        QVERIFY2(ef.errores[0].find(dice) != std::string::npos, ef.errores[0].c_str());
        const std::vector<Llamada> llamada = m.Pendientes();
        QVERIFY(m.SinGuardar() == !reserva && llamada.size() == 1);
        if (alSalir) {
            const std::string final = reserva ? Diario::Ruta(ultimo).string() + " y se añadirá"
                                              : ArchivoLlamadas::LineaRegistro(llamada[0]) +
                                                    "Tampoco se ha podido guardar en ";
            QVERIFY2(salida.find(final) != std::string::npos, salida.c_str());
        }
        if (reserva) {
            for (const fs::path& p : {Log(), EnCurso(), alSalir ? otra : Log()})
                fs::remove_all(p);
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
    }
};

QTEST_GUILESS_MAIN(TestMedidor)
#include "TestMedidor.moc"