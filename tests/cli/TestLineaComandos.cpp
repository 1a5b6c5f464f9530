// The command line run as a process: each command, JSON read back, bad arguments, damaged logs.
#include "calllog/ArchivoLlamadas.h"
#include "platform/IniSettingsStore.h"
#include "platform/Rutas.h"
#include "settings/Ajustes.h"

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
    env.insert("LC_ALL", "es_ES.UTF-8");
    for (const char* pantalla : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(pantalla); // no display is needed
    if (envoltura.isEmpty()) {
        p.setProcessEnvironment(env);
        p.start(VM_BINARIO, argumentos);
    } else { // LANG, which bash does not warn about when the system lacks the locale
        env.remove("LC_ALL");
        env.insert("LANG", "es_ES.UTF-8");
        p.setProcessEnvironment(env);
        p.start("bash", QStringList{"-c", envoltura.replace("VM", "\"$0\" \"$@\""), VM_BINARIO} +
                            argumentos);
    }
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QJsonObject Json(const QStringList& argumentos) {
    const Salida s = Ejecutar(argumentos);
    if (s.estado != 0)
        qWarning() << s.err;
    return QJsonDocument::fromJson(s.out.toUtf8()).object();
}

Fechas::Dia Hoy() {
    const QDate h = QDate::currentDate();
    return *Fechas::crearDia(h.year(), h.month(), h.day());
}

// Stores the billing period as the calendar does.
void Periodo(Fechas::Dia inicio, Fechas::Dia fin) {
    IniSettingsStore ajustes;
    General::Escribir(ajustes, General::Ajustes::FechaInicio, Fechas::TextoFecha(inicio, false));
    General::Escribir(ajustes, General::Ajustes::FechaFinal, Fechas::TextoFecha(fin, false));
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
        const Fechas::Dia hoy = Hoy();
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
        QFile f(danado_);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#1999-03-01#,#11:02:36#,#00:36:23#,2183,190.01,\"Metropolitana\"\r\n"
                "#1999-03-01#,#23:02:36#,#00:01:00#,60,doce,\"Metropolitana\"\r\n");
    }

    void ordenes_data() {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("estado");
        QTest::addColumn<QString>("texto");     // in standard output on success, else in errors
        QTest::addColumn<QString>("envoltura"); // see Ejecutar
        QTest::newRow("version") << QStringList{"--version"} << 0 << "VatriMox 4.0.288\n"
                                 << QString();
        QTest::newRow("ayuda") << QStringList{"-h"} << 0 << "informe [ARCHIVO] [--json]"
                               << QString();
        // 60 s of punta and 60 of normal on a Monday: 15 + 15,45 + 13,4.
        QTest::newRow("precio cambio de franja")
            << QStringList{"precio", "Provincial",    "1999-03-15 16:59:00",
                           "120",    "--negociacion", "0"}
            << 0 << "Segundos facturados: 120\nImporte en euros: 0,26 €\nImporte en pesetas: 43,85"
            << QString();
        // Seen at 16:59:55 with 10 s of negotiation: 15 s of punta billed, 18,8625.
        QTest::newRow("precio con negociacion")
            << QStringList{"precio", "Provincial",    "1999-03-15 16:59:55",
                           "5",      "--negociacion", "10"}
            << 0 << "Segundos facturados: 15\nImporte en euros: 0,11 €\nImporte en pesetas: 18,86"
            << QString();
        QTest::newRow("precio con iva") << QStringList{"precio",
                                                       "Metropolitana",
                                                       "1999-03-15 10:00:00",
                                                       "100",
                                                       "--iva",
                                                       "16",
                                                       "--negociacion",
                                                       "0"}
                                        << 0 << "Importe en pesetas: 13,22" << QString();
        QTest::newRow("informe") << QStringList{"informe", registro_} << 0
                                 << "Importe de las llamadas: \t32,5 pts" << QString();
        // The built-in tariff alone: three calls within the 160 s of Metropolitana's set-up.
        QTest::newRow("comparar")
            << QStringList{"comparar", registro_} << 0
            << "Metropolitana    Tarifa nacional 1999    34,20   0,21       -8,30\n"
            << QString();
        QTest::newRow("tipo desconocido")
            << QStringList{"precio", "Urbana", "1999-03-15 10:00:00", "60"} << 2
            << "tipo de llamada desconocido «Urbana»" << QString();
        QTest::newRow("faltan segundos")
            << QStringList{"precio", "Provincial", "1999-03-15 10:00:00"} << 2 << "SEGUNDOS"
            << QString();
        QTest::newRow("iva fuera de rango")
            << QStringList{"precio", "Provincial", "1999-03-15 10:00:00", "60", "--iva", "300"} << 2
            << "--iva debe ser" << QString();
        QTest::newRow("iva en informe")
            << QStringList{"informe", "--iva", "16"} << 2 << "--iva" << QString();
        QTest::newRow("opcion desconocida")
            << QStringList{"--todo"} << 2 << "opción desconocida" << QString();
        QTest::newRow("fecha imposible")
            << QStringList{"precio", "Provincial", "1999-02-30 10:00:00", "60"} << 1
            << "no es una fecha y hora válida" << QString();
        QTest::newRow("registro danado")
            << QStringList{"informe", danado_} << 1
            << "No es un archivo de llamadas o está dañado: «" + danado_ + "», línea 2, campo 5: "
            << QString();
        QTest::newRow("comparar registro danado")
            << QStringList{"comparar", danado_, "--json"} << 1 << "línea 2, campo 5" << QString();
        QTest::newRow("registro que falta")
            << QStringList{"informe", dir_.filePath("no.ldx")} << 1
            << "No es un archivo de llamadas o está dañado: No se puede abrir" << QString();
        // Sums past the range of a Moneda are said to be, never shown capped.
        QTest::newRow("comparar desbordado")
            << QStringList{"comparar", enorme_} << 0 << "  fuera de rango\n"
            << QString();
        for (const char* orden : {"comparar", "informe"})
            QTest::newRow(qPrintable(QString(orden) + " json desbordado"))
                << QStringList{orden, enorme_, "--json"} << 0 << "\"desborde\": true" << QString();
        // Failed writes; a reader that closes the pipe ends it quietly.
        const QStringList precio{"precio", "Provincial", "1999-03-15 16:59:00", "120"};
        QTest::newRow("disco lleno") << precio << 1 << "no se puede escribir la salida"
                                     << "VM > /dev/full";
        QTest::newRow("ayuda a disco lleno") << QStringList{"--help"} << 1 << "no se puede escribir"
                                             << "VM > /dev/full";
        QTest::newRow("tubería cerrada") << QStringList{"--help"} << 1 << ""
                                         << "VM | true; exit ${PIPESTATUS[0]}";
        // Logs from standard input, a pipe and /dev/null.
        QTest::newRow("entrada estándar")
            << QStringList{"informe", "-"} << 0 << "Importe de las llamadas: \t32,5 pts"
            << "cat \"$REG\" | VM";
        QTest::newRow("tubería con nombre")
            << QStringList{"comparar"} << 0
            << "Metropolitana    Tarifa nacional 1999    34,20   0,21       -8,30\n"
            << "VM <(cat \"$REG\")";
        QTest::newRow("registro vacío") << QStringList{"informe", "/dev/null", "--json"} << 0
                                        << "\"llamadas\": 0," << QString();
        // Qt's own options anywhere, and no display needed for the commands.
        QTest::newRow("opción de Qt primero")
            << QStringList{"-platform",           "offscreen", "precio",        "Provincial",
                           "1999-03-15 16:59:00", "120",       "--negociacion", "0"}
            << 0 << "Importe en pesetas: 43,85" << QString();
        QTest::newRow("versión con estilo")
            << QStringList{"--style=fusion", "--version"} << 0 << "VatriMox 4.0.288\n"
            << QString();
        // Strict numbers, and a local time the clock skips (TZ is Europe/Madrid).
        for (const char* segundos : {"+60", " 60", "-5"})
            QTest::newRow(segundos)
                << QStringList{"precio", "Provincial", "1999-03-15 10:00:00", segundos} << 2
                << "SEGUNDOS no válido" << QString();
        QTest::newRow("hora que no existe")
            << QStringList{"precio", "Provincial", "1999-03-28 02:30:00", "60"} << 1
            << "no existe en la hora local" << QString();
        // JSON is the same byte for byte under a comma locale and C.
        QTest::newRow("json sin idioma")
            << QStringList{"precio", "Metropolitana", "1999-03-15 10:00:00",
                           "300",    "--json",        "--negociacion",
                           "0"}
            << 0 << "\"euros\": \"0.13\""
            << "[ \"$(LC_ALL=C VM)\" = \"$(VM)\" ] && VM";
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
        const QJsonObject precio = Json({"precio", "Metropolitana", "1999-03-15 10:00:00", "300",
                                         "--negociacion", "0", "--json"});
        QCOMPARE(precio["importe"].toString(), "21.9500"); // 21,9467 as the meter shows it
        QCOMPARE(precio["pesetas"].toString(), "21.9500");
        QCOMPARE(precio["euros"].toString(), "0.13");
        QCOMPARE(precio["segundos_facturados"].toInt(), 140);

        // Every weekday has passed once in the period: the estimate can be made.
        const Fechas::Dia hoy = Hoy();
        Periodo(hoy - std::chrono::days{7}, hoy + std::chrono::days{22});
        QJsonObject informe = Json({"informe", registro_, "--json"});
        const QJsonObject delDia = informe["hoy"].toObject();
        QCOMPARE(delDia["llamadas"].toInt(), 2);
        QCOMPARE(delDia["segundos_facturados"].toInt(), 150);
        QCOMPARE(delDia["tiempo_conexion"].toInt(), 170);
        QCOMPARE(delDia["importe"].toString(), "32.5000");
        QCOMPARE(informe["totales"].toObject()["importe"].toString(), "42.5000");
        QCOMPARE(informe["estimado"].toObject()["llamadas_estimadas"].toDouble(), 11.0);

        // A period that starts today: no weekday but today's has passed, and the reason is given.
        Periodo(hoy, hoy + std::chrono::days{30});
        informe = Json({"informe", registro_, "--json"});
        QVERIFY(informe["estimado"].isNull());
        QVERIFY2(informe["motivo"].toString().startsWith("Aún no ha pasado ningún"),
                 qPrintable(informe["motivo"].toString()));

        // A refused plan file is named on standard error; the other tariffs are still compared.
        QDir planes(Rutas::CarpetaPlanes());
        planes.mkpath(".");
        QFile rota(planes.filePath("rota.toml"));
        QVERIFY(rota.open(QIODevice::WriteOnly));
        rota.write("nombre = 3\n");
        rota.close();
        const Salida s = Ejecutar({"comparar", registro_, "--json"});
        planes.removeRecursively();
        QCOMPARE(s.estado, 0);
        QVERIFY2(s.err.startsWith("vatrimox: tarifas/rota.toml, línea 1"), qPrintable(s.err));
        const QJsonArray filas = QJsonDocument::fromJson(s.out.toUtf8()).array();
        QCOMPARE(filas.size(), 3);
        QCOMPARE(filas[0].toObject(), (QJsonObject{{"tipo", "Metropolitana"},
                                                   {"plan", "Tarifa nacional 1999"},
                                                   {"pesetas", "34.2000"},
                                                   {"euros", "0.21"},
                                                   {"diferencia", "-8.3000"}}));
    }
};

QTEST_GUILESS_MAIN(TestLineaComandos)
#include "TestLineaComandos.moc"
