// Tariff table, call pricing, billed seconds and band colours, against a per-second count.
#include "support/Tablas.h"
#include "tariffs/Tarifas.h"

#include <random>

using namespace Tarifas;

namespace {

const char* const Tipos[] = {"Metropolitana", "Provincial", "Interprovincial"};
enum Tipo { Metropolitana, Provincial, Interprovincial, Ninguno };

Tipo tipoDe(const std::string& nombre) {
    return Tipo(std::find(std::begin(Tipos), std::end(Tipos), nombre) - std::begin(Tipos));
}

// By call type: set-up, then a minute in the reducida, normal and punta bands.
const double Pts[][4] = {{11.4, 1.64, 0, 4.52}, {15, 6.71, 13.4, 15.45}, {15, 10.44, 25.01, 39.45}};

// Band of second s (0..86399) of a day of weekday `dia`, written out from the hour ranges.
Franja franjaEsperada(Tipo tipo, int dia, long s) {
    if (dia == 7 || s < 28800 || s >= 79200)
        return Franja::reducida;
    if (dia == 6)
        return s < 50400 ? Franja::punta : Franja::reducida;
    return tipo == Metropolitana || s < 61200 ? Franja::punta : Franja::normal;
}

// Seconds of band b before second x of weeks from Monday 00:00, counted once per call type.
long Antes(Tipo tipo, long x, std::size_t b) {
    constexpr long Semana = 7 * 86400;
    static std::vector<std::array<int32_t, 3>> tablas[3];
    auto& a = tablas[tipo];
    if (a.empty()) {
        a.resize(Semana + 1);
        for (long t = 0; t < Semana; ++t)
            ++(a[t + 1] = a[t])[Indice(franjaEsperada(tipo, int(t / 86400) + 1, t % 86400))];
    }
    const long semanas = x / Semana - (x % Semana < 0);
    return semanas * a[Semana][b] + a[x - semanas * Semana][b];
}

// CosteLlamada against the meter's pricing counted by the second: each second after those the
// set-up covers, in its own band and day. On a difference, the call and both amounts.
void PorSegundo(const std::string& nombre, int dia, long inicio, long largo, int iva, int pct) {
    const Tipo tipo = tipoDe(nombre);
    Moneda r;
    if (dia >= 1 && dia <= 7 && tipo != Ninguno) {
        const long desde = (dia - 1) * 86400L + inicio + (tipo == Metropolitana ? 160 : 0);
        const long hasta = std::max(desde, (dia - 1) * 86400L + inicio + largo);
        const auto n = [&](std::size_t b) { return Antes(tipo, hasta, b) - Antes(tipo, desde, b); };
        const double* p = Pts[tipo];
        r = Moneda::redondear(((n(0) * (p[1] / 60.0) + p[0]) + n(1) * (p[2] / 60.0)) +
                              n(2) * (p[3] / 60.0));
        if (iva == 1)
            r = r + Moneda::redondear((r * pct).aDouble() / 100.0);
    }
    const Moneda m = CosteLlamada(inicio, dia, largo, nombre, iva, pct);
    QVERIFY2(m == r, qPrintable(QString::asprintf(
                         "%s dia %d %ld+%ld s IVA %d/%d: %s != %s", nombre.c_str(), dia, inicio,
                         largo, iva, pct, m.textoArchivo().c_str(), r.textoArchivo().c_str())));
}

// A call priced: its type, amount, weekday, start, length and IVA switch.
struct C {
    const char *fila, *tipo, *importe;
    long dia, inicio, largo, iva;
};
// Elapsed time in ten-thousandths of a second; the count returned and the seconds billed.
struct F {
    const char *fila, *tipo;
    qint64 diezmilesimas, devuelto, facturados;
};

} // namespace

class TestTarifas : public QObject {
    Q_OBJECT
private slots:
    // Worked examples; IVA, when added, is 16 %.
    void coste_data() {
        const char *M = Tipos[0], *P = Tipos[1], *I = Tipos[2];
        tabla({C{"100 s", M, "11.4", 1, 36000, 100, 0}, C{"IVA", M, "13.224", 1, 36000, 100, 1},
               C{"IVA 2: no", M, "11.4", 1, 36000, 100, 2}, C{"160 s", M, "11.4", 2, 36000, 160, 0},
               C{"300 s", M, "21.9467", 3, 36000, 300, 0}, C{"p y n", P, "43.85", 4, 61140, 120, 0},
               C{"dom.", I, "119.4", 7, 43200, 600, 0}, C{"negocia", P, "18.8625", 2, 61185, 15, 0},
               C{"urbana", "Urbana", "0", 1, 36000, 600, 1}, C{"dia 0", P, "0", 0, 36000, 600, 0},
               C{"v-s", P, "28.42", 5, 86340, 120, 0}, C{"-10", I, "5067.39", 1, -10, 28870, 0}});
    }
    void coste() {
        const auto& c = fila<C>();
        QCOMPARE(CosteLlamada(c.inicio, c.dia, c.largo, c.tipo, uint8_t(c.iva), 16).textoArchivo(),
                 std::string(c.importe));
        PorSegundo(c.tipo, c.dia, c.inicio, c.largo, c.iva, 16);
    }

