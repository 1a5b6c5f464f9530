// Tests of the meter, the call journal, start-up settings, rollover and the connection probe.
#include "calllog/ArchivoLlamadas.h"
#include "core/Formato.h"
#include "meter/Arranque.h"
#include "meter/Medidor.h"
#include "platform/PppProbe.h"
#include "platform/VigiaConexion.h"
#include "support/FakeServices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <net/if.h>
#include <sys/resource.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

Fechas::Dia D(int a, int m, int d) {
    return *Fechas::crearDia(a, m, d);
}

QByteArray Contenido(const fs::path& ruta) {
    QFile f(QString::fromStdString(ruta.string()));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<falta>");
}

void Escribir(const fs::path& ruta, const QByteArray& bytes) {
    QFile f(QString::fromStdString(ruta.string()));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray LineaEnero = "#1999-01-20#,#10:00:00#,#00:01:00#,60,12.5,\"Metropolitana\"\r\n";
const General::PeriodoFacturacion Enero{D(1999, 1, 1), D(1999, 1, 31)};

} // namespace

class TestMedidor : public QObject {
    Q_OBJECT

    // The journal is synced every tick: a folder in memory keeps that cheap.
    QTemporaryDir dir_{QDir("/dev/shm").exists() ? "/dev/shm/vatrimox-XXXXXX"
                                                 : QDir::tempPath() + "/vatrimox-XXXXXX"};
    fs::path carpeta_;
    MemorySettingsStore ajustes_;
    FakeClock reloj_;
    General::EstadoPrograma estado_;

