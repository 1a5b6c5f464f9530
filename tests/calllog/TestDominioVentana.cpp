// Domain rules of the call-log window: totals and the conversions of cell edits.
#include "calllog/ArchivoLlamadas.h"
#include "calllog/EdicionCelda.h"
#include "calllog/Totales.h"
#include "support/Archivos.h"
#include "support/Tablas.h"

using namespace Registro;
using enum OrdenFecha;

namespace {
Llamada L(int dia, int64_t duracion, int32_t segundos, const char* importe) {
    return {D(1999, 3, dia), 66303, duracion, segundos, *Moneda::desdeTexto(importe), "M"};
}
// A call's column edited in a date order; the field as then written ("": refused).
struct C {
    const char *fila, *texto, *campo;
    int columna;
    OrdenFecha orden = DiaMesAnio;
};
} // namespace

class TestDominioVentana : public QObject {
    Q_OBJECT
private slots:
    void totalesSumanEnSesentaYCuatroBits() {
        const auto t = CalcularTotales(
            {L(1, 70, 60, "12.5"), L(2, 100000, 2000000000, "0.0001"), L(3, 90, 2000000000, "20")});
        QCOMPARE(std::tuple(t.llamadas, t.SegundosTotal, t.TiempoTotal, t.ImporteTotal),
                 std::tuple(3LL, 4000000060LL, 100160LL, Moneda::desdeDiezmilesimas(325001)));
    }

    void edicion_data() {
        tabla({C{"fecha corta", "16/4/99", "#1999-04-16#", 1},
               C{"mes primero", "4/16/99", "#1999-04-16#", 1, MesDiaAnio},
               C{"año primero", "1999-04-16", "#1999-04-16#", 1, AnioMesDia},
               C{"fecha con hora", "16/4/99 10:00:00", "", 1}, C{"fecha texto", "ayer", "", 1},
               C{"fecha imposible", "31/2/99", "", 1}, C{"hora", "7:05", "#07:05:00#", 2},
               C{"hora pm", "7:05:09 PM", "#19:05:09#", 2}, C{"12 AM", "12:30 AM", "#00:30:00#", 2},
               C{"hora 24", "24:00:00", "", 2}, C{"duración", "1:02:03", "#01:02:03#", 3},
               C{"4 partes", "1:2:3:4", "", 3}, C{"sin minutos", "1::2", "", 3},
               // Seconds round halves to even; the amount takes the decimal comma.
               C{"medio par", "12,5", "12", 4}, C{"medio impar", "13,5", "14", 4},
               C{"sobre 16 bits", "40000", "40000", 4}, C{"sobre 32 bits", "3000000000", "", 4},
               C{"importe", "7,5", "7.5", 5}, C{"importe con punto", "7.5", "", 5},
               C{"importe enorme", "99999999999999999999", "", 5},
               C{"tarifa", "Provincial, nocturna", "\"Provincial, nocturna\"", 6},
               C{"tarifa con comillas", "a\"b", "", 6}});
    }
    void edicion() {
        const auto& c = fila<C>();
        auto esperado = QString("#1999-03-15#,#18:25:03#,#00:05:12#,312,45.23,\"M\"").split(',');
        esperado[c.columna - 1] = c.campo;
        const auto r = AplicarValor(L(15, 312, 312, "45.23"), c.columna, c.texto, {',', c.orden});
        QCOMPARE(QString::fromStdString(r ? ArchivoLlamadas::LineaRegistro(*r) : ""),
                 *c.campo ? esperado.join(',') + "\r\n" : "");
    }
};

QTEST_APPLESS_MAIN(TestDominioVentana)
#include "TestDominioVentana.moc"
