// Estimates, totals by band and chart data of the loaded calls.
#include "Llamadas.h"
#include "stats/DatosGraficos.h"
#include "stats/Estimaciones.h"
#include "stats/Presupuesto.h"
#include "stats/TotalesFranja.h"
#include "support/Archivos.h"

#include <QtTest>

using namespace Estadistica;

Q_DECLARE_METATYPE(std::vector<Llamada>)
Q_DECLARE_METATYPE(Fechas::Dia)
Q_DECLARE_METATYPE(Estadistica::Periodo)

namespace {
// Friday 1 June to Saturday 30 June 2001.
const Fechas::Dia Inicio = D(2001, 6, 1);
const Fechas::Dia Final = D(2001, 6, 30);

// Four calls of 10 pesetas and 600 s on each weekday, half of them before the period.
std::vector<Llamada> CuatroPorDia() {
    std::vector<Llamada> v;
    for (int d = 21; d <= 27; ++d)
        for (int mes : {5, 5, 6, 6})
            v.push_back(UnaLlamada(2001, mes, mes == 5 ? d : d - 14, 10, 0, 10, "", 600));
    return v;
}
// The calls after two copies of the first with the largest whole amount a file holds: the
// sum wraps round to a small amount if unchecked.
std::vector<Llamada> ConEnorme(std::vector<Llamada> v) {
    Llamada enorme = v.front();
    enorme.Importe = *Moneda::desdeTexto("922337203685477");
    v.insert(v.begin(), 2, enorme);
    return v;
}
} // namespace

class TestEstadistica : public QObject {
    Q_OBJECT
private slots:
    void proyectar_data() {
        QTest::addColumn<Fechas::Dia>("hoy");
        QTest::addColumn<int>("dia");
        QTest::addColumn<double>("importe");
        QTest::addColumn<double>("esperado"); // -1: no projection
        QTest::newRow("jueves 14, viernes P=5 E=2") << D(2001, 6, 14) << 5 << 10.0 << 25.0;
        QTest::newRow("E=3 P=4 da 4/3") << D(2001, 6, 18) << 1 << 10.0 << 13.3333;
        QTest::newRow("domingo 3, lunes sin pasar") << D(2001, 6, 3) << 1 << 10.0 << -1.0;
        QTest::newRow("hoy antes del inicio") << D(2001, 5, 31) << 4 << 10.0 << -1.0;
        QTest::newRow("hoy tras el final, E=6 P=4") << D(2001, 7, 14) << 1 << 60.0 << 40.0;
        QTest::newRow("dia fuera de 1..7") << D(2001, 6, 14) << 0 << 10.0 << -1.0;
    }
    void proyectar() {
        QFETCH(Fechas::Dia, hoy);
        QFETCH(int, dia);
        QFETCH(double, importe);
        QFETCH(double, esperado);
        const auto r =
            General::ProyectarDiaSemana(Inicio, Final, dia, Moneda::redondear(importe), hoy);
        QCOMPARE(r.value_or(Moneda::desdeEntero(-1)), Moneda::redondear(esperado));
    }
    void periodoLargoSinLimiteDeDias() {
        // 522 Mondays elapsed: more than an 8-bit counter holds.
        const Fechas::Dia inicio = D(2000, 1, 1), final = D(2009, 12, 31);
        QCOMPARE(General::ContarDiaSemana(inicio, final, 1), 522);
        QCOMPARE(General::ProyectarDiaSemana(inicio, final, 1, Moneda::desdeEntero(7), final),
                 Moneda::desdeEntero(7));
    }

