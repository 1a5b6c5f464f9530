// Estimates, totals by band and chart data of the loaded calls.
#include "Llamadas.h"
#include "stats/DatosGraficos.h"
#include "stats/Presupuesto.h"
#include "stats/TotalesFranja.h"
#include "support/Archivos.h"
#include "support/Tablas.h"

using namespace Estadistica;
using Llamadas = std::vector<Llamada>;

const Fechas::Dia Inicio = D(2001, 6, 1), Final = D(2001, 6, 30); // a Friday to a Saturday
const Periodo Jueves14{Inicio, Final, D(2001, 6, 14)}, Domingo3{Inicio, Final, D(2001, 6, 3)};

// Four calls of 10 pesetas and 600 s on each weekday, half of them before the period.
static Llamadas CuatroPorDia() {
    Llamadas v;
    for (int d = 21; d <= 27; ++d)
        for (int mes : {5, 5, 6, 6})
            v.push_back(UnaLlamada(2001, mes, mes == 5 ? d : d - 14, 10, 0, 10, "", 600));
    return v;
}
// The calls after two copies of the first of the largest amount a file holds: their sum wraps.
static Llamadas ConEnorme(Llamadas v) {
    v.insert(v.begin(), {v.front(), v.front()});
    v[0].Importe = v[1].Importe = *Moneda::desdeTexto("922337203685477");
    return v;
}
// The texts with the '|'-separated `valores` for %1, %2... (none: no text); %9 may be left out.
const char* const PlantillaEstimado =
    "Llamadas al día: \t\t%1\nLlamadas estimadas: \t%2\nTiempo estimado: \t\t%3\nImporte por "
    "llamada: \t%4 pts\nImporte diario: \t\t%5 pts\nImporte semanal: \t\t%6 pts\nImporte mensual: "
    "\t\t%7 pts\nImporte estimado: \t\t%8 pts";
const char* const PlantillaTotales =
    "Llamadas efectuadas: \t%1\nSegundos facturados: \t%2 \"\nTiempo de conexión: \t%3\nImporte "
    "hora punta:\t\t%4 %\nImporte hora normal:\t%5 %\nImporte hora reducida:\t%6 %\n%9Importe en "
    "euros:\t\t%7 €\nImporte en pesetas: \t\t%8 pts";
static QString Texto(const char* plantilla, const QString& valores) {
    QString t = QString::fromUtf8(valores.isEmpty() ? "" : plantilla);
    for (const QString& v : valores.split('|', Qt::SkipEmptyParts))
        t = t.arg(v);
    return t.remove("%9");
}

struct Proyeccion { // esperado -1: no projection
    const char* fila;
    int dia;
    double importe, esperado;
    Fechas::Dia hoy, inicio = Inicio, final = Final;
};
// Calls: the estimate's values ('|'-separated; empty: none); the budget's outcome in a period.
struct Caso {
    const char* fila;
    Llamadas llamadas;
    const char *valores, *presupuesto = "";
    Periodo periodo = Jueves14;
    EstadoPresupuesto estado = EstadoPresupuesto::Ninguno;
    double proyeccion = -1;
};

class TestEstadistica : public QObject {
    Q_OBJECT
private slots:
    void proyectar_data() {
        tabla<Proyeccion>({{"jueves 14, viernes P=5 E=2", 5, 10, 25, D(2001, 6, 14)},
                           {"E=3 P=4 da 4/3", 1, 10, 13.3333, D(2001, 6, 18)},
                           {"domingo 3, lunes sin pasar", 1, 10, -1, D(2001, 6, 3)},
                           {"hoy antes del inicio", 4, 10, -1, D(2001, 5, 31)},
                           {"hoy tras el final, E=6 P=4", 1, 60, 40, D(2001, 7, 14)},
                           {"dia fuera de 1..7", 0, 10, -1, D(2001, 6, 14)},
                           {"522 lunes, más de 8 bits", 1, 1, 522, D(2000, 1, 3), D(2000, 1, 1),
                            D(2009, 12, 31)}});
    }
    void proyectar() {
        const auto& c = fila<Proyeccion>();
        const auto r = General::ProyectarDiaSemana(c.inicio, c.final, c.dia,
                                                   Moneda::redondear(c.importe), c.hoy);
        QCOMPARE(r.value_or(Moneda::desdeEntero(-1)), Moneda::redondear(c.esperado));
    }

