// Domain rules of the call-log window: totals and the conversions of cell edits.
#include "calllog/ArchivoLlamadas.h"
#include "calllog/EdicionCelda.h"
#include "calllog/Totales.h"
#include "support/Archivos.h"
#include "support/Tablas.h"

using enum Registro::OrdenFecha;

namespace {
Llamada Crear(int dia, int64_t duracion, int32_t segundos, const char* importe) {
    return {D(1999, 3, dia), 66303, duracion, segundos, *Moneda::desdeTexto(importe), "M"};
}
// A call's column edited in a date order; the field as then written ("": refused, no change).
struct C {
    const char* fila;
    int columna;
    const char *texto, *campo;
    Registro::OrdenFecha orden = DiaMesAnio;
};
} // namespace

class TestDominioVentana : public QObject {
    Q_OBJECT
private slots:
    void totalesSumanEnSesentaYCuatroBits() {
        const auto t = Registro::CalcularTotales({Crear(1, 70, 60, "12.5"),
                                                  Crear(2, 100000, 2000000000, "0.0001"),
                                                  Crear(3, 90, 2000000000, "20")});
        QCOMPARE(QString("%1 %2 %3 ").arg(t.llamadas).arg(t.SegundosTotal).arg(t.TiempoTotal) +
                     t.ImporteTotal.textoArchivo().c_str(),
                 "3 4000000060 100160 32.5001");
    }

    void edicion_data() {
        tabla({C{"fecha corta", 1, "16/4/99", "#1999-04-16#"},
               C{"mes primero", 1, "4/16/99", "#1999-04-16#", MesDiaAnio},
               C{"año primero", 1, "1999-04-16", "#1999-04-16#", AnioMesDia},
               C{"fecha con hora", 1, "16/4/99 10:00:00", ""}, C{"fecha texto", 1, "ayer", ""},
               C{"fecha imposible", 1, "31/2/99", ""}, C{"hora", 2, "7:05", "#07:05:00#"},
               C{"hora pm", 2, "7:05:09 PM", "#19:05:09#"}, C{"12 AM", 2, "12:30 AM", "#00:30:00#"},
               C{"hora 24", 2, "24:00:00", ""}, C{"duración", 3, "1:02:03", "#01:02:03#"},
               C{"4 partes", 3, "1:2:3:4", ""}, C{"sin minutos", 3, "1::2", ""},
               // Seconds round halves to even; the amount takes the decimal comma.
               C{"medio par", 4, "12,5", "12"}, C{"medio impar", 4, "13,5", "14"},
               C{"sobre 16 bits", 4, "40000", "40000"}, C{"sobre 32 bits", 4, "3000000000", ""},
               C{"importe", 5, "7,5", "7.5"}, C{"importe con punto", 5, "7.5", ""},
               C{"importe enorme", 5, "99999999999999999999", ""},
               C{"tarifa", 6, "Provincial, nocturna", "\"Provincial, nocturna\""},
               C{"tarifa con comillas", 6, "a\"b", ""}});
    }
    void edicion() {
        const auto& c = fila<C>();
        const Llamada original = Crear(15, 312, 312, "45.23");
        auto esperado = QString("#1999-03-15#,#18:25:03#,#00:05:12#,312,45.23,\"M\"").split(',');
        esperado[c.columna - 1] = *c.campo ? c.campo : esperado[c.columna - 1];
        const auto r = Registro::AplicarValor(original, c.columna, c.texto, {',', c.orden});
        QCOMPARE(r.has_value(), *c.campo != 0);
        QCOMPARE(QString::fromStdString(ArchivoLlamadas::LineaRegistro(r.value_or(original))),
                 esperado.join(',') + "\r\n");
    }
};

QTEST_APPLESS_MAIN(TestDominioVentana)
#include "TestDominioVentana.moc"