    void estimado_data() {
        QTest::addColumn<Periodo>("periodo");
        QTest::addColumn<std::vector<Llamada>>("llamadas");
        QTest::addColumn<QString>("texto"); // empty: no estimate
        QTest::newRow("jueves 14 de junio")
            << Periodo{Inicio, Final, D(2001, 6, 14)} << CuatroPorDia()
            << "Llamadas al día: \t\t2,0\nLlamadas estimadas: \t60\nTiempo estimado: \t\t10:00:00\n"
               "Importe por llamada: \t10,00 pts\nImporte diario: \t\t20,00 pts\nImporte "
               "semanal: \t\t140,00 pts\nImporte mensual: \t\t600 pts\nImporte estimado: "
               "\t\t600,00 pts";
        // 100 / 30 shows as 3,33, and the week and month are multiples of that text; the time
        // 6 s * 30 / 8 = 22,5 goes to the even 22.
        QTest::newRow("cada paso desde el texto redondeado")
            << Periodo{Inicio, Final, D(2001, 6, 8)}
            << std::vector<Llamada>{UnaLlamada(2001, 6, 1, 9, 0, 40, "", 6)}
            << "Llamadas al día: \t\t0,1\nLlamadas estimadas: \t4\nTiempo estimado: \t\t00:00:22\n"
               "Importe por llamada: \t40,00 pts\nImporte diario: \t\t3,33 pts\nImporte "
               "semanal: \t\t23,31 pts\nImporte mensual: \t\t99,9 pts\nImporte estimado: "
               "\t\t100,00 pts";
        QTest::newRow("domingo 3 de junio")
            << Periodo{Inicio, Final, D(2001, 6, 3)} << CuatroPorDia() << QString();
        QTest::newRow("sin llamadas")
            << Periodo{Inicio, Final, D(2001, 6, 14)} << std::vector<Llamada>{} << QString();
        QTest::newRow("final antes del inicio")
            << Periodo{Final, Inicio, D(2001, 7, 14)} << CuatroPorDia() << QString();
        QTest::newRow("importes que no suman")
            << Periodo{Inicio, Final, Final} << ConEnorme(CuatroPorDia()) << QString();
    }
    void estimado() {
        QFETCH(Periodo, periodo);
        QFETCH(std::vector<Llamada>, llamadas);
        QFETCH(QString, texto);
        const auto e = CalcularEstimado(llamadas, periodo);
        QCOMPARE(e ? QString::fromStdString(TextoEstimado(*e, ',')) : QString(), texto);
    }

    // Equal to the budget is not passed; before every weekday has elapsed the projection is the
    // pace of the days elapsed.
    void presupuesto_data() {
        QTest::addColumn<Periodo>("periodo");
        QTest::addColumn<std::vector<Llamada>>("llamadas");
        QTest::addColumn<QString>("presupuesto");
        QTest::addColumn<int>("estado");
        QTest::addColumn<double>("proyeccion"); // -1: none
        using E = EstadoPresupuesto;
        const Periodo jueves14{Inicio, Final, D(2001, 6, 14)}; // 280 spent, 600 projected
        const Periodo domingo3{Inicio, Final, D(2001, 6, 3)};
        const std::vector<Llamada> una{UnaLlamada(2001, 6, 1, 9, 0, 10)};
        const auto fila = [](const char* nombre, const Periodo& p, std::vector<Llamada> v,
                             const char* presupuesto, E estado, double proyeccion) {
            QTest::newRow(nombre) << p << v << QString(presupuesto) << int(estado) << proyeccion;
        };
        fila("sin presupuesto", jueves14, CuatroPorDia(), "", E::Ninguno, -1);
        fila("proyección igual", jueves14, CuatroPorDia(), "600", E::Verde, 600);
        fila("proyección por encima", jueves14, CuatroPorDia(), "599", E::Amarillo, 600);
        fila("gastado igual", jueves14, CuatroPorDia(), "280", E::Amarillo, 600);
        fila("gastado por encima", jueves14, CuatroPorDia(), "279", E::Rojo, 600);
        fila("tercer día, ritmo igual", domingo3, una, "100", E::Verde, 100);
        fila("tercer día, ritmo por encima", domingo3, una, "99", E::Amarillo, 100);
        const Moneda enorme = Moneda::desdeDiezmilesimas(std::numeric_limits<int64_t>::max() / 2);
        std::vector<Llamada> grandes;
        for (int dia : {1, 2, 3})
            grandes.push_back(UnaLlamada(2001, 6, dia, 9, 0, 0));
        for (Llamada& l : grandes)
            l.Importe = enorme;
        fila("suma sin desbordar", domingo3, grandes, "9999999", E::Rojo, -1);
    }
    void presupuesto() {
        QFETCH(Periodo, periodo);
        QFETCH(std::vector<Llamada>, llamadas);
        QFETCH(QString, presupuesto);
        QFETCH(int, estado);
        QFETCH(double, proyeccion);
        const auto s =
            EvaluarPresupuesto(llamadas, periodo, LeerPresupuesto(presupuesto.toStdString()));
        QCOMPARE(int(s.estado), estado);
        if (s.estado != EstadoPresupuesto::Ninguno)
            QCOMPARE(s.proyeccion.value_or(Moneda::desdeEntero(-1)), Moneda::redondear(proyeccion));
    }

