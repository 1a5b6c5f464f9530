// Estimates, totals by band and chart data of the loaded calls.
#include "Llamadas.h"
#include "stats/DatosGraficos.h"
#include "stats/Estimaciones.h"
#include "stats/TotalesFranja.h"
#include "tariffs/Tarifas.h"

#include <QtTest>
#include <numeric>

Q_DECLARE_METATYPE(Llamada)
Q_DECLARE_METATYPE(std::vector<Llamada>)
Q_DECLARE_METATYPE(Fechas::Dia)

using namespace Estadistica;

namespace {
Fechas::Dia Dia(int a, int m, int d) {
    return *Fechas::crearDia(a, m, d);
}
// Friday 1 June to Saturday 30 June 2001.
const Fechas::Dia Inicio = Dia(2001, 6, 1);
const Fechas::Dia Final = Dia(2001, 6, 30);

// Four calls of 10 pesetas and 600 s on each weekday, some before the period starts.
std::vector<Llamada> CuatroPorDia() {
    std::vector<Llamada> v;
    for (int d = 21; d <= 27; ++d)
        for (int mes : {5, 5, 6, 6})
            v.push_back(
                UnaLlamada(2001, mes, mes == 5 ? d : d - 14, 10, 0, 10, "Metropolitana", 600));
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
        QTest::newRow("jueves 14, viernes P=5 E=2") << Dia(2001, 6, 14) << 5 << 10.0 << 25.0;
        QTest::newRow("jueves 14, lunes P=4 E=2") << Dia(2001, 6, 14) << 1 << 10.0 << 20.0;
        QTest::newRow("E=3 P=4 da 4/3") << Dia(2001, 6, 18) << 1 << 10.0 << 13.3333;
        QTest::newRow("domingo 3, lunes sin pasar") << Dia(2001, 6, 3) << 1 << 10.0 << -1.0;
        QTest::newRow("hoy antes del inicio") << Dia(2001, 5, 31) << 4 << 10.0 << -1.0;
        QTest::newRow("hoy tras el final, E=6 P=4") << Dia(2001, 7, 14) << 1 << 60.0 << 40.0;
        QTest::newRow("dia fuera de 1..7") << Dia(2001, 6, 14) << 0 << 10.0 << -1.0;
    }
    void proyectar() {
        QFETCH(Fechas::Dia, hoy);
        QFETCH(int, dia);
        QFETCH(double, importe);
        QFETCH(double, esperado);
        const auto r =
            General::ProyectarDiaSemana(Inicio, Final, dia, Moneda::redondear(importe), hoy);
        QCOMPARE(r.has_value(), esperado >= 0);
        if (r)
            QCOMPARE(*r, Moneda::redondear(esperado));
    }
    void periodoLargoSinLimiteDeDias() {
        // 522 Mondays elapsed: more than an 8-bit counter holds.
        const auto r = General::ProyectarDiaSemana(Dia(2000, 1, 1), Dia(2009, 12, 31), 1,
                                                   Moneda::desdeEntero(522), Dia(2009, 12, 31));
        QCOMPARE(General::ContarDiaSemana(Dia(2000, 1, 1), Dia(2009, 12, 31), 1), 522);
        QCOMPARE(*r, Moneda::desdeEntero(522));
    }
    void estimarCuentaLlamadasFueraDelPeriodo() {
        const auto r = EstimarDiaSemana(CuatroPorDia(), {Inicio, Final, Dia(2001, 6, 14)}, 5);
        QCOMPARE(*r, Moneda::desdeEntero(100)); // 40 pesetas over 2 Fridays, 5 in the period
    }

