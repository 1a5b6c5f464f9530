// The command line run as a process: each command, JSON read back, bad arguments, damaged logs.
// The README's examples (tests/cli/readme.sh) pin the full output of precio, its JSON and the
// message for a damaged log.
#include "calllog/ArchivoLlamadas.h"
#include "platform/IniSettingsStore.h"
#include "platform/Rutas.h"
#include "settings/Ajustes.h"
#include "support/Archivos.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Salida {
    int estado = -1;
    QString out;
    QString err;
};

// `envoltura`, when given, is a bash command line in which VM stands for the program with its
// arguments: "VM > /dev/full", "cat \"$REG\" | VM".
Salida Ejecutar(const QStringList& argumentos, QString envoltura = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* pantalla : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(pantalla); // no display is needed
    // LANG under bash, which does not warn about it when the system lacks the locale.
    env.insert(envoltura.isEmpty() ? "LC_ALL" : "LANG", "es_ES.UTF-8");
    if (!envoltura.isEmpty())
        env.remove("LC_ALL");
    p.setProcessEnvironment(env);
    if (envoltura.isEmpty())
        p.start(VM_BINARIO, argumentos);
    else
        p.start("bash", QStringList{"-c", envoltura.replace("VM", "\"$0\" \"$@\""), VM_BINARIO} +
                            argumentos);
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QJsonObject Json(const QStringList& argumentos) {
    return QJsonDocument::fromJson(Ejecutar(argumentos).out.toUtf8()).object();
}

// Stores the billing period as the calendar does, from `desde` days after today to `hasta`.
void Periodo(int desde, int hasta) {
    const QDate h = QDate::currentDate();
    const Fechas::Dia hoy = *Fechas::crearDia(h.year(), h.month(), h.day());
    IniSettingsStore s;
    General::Escribir(s, General::Ajustes::FechaInicio,
                      Fechas::TextoFecha(hoy + std::chrono::days{desde}, false));
    General::Escribir(s, General::Ajustes::FechaFinal,
                      Fechas::TextoFecha(hoy + std::chrono::days{hasta}, false));
}

} // namespace

