// Domain rules of the call-log window: totals and the conversions of cell edits.
#include "calllog/ArchivoLlamadas.h"
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

Q_DECLARE_METATYPE(Registro::OrdenFecha)

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
        QTest::addColumn<Registro::OrdenFecha>("orden"); // of day, month and year in dates
        const auto dma = Registro::OrdenFecha::DiaMesAnio;
        const auto mda = Registro::OrdenFecha::MesDiaAnio;
        const auto amd = Registro::OrdenFecha::AnioMesDia;
        QTest::newRow("fecha corta") << "16/4/99" << 1 << "#1999-04-16#" << dma;
        QTest::newRow("fecha mes primero") << "4/16/99" << 1 << "#1999-04-16#" << mda;
        QTest::newRow("fecha año primero") << "1999-04-16" << 1 << "#1999-04-16#" << amd;
        QTest::newRow("fecha con hora") << "16/4/99 10:00:00" << 1 << "" << dma;
        QTest::newRow("fecha texto") << "ayer" << 1 << "" << dma;
        QTest::newRow("fecha imposible") << "31/2/99" << 1 << "" << dma;
        QTest::newRow("hora") << "7:05" << 2 << "#07:05:00#" << dma;
        QTest::newRow("hora pm") << "7:05:09 PM" << 2 << "#19:05:09#" << dma;
        QTest::newRow("hora 24") << "24:00:00" << 2 << "" << dma;
        QTest::newRow("duración") << "1:02:03" << 3 << "#01:02:03#" << dma;
        QTest::newRow("duración en cuatro partes") << "1:2:3:4" << 3 << "" << dma;
        QTest::newRow("duración sin minutos") << "1::2" << 3 << "" << dma;
        QTest::newRow("segundos medio par") << "12,5" << 4 << "12" << dma;
        QTest::newRow("segundos medio impar") << "13,5" << 4 << "14" << dma;
        QTest::newRow("segundos sobre 16 bits") << "40000" << 4 << "40000" << dma;
        QTest::newRow("segundos sobre 32 bits") << "3000000000" << 4 << "" << dma;
        QTest::newRow("importe") << "7,5" << 5 << "7.5" << dma;
        QTest::newRow("importe con punto") << "7.5" << 5 << "" << dma;
        QTest::newRow("importe enorme") << "99999999999999999999" << 5 << "" << dma;
        QTest::newRow("tarifa") << "Provincial, nocturna" << 6 << "\"Provincial, nocturna\"" << dma;
        QTest::newRow("tarifa con comillas") << "a\"b" << 6 << "" << dma;
    }
    void conversionesPorColumna() {
        QFETCH(QString, texto);
        QFETCH(int, columna);
        QFETCH(QString, campo);
        QFETCH(Registro::OrdenFecha, orden);
        const Llamada original = Crear(15, 66303, 312, 312, "45.23");
        QStringList esperada{"#1999-03-15#", "#18:25:03#", "#00:05:12#",
                             "312",          "45.23",      "\"Metropolitana\""};
        if (!campo.isEmpty())
            esperada[columna - 1] = campo;
        const auto r = Registro::AplicarValor(original, columna, texto.toStdString(), {',', orden});
        QCOMPARE(r.has_value(), !campo.isEmpty());
        QCOMPARE(QString::fromStdString(ArchivoLlamadas::LineaRegistro(r.value_or(original))),
                 esperada.join(',') + "\r\n");
    }
};

QTEST_APPLESS_MAIN(TestDominioVentana)
#include "TestDominioVentana.moc"