    void estimado_data() {
        QTest::addColumn<Fechas::Dia>("hoy");
        QTest::addColumn<std::vector<Llamada>>("llamadas");
        QTest::addColumn<QString>("texto"); // empty: no estimate
        QTest::newRow("jueves 14 de junio")
            << Dia(2001, 6, 14) << CuatroPorDia()
            << "Llamadas al día: \t\t2,0\nLlamadas estimadas: \t60\nTiempo estimado: \t\t10:00:00\n"
               "Importe por llamada: \t10,00 pts\nImporte diario: \t\t20,00 pts\n"
               "Importe semanal: \t\t140,00 pts\nImporte mensual: \t\t600 pts\n"
               "Importe estimado: \t\t600,00 pts";
        // 100 / 30 shows as 3,33: the week and month are multiples of that text. The time
        // 6 s * 30 / 8 = 22,5 goes to the even 22.
        QTest::newRow("cada paso desde el texto redondeado")
            << Dia(2001, 6, 8)
            << std::vector<Llamada>{UnaLlamada(2001, 6, 1, 9, 0, 40, "Metropolitana", 6)}
            << "Llamadas al día: \t\t0,1\nLlamadas estimadas: \t4\nTiempo estimado: \t\t00:00:22\n"
               "Importe por llamada: \t40,00 pts\nImporte diario: \t\t3,33 pts\n"
               "Importe semanal: \t\t23,31 pts\nImporte mensual: \t\t99,9 pts\n"
               "Importe estimado: \t\t100,00 pts";
        QTest::newRow("domingo 3 de junio") << Dia(2001, 6, 3) << CuatroPorDia() << QString();
        QTest::newRow("sin llamadas") << Dia(2001, 6, 14) << std::vector<Llamada>{} << QString();
    }
    void estimado() {
        QFETCH(Fechas::Dia, hoy);
        QFETCH(std::vector<Llamada>, llamadas);
        QFETCH(QString, texto);
        const auto e = CalcularEstimado(llamadas, {Inicio, Final, hoy}, ',');
        QCOMPARE(e ? QString::fromStdString(TextoEstimado(*e)) : QString(), texto);
    }
    void estimadoPeriodoAlReves() {
        QVERIFY(!CalcularEstimado(CuatroPorDia(), {Final, Inicio, Dia(2001, 7, 14)}, ','));
    }

    void franja_data() {
        QTest::addColumn<Llamada>("llamada");
        QTest::addColumn<uint>("color");
        QTest::newRow("21:50 Metropolitana laborable")
            << UnaLlamada(2001, 6, 4, 21, 50, 1) << uint(Tarifas::ColorPunta);
        QTest::newRow("21:50 Provincial laborable")
            << UnaLlamada(2001, 6, 4, 21, 50, 1, "Provincial") << uint(Tarifas::ColorNormal);
        QTest::newRow("17:00 Interprovincial sabado")
            << UnaLlamada(2001, 6, 2, 17, 0, 1, "Interprovincial") << uint(Tarifas::ColorReducida);
        QTest::newRow("tipo desconocido")
            << UnaLlamada(2001, 6, 4, 10, 0, 1, "metropolitana") << 0u;
    }
    void franja() {
        QFETCH(Llamada, llamada);
        QFETCH(uint, color);
        QCOMPARE(ColorLlamada(llamada), color);
    }

    void totales_data() {
        QTest::addColumn<std::vector<Llamada>>("llamadas");
        QTest::addColumn<QString>("texto");
        const std::vector<Llamada> tres{
            UnaLlamada(2001, 6, 4, 10, 0, 100, "Metropolitana", 320, 300),
            UnaLlamada(2001, 6, 4, 18, 0, 50, "Provincial", 210, 200),
            UnaLlamada(2001, 6, 3, 10, 0, 50, "Metropolitana", 105, 100)};
        QTest::newRow("100, 50 y 50")
            << tres
            << "Llamadas efectuadas: \t3\nSegundos facturados: \t600 \"\nTiempo de conexión: "
               "\t00:10:35\n"
               "Importe hora punta:\t\t50,00 %\nImporte hora normal:\t25,00 %\n"
               "Importe hora reducida:\t25,00 %\nImporte en euros:\t\t1,20 €\n"
               "Importe en pesetas: \t\t200 pts";
        auto conDesconocida = tres;
        conDesconocida.push_back(UnaLlamada(2001, 6, 4, 10, 0, 45.5, "Local", 60, 60));
        QTest::newRow("tipo desconocido fuera de las cuotas")
            << conDesconocida
            << "Llamadas efectuadas: \t4\nSegundos facturados: \t660 \"\nTiempo de conexión: "
               "\t00:11:35\n"
               "Importe hora punta:\t\t50,00 %\nImporte hora normal:\t25,00 %\n"
               "Importe hora reducida:\t25,00 %\nImporte en euros:\t\t1,48 €\n"
               "Importe en pesetas: \t\t245,5 pts";
        QTest::newRow("sin llamadas")
            << std::vector<Llamada>{}
            << "Llamadas efectuadas: \t0\nSegundos facturados: \t0 \"\nTiempo de conexión: "
               "\t00:00:00\n"
               "Importe hora punta:\t\t0,00 %\nImporte hora normal:\t0,00 %\n"
               "Importe hora reducida:\t0,00 %\nImporte en euros:\t\t0,00 €\n"
               "Importe en pesetas: \t\t0 pts";
    }
    void totales() {
        QFETCH(std::vector<Llamada>, llamadas);
        QFETCH(QString, texto);
        QCOMPARE(QString::fromStdString(TextoTotales(llamadas, ',')), texto);
    }

