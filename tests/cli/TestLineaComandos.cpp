// The command line run as a process; tests/cli/readme.sh pins the README's examples byte for byte.
#include "calllog/ArchivoLlamadas.h"
#include "platform/IniSettingsStore.h"
#include "platform/Rutas.h"
#include "settings/Ajustes.h"
#include "support/Archivos.h"
#include "support/Tablas.h"

struct Salida {
    int estado = -1;
    QString out, err;
};

// Runs under bash `envoltura`, where VM is the program with its arguments; no display needed.
static Salida Ejecutar(const QStringList& argumentos, QString envoltura = "VM") {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "LC_ALL"})
        env.remove(v);
    env.insert("LANG", "es_ES.UTF-8"); // bash does not warn about LANG where the locale is missing
    p.setProcessEnvironment(env);
    p.start("bash",
            QStringList{"-c", envoltura.replace("VM", "\"$0\" \"$@\""), VM_BINARIO} + argumentos);
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

static Fechas::Dia Hoy(int dias = 0) {
    const QDate h = QDate::currentDate().addDays(dias);
    return *Fechas::crearDia(h.year(), h.month(), h.day());
}

// Stores the billing period as the calendar does, from `desde` days after today to `hasta`.
static void Periodo(int desde, int hasta) {
    IniSettingsStore s;
    General::Escribir(s, General::Ajustes::FechaInicio, Fechas::TextoFecha(Hoy(desde), false));
    General::Escribir(s, General::Ajustes::FechaFinal, Fechas::TextoFecha(Hoy(hasta), false));
}

class TestLineaComandos : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString registro_; // two calls today, one the day before
    QString enorme_;   // two amounts whose sum is past the range of a Moneda

    struct Orden {
        const char* fila;
        QString argumentos;
        int estado;
        QString texto, envoltura = "VM";
    };