    // Against the per-second count: calls starting or ending around every band limit, then
    // seeded calls, short, to midnight, or across it lasting up to days or weeks.
    void porSegundo() {
        std::vector<int> puntos;
        for (int limite : {0, 28800, 50400, 61200, 79200, 86400})
            for (int d : {-1, 0, 1})
                for (int p : {limite + d, limite + d - 160})
                    if (p >= 0 && p <= 86400)
                        puntos.push_back(p);
        int casos = 0;
        for (const char* tipo : Tipos)
            for (int dia : {3, 6, 7})
                for (int inicio : puntos)
                    for (int fin : puntos)
                        if (fin >= inicio && inicio < 86400 && ++casos)
                            PorSegundo(tipo, dia, inicio, fin - inicio, casos % 2, casos % 256);
        std::mt19937 azar(19990415);
        for (int i = 0; i < 3000; ++i) {
            const char* tipo = Tipos[azar() % 3];
            const int dia = int(azar() % 7) + 1, iva = int(azar() % 3), pct = int(azar() % 256);
            const int inicio = int(azar() % (86400 + 255)) - 255;
            const long tope = i % 20 == 0  ? (i % 200 ? 3 : 20) * 86400L
                              : i % 2 == 0 ? 86400 - inicio + 1
                                           : 600;
            PorSegundo(tipo, dia, inicio, long(azar() % tope), iva, pct);
        }
        // Lengths no call reaches: the amount saturates rather than wraps.
        const qint64 maximo = std::numeric_limits<qint64>::max();
        QCOMPARE(CosteLlamada(0, 1, maximo, "Interprovincial", 1, 255).diezmilesimas(), maximo);
        const Moneda largo = CosteLlamada(0, 1, maximo / 10000000, "Interprovincial", 1, 255);
        QVERIFY(largo > Moneda() && largo.diezmilesimas() < maximo);
        QCOMPARE(CosteLlamada(-255, 7, -5, "Provincial", 0, 0), Moneda::desdeEntero(15));
    }

    // Billed seconds from the elapsed ones, and the count returned.
    void contadorFacturacion_data() {
        const char *M = Tipos[0], *P = Tipos[1];
        tabla({F{"40 s", M, 400000, 120, 0}, F{"300 s", M, 3000000, 140, 140},
               F{"media a favor", M, 1605000, 1, 1}, F{"media en contra", M, 1595000, 1, 0},
               F{"sin tipo", "", 750000, 75, 75}, F{"minusculas", "metropolitana", 400000, 40, 40},
               F{"min", M, INT64_MIN, INT32_MAX, 0}, F{"max", P, INT64_MAX, INT32_MAX, INT32_MAX}});
    }
    void contadorFacturacion() {
        const auto& c = fila<F>();
        EstadoLlamada estado;
        estado.SegundosTranscurridos = Moneda::desdeDiezmilesimas(c.diezmilesimas);
        estado.SegundosFacturados = -99;
        QCOMPARE(ContadorFacturacion(c.tipo, estado), int(c.devuelto));
        QCOMPARE(estado.SegundosFacturados, int(c.facturados));
    }

    // The ranges of each table as the tariff viewer lists them (clock times and band); the band
    // of every second and the colour of every hour agree with the hour ranges.
    void tramosFranjaYColor() {
        const uint32_t colores[] = {ColorReducida, ColorNormal, ColorPunta};
        for (const char* nombre : Tipos) {
            const QStringList tramos{
                nombre == Tipos[Metropolitana]
                    ? "00:00-07:59 r|08:00-21:59 p|22:00-24:00 r"
                    : "00:00-07:59 r|08:00-16:59 p|17:00-21:59 n|22:00-24:00 r",
                "00:00-07:59 r|08:00-13:59 p|14:00-24:00 r", "00:00-24:00 r"};
            for (int t = 0; t < 3; ++t) {
                QStringList leidos;
                for (const Tramo& f : BuscarTarifa(nombre)->tramos[t])
                    leidos << QString::fromStdString(HoraDesde(f) + "-" + HoraHasta(f) + " " +
                                                     "rnp"[int(f.franja)]);
                QCOMPARE(leidos.join('|'), tramos[t]);
            }
            for (int dia = 1; dia <= 7; ++dia) {
                TipoDia tipoDia;
                QVERIFY(TipoDiaDe(dia, tipoDia));
                for (long s = 0; s < 86400; ++s) {
                    const Franja esperada = franjaEsperada(tipoDe(nombre), dia, s);
                    if (FranjaDe(*BuscarTarifa(nombre), tipoDia, int32_t(s)) != esperada)
                        QFAIL(qPrintable(QString::asprintf("%s dia %d s %ld", nombre, dia, s)));
                    if (s % 3600 == 0)
                        QCOMPARE(ColorFranja(s / 3600, dia, nombre), colores[Indice(esperada)]);
                }
            }
        }
        for (auto [hora, dia, tipo] :
             {std::tuple{24, 1, "Provincial"}, {10, 0, "Provincial"}, {10, 1, "provincial"}})
            QCOMPARE(ColorFranja(hora, dia, tipo), 0u);
        // Names are matched whole and case-sensitive; days are 1 to 7.
        for (const char* t : {"", "provincial", "PROVINCIAL", "Provincial ", "Interprov"})
            QVERIFY2(!BuscarTarifa(t), t);
        TipoDia d = TipoDia::Sabados;
        QVERIFY(!TipoDiaDe(0, d) && !TipoDiaDe(8, d));
        QCOMPARE(d, TipoDia::Sabados);
    }
};

QTEST_GUILESS_MAIN(TestTarifas)
#include "TestTarifas.moc"
