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

    // `campo` is the edited value as the file writes it; empty when the edit is refused.
    void conversionesPorColumna_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("campo");
        QTest::newRow("fecha corta") << "16/4/99" << 1 << "#1999-04-16#";
        QTest::newRow("fecha con hora") << "16/4/99 10:00:00" << 1 << "";
        QTest::newRow("fecha texto") << "ayer" << 1 << "";
        QTest::newRow("fecha imposible") << "31/2/99" << 1 << "";
        QTest::newRow("hora") << "7:05" << 2 << "#07:05:00#";
        QTest::newRow("hora pm") << "7:05:09 PM" << 2 << "#19:05:09#";
        QTest::newRow("hora 24") << "24:00:00" << 2 << "";
        QTest::newRow("duración") << "1:02:03" << 3 << "#01:02:03#";
        QTest::newRow("segundos medio par") << "12,5" << 4 << "12";
        QTest::newRow("segundos medio impar") << "13,5" << 4 << "14";
        QTest::newRow("segundos sobre 16 bits") << "40000" << 4 << "40000";
        QTest::newRow("segundos sobre 32 bits") << "3000000000" << 4 << "";
        QTest::newRow("importe") << "7,5" << 5 << "7.5";
        QTest::newRow("importe con punto") << "7.5" << 5 << "";
        QTest::newRow("importe enorme") << "99999999999999999999" << 5 << "";
        QTest::newRow("tarifa") << "Provincial, nocturna" << 6 << "\"Provincial, nocturna\"";
        QTest::newRow("tarifa con comillas") << "a\"b" << 6 << "";
    }
    void conversionesPorColumna() {
        QFETCH(QString, texto);
        QFETCH(int, columna);
        QFETCH(QString, campo);
        const Llamada original = Crear(15, 66303, 312, 312, "45.23");
        QStringList esperada{"#1999-03-15#", "#18:25:03#", "#00:05:12#",
                             "312",          "45.23",      "\"Metropolitana\""};
        if (!campo.isEmpty())
            esperada[columna - 1] = campo;
        const auto r = Registro::AplicarValor(original, columna, texto.toStdString(), {});
        QCOMPARE(r.has_value(), !campo.isEmpty());
        QCOMPARE(QString::fromStdString(ArchivoLlamadas::LineaRegistro(r.value_or(original))),
                 esperada.join(',') + "\r\n");
    }

    void ordenDeFechaDelUsuario() {
        const Llamada original = Crear(15, 0, 0, 0, "1");
        using Registro::OrdenFecha;
        const auto mdy =
            Registro::AplicarValor(original, 1, "4/16/99", {'.', OrdenFecha::MesDiaAnio});
        const auto ymd =
            Registro::AplicarValor(original, 1, "1999-04-16", {',', OrdenFecha::AnioMesDia});
        QCOMPARE(mdy->Fecha, *Fechas::crearDia(1999, 4, 16));
        QCOMPARE(ymd->Fecha, *Fechas::crearDia(1999, 4, 16));
    }
};

QTEST_APPLESS_MAIN(TestDominioVentana)
#include "TestDominioVentana.moc"