private slots:
    void initTestCase() {
        const std::vector<Llamada> llamadas{
            {Hoy(), 36000, 70, 60, *Moneda::desdeTexto("12.5"), "Provincial"},
            {Hoy(), 79200, 100, 90, Moneda::desdeEntero(20), "Provincial"},
            {Hoy(-1), 36000, 40, 0, Moneda::desdeEntero(10), "Provincial"}};
        registro_ = dir_.filePath("llamadas.ldx");
        QVERIFY(ArchivoLlamadas::Escribir(registro_.toStdString(), llamadas));
        qputenv("REG", registro_.toLocal8Bit()); // for the shell lines of the table
        enorme_ = dir_.filePath("enorme.ldx");
        const Llamada e{Hoy(), 36000, 70, 60, *Moneda::desdeTexto("922337203685477"), "Provincial"};
        QVERIFY(ArchivoLlamadas::Escribir(enorme_.toStdString(), {e, e}));
    }

    // Arguments split at '|', exit status, a text of stdout (or the one stderr line), bash line.
    void ordenes_data() {
        const QString prov = "precio|Provincial|1999-", lunes = prov + "03-15 10:00:00|";
        const QString nv = "SEGUNDOS no válido";
        const QString metro = "precio|Metropolitana|1999-03-15 10:00:00|";
        const QString cmp = "Metropolitana    Tarifa nacional 1999    34,20   0,21       -8,30\n";
        tabla<Orden>(
            {// Seen at 16:59:55 with 10 s of negotiation: 15 s of punta billed, 18,8625.
             {"precio con negociacion", "precio|Provincial|1999-03-15 16:59:55|5|--negociacion|10",
              0, "Segundos facturados: 15\nImporte en euros: 0,11 €\nImporte en pesetas: 18,86"},
             {"precio con iva", metro + "100|--iva|16|--negociacion|0", 0, "pesetas: 13,22"},
             {"tipo desconocido", "precio|Urbana|1999-03-15 10:00:00|60", 2,
              "tipo de llamada desconocido «Urbana»"},
             {"faltan segundos", "precio|Provincial|1999-03-15 10:00:00", 2, "SEGUNDOS"},
             {"iva fuera de rango", lunes + "60|--iva|300", 2, "--iva debe ser"},
             {"iva en informe", "informe|--iva|16", 2, "--iva"},
             {"opcion desconocida", "--todo", 2, "opción desconocida"},
             {"fecha imposible", prov + "02-30 10:00:00|60", 1, "no es una fecha y hora válida"},
             {"registro que falta", "informe|/no/existe", 1, "dañado: No se puede abrir"},
             {"comparar desbordado", "comparar|" + enorme_, 0, "  fuera de rango\n"},
             {"json desbordado", "comparar|" + enorme_ + "|--json", 0, "\"desborde\": true"},
             {"informe json desbordado", "informe|" + enorme_ + "|--json", 0, "\"desborde\": true"},
             // A failed write (all output shares one writer); a reader that closes the pipe: quiet.
             {"disco lleno", lunes + "120", 1, "no se puede escribir la salida", "VM > /dev/full"},
             {"tubería cerrada", "--help", 1, "", "VM | true; exit ${PIPESTATUS[0]}"},
             // Logs from stdin, a pipe, /dev/null; three calls within Metropolitana's 160 s set-up.
             {"entrada estándar", "informe|-", 0, "Importe de las llamadas: \t32,5 pts",
              "cat \"$REG\" | VM"},
             {"tubería con nombre", "comparar", 0, cmp, "VM <(cat \"$REG\")"},
             {"registro vacío", "informe|/dev/null|--json", 0, "\"llamadas\": 0,"},
             {"opción de Qt primero", "-platform|offscreen|" + lunes + "60", 0,
              "Segundos facturados: "},
             // Strict numbers, and a local time the clock skips (TZ is Europe/Madrid).
             {"+60", lunes + "+60", 2, nv},
             {" 60", lunes + " 60", 2, nv},
             {"hora que no existe", prov + "03-28 02:30:00|60", 1, "no existe en la hora local"}});
    }
    void ordenes() {
        const auto& c = fila<Orden>();
        const Salida s = Ejecutar(c.argumentos.split('|'), c.envoltura);
        QCOMPARE(s.estado, c.estado);
        QVERIFY2((c.estado == 0 ? s.out : s.err).contains(c.texto), qPrintable(s.out + s.err));
        if (c.estado != 0)
            QCOMPARE(s.err.count('\n'), c.texto.isEmpty() ? 0 : 1); // one line, or none
    }

    void json() {
        // Every weekday has passed once in the period: the estimate can be made.
        Periodo(-7, 22);
        const QStringList orden{"informe", registro_, "--json"};
        QJsonObject informe = QJsonDocument::fromJson(Ejecutar(orden).out.toUtf8()).object();
        QCOMPARE(QJsonDocument(informe["hoy"].toObject()).toJson(QJsonDocument::Compact),
                 "{\"importe\":\"32.5000\",\"llamadas\":2,\"segundos_facturados\":150,"
                 "\"tiempo_conexion\":170}");
        QCOMPARE(informe["totales"].toObject()["importe"].toString(), "42.5000");
        QCOMPARE(informe["estimado"].toObject()["llamadas_estimadas"].toDouble(), 11.0);
        // A period that starts today: no weekday but today's has passed, and the reason is given.
        Periodo(0, 30);
        informe = QJsonDocument::fromJson(Ejecutar(orden).out.toUtf8()).object();
        QVERIFY(informe["estimado"].isNull());
        QCOMPARE(informe["motivo"].toString().left(23), "Aún no ha pasado ningún");

        // A refused plan file is named on stderr; the other tariffs are still compared.
        QDir planes(Rutas::CarpetaPlanes());
        QVERIFY(planes.mkpath("."));
        Escribir(planes.filePath("rota.toml"), "nombre = 3\n");
        const Salida s = Ejecutar({"comparar", registro_, "--json"});
        planes.removeRecursively();
        QCOMPARE(s.estado, 0);
        QVERIFY2(s.err.startsWith("vatrimox: tarifas/rota.toml, línea 1"), qPrintable(s.err));
        const QJsonArray filas = QJsonDocument::fromJson(s.out.toUtf8()).array();
        QCOMPARE(filas.size(), 3);
        QCOMPARE(QJsonDocument(filas[0].toObject()).toJson(QJsonDocument::Compact),
                 "{\"diferencia\":\"-8.3000\",\"euros\":\"0.21\",\"pesetas\":\"34.2000\","
                 "\"plan\":\"Tarifa nacional 1999\",\"tipo\":\"Metropolitana\"}");
    }
};

QTEST_GUILESS_MAIN(TestLineaComandos)
#include "TestLineaComandos.moc"