class TestLineaComandos : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString registro_; // two calls today, one the day before
    QString danado_;   // amount of the second record is not a number
    QString enorme_;   // two amounts whose sum is past the range of a Moneda

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        const QDate h = QDate::currentDate();
        const Fechas::Dia hoy = *Fechas::crearDia(h.year(), h.month(), h.day());
        const std::vector<Llamada> llamadas{
            {hoy, 36000, 70, 60, *Moneda::desdeTexto("12.5"), "Provincial"},
            {hoy, 79200, 100, 90, Moneda::desdeEntero(20), "Provincial"},
            {hoy - std::chrono::days{1}, 36000, 40, 0, Moneda::desdeEntero(10), "Provincial"}};
        registro_ = dir_.filePath("llamadas.ldx");
        QVERIFY(ArchivoLlamadas::Escribir(registro_.toStdString(), llamadas));
        qputenv("REG", registro_.toLocal8Bit()); // for the shell lines of the table
        enorme_ = dir_.filePath("enorme.ldx");
        std::vector<Llamada> enormes(2, llamadas.front());
        for (Llamada& l : enormes)
            l.Importe = *Moneda::desdeTexto("922337203685477");
        QVERIFY(ArchivoLlamadas::Escribir(enorme_.toStdString(), enormes));
        danado_ = dir_.filePath("danado.ldx");
        Escribir(danado_, "#1999-03-01#,#11:02:36#,#00:36:23#,2183,190.01,\"Metropolitana\"\r\n"
                          "#1999-03-01#,#23:02:36#,#00:01:00#,60,doce,\"Metropolitana\"\r\n");
    }

    void ordenes_data() {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("estado");
        QTest::addColumn<QString>("texto");     // in standard output on success, else in errors
        QTest::addColumn<QString>("envoltura"); // see Ejecutar
        // The arguments are separated by '|'.
        const auto fila = [](const char* nombre, const QString& argumentos, int estado,
                             const QString& texto, const char* envoltura = "") {
            QTest::newRow(nombre) << argumentos.split('|') << estado << texto << envoltura;
        };
        const QString lunes = "precio|Provincial|1999-03-15 10:00:00|";
        const QString cmp = "Metropolitana    Tarifa nacional 1999    34,20   0,21       -8,30\n";
        fila("version", "--version", 0, "VatriMox 4.0.288\n");
        fila("ayuda", "-h", 0, "informe [ARCHIVO] [--json]");
        // Seen at 16:59:55 with 10 s of negotiation: 15 s of punta billed, 18,8625.
        fila("precio con negociacion", "precio|Provincial|1999-03-15 16:59:55|5|--negociacion|10",
             0, "Segundos facturados: 15\nImporte en euros: 0,11 €\nImporte en pesetas: 18,86");
        fila("precio con iva",
             "precio|Metropolitana|1999-03-15 10:00:00|100|--iva|16|--negociacion|0", 0,
             "Importe en pesetas: 13,22");
        fila("informe", "informe|" + registro_, 0, "Importe de las llamadas: \t32,5 pts");
        // The built-in tariff alone: three calls within the 160 s of Metropolitana's set-up.
        fila("comparar", "comparar|" + registro_, 0, cmp);
        fila("tipo desconocido", "precio|Urbana|1999-03-15 10:00:00|60", 2,
             "tipo de llamada desconocido «Urbana»");
        fila("faltan segundos", "precio|Provincial|1999-03-15 10:00:00", 2, "SEGUNDOS");
        fila("iva fuera de rango", lunes + "60|--iva|300", 2, "--iva debe ser");
        fila("iva en informe", "informe|--iva|16", 2, "--iva");
        fila("opcion desconocida", "--todo", 2, "opción desconocida");
        fila("fecha imposible", "precio|Provincial|1999-02-30 10:00:00|60", 1,
             "no es una fecha y hora válida");
        fila("comparar registro danado", "comparar|" + danado_ + "|--json", 1, "línea 2, campo 5");
        fila("registro que falta", "informe|" + dir_.filePath("no.ldx"), 1,
             "No es un archivo de llamadas o está dañado: No se puede abrir");
        // Sums past the range of a Moneda are said to be, never shown capped.
        fila("comparar desbordado", "comparar|" + enorme_, 0, "  fuera de rango\n");
        fila("comparar json desbordado", "comparar|" + enorme_ + "|--json", 0,
             "\"desborde\": true");
        fila("informe json desbordado", "informe|" + enorme_ + "|--json", 0, "\"desborde\": true");
        // A failed write (all output shares one writer); a reader that closes the pipe: quiet.
        fila("disco lleno", lunes + "120", 1, "no se puede escribir la salida", "VM > /dev/full");
        fila("tubería cerrada", "--help", 1, "", "VM | true; exit ${PIPESTATUS[0]}");
        // Logs from standard input, a pipe and /dev/null.
        fila("entrada estándar", "informe|-", 0, "Importe de las llamadas: \t32,5 pts",
             "cat \"$REG\" | VM");
        fila("tubería con nombre", "comparar", 0, cmp, "VM <(cat \"$REG\")");
        fila("registro vacío", "informe|/dev/null|--json", 0, "\"llamadas\": 0,");
        // Qt's own options anywhere, and no display needed for the commands.
        fila("opción de Qt primero",
             "-platform|offscreen|precio|Provincial|1999-03-15 16:59:00|120|--negociacion|0", 0,
             "Importe en pesetas: 43,85");
        fila("versión con estilo", "--style=fusion|--version", 0, "VatriMox 4.0.288\n");
        // Strict numbers, and a local time the clock skips (TZ is Europe/Madrid).
        for (const char* segundos : {"+60", " 60", "-5"})
            fila(segundos, lunes + segundos, 2, "SEGUNDOS no válido");
        fila("hora que no existe", "precio|Provincial|1999-03-28 02:30:00|60", 1,
             "no existe en la hora local");
        // JSON is the same byte for byte under a comma locale and C.
        fila("json sin idioma",
             "precio|Metropolitana|1999-03-15 10:00:00|300|--json|--negociacion|0", 0,
             "\"euros\": \"0.13\"", "[ \"$(LC_ALL=C VM)\" = \"$(VM)\" ] && VM");
    }
    void ordenes() {
        QFETCH(QStringList, argumentos);
        QFETCH(int, estado);
        QFETCH(QString, texto);
        QFETCH(QString, envoltura);
        const Salida s = Ejecutar(argumentos, envoltura);
        QCOMPARE(s.estado, estado);
        QVERIFY2((estado == 0 ? s.out : s.err).contains(texto), qPrintable(s.out + s.err));
        if (estado != 0)
            QCOMPARE(s.err.count('\n'), texto.isEmpty() ? 0 : 1); // one line, or none
    }

    void json() {
        // Every weekday has passed once in the period: the estimate can be made.
        Periodo(-7, 22);
        QJsonObject informe = Json({"informe", registro_, "--json"});
        QCOMPARE(QJsonDocument(informe["hoy"].toObject()).toJson(QJsonDocument::Compact),
                 "{\"importe\":\"32.5000\",\"llamadas\":2,\"segundos_facturados\":150,"
                 "\"tiempo_conexion\":170}");
        QCOMPARE(informe["totales"].toObject()["importe"].toString(), "42.5000");
        QCOMPARE(informe["estimado"].toObject()["llamadas_estimadas"].toDouble(), 11.0);
        // A period that starts today: no weekday but today's has passed, and the reason is given.
        Periodo(0, 30);
        informe = Json({"informe", registro_, "--json"});
        QVERIFY(informe["estimado"].isNull());
        QVERIFY2(informe["motivo"].toString().startsWith("Aún no ha pasado ningún"),
                 qPrintable(informe["motivo"].toString()));

        // A refused plan file is named on standard error; the other tariffs are still compared.
        QDir planes(Rutas::CarpetaPlanes());
        planes.mkpath(".");
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
