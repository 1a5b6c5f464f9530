// Money, dates and number formats.
#include "core/Fecha.h"
#include "core/Formato.h"
#include "core/Moneda.h"

#include <QtTest>

using namespace Fechas;

class TestCore : public QObject {
    Q_OBJECT
private slots:
    void monedaDesdeDouble_data() {
        QTest::addColumn<double>("valor");
        QTest::addColumn<qint64>("diezmilesimas");
        QTest::newRow("exacto") << 11.4 << qint64(114000);
        QTest::newRow("periodico") << 21.946666666666667 << qint64(219467);
        QTest::newRow("mitad a par abajo") << 0.03125 << qint64(312);
        QTest::newRow("mitad a par arriba") << 0.09375 << qint64(938);
        QTest::newRow("negativo") << -7.5 << qint64(-75000);
    }
    void monedaDesdeDouble() {
        QFETCH(double, valor);
        QFETCH(qint64, diezmilesimas);
        QCOMPARE(Moneda::desdeDouble(valor)->diezmilesimas(), diezmilesimas);
    }
    void monedaFueraDeRango() {
        QVERIFY(!Moneda::desdeDouble(1e300));
        QVERIFY(!Moneda::desdeDouble(std::numeric_limits<double>::quiet_NaN()));
    }
    void monedaTexto_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<qint64>("diezmilesimas");
        QTest::addColumn<QString>("escrito");
        QTest::newRow("decimales") << "45.23" << qint64(452300) << "45.23";
        QTest::newRow("ceros finales") << "7.5000" << qint64(75000) << "7.5";
        QTest::newRow("negativo") << "-3.0001" << qint64(-30001) << "-3.0001";
        QTest::newRow("quinto decimal par") << "0.00005" << qint64(0) << "0";
        QTest::newRow("quinto decimal impar") << "0.00015" << qint64(2) << "0.0002";
        QTest::newRow("minimo") << "-922337203685477.5808" << std::numeric_limits<qint64>::min()
                                << "-922337203685477.5808";
    }
    void monedaTexto() {
        QFETCH(QString, texto);
        QFETCH(qint64, diezmilesimas);
        QFETCH(QString, escrito);
        const auto m = Moneda::desdeTexto(texto.toStdString());
        QVERIFY(m);
        QCOMPARE(m->diezmilesimas(), diezmilesimas);
        QCOMPARE(QString::fromStdString(m->textoArchivo()), escrito);
    }
    void monedaTextoInvalido() {
        for (const char* t :
             {"", ".", "-", "4,5", "1e3", "12a", "99999999999999999999", "922337203685477.9"})
            QVERIFY2(!Moneda::desdeTexto(t), t);
    }

    void serialYCalendario() {
        QCOMPARE(aSerial(*crearDia(1999, 3, 15)), 36234);
        QCOMPARE(DiaSemana(*crearDia(1999, 3, 15)), 1); // Monday
        const FechaHora t = FechaHora::crear(*crearDia(1999, 3, 15), 18, 25, 3);
        QCOMPARE(FechaHora::desdeSerial(t.serial()), t);
        QCOMPARE(FechaHora::desdeSerial(-1.25).dia, *crearDia(1899, 12, 29));
        QCOMPARE(FechaHora::desdeSerial(-1.25).segundo, 6 * 3600);
        QCOMPARE(t.mas(-18 * 3600 - 25 * 60 - 4).segundo, 86399);
        QCOMPARE(SegundosEntre(t, t.mas(90061)), int64_t(90061));
        QVERIFY(!crearDia(1999, 2, 29));
    }
    void textoFecha() {
        QCOMPARE(TextoFecha(*crearDia(1999, 1, 31)), std::string("31/01/1999"));
        QCOMPARE(TextoFecha(*crearDia(1999, 3, 1), false), std::string("1/3/1999"));
    }
    void leerFecha_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("esperado"); // "" when invalid
        const auto fila = [](const char* nombre, const char* texto, const char* esperado) {
            QTest::newRow(nombre) << QString(texto) << QString(esperado);
        };
        fila("corta", "31/01/99", "31/01/1999");
        fila("siglo xxi", "1/3/29", "01/03/2029");
        fila("treinta", "1/3/30", "01/03/1930");
        fila("guiones", "02-03-1999", "02/03/1999");
        fila("dia inexistente", "31/02/1999", "");
        fila("vacio", "", "");
        fila("hora", "1/3/1999 10:00", "");
    }
    void leerFecha() {
        QFETCH(QString, texto);
        QFETCH(QString, esperado);
        const auto d = LeerFecha(texto.toStdString());
        QCOMPARE(d ? QString::fromStdString(TextoFecha(*d)) : QString(), esperado);
    }

    void formatoDuracion_data() {
        QTest::addColumn<qint64>("segundos");
        QTest::addColumn<QString>("texto");
        QTest::newRow("cero") << qint64(0) << "00:00:00";
        QTest::newRow("25h") << qint64(90061) << "25:01:01";
        QTest::newRow("100h") << qint64(360000) << "100:00:00";
        QTest::newRow("negativo") << qint64(-20) << "-00:00:20";
    }
    void formatoDuracion() {
        QFETCH(qint64, segundos);
        QFETCH(QString, texto);
        QCOMPARE(QString::fromStdString(General::FormatoDuracion(segundos)), texto);
    }
    void formatosNumericos() {
        using namespace General;
        QCOMPARE(FormatoFijo(21.9467, ','), std::string("21,95"));
        QCOMPARE(FormatoFijo(166.39 / 166.386, ','), std::string("1,00"));
        QCOMPARE(FormatoFijo(-0.001, ','), std::string("0,00"));
        QCOMPARE(FormatoFijo(99.995, ','), std::string("100,00"));
        QCOMPARE(FormatoUnDecimal(0.25, ','), std::string("0,3"));
        QCOMPARE(FormatoEntero(20.5), std::string("21"));
        QCOMPARE(RedondearEntero(140.0), int64_t(140));
    }
    void leerNumeros() {
        using namespace General;
        QCOMPARE(LeerNumero("45,00", ',').value_or(-1), 45.0);
        QCOMPARE(LeerNumero(" -0,5 ", ',').value_or(-1), -0.5);
        QVERIFY(!LeerNumero("45.00", ','));
        QVERIFY(!LeerNumero("1.000,00", ','));
        QCOMPARE(LeerEntero(" 255 ", 0, 255).value_or(-1), int64_t(255));
        QVERIFY(!LeerEntero("256", 0, 255));
        QVERIFY(!LeerEntero("1.5", 0, 255));
        QVERIFY(!LeerEntero("", 0, 255));
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "TestCore.moc"