    void Poner(const General::Ajuste& a, const char* valor) {
        General::Escribir(ajustes_, a, valor);
    }
    fs::path Log() const { return carpeta_ / ArchivoLlamadas::NombreActual; }
    Medidor Iniciado() {
        Medidor m(ajustes_, estado_, carpeta_, ',');
        m.Iniciar(reloj_.t, reloj_.monotono);
        return m;
    }
    auto Tick(Medidor& m, int segundos) {
        reloj_.avanzar(segundos);
        return m.Tick(reloj_.monotono);
    }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        const char* fila = QTest::currentDataTag(); // one folder per test row
        carpeta_ =
            fs::path(dir_.path().toStdString()) / QTest::currentTestFunction() / (fila ? fila : "");
        fs::create_directories(carpeta_);
        ajustes_ = MemorySettingsStore();
        reloj_.poner(1999, 3, 15, 10, 0, 0); // a Monday
        QVERIFY(General::ValoresPorDefecto(ajustes_, reloj_.t.dia, carpeta_));
        estado_ = {};
        QVERIFY(General::CargarEstado(ajustes_, estado_));
    }

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
        QVERIFY(!fs::exists(Diario::Ruta(carpeta_)));
    }

    // Summer-time changes (Europe/Madrid) and clock jumps in mid-call change neither the
    // duration nor the amount: the call reads as the same call with a steady clock.
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
        QCOMPARE(ArchivoLlamadas::Leer(Log()).llamadas, llamadas);
    }

    void terminaAntesDelPrimerTick() {
        Medidor m = Iniciado();
        Tick(m, 600);
        m.Terminar(reloj_.monotono);
        reloj_.avanzar(60);
        m.Iniciar(reloj_.t, reloj_.monotono);
        reloj_.avanzar(2);
        m.Terminar(reloj_.monotono);
        const auto lectura = ArchivoLlamadas::Leer(Log());
        QCOMPARE(lectura.llamadas.size(), size_t(2));
        QCOMPARE(lectura.llamadas[1].Duracion, int64_t(22));
        QCOMPARE(m.pantalla().Label7, std::string("00:00:22"));
        QVERIFY(lectura.llamadas[1].Importe < lectura.llamadas[0].Importe);
    }

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
        for (int i = 0; i < 150; ++i) {
            if (!Tick(m, 1).sonidos.empty())
                oidos << QString::fromStdString(m.pantalla().Label7);
        }
        QCOMPARE(oidos, QStringList({"00:01:00", "00:02:00"}));
    }

    // The failed call stays pending and in the journal; the next call carries it to the log.
    void anadirFallaConservaLaLlamada() {
        fs::remove(Log());
        fs::create_directory(Log());
        Medidor m = Iniciado();
        Tick(m, 100);
        const auto ef = m.Terminar(reloj_.monotono);
        QCOMPARE(ef.errores.size(), size_t(1));
        QVERIFY(ef.errores[0].find("llamadas.ldx") != std::string::npos);
        QCOMPARE(m.Pendientes().size(), size_t(1));
        QCOMPARE(ArchivoLlamadas::Leer(Diario::Ruta(carpeta_)).llamadas.size(), size_t(1));

        fs::remove(Log());
        m.Iniciar(reloj_.t, reloj_.monotono);
        Tick(m, 30);
        QCOMPARE(ArchivoLlamadas::Leer(Diario::Ruta(carpeta_)).llamadas.size(), size_t(2));
        QVERIFY(m.Terminar(reloj_.monotono).errores.empty());
        QCOMPARE(ArchivoLlamadas::Leer(Log()).llamadas.size(), size_t(2));
        QVERIFY(!fs::exists(Diario::Ruta(carpeta_)));
    }

    // Neither the log nor the journal can be written at the end of a call: the call goes to a
    // reserve folder, or (past a file-size limit) stays pending for the retry; the message
    // says which, and the call is logged once when writing works again. At the session's end
    // with the reserve full too, the call goes to the folder of last resort, or else its
    // record is given whole for standard error.
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
            fs::remove(Diario::Ruta(carpeta_));
            fs::create_directories(Diario::Ruta(carpeta_) / "ocupado");
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
            fs::remove_all(Diario::Ruta(carpeta_));
            if (alSalir)
                fs::remove(otra);
            Arranque::Preparar(ajustes_, D(1999, 3, 15), carpeta_, estado_, ',', {otra, ultimo});
        } else {
            m.Reintentar();
            QVERIFY(!m.SinGuardar() && m.Pendientes().empty());
        }
        QCOMPARE(ArchivoLlamadas::Leer(Log()).llamadas, llamada);
        QVERIFY(!fs::exists(Diario::Ruta(carpeta_)) && !fs::exists(Diario::Ruta(otra)));
        QVERIFY(!fs::exists(Diario::Ruta(ultimo)));
    }

    // Past the end by months, every missed period passes at once: 1/2-2/3, 3/3-31/3, 1/4-28/4.
    // A one-day period is followed by one-day periods, never by one that ends before it starts.
    void nuevoPeriodo() {
        QVERIFY(!Arranque::NuevoPeriodo(Enero, D(1999, 1, 31)));
        const auto n = Arranque::NuevoPeriodo(Enero, D(1999, 4, 15));
        QVERIFY(n);
        QCOMPARE(n->inicio, D(1999, 4, 1));
        QCOMPARE(n->fin, D(1999, 4, 28));
        const auto u = Arranque::NuevoPeriodo({D(1999, 1, 1), D(1999, 1, 1)}, D(1999, 1, 3));
        QCOMPARE(u->inicio, D(1999, 1, 3));
        QCOMPARE(u->fin, D(1999, 1, 3));
    }

    // All or nothing: a failed copy or a failed date write leaves log and dates as they were.
    // Two periods missed: one rollover, and a second start keeps January in antiguas.ldx.
    void cambioDePeriodo_data() {
        QTest::addColumn<QString>("falla");
        QTest::addColumn<QString>("fechas"); // stored afterwards when all went well
        QTest::newRow("bien") << ""
                              << "01/02/1999-02/03/1999";
        QTest::newRow("dos periodos perdidos") << ""
                                               << "03/03/1999-31/03/1999";
        QTest::newRow("copia") << "copia"
                               << "";
        QTest::newRow("fechas") << "fechas"
                                << "";
    }
    void cambioDePeriodo() {
        QFETCH(QString, falla);
        QFETCH(QString, fechas);
        const Fechas::Dia hoy = fechas.startsWith("03/03") ? D(1999, 3, 15) : D(1999, 2, 1);
        Escribir(Log(), LineaEnero);
        Poner(General::Ajustes::FechaInicio, "01/01/1999");
        Poner(General::Ajustes::FechaFinal, "31/01/1999");
        if (falla == "copia")
            fs::create_directory(carpeta_ / ArchivoLlamadas::NombreAnterior);
        ajustes_.fallarEscrituras = falla == "fechas";
        const auto c = Arranque::CambiarPeriodo(ajustes_, Enero, hoy, carpeta_);
        const bool bien = falla.isEmpty();
        QCOMPARE(c.hecho, bien);
        QCOMPARE(c.error.empty(), bien);
        QCOMPARE(Contenido(Log()), bien ? QByteArray() : LineaEnero);
        QCOMPARE(General::Leer(ajustes_, General::Ajustes::FechaInicio) + "-" +
                     General::Leer(ajustes_, General::Ajustes::FechaFinal),
                 (bien ? fechas : QString("01/01/1999-31/01/1999")).toStdString());
        if (bien) {
            QVERIFY(!Arranque::CambiarPeriodo(ajustes_, c.periodo, hoy, carpeta_).hecho);
            QCOMPARE(Contenido(carpeta_ / ArchivoLlamadas::NombreAnterior), LineaEnero);
        }
    }

    // A kill before each step of the rollover, a temporary file of the killed write left; one
    // normal start then has January once in antiguas.ldx, the log empty, the new dates and no
    // marker or temporary file. A marker that outlived its rollover empties no later call.
    void cambioInterrumpido_data() {
        QTest::addColumn<int>("parada");
        QTest::addColumn<QString>("temporal");
        QTest::addColumn<QByteArray>("despues"); // logged after the kill
        using P = Arranque::PasoCambio;
        QTest::newRow("marca") << int(P::Marca) << ".cambio_periodo.txt.tmp1-0" << QByteArray();
        QTest::newRow("copia") << int(P::Copia) << ".antiguas.ldx.tmp1-0" << QByteArray();
        QTest::newRow("copiado") << int(P::Copiado) << ".cambio_periodo.txt.tmp1-1" << QByteArray();
        QTest::newRow("FechaInicio") << int(P::FechaInicio) << "" << QByteArray();
        QTest::newRow("FechaFinal") << int(P::FechaFinal) << "" << QByteArray();
        QTest::newRow("vaciado") << int(P::Vaciado) << ".llamadas.ldx.tmp1-0" << QByteArray();
        QTest::newRow("desmarcar") << int(P::Desmarcar) << "" << QByteArray();
        QTest::newRow("llamada tras el cambio")
            << int(P::Desmarcar) << "" << QByteArray(LineaEnero).replace("01-20", "02-01");
    }
    void cambioInterrumpido() {
        QFETCH(int, parada);
        QFETCH(QString, temporal);
        QFETCH(QByteArray, despues);
        Escribir(Log(), LineaEnero);
        Escribir(carpeta_ / ArchivoLlamadas::NombreAnterior,
                 QByteArray(LineaEnero).replace("1999-01", "1998-12"));
        Poner(General::Ajustes::FechaInicio, "01/01/1999");
        Poner(General::Ajustes::FechaFinal, "31/01/1999");
        Arranque::CambiarPeriodo(ajustes_, Enero, D(1999, 2, 1), carpeta_,
                                 Arranque::PasoCambio(parada));
        if (!temporal.isEmpty())
            Escribir(carpeta_ / temporal.toStdString(), "x");
        if (!despues.isEmpty())
            QVERIFY(ArchivoLlamadas::Anadir(
                Log(), ArchivoLlamadas::LeerTexto(despues.toStdString()).llamadas[0]));
        const auto r = Arranque::Preparar(ajustes_, D(1999, 2, 1), carpeta_, estado_, ',');
        QCOMPARE(Contenido(carpeta_ / ArchivoLlamadas::NombreAnterior), LineaEnero);
        QCOMPARE(Contenido(Log()), despues);
        QCOMPARE(General::Leer(ajustes_, General::Ajustes::FechaInicio) + "-" +
                     General::Leer(ajustes_, General::Ajustes::FechaFinal),
                 std::string("01/02/1999-02/03/1999"));
        QCOMPARE(r.periodo.inicio, D(1999, 2, 1));
        QCOMPARE(r.mensajes.size(), size_t(1));
        QCOMPARE(
            QDir(QString::fromStdString(carpeta_.string())).entryList(QDir::Files | QDir::Hidden),
            QStringList({"antiguas.ldx", "llamadas.ldx"}));
    }

    void primerArranque() {
        MemorySettingsStore vacio;
        std::vector<Arranque::Mensaje> mensajes;
        fs::remove(Log());
        const auto p = Arranque::CargarAjustes(vacio, D(1999, 3, 15), carpeta_, estado_, mensajes);
        QVERIFY(mensajes.empty());
        QCOMPARE(p.inicio, D(1999, 3, 15));
        QCOMPARE(p.fin, D(1999, 5, 14));
        QCOMPARE(estado_.SegundosNegociacion, uint8_t(20));
        QCOMPARE(Contenido(Log()), QByteArray());
        // Every first-run default is written, the empty sound paths included, in order.
        QCOMPARE(vacio.escrituras.size(), qsizetype(General::AjustesEnOrden().size()));
        QCOMPARE(vacio.escrituras.first(), QString("Datos/FechaFinal=14/05/1999"));
        QVERIFY(vacio.escrituras.contains("Sonidos/AlertaSonido="));
    }

    void ajustesIlegiblesConservanLoValido() {
        const QByteArray llamadas = "#1999-03-01#,#10:00:00#,#00:01:00#,60,12.5,\"Provincial\"\r\n";
        Escribir(Log(), llamadas);
        Poner(General::Ajustes::IVA, "1");
        Poner(General::Ajustes::Negociacion, "muchos");
        Poner(General::Ajustes::Tarifa, "Provincial");
        Poner(General::Ajustes::FechaInicio, "01/03/1999");
        Poner(General::Ajustes::FechaFinal, "31/02/1999");
        std::vector<Arranque::Mensaje> mensajes;
        const auto p =
            Arranque::CargarAjustes(ajustes_, D(1999, 3, 15), carpeta_, estado_, mensajes);
        // Only the unreadable end is replaced, and the user is told which and from what.
        QCOMPARE(p.inicio, D(1999, 3, 1));
        QCOMPARE(p.fin, D(1999, 5, 14));
        QCOMPARE(mensajes.size(), size_t(1));
        QCOMPARE(mensajes[0].texto, std::string("Las fechas guardadas del periodo de llamadas no "
                                                "eran válidas; se ha cambiado FechaFinal "
                                                "(«31/02/1999») a 14/05/1999."));
        QCOMPARE(estado_.IncluirIVA, uint8_t(1));
        QCOMPARE(estado_.SegundosNegociacion, uint8_t(20));
        QCOMPARE(estado_.TipoLlamada, std::string("Provincial"));
        QCOMPARE(Contenido(Log()), llamadas);
    }

    // Defaults in use are said so; a store that keeps the user's settings but cannot save
    // them (a read-only file) says only that changes will not be kept.
    void ajustesQueNoSeGuardan() {
        MemorySettingsStore roto;
        roto.fallarEscrituras = true;
        std::vector<Arranque::Mensaje> mensajes;
        const auto p = Arranque::CargarAjustes(roto, D(1999, 3, 15), carpeta_, estado_, mensajes);
        QCOMPARE(mensajes.size(), size_t(1));
        QVERIFY(mensajes[0].critico);
        QVERIFY(QString::fromStdString(mensajes[0].texto).endsWith("los valores por defecto."));
        QCOMPARE(p.fin, D(1999, 5, 14));
        struct SoloLectura : MemorySettingsStore {
            bool write(const std::string& a, const std::string& s, const std::string& k,
                       const std::string& v) override {
                MemorySettingsStore::write(a, s, k, v); // kept in memory, not on disk
                return false;
            }
        } soloLectura;
        soloLectura.valores = ajustes_.valores;
        General::Escribir(soloLectura, General::Ajustes::IVA, "1");
        General::Escribir(soloLectura, General::Ajustes::Negociacion, "muchos");
        mensajes.clear();
        Arranque::CargarAjustes(soloLectura, D(1999, 3, 15), carpeta_, estado_, mensajes);
        QCOMPARE(mensajes.size(), size_t(1));
        QCOMPARE(mensajes[0].texto, std::string("No se pueden guardar los ajustes de VatriMox: "
                                                "los cambios que se hagan no se conservarán."));
        QCOMPARE(estado_.IncluirIVA, uint8_t(1));
    }

    // A call of the ended period lands in that period's log, now the previous one.
    void recuperacionAntesDelCambio() {
        Poner(General::Ajustes::FechaInicio, "01/01/1999");
        Poner(General::Ajustes::FechaFinal, "31/01/1999");
        Llamada l{D(1999, 1, 31), 36000, 300, 200, Moneda::desdeEntero(50), "Metropolitana"};
        QVERIFY(Diario::Guardar(carpeta_, {l}));
        const auto r = Arranque::Preparar(ajustes_, D(1999, 2, 1), carpeta_, estado_, ',');
        QCOMPARE(r.mensajes.size(), size_t(2));
        QVERIFY(QString::fromStdString(r.mensajes[0].texto).contains("31/01/1999 a las 10:00:00"));
        QCOMPARE(r.mensajes[1].texto, std::string(Arranque::TextoCambioPeriodo));
        QCOMPARE(Contenido(carpeta_ / ArchivoLlamadas::NombreAnterior),
                 QByteArray::fromStdString(ArchivoLlamadas::LineaRegistro(l)));
        QCOMPARE(Contenido(Log()), QByteArray());
        QVERIFY(!fs::exists(Diario::Ruta(carpeta_)));
    }

    // A kill before the first tick, between the append and the journal's removal, or inside a
    // journal write: the next start has the call logged once, quietly when it already was.
    void recuperacionTrasMuerte_data() {
        QTest::addColumn<int>("segundos");
        QTest::addColumn<bool>("yaAnotada");
        QTest::addColumn<bool>("temporal");
        QTest::addColumn<int>("mensajes");
        QTest::newRow("antes del primer tick") << 0 << false << false << 1;
        QTest::newRow("tras añadir") << 40 << true << false << 0;
        QTest::newRow("temporal suelto") << 40 << true << true << 0;
    }
    void recuperacionTrasMuerte() {
        QFETCH(int, segundos);
        QFETCH(bool, yaAnotada);
        QFETCH(bool, temporal);
        QFETCH(int, mensajes);
        Medidor m = Iniciado();
        if (segundos > 0)
            Tick(m, segundos);
        if (yaAnotada)
            QVERIFY(ArchivoLlamadas::Anadir(Log(), m.Registro()));
        const auto suelto = carpeta_ / ".llamada_en_curso.ldx.tmp999-0";
        if (temporal)
            Escribir(suelto, LineaEnero);
        const auto diario = ArchivoLlamadas::Leer(Diario::Ruta(carpeta_)).llamadas;
        QCOMPARE(diario.size(), size_t(1));
        const auto r = Arranque::Preparar(ajustes_, D(1999, 3, 15), carpeta_, estado_, ',');
        QCOMPARE(int(r.mensajes.size()), mensajes);
        QCOMPARE(ArchivoLlamadas::Leer(Log()).llamadas, diario);
        QVERIFY(!fs::exists(Diario::Ruta(carpeta_)) && !fs::exists(suelto));
    }

    void recuperacionQueFalla() {
        Llamada l{D(1999, 3, 14), 36000, 300, 200, Moneda::desdeEntero(50), "Metropolitana"};
        QVERIFY(Diario::Guardar(carpeta_, {l}));
        fs::remove(Log());
        fs::create_directory(Log());
        const auto r = Arranque::Preparar(ajustes_, D(1999, 3, 15), carpeta_, estado_, ',');
        QCOMPARE(r.pendientes.size(), size_t(1));
        QCOMPARE(r.mensajes.size(), size_t(1));
        QVERIFY(r.mensajes[0].critico);
        QCOMPARE(ArchivoLlamadas::Leer(Diario::Ruta(carpeta_)).llamadas.size(), size_t(1));
    }

    void progreso() {
        const General::PeriodoFacturacion p{D(1999, 3, 1), D(1999, 4, 30)};
        QCOMPARE(Arranque::ProgresoPeriodo(p, D(1999, 3, 1)), float(1.0 / 61 * 100));
        QCOMPARE(Arranque::ProgresoPeriodo(p, D(1999, 2, 1)), 0.0f);
        QCOMPARE(Arranque::ProgresoPeriodo(p, D(1999, 6, 1)), 100.0f);
    }

    // Counts only an interface that is up, running and point-to-point, under the chosen prefix.
    void sonda() {
        const uint todo = IFF_POINTOPOINT | IFF_UP | IFF_RUNNING;
        QVERIFY(PppProbe::Cuenta("ppp0", todo, ""));
        QVERIFY(!PppProbe::Cuenta("ppp0", IFF_POINTOPOINT | IFF_UP, ""));
        QVERIFY(!PppProbe::Cuenta("ppp0", IFF_UP | IFF_RUNNING, ""));
        QVERIFY(PppProbe::Cuenta("wwan0", todo, "wwan"));
        QVERIFY(!PppProbe::Cuenta("ppp0", todo, "wwan"));

        // Watched on a thread of its own: the drop is timed while this thread is held busy.
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
        std::this_thread::sleep_for(milliseconds(500));
        QVERIFY(!vigia.connected() && vigia.caida());
        QVERIFY(*vigia.caida() >= corte && *vigia.caida() - corte < milliseconds(250));
    }
};

QTEST_GUILESS_MAIN(TestMedidor)
#include "TestMedidor.moc"