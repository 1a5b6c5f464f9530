// Settings schema: conversions, the billing period, start-up reads and the first-run defaults.
#include "calllog/ArchivoLlamadas.h"
#include "settings/Ajustes.h"
#include "support/Archivos.h"
#include "support/FakeServices.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace General;
using namespace Qt::StringLiterals;

namespace {
// Every first-run default written on 1 January 1999, as "Section/Key=value" in write order.
QStringList DefectosEnero() {
    MemorySettingsStore s;
    QTemporaryDir dir;
    ValoresPorDefecto(s, D(1999, 1, 1), dir.path().toStdString());
    return s.escrituras;
}

} // namespace

class TestAjustes : public QObject {
    Q_OBJECT
private slots:
    // Each setting converts by its own type and range; what does not convert reads as nothing
    // (a flag: not set), so each caller falls back as it always has.
    void lecturaTipada_data() {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("numero"); // -99999: does not convert
        QTest::addColumn<bool>("bandera");
        const auto fila = [](const char* nombre, const char* clave, const char* texto, int n,
                             bool bandera = false) {
            QTest::newRow(nombre) << QString(clave) << QString(texto) << n << bandera;
        };
        fila("uno", "AutoSINO", "1", 1, true);
        fila("uno con espacios", "AutoSINO", " 1 ", 1, true);
        fila("dos no activa", "PasoSINO", "2", 2);
        fila("tope byte", "CuantoIVA", "255", 255);
        fila("256 no es byte", "Negociacion", "256", -99999);
        fila("letra de 255", "FontSize", "255", 255);
        fila("letra de 256", "FontSize", "256", -99999);
        fila("maximo 16 bits", "Importe", "32767", 32767);
        fila("mas de 16 bits", "Importe", "32768", -99999);
        fila("minimo 16 bits", "Periodo2", "-32768", -32768);
        fila("32 bits", "NoAceptar", "100000", 100000);
        fila("vacio", "IVA", "", -99999);
        fila("fraccion", "IVA", "1.0", -99999);
        fila("espacio en medio", "IVA", "1 0", -99999);
    }
    void lecturaTipada() {
        QFETCH(QString, clave);
        QFETCH(QString, texto);
        QFETCH(int, numero);
        QFETCH(bool, bandera);
        const Ajuste* ajuste = nullptr;
        for (const Ajuste* a : AjustesEnOrden())
            if (clave == a->clave)
                ajuste = a;
        QVERIFY(ajuste);
        MemorySettingsStore s;
        QVERIFY(Escribir(s, *ajuste, texto.toStdString()));
        QCOMPARE(NumeroAjuste(s, *ajuste).value_or(-99999), numero);
        QCOMPARE(BanderaAjuste(s, *ajuste), bandera);
    }

    // On an empty store every default is written, and an empty log made; an existing log is
    // kept; a store or a folder that cannot be written fails, after writing what it could.
    void defectos() {
        MemorySettingsStore s;
        QTemporaryDir dir;
        QVERIFY(ValoresPorDefecto(s, D(1999, 1, 1), dir.path().toStdString()));
        QCOMPARE(s.escrituras.size(), 25);
        QCOMPARE(int(AjustesEnOrden().size()), 25);
        QCOMPARE(s.escrituras.first(), u"Datos/FechaFinal=02/03/1999"_s);
        QCOMPARE(s.escrituras.last(), u"Grafico/Tipo=Llamadas"_s);
        QVERIFY(s.escrituras.contains(u"Sonidos/PasoSonido="_s));
        const std::filesystem::path ldx = dir.filePath("llamadas.ldx").toStdString();
        QCOMPARE(Contenido(ldx), QByteArray());
        EstadoPrograma e;
        QVERIFY(CargarEstado(s, e));
        QCOMPARE(e.PorcentajeIVA, uint8_t(16));
        QCOMPARE(e.TipoLlamada, std::string("Metropolitana"));

        const Llamada ll{D(1999, 1, 31), 3600, 60, 60, Moneda::desdeEntero(12), "Metropolitana"};
        QVERIFY(ArchivoLlamadas::Anadir(ldx, ll));
        QVERIFY(ValoresPorDefecto(s, D(1999, 2, 1), dir.path().toStdString()));
        QCOMPARE(ArchivoLlamadas::Leer(ldx).llamadas.size(), size_t(1));

        s.fallarEscrituras = true;
        QVERIFY(!ValoresPorDefecto(s, D(1999, 1, 1), dir.path().toStdString()));
        MemorySettingsStore bien;
        QVERIFY(!ValoresPorDefecto(bien, D(1999, 1, 1), dir.filePath("falta").toStdString()));
        QCOMPARE(bien.escrituras.size(), 25);
    }

    void leerPeriodo_data() {
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QString>("fin");
        QTest::addColumn<bool>("valido");
        QTest::newRow("corta") << u"31/01/99"_s << u"02/03/99"_s << true;
        QTest::newRow("calendario") << u"31/1/1999"_s << u"2/3/1999"_s << true;
        QTest::newRow("inicio vacio") << u""_s << u"02/03/1999"_s << false;
        QTest::newRow("fin imposible") << u"31/01/1999"_s << u"31/02/1999"_s << false;
        QTest::newRow("mes primero") << u"01/31/1999"_s << u"02/03/1999"_s << false;
        QTest::newRow("fin antes del inicio") << u"02/03/1999"_s << u"31/01/1999"_s << false;
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
        QTest::newRow("iva vacio") << u"IVA"_s << u""_s;
        QTest::newRow("porcentaje 256") << u"CuantoIVA"_s << u"256"_s;
        QTest::newRow("negociacion texto") << u"Negociacion"_s << u"veinte"_s;
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
        QTest::addColumn<QStringList>("escritas"); // every write CompletarAjustes then makes
        // A missing key whose default is "" already reads as its default.
        QStringList sinVacios = DefectosEnero();
        sinVacios.removeIf([](const QString& e) { return e.endsWith('='); });
        QTest::newRow("vacio") << QStringList() << sinVacios;
        QTest::newRow("completo") << DefectosEnero() << QStringList();
        // AlAbrir, IVA, PasoSonido and NoAceptar are usable and must not be rewritten.
        QStringList mezcla = DefectosEnero();
        mezcla << QString(
                      "Opciones/AlAbrir=Normal;Opciones/CuantoIVA=abc;Datos/FechaInicio=15/12/1998;"
                      "Datos/FechaFinal=;Opciones/IVA=1;Sonidos/Importe=40000;Tarifas/Tarifa=;"
                      "Sonidos/PasoSonido=/a.wav;Opciones/NoAceptar= 100000 ")
                      .split(';');
        QTest::newRow("valores malos")
            << mezcla
            << QStringList{"Datos/FechaFinal=02/03/1999", "Opciones/CuantoIVA=16",
                           "Sonidos/Importe=300", "Tarifas/Tarifa=Metropolitana"};
        QTest::newRow("letra fuera de byte")
            << (DefectosEnero() << "Opciones/FontSize=300") << QStringList{"Opciones/FontSize=8"};
        QTest::newRow("fechas al reves")
            << (DefectosEnero() << "Datos/FechaInicio=01/02/1999"
                                << "Datos/FechaFinal=31/01/1999")
            << QStringList{"Datos/FechaFinal=02/03/1999", "Datos/FechaInicio=01/01/1999"};
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
    }
};

QTEST_GUILESS_MAIN(TestAjustes)
#include "TestAjustes.moc"
