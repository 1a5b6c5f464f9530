// Settings schema: conversions, the billing period, start-up reads and the first-run defaults.
#include "app/Ajustes.h"
#include "calllog/Llamada.h"
#include "support/FakeServices.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace General;

namespace {

Fechas::Dia D(int a, int m, int d) {
    return *Fechas::crearDia(a, m, d);
}

const QStringList DefectosEnero = {"Datos/FechaFinal=02/03/1999",
                                   "Datos/FechaInicio=01/01/1999",
                                   "Opciones/AlAbrir=Mini Icono",
                                   "Opciones/AlConectar=Minimizado",
                                   "Opciones/AutoSINO=0",
                                   "Opciones/CuantoIVA=16",
                                   "Opciones/IVA=0",
                                   "Opciones/FontSize=8",
                                   "Opciones/Fuente=Ms Sans Serif",
                                   "Opciones/Negociacion=20",
                                   "Opciones/NoAceptar=15",
                                   "Opciones/InicioWindowsSINO=0",
                                   "Sonidos/AlertaSINO=0",
                                   "Sonidos/AlertaSonido=",
                                   "Sonidos/FinalSINO=0",
                                   "Sonidos/FinalSonido=",
                                   "Sonidos/InicioSINO=0",
                                   "Sonidos/InicioSonido=",
                                   "Sonidos/PasoSINO=0",
                                   "Sonidos/PasoSonido=",
                                   "Sonidos/Periodo=00:30:00",
                                   "Sonidos/Periodo2=30",
                                   "Sonidos/Importe=300",
                                   "Tarifas/Tarifa=Metropolitana",
                                   "Grafico/Tipo=Llamadas"};

QString Valor(const MemorySettingsStore& s, const char* seccion, const char* clave) {
    return QString::fromStdString(s.read("VATRIMOX", seccion, clave));
}

} // namespace

