// Money, dates and number formats.
#include "core/Fecha.h"
#include "core/Formato.h"
#include "core/Moneda.h"
#include "support/Tablas.h"

using namespace Fechas;

namespace {
// A row of any table here: a text or a number in, what it gives out.
struct C {
    const char *fila, *texto = nullptr, *esperado = "";
    qint64 n = 0;
    double valor = 0;
};
} // namespace

class TestCore : public QObject {
    Q_OBJECT
private slots:
    // From a double (no text) or the file's text, to the ten-thousandth, halves to even; the
    // written form drops trailing zeros.
    void moneda_data() {
        tabla({C{"exacto", nullptr, "11.4", 114000, 11.4}, C{"neg", nullptr, "-7.5", -75000, -7.5},
               C{"periodico", nullptr, "21.9467", 219467, 21.946666666666667},
               C{"par abajo", nullptr, "0.0312", 312, 0.03125},
               C{"par arriba", nullptr, "0.0938", 938, 0.09375},
               C{"decimales", "45.23", "45.23", 452300}, C{"ceros finales", "7.5000", "7.5", 75000},
               C{"negativo", "-3.0001", "-3.0001", -30001}, C{"quinto par", "0.00005", "0", 0},
               C{"quinto impar", "0.00015", "0.0002", 2},
               C{"minimo", "-922337203685477.5808", "-922337203685477.5808",
                 std::numeric_limits<qint64>::min()}});
    }
    void moneda() {
        const auto& c = fila<C>();
        const auto m = c.texto ? Moneda::desdeTexto(c.texto) : Moneda::desdeDouble(c.valor);
        QVERIFY(m);
        QCOMPARE(m->diezmilesimas(), c.n);
        QCOMPARE(m->textoArchivo(), std::string(c.esperado));
    }
    void monedaInvalida() {
        QVERIFY(!Moneda::desdeDouble(1e300) && !Moneda::desdeDouble(qQNaN()));
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
        QCOMPARE(TextoFecha(*crearDia(1999, 3, 1), false), std::string("1/3/1999"));
    }
    // Dates read back in the long form ("" when refused), and durations written.
    void fechaYDuracion_data() {
        tabla({C{"corta", "31/01/99", "31/01/1999"}, C{"siglo xxi", "1/3/29", "01/03/2029"},
               C{"treinta", "1/3/30", "01/03/1930"}, C{"guiones", "02-03-1999", "02/03/1999"},
               C{"dia inexistente", "31/02/1999"}, C{"vacio", ""}, C{"hora", "1/3/1999 10:00"},
               C{"0 s", nullptr, "00:00:00", 0}, C{"25h", nullptr, "25:01:01", 90061},
               C{"100h", nullptr, "100:00:00", 360000}, C{"-20 s", nullptr, "-00:00:20", -20}});
    }
    void fechaYDuracion() {
        const auto& c = fila<C>();
        const auto d = c.texto ? LeerFecha(c.texto) : std::nullopt;
        QCOMPARE(c.texto ? (d ? TextoFecha(*d) : "") : General::FormatoDuracion(c.n),
                 std::string(c.esperado));
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
        QCOMPARE(LeerNumero("45,00", ',').value_or(-1), 45.0);
        QCOMPARE(LeerNumero(" -0,5 ", ',').value_or(-1), -0.5);
        QCOMPARE(LeerEntero(" 255 ", 0, 255).value_or(-1), int64_t(255));
        for (const char* t : {"45.00", "1.000,00"})
            QVERIFY2(!LeerNumero(t, ','), t);
        for (const char* t : {"256", "1.5", ""})
            QVERIFY2(!LeerEntero(t, 0, 255), t);
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "TestCore.moc"