    void grosor_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("grosor");
        for (auto [n, g] :
             {std::pair{0, 5}, {75, 5}, {76, 4}, {80, 4}, {101, 3}, {126, 2}, {150, 2}, {151, 1}})
            QTest::newRow(QByteArray::number(n)) << n << g;
    }
    void grosor() {
        QFETCH(int, n);
        QFETCH(int, grosor);
        QCOMPARE(
            CalcularRegularidad(std::vector<Llamada>(n, UnaLlamada(2001, 6, 4, 10, 0, 20))).grosor,
            grosor);
    }

    void regularidad_data() {
        QTest::addColumn<QList<double>>("importes");
        QTest::addColumn<double>("maximo");
        QTest::addColumn<double>("minimo");
        QTest::addColumn<bool>("curva");
        QTest::addColumn<bool>("guias");
        QTest::newRow("sin llamadas") << QList<double>{} << 0.0 << 11.4 << false << true;
        QTest::newRow("una llamada") << QList<double>{20} << 20.0 << 11.4 << false << false;
        QTest::newRow("todas sobre 11,4")
            << QList<double>{20, 30, 25} << 30.0 << 11.4 << true << true;
        QTest::newRow("iguales sobre 11,4")
            << QList<double>{15, 15} << 15.0 << 11.4 << true << true;
        QTest::newRow("iguales bajo 11,4") << QList<double>{5, 5} << 5.0 << 5.0 << false << false;
        QTest::newRow("todas a cero") << QList<double>{0, 0} << 0.0 << 0.0 << false << false;
    }
    void regularidad() {
        QFETCH(QList<double>, importes);
        QFETCH(double, maximo);
        QFETCH(double, minimo);
        QFETCH(bool, curva);
        QFETCH(bool, guias);
        std::vector<Llamada> v;
        for (double i : importes)
            v.push_back(UnaLlamada(2001, 6, 4, 10, 0, i));
        const DatosRegularidad d = CalcularRegularidad(v);
        QCOMPARE(d.importes, std::vector<double>(importes.begin(), importes.end()));
        QCOMPARE(d.escalaCurva(), (Escala{0, maximo, double(importes.size()) - 1, minimo}));
        QCOMPARE(d.escalaGuias(), (Escala{0, maximo, 10, 10}));
        QCOMPARE(d.hayCurva(), curva);
        QCOMPARE(d.hayGuias(), guias);
    }

    void horaDia() {
        // 23:59 counts wholly in hour 23 and on the weekday of its date, however long it ran.
        const DatosHoraDia d =
            CalcularHoraDia({UnaLlamada(2001, 6, 4, 10, 5, 30), UnaLlamada(2001, 6, 4, 10, 50, 30),
                             UnaLlamada(2001, 6, 6, 18, 0, 15),
                             UnaLlamada(2001, 6, 10, 23, 59, 7, "Provincial", 7200)});
        const DatosBarras horas = BarrasHora(d);
        const DatosBarras dias = BarrasDia(d);
        QCOMPARE(horas.alturas[10], 60.0);
        QCOMPARE(horas.alturas[18], 15.0);
        QCOMPARE(horas.alturas[23], 7.0);
        QCOMPARE(std::accumulate(horas.alturas.begin(), horas.alturas.end(), 0.0), 82.0);
        QCOMPARE(horas.escala(), (Escala{0, 60, 49, 0}));
        QCOMPARE(dias.alturas, (std::vector<double>{60, 0, 15, 0, 0, 0, 7}));
        QCOMPARE(dias.escala(), (Escala{0, 60, 15, 0}));
        QCOMPARE(AlturasGuias(60), (std::array<double, 3>{30, 15, 45}));
    }
};

QTEST_APPLESS_MAIN(TestEstadistica)
#include "TestEstadistica.moc"
