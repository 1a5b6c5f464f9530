// Domain rules of the call-log window: totals and the conversions of cell edits.
#include "calllog/EdicionCelda.h"
#include "calllog/Totales.h"

#include <QtTest>

namespace {
Llamada Crear(int dia, int32_t hora, int64_t duracion, int32_t segundos, const char* importe,
              const char* tarifa = "Metropolitana") {
    return Llamada{*Fechas::crearDia(1999, 3, dia), hora,  duracion, segundos,
                   *Moneda::desdeTexto(importe),    tarifa};
}
} // namespace

class TestDominioVentana : public QObject {
    Q_OBJECT
private slots:
    void totalesSumanEnSesentaYCuatroBits() {
        const auto t = Registro::CalcularTotales({Crear(1, 0, 70, 60, "12.5"),
                                                  Crear(2, 0, 100000, 2000000000, "0.0001"),
                                                  Crear(3, 0, 90, 2000000000, "20")});
        QCOMPARE(t.llamadas, 3);
        QCOMPARE(t.SegundosTotal, int64_t(4000000060));
        QCOMPARE(t.TiempoTotal, int64_t(100160));
        QCOMPARE(t.ImporteTotal.textoArchivo(), std::string("32.5001"));
        QCOMPARE(Registro::CalcularTotales({}).ImporteTotal, Moneda());
    }

    void conversionesPorColumna_data() {
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<QString>("linea"); // the record line after the edit
        const QString base = "#1999-03-15#,#18:25:03#,#00:05:12#,312,45.23,\"Metropolitana\"";
        QTest::newRow("fecha corta")
            << 1 << "16/4/99" << true
            << "#1999-04-16#,#18:25:03#,#00:05:12#,312,45.23,\"Metropolitana\"";
        QTest::newRow("fecha con hora") << 1 << "16/4/99 10:00:00" << false << base;
        QTest::newRow("fecha texto") << 1 << "ayer" << false << base;
        QTest::newRow("fecha imposible") << 1 << "31/2/99" << false << base;
        QTest::newRow("hora") << 2 << "7:05" << true
                              << "#1999-03-15#,#07:05:00#,#00:05:12#,312,45.23,\"Metropolitana\"";
        QTest::newRow("hora pm")
            << 2 << "7:05:09 PM" << true
            << "#1999-03-15#,#19:05:09#,#00:05:12#,312,45.23,\"Metropolitana\"";
        QTest::newRow("hora 24") << 2 << "24:00:00" << false << base;
        QTest::newRow("duración")
            << 3 << "1:02:03" << true
            << "#1999-03-15#,#18:25:03#,#01:02:03#,312,45.23,\"Metropolitana\"";
        QTest::newRow("segundos medio par")
            << 4 << "12,5" << true
            << "#1999-03-15#,#18:25:03#,#00:05:12#,12,45.23,\"Metropolitana\"";
        QTest::newRow("segundos medio impar")
            << 4 << "13,5" << true
            << "#1999-03-15#,#18:25:03#,#00:05:12#,14,45.23,\"Metropolitana\"";
        QTest::newRow("segundos sobre 16 bits")
            << 4 << "40000" << true
            << "#1999-03-15#,#18:25:03#,#00:05:12#,40000,45.23,\"Metropolitana\"";
        QTest::newRow("segundos sobre 32 bits") << 4 << "3000000000" << false << base;
        QTest::newRow("importe") << 5 << "7,5" << true
                                 << "#1999-03-15#,#18:25:03#,#00:05:12#,312,7.5,\"Metropolitana\"";
        QTest::newRow("importe con punto") << 5 << "7.5" << false << base;
        QTest::newRow("importe enorme") << 5 << "99999999999999999999" << false << base;
        QTest::newRow("tarifa")
            << 6 << "Provincial, nocturna" << true
            << "#1999-03-15#,#18:25:03#,#00:05:12#,312,45.23,\"Provincial, nocturna\"";
        QTest::newRow("tarifa con comillas") << 6 << "a\"b" << false << base;
    }
    void conversionesPorColumna() {
        QFETCH(int, columna);
        QFETCH(QString, texto);
        QFETCH(bool, valido);
        QFETCH(QString, linea);
        const Llamada original = Crear(15, 66303, 312, 312, "45.23");
        const auto r = Registro::AplicarValor(original, columna, texto.toStdString(), {});
        QCOMPARE(r.has_value(), valido);
        QCOMPARE(QString::fromStdString(ArchivoLlamadas::LineaRegistro(r.value_or(original))),
                 linea + "\r\n");
    }

    void ordenDeFechaDelUsuario() {
        const Llamada original = Crear(15, 0, 0, 0, "1");
        const auto mdy =
            Registro::AplicarValor(original, 1, "4/16/99", {'.', Registro::OrdenFecha::MesDiaAnio});
        QCOMPARE(mdy->Fecha, *Fechas::crearDia(1999, 4, 16));
        const auto ymd = Registro::AplicarValor(original, 1, "1999-04-16",
                                                {',', Registro::OrdenFecha::AnioMesDia});
        QCOMPARE(ymd->Fecha, *Fechas::crearDia(1999, 4, 16));
    }
};

QTEST_APPLESS_MAIN(TestDominioVentana)
#include "TestDominioVentana.moc"
