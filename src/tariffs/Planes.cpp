// The built-in tariff as a plan, and closed-form pricing of a call under any plan.
#include "tariffs/Planes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace Tarifas {

namespace {

__extension__ typedef __int128 Entero128;

constexpr int64_t Dia = Fechas::SegundosPorDia;
constexpr Moneda MonedaMaxima = Moneda::desdeDiezmilesimas(std::numeric_limits<int64_t>::max());

int64_t Piso(int64_t a, int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// Sum of floor((a * i + b) / m) for i = 0 .. n - 1, with a, b >= 0 and m > 0, in O(log m).
Entero128 SumaPisos(Entero128 n, Entero128 m, Entero128 a, Entero128 b) {
    Entero128 total = 0;
    while (n > 0) {
        if (a >= m) {
            total += n * (n - 1) / 2 * (a / m);
            a %= m;
        }
        if (b >= m) {
            total += n * (b / m);
            b %= m;
        }
        const Entero128 techo = a * n + b;
        if (techo < m)
            break;
        n = techo / m;
        b = techo % m;
        std::swap(m, a);
    }
    return total;
}

int DiaSemanaSerial(int64_t serial) {
    return static_cast<int>(((serial + 5) % 7 + 7) % 7) + 1;
}

TipoDia TipoDiaSemana(int64_t serial) {
    TipoDia tipo = TipoDia::Laborales;
    TipoDiaDe(DiaSemanaSerial(serial), tipo);
    return tipo;
}

// Serial days of the years 1..9999, the only ones a holiday can be written for.
const int64_t PrimerSerial = Fechas::aSerial(*Fechas::crearDia(1, 1, 1));
const int64_t UltimoSerial = Fechas::aSerial(*Fechas::crearDia(9999, 12, 31));

// Holidays from serial day `desde` to `hasta`, sorted, each once.
std::vector<int64_t> FestivosEntre(const Plan& plan, int64_t desde, int64_t hasta) {
    std::vector<int64_t> dias;
    desde = std::max(desde, PrimerSerial);
    hasta = std::min(hasta, UltimoSerial);
    if (plan.festivos.empty() || desde > hasta)
        return dias;
    const int anio0 = Fechas::Anio(Fechas::desdeSerial(static_cast<int32_t>(desde)));
    const int anio1 = Fechas::Anio(Fechas::desdeSerial(static_cast<int32_t>(hasta)));
    const auto anadir = [&](int anio, const Festivo& f) {
        if (const auto d = Fechas::crearDia(anio, f.mes, f.dia)) {
            const int64_t s = Fechas::aSerial(*d);
            if (s >= desde && s <= hasta)
                dias.push_back(s);
        }
    };
    for (const Festivo& f : plan.festivos) {
        if (f.anio != 0)
            anadir(f.anio, f);
        else
            for (int anio = anio0; anio <= anio1; ++anio)
                anadir(anio, f);
    }
    std::sort(dias.begin(), dias.end());
    dias.erase(std::unique(dias.begin(), dias.end()), dias.end());
    return dias;
}

// Seconds charged in each band. Steps after the first begin at p, p + S, p + 2S ... up to the
// last elapsed second; the first step begins at `a`, p = a + first step.
struct Contador {
    const TipoPlan& tipo;
    int64_t a, p, ultimo;
    std::array<int64_t, MaximoFranjas> segundos{};

    // Following steps that begin within [x, y].
    int64_t PasosEn(int64_t x, int64_t y) const {
        x = std::max(x, p);
        y = std::min(y, ultimo);
        if (x > y)
            return 0;
        return Piso(y - p, tipo.paso) - Piso(x - 1 - p, tipo.paso);
    }

    // One day, relative day index d, of day type `dia`, added with sign +1 or -1.
    void ContarDia(int64_t d, TipoDia dia, int signo) {
        for (const TramoPlan& t : tipo.tramos[Indice(dia)]) {
            const int64_t x = d * Dia + t.desde, y = d * Dia + t.hasta;
            int64_t s = PasosEn(x, y) * tipo.paso;
            if (a >= x && a <= y && a <= ultimo)
                s += tipo.primerPaso;
            segundos[t.franja] += signo * s;
        }
    }

    // Days L..R, none holding the first two steps or the last elapsed second: per weekday, the
    // steps in each band range of all its days at once.
    void ContarSemanas(int64_t L, int64_t R, int64_t serial0) {
        for (int64_t dw = L; dw < L + 7 && dw <= R; ++dw) {
            const Entero128 n = (R - dw) / 7 + 1;
            for (const TramoPlan& t : tipo.tramos[Indice(TipoDiaSemana(serial0 + dw))]) {
                const Entero128 pasos =
                    SumaPisos(n, tipo.paso, 7 * Dia, dw * Dia + t.hasta - p) -
                    SumaPisos(n, tipo.paso, 7 * Dia, dw * Dia + t.desde - 1 - p);
                segundos[t.franja] += static_cast<int64_t>(pasos) * tipo.paso;
            }
        }
    }
};

} // namespace

const TipoPlan* Catalogo::BuscarTipo(std::string_view nombre, const Plan** plan) const {
    for (const Plan& p : planes)
        for (const TipoPlan& t : p.tipos)
            if (t.nombre == nombre) {
                if (plan)
                    *plan = &p;
                return &t;
            }
    return nullptr;
}

const Plan& PlanIncorporado() {
    static const Plan plan = [] {
        Plan p;
        p.nombre = "Tarifa nacional 1999";
        p.incorporado = true;
        for (std::string_view nombre : TiposLlamada) {
            const TarifaLlamada& t = *BuscarTarifa(nombre);
            TipoPlan tipo;
            tipo.nombre = std::string(nombre);
            tipo.establecimiento = Moneda::redondear(t.establecimiento);
            tipo.segundosIncluidos = t.segundosIncluidos;
            // Band order reducida, normal, punta fixes the order of the sums, as in CosteLlamada.
            for (Franja f : {Franja::reducida, Franja::normal, Franja::punta})
                tipo.franjas.push_back({f == Franja::reducida ? "reducida"
                                        : f == Franja::normal ? "normal"
                                                              : "punta",
                                        Moneda::redondear(t.precioMinuto[Indice(f)]), ColorDe(f)});
            for (std::size_t d = 0; d < tipo.tramos.size(); ++d)
                for (const Tramo& r : t.tramos[d])
                    tipo.tramos[d].push_back({r.desde, r.hasta, Indice(r.franja)});
            p.tipos.push_back(std::move(tipo));
        }
        return p;
    }();
    return plan;
}

Catalogo CatalogoIncorporado() {
    return Catalogo{{PlanIncorporado()}, {}};
}

Moneda EurosAPesetas(double euros) {
    // millionths of a euro x 166386 = ten-thousandths of a peseta x 100000
    const Entero128 producto = Entero128(std::llround(euros * 1e6)) * 166386;
    Entero128 q = producto / 100000, r = producto % 100000;
    if (r < 0) {
        r += 100000;
        --q;
    }
    if (r > 50000 || (r == 50000 && q % 2 != 0))
        ++q;
    return Moneda::desdeDiezmilesimas(static_cast<int64_t>(q));
}

TipoDia TipoDiaPlan(const Plan& plan, int64_t serialDia) {
    if (plan.festivos.empty() || serialDia < PrimerSerial || serialDia > UltimoSerial)
        return TipoDiaSemana(serialDia);
    const Fechas::Dia dia = Fechas::desdeSerial(static_cast<int32_t>(serialDia));
    const std::chrono::year_month_day fecha{dia};
    const int anio = int(fecha.year()), mes = int(unsigned(fecha.month())),
              d = int(unsigned(fecha.day()));
    for (const Festivo& f : plan.festivos)
        if (f.mes == mes && f.dia == d && (f.anio == 0 || f.anio == anio))
            return TipoDia::Festivos;
    return TipoDiaSemana(serialDia);
}

namespace {

// Seconds charged in each band of a call: see CostePlan.
std::array<int64_t, MaximoFranjas> SegundosPorFranja(const Plan& plan, const TipoPlan& tipo,
                                                     Fechas::Dia fecha, int32_t segundoInicio,
                                                     int64_t transcurridos) {
    // The most seconds the meter's money-typed counter can hold; keeps the sums in range. A
    // negative length (a damaged log) has no second to price.
    constexpr int64_t maximo = std::numeric_limits<int64_t>::max() / Moneda::Escala;
    transcurridos = std::clamp<int64_t>(transcurridos, 0, maximo);
    const int64_t a = int64_t{segundoInicio} + tipo.segundosIncluidos;
    Contador c{tipo, a, a + tipo.primerPaso, int64_t{segundoInicio} + transcurridos - 1};
    if (a > c.ultimo)
        return c.segundos;
    const int64_t serial0 = Fechas::aSerial(fecha);
    const int64_t d0 = Piso(a, Dia), d1 = Piso(c.ultimo, Dia);
    // The days of the first two steps and of the last second are counted one by one; a step is
    // at most a day, so every day between them is whole.
    for (int64_t d = d0; d <= std::min(d0 + 1, d1); ++d)
        c.ContarDia(d, TipoDiaPlan(plan, serial0 + d), 1);
    if (d1 > d0 + 1)
        c.ContarDia(d1, TipoDiaPlan(plan, serial0 + d1), 1);
    if (d1 - 1 >= d0 + 2) {
        c.ContarSemanas(d0 + 2, d1 - 1, serial0);
        for (int64_t s : FestivosEntre(plan, serial0 + d0 + 2, serial0 + d1 - 1)) {
            c.ContarDia(s - serial0, TipoDiaSemana(s), -1);
            c.ContarDia(s - serial0, TipoDia::Festivos, 1);
        }
    }
    return c.segundos;
}

// The built-in tariff's arithmetic: first band, then the set-up charge, then the other bands,
// in doubles, rounded once at the end. The cross-checks of the 1999 prices depend on it.
Moneda CosteIncorporado(const TipoPlan& tipo, const std::array<int64_t, MaximoFranjas>& seg) {
    double importe = tipo.establecimiento.aDouble();
    for (std::size_t f = 0; f < tipo.franjas.size(); ++f) {
        const double parte =
            static_cast<double>(seg[f]) * (tipo.franjas[f].precioMinuto.aDouble() / 60.0);
        importe = f == 0 ? parte + importe : importe + parte;
    }
    const Moneda m = Moneda::desdeDouble(importe).value_or(MonedaMaxima);
    return std::max(m, tipo.minimo);
}

// A plan file's amount in sixtieths of a ten-thousandth, exact: set-up charge plus the seconds
// of each band at its price per minute, never below the minimum charge.
Entero128 SesentavosPlan(const TipoPlan& tipo, const std::array<int64_t, MaximoFranjas>& seg) {
    Entero128 total = Entero128(tipo.establecimiento.diezmilesimas()) * 60;
    for (std::size_t f = 0; f < tipo.franjas.size(); ++f)
        total += Entero128(seg[f]) * tipo.franjas[f].precioMinuto.diezmilesimas();
    return std::max(total, Entero128(tipo.minimo.diezmilesimas()) * 60);
}

// numerador / denominador to the nearest ten-thousandth, halves to even; both positive or 0.
Moneda RedondearExacto(Entero128 numerador, Entero128 denominador) {
    Entero128 q = numerador / denominador;
    const Entero128 r = numerador % denominador;
    if (2 * r > denominador || (2 * r == denominador && q % 2 != 0))
        ++q;
    return q > std::numeric_limits<int64_t>::max() ? MonedaMaxima
                                                   : Moneda::desdeDiezmilesimas(int64_t(q));
}

} // namespace

Moneda CostePlan(const Plan& plan, const TipoPlan& tipo, Fechas::Dia fecha, int32_t segundoInicio,
                 int64_t transcurridos) {
    const auto seg = SegundosPorFranja(plan, tipo, fecha, segundoInicio, transcurridos);
    if (plan.incorporado)
        return CosteIncorporado(tipo, seg);
    return RedondearExacto(SesentavosPlan(tipo, seg), 60);
}

Moneda CosteConIVA(const Plan& plan, const TipoPlan& tipo, Fechas::Dia fecha, int32_t segundoInicio,
                   int64_t transcurridos, uint8_t incluirIVA, uint8_t porcentajeIVA) {
    if (plan.incorporado || incluirIVA != 1)
        return AplicarIVA(CostePlan(plan, tipo, fecha, segundoInicio, transcurridos), incluirIVA,
                          porcentajeIVA);
    const auto seg = SegundosPorFranja(plan, tipo, fecha, segundoInicio, transcurridos);
    return RedondearExacto(SesentavosPlan(tipo, seg) * (100 + porcentajeIVA), 6000);
}

Moneda CosteTipo(const Catalogo& catalogo, std::string_view tipo, Fechas::Dia fecha,
                 int32_t segundoInicio, int64_t transcurridos, uint8_t incluirIVA,
                 uint8_t porcentajeIVA) {
    const Plan* plan = nullptr;
    const TipoPlan* t = catalogo.BuscarTipo(tipo, &plan);
    if (!t)
        return Moneda();
    return CosteConIVA(*plan, *t, fecha, segundoInicio, transcurridos, incluirIVA, porcentajeIVA);
}

const FranjaPlan* FranjaPlanDe(const Catalogo& catalogo, int hora, Fechas::Dia fecha,
                               std::string_view tipo) {
    const Plan* plan = nullptr;
    const TipoPlan* t = catalogo.BuscarTipo(tipo, &plan);
    if (!t || hora < 0 || hora > 23)
        return nullptr;
    const int32_t segundo = hora * 3600;
    for (const TramoPlan& r : t->tramos[Indice(TipoDiaPlan(*plan, Fechas::aSerial(fecha)))])
        if (segundo >= r.desde && segundo <= r.hasta)
            return &t->franjas[r.franja];
    return nullptr;
}

uint32_t ColorFranjaPlan(const Catalogo& catalogo, int hora, Fechas::Dia fecha,
                         std::string_view tipo) {
    const FranjaPlan* franja = FranjaPlanDe(catalogo, hora, fecha, tipo);
    return franja ? franja->color : 0;
}

uint32_t ColorFranjaIncorporada(std::string_view nombre) {
    return nombre == "reducida" ? ColorReducida
           : nombre == "normal" ? ColorNormal
           : nombre == "punta"  ? ColorPunta
                                : 0;
}

void ColoresPorDefecto(Plan& plan) {
    // Light blue, lilac, orange, cyan, grey and rose, red in the low byte; then round again.
    constexpr std::array<uint32_t, 6> Paleta{0x00FFE0C0, 0x00FFC0E0, 0x00B0E0FF,
                                             0x00FFFFC0, 0x00E0E0E0, 0x00F0D0FF};
    std::vector<std::string> nombres;
    for (TipoPlan& tipo : plan.tipos)
        for (FranjaPlan& franja : tipo.franjas) {
            if (franja.color != 0)
                continue;
            auto n = std::find(nombres.begin(), nombres.end(), franja.nombre);
            if (n == nombres.end())
                n = nombres.insert(nombres.end(), franja.nombre);
            franja.color = Paleta[static_cast<std::size_t>(n - nombres.begin()) % Paleta.size()];
        }
}

int32_t ContadorPlan(const Catalogo& catalogo, std::string_view tipo, EstadoLlamada& estado) {
    const TipoPlan* t = catalogo.BuscarTipo(tipo);
    return ContarFacturados(t ? t->segundosIncluidos : 0, estado);
}

Moneda AplicarIVA(Moneda importe, uint8_t incluirIVA, uint8_t porcentaje) {
    if (incluirIVA != 1)
        return importe;
    int64_t producto = 0;
    if (__builtin_mul_overflow(importe.diezmilesimas(), int64_t{porcentaje}, &producto))
        return MonedaMaxima;
    const auto iva = Moneda::desdeDouble(Moneda::desdeDiezmilesimas(producto).aDouble() / 100.0);
    if (!iva || importe > MonedaMaxima - *iva)
        return MonedaMaxima;
    return importe + *iva;
}

} // namespace Tarifas