    // Equal to the budget is not passed. June 14: 280 spent, 600 projected; June 3: by pace, 100.
    void estimado_data() {
        using E = EstadoPresupuesto;
        const char* j14 = "2,0|60|10:00:00|10,00|20,00|140,00|600|600,00";
        const Llamadas una{UnaLlamada(2001, 6, 1, 9, 0, 10)};
        const Llamadas cuarenta{UnaLlamada(2001, 6, 1, 9, 0, 40, "", 6)};
        const Periodo viernes8{Inicio, Final, D(2001, 6, 8)};
        tabla<Caso>({
            {"proyección igual", CuatroPorDia(), j14, "600", Jueves14, E::Verde, 600},
            {"proyección por encima", CuatroPorDia(), j14, "599", Jueves14, E::Amarillo, 600},
            {"gastado igual", CuatroPorDia(), j14, "280", Jueves14, E::Amarillo, 600},
            {"gastado por encima", CuatroPorDia(), j14, "279", Jueves14, E::Rojo, 600},
            // 100 / 30 shows as 3,33, and the week and month are multiples of that text; the
            // time 6 s * 30 / 8 = 22,5 goes to the even 22.
            {"redondeos", cuarenta, "0,1|4|00:00:22|40,00|3,33|23,31|99,9|100,00", "", viernes8},
            {"tercer día, ritmo igual", una, "", "100", Domingo3, E::Verde, 100},
            {"tercer día, ritmo por encima", una, "", "99", Domingo3, E::Amarillo, 100},
            {"sin llamadas", {}, ""},
            {"final antes del inicio", CuatroPorDia(), "", "", {Final, Inicio, D(2001, 7, 14)}},
            {"importes que no suman", ConEnorme(CuatroPorDia()), "", "", {Inicio, Final, Final}},
            {"suma sin desbordar", ConEnorme(una), "", "9999999", Domingo3, E::Rojo, -1},
        });
    }
    void estimado() {
        const auto& c = fila<Caso>();
        const auto e = CalcularEstimado(c.llamadas, c.periodo);
        QCOMPARE(QString::fromStdString(e ? TextoEstimado(*e, ',') : ""),
                 Texto(PlantillaEstimado, c.valores));
        const auto s = EvaluarPresupuesto(c.llamadas, c.periodo, LeerPresupuesto(c.presupuesto));
        QCOMPARE(s.estado, c.estado);
        QCOMPARE(s.proyeccion.value_or(Moneda::desdeEntero(-1)), Moneda::redondear(c.proyeccion));
    }

    void totales_data() { // a ninth value: a plan's band lines
        // Peak at 21:50 though it runs past 22:00, normal, and reduced on a Sunday.
        const Llamadas t{UnaLlamada(2001, 6, 4, 21, 50, 100, "Metropolitana", 1200, 1100),
                         UnaLlamada(2001, 6, 4, 18, 0, 50, "Provincial", 210, 200),
                         UnaLlamada(2001, 6, 3, 10, 0, 50, "Interprovincial", 105, 100)};
        const auto con = [&t](double i, const char* tipo) {
            return Llamadas{t[0], t[1], t[2], UnaLlamada(2001, 6, 4, 10, 0, i, tipo, 60, 60)};
        };
        tabla<Caso>({
            {"100, 50 y 50", t, "3|1400|00:25:15|50,00|25,00|25,00|1,20|200"},
            {"tipo desconocido sin cuota", con(45.5, "metropolitana"),
             "4|1460|00:26:15|50,00|25,00|25,00|1,48|245,5"},
            {"importes que no suman", ConEnorme(t), ""},
            {"franja de un plan", con(100, "Valle"),
             "4|1460|00:26:15|33,33|16,67|16,67|1,80|300|Importe franja valle:\t33,33 %\n"},
            {"sin banda conocida", {con(9, "Local").back()}, "1|60|00:01:00|0,00|0,00|0,00|0,05|9"},
        });
    }
    void totales() {
        const auto& c = fila<Caso>();
        QCOMPARE(QString::fromStdString(TextoTotales(c.llamadas, ConUnPlan(), ',').value_or("")),
                 Texto(PlantillaTotales, c.valores));
    }

    void llamadaDeMedianoche() { // wholly in hour 23 and on the weekday of its date (a Sunday)
        const DatosHoraDia d = CalcularHoraDia({UnaLlamada(2001, 6, 10, 23, 59, 7, "", 7200)});
        QCOMPARE(BarrasHora(d).alturas[23], 7.0);
        QCOMPARE(BarrasDia(d).alturas, (std::vector<double>{0, 0, 0, 0, 0, 0, 7}));
        // A sum past the range stays at its end instead of wrapping round to a negative bar.
        QCOMPARE(BarrasHora(CalcularHoraDia(ConEnorme({UnaLlamada(2001, 6, 10, 23, 0, 7)}))).maximo,
                 double(Moneda::Limite) / 10000);
    }
};

QTEST_APPLESS_MAIN(TestEstadistica)
#include "TestEstadistica.moc"