class TestAjustes : public QObject {
    Q_OBJECT
private slots:
    void conversiones_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("byte");     // -1: does not convert
        QTest::addColumn<int>("entero16"); // -99999: does not convert
        QTest::addColumn<bool>("activo");
        QTest::newRow("cero") << "0" << 0 << 0 << false;
        QTest::newRow("uno") << "1" << 1 << 1 << true;
        QTest::newRow("uno con espacios") << " 1 " << 1 << 1 << true;
        QTest::newRow("dos no activa") << "2" << 2 << 2 << false;
        QTest::newRow("tope byte") << "255" << 255 << 255 << false;
        QTest::newRow("256 no es byte") << "256" << -1 << 256 << false;
        QTest::newRow("negativo") << "-1" << -1 << -1 << false;
        QTest::newRow("tope 16 bits") << "32767" << -1 << 32767 << false;
        QTest::newRow("mas de 16 bits") << "32768" << -1 << -99999 << false;
        QTest::newRow("minimo 16 bits") << "-32768" << -1 << -32768 << false;
        QTest::newRow("vacio") << "" << -1 << -99999 << false;
        QTest::newRow("texto") << "si" << -1 << -99999 << false;
        QTest::newRow("fraccion") << "1.0" << -1 << -99999 << false;
        QTest::newRow("espacio en medio") << "1 0" << -1 << -99999 << false;
    }
    void conversiones() {
        QFETCH(QString, texto);
        QFETCH(int, byte);
        QFETCH(int, entero16);
        QFETCH(bool, activo);
        const std::string t = texto.toStdString();
        const auto b = ComoByte(t);
        QCOMPARE(b ? int(*b) : -1, byte);
        const auto e = ComoEntero16(t);
        QCOMPARE(e ? int(*e) : -99999, entero16);
        QCOMPARE(Activo(t), activo);
    }

    void defectosEnAlmacenVacio() {
        MemorySettingsStore s;
        QTemporaryDir dir;
        QVERIFY(ValoresPorDefecto(s, D(1999, 1, 1), dir.path().toStdString()));
        QCOMPARE(s.escrituras, DefectosEnero);
        QCOMPARE(int(AjustesEnOrden().size()), DefectosEnero.size());
        const auto periodo = LeerPeriodo(s);
        QVERIFY(periodo);
        QCOMPARE(periodo->inicio, D(1999, 1, 1));
        QCOMPARE((periodo->fin - periodo->inicio).count(), 60);
        QFile ldx(dir.filePath("llamadas.ldx"));
        QVERIFY(ldx.exists());
        QCOMPARE(ldx.size(), 0);
        EstadoPrograma e;
        QVERIFY(CargarEstado(s, e));
        QCOMPARE(e.IncluirIVA, uint8_t(0));
        QCOMPARE(e.PorcentajeIVA, uint8_t(16));
        QCOMPARE(e.SegundosNegociacion, uint8_t(20));
        QCOMPARE(e.TipoLlamada, std::string("Metropolitana"));
    }

    void defectosNoVacianElRegistro() {
        QTemporaryDir dir;
        const std::filesystem::path ldx = dir.filePath("llamadas.ldx").toStdString();
        const Llamada ll{D(1999, 1, 31), 3600, 60, 60, Moneda::desdeEntero(12), "Metropolitana"};
        QVERIFY(ArchivoLlamadas::Anadir(ldx, ll));
        MemorySettingsStore s;
        QVERIFY(ValoresPorDefecto(s, D(1999, 2, 1), dir.path().toStdString()));
        const auto r = ArchivoLlamadas::Leer(ldx);
        QVERIFY(r.ok);
        QCOMPARE(r.llamadas.size(), size_t(1));
    }

    void defectosQueNoSePuedenGuardar() {
        QTemporaryDir dir;
        MemorySettingsStore s;
        s.fallarEscrituras = true;
        QVERIFY(!ValoresPorDefecto(s, D(1999, 1, 1), dir.path().toStdString()));
        MemorySettingsStore bien;
        QVERIFY(!ValoresPorDefecto(bien, D(1999, 1, 1), dir.filePath("falta").toStdString()));
        QCOMPARE(bien.escrituras.size(), DefectosEnero.size());
    }

    void leerPeriodo_data() {
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QString>("fin");
        QTest::addColumn<bool>("valido");
        QTest::newRow("corta") << "31/01/99"
                               << "02/03/99" << true;
        QTest::newRow("calendario") << "31/1/1999"
                                    << "2/3/1999" << true;
        QTest::newRow("inicio vacio") << ""
                                      << "02/03/1999" << false;
        QTest::newRow("fin imposible") << "31/01/1999"
                                       << "31/02/1999" << false;
        QTest::newRow("mes primero") << "01/31/1999"
                                     << "02/03/1999" << false;
    }
    void leerPeriodo() {
        QFETCH(QString, inicio);
        QFETCH(QString, fin);
        QFETCH(bool, valido);
        MemorySettingsStore s;
        // Written under one spelling of the application name, read under the other.
        QVERIFY(Escribir(s, Ajustes::FechaInicio, inicio.toStdString()));
        QVERIFY(s.write("VatriMox", "DATOS", "fechafinal", fin.toStdString()));
        const auto p = LeerPeriodo(s);
        QCOMPARE(p.has_value(), valido);
        if (valido) {
            QCOMPARE(p->inicio, D(1999, 1, 31));
            QCOMPARE(p->fin, D(1999, 3, 2));
        }
    }

    void cargarEstadoFalla_data() {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("valor");
        QTest::newRow("iva vacio") << "IVA"
                                   << "";
        QTest::newRow("porcentaje 256") << "CuantoIVA"
                                        << "256";
        QTest::newRow("negociacion texto") << "Negociacion"
                                           << "veinte";
    }
    // A failed read reports it and leaves the state as it was.
    void cargarEstadoFalla() {
        QFETCH(QString, clave);
        QFETCH(QString, valor);
        MemorySettingsStore s;
        QTemporaryDir dir;
        QVERIFY(ValoresPorDefecto(s, D(1999, 1, 1), dir.path().toStdString()));
        s.write("VatriMox", "Opciones", clave.toStdString(), valor.toStdString());
        EstadoPrograma e;
        e.PorcentajeIVA = 7;
        QVERIFY(!CargarEstado(s, e));
        QCOMPARE(e.PorcentajeIVA, uint8_t(7));
        QVERIFY(e.TipoLlamada.empty());
    }

    void completar_data() {
        QTest::addColumn<QStringList>("antes");    // "Section/Key=value" written first
        QTest::addColumn<QStringList>("escritas"); // what CompletarAjustes then writes
        // A missing key whose default is "" already reads as its default.
        QStringList sinVacios = DefectosEnero;
        sinVacios.removeIf([](const QString& e) { return e.endsWith('='); });
        QTest::newRow("vacio") << QStringList() << sinVacios;
        QTest::newRow("completo") << DefectosEnero << QStringList();
        QStringList mezcla = DefectosEnero;
        mezcla << "Opciones/AlAbrir=Normal"
               << "Opciones/CuantoIVA=abc"
               << "Datos/FechaInicio=15/12/1998"
               << "Datos/FechaFinal="
               << "Opciones/IVA=1"
               << "Sonidos/Importe=40000"
               << "Tarifas/Tarifa="
               << "Sonidos/PasoSonido=/a.wav"
               << "Opciones/NoAceptar= 100000 ";
        QTest::newRow("valores malos")
            << mezcla
            << QStringList{"Datos/FechaFinal=02/03/1999", "Datos/FechaInicio=01/01/1999",
                           "Opciones/CuantoIVA=16", "Sonidos/Importe=300",
                           "Tarifas/Tarifa=Metropolitana"};
    }
    void completar() {
        QFETCH(QStringList, antes);
        QFETCH(QStringList, escritas);
        MemorySettingsStore s;
        for (const QString& e : antes) {
            const QString seccion = e.section('/', 0, 0);
            const QString clave = e.section('/', 1).section('=', 0, 0);
            s.write("VatriMox", seccion.toStdString(), clave.toStdString(),
                    e.section('=', 1).toStdString());
        }
        s.escrituras.clear();
        QVERIFY(CompletarAjustes(s, D(1999, 1, 1)));
        QCOMPARE(s.escrituras, escritas);
        // Usable values that differ from the defaults are kept.
        if (antes.contains("Opciones/AlAbrir=Normal")) {
            QCOMPARE(Valor(s, "Opciones", "AlAbrir"), QString("Normal"));
            QCOMPARE(Valor(s, "Opciones", "IVA"), QString("1"));
            QCOMPARE(Valor(s, "Opciones", "NoAceptar"), QString(" 100000 "));
        }
    }
};

QTEST_GUILESS_MAIN(TestAjustes)
#include "TestAjustes.moc"