    void totales_data() {
        QTest::addColumn<std::vector<Llamada>>("llamadas");
        QTest::addColumn<QString>("texto");
        // Peak on a working day at 21:50 although it runs past 22:00, normal, and reduced on
        // a Sunday.
        const std::vector<Llamada> tres{
            UnaLlamada(2001, 6, 4, 21, 50, 100, "Metropolitana", 1200, 1100),
            UnaLlamada(2001, 6, 4, 18, 0, 50, "Provincial", 210, 200),
            UnaLlamada(2001, 6, 3, 10, 0, 50, "Interprovincial", 105, 100)};
        QTest::newRow("100, 50 y 50")
            << tres
            << "Llamadas efectuadas: \t3\nSegundos facturados: \t1400 \"\nTiempo de conexión: "
               "\t00:25:15\nImporte hora punta:\t\t50,00 %\nImporte hora normal:\t25,00 %\n"
               "Importe hora reducida:\t25,00 %\nImporte en euros:\t\t1,20 €\n"
               "Importe en pesetas: \t\t200 pts";
        auto conDesconocida = tres;
        conDesconocida.push_back(UnaLlamada(2001, 6, 4, 10, 0, 45.5, "metropolitana", 60, 60));
        QTest::newRow("tipo desconocido fuera de las cuotas")
            << conDesconocida
            << "Llamadas efectuadas: \t4\nSegundos facturados: \t1460 \"\nTiempo de conexión: "
               "\t00:26:15\nImporte hora punta:\t\t50,00 %\nImporte hora normal:\t25,00 %\n"
               "Importe hora reducida:\t25,00 %\nImporte en euros:\t\t1,48 €\n"
               "Importe en pesetas: \t\t245,5 pts";
        QTest::newRow("importes que no suman") << ConEnorme(tres) << QString();
        // A plan's own band adds its line, and counts in the shares.
        auto conValle = tres;
        conValle.push_back(UnaLlamada(2001, 6, 4, 10, 0, 100, "Valle", 60, 60));
        QTest::newRow("franja de un plan")
            << conValle
            << "Llamadas efectuadas: \t4\nSegundos facturados: \t1460 \"\nTiempo de conexión: "
               "\t00:26:15\nImporte hora punta:\t\t33,33 %\nImporte hora normal:\t16,67 %\n"
               "Importe hora reducida:\t16,67 %\nImporte franja valle:\t33,33 %\n"
               "Importe en euros:\t\t1,80 €\nImporte en pesetas: \t\t300 pts";
        QTest::newRow("sin banda conocida")
            << std::vector<Llamada>{UnaLlamada(2001, 6, 4, 10, 0, 9, "Local", 60, 60)}
            << "Llamadas efectuadas: \t1\nSegundos facturados: \t60 \"\nTiempo de conexión: "
               "\t00:01:00\nImporte hora punta:\t\t0,00 %\nImporte hora normal:\t0,00 %\n"
               "Importe hora reducida:\t0,00 %\nImporte en euros:\t\t0,05 €\n"
               "Importe en pesetas: \t\t9 pts";
    }
    void totales() {
        QFETCH(std::vector<Llamada>, llamadas);
        QFETCH(QString, texto);
        QCOMPARE(QString::fromStdString(TextoTotales(llamadas, ConUnPlan(), ',').value_or("")),
                 texto);
    }

    void llamadaDeMedianoche() {
        // Counts wholly in hour 23 and on the weekday of its date (a Sunday).
        const DatosHoraDia d = CalcularHoraDia({UnaLlamada(2001, 6, 10, 23, 59, 7, "", 7200)});
        QCOMPARE(BarrasHora(d).alturas[23], 7.0);
        QCOMPARE(BarrasDia(d).alturas, (std::vector<double>{0, 0, 0, 0, 0, 0, 7}));
        // A sum past the range stays at its end instead of wrapping round to a negative bar.
        const auto enorme = ConEnorme({UnaLlamada(2001, 6, 10, 23, 0, 7)});
        QCOMPARE(BarrasHora(CalcularHoraDia(enorme)).maximo, double(Moneda::Limite) / 10000);
    }
};

QTEST_APPLESS_MAIN(TestEstadistica)
#include "TestEstadistica.moc"
