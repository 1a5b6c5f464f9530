// The tariff schedule table, closed-form call pricing, billed seconds and band colours.
#include "tariffs/Tarifas.h"

#include "core/Fecha.h"
#include "core/Formato.h"

#include <algorithm>
#include <limits>

namespace Tarifas {

namespace {

constexpr int32_t FinDia = Fechas::SegundosPorDia - 1;

// Rows of each day type, in clock order. Saturday and Sunday rows are the same for every call
// type; only the prices differ.
constexpr Tramo LaboralesMetropolitana[] = {
    {0, 28799, Franja::reducida}, {28800, 79199, Franja::punta}, {79200, FinDia, Franja::reducida}};
constexpr Tramo LaboralesInterurbana[] = {{0, 28799, Franja::reducida},
                                          {28800, 61199, Franja::punta},
                                          {61200, 79199, Franja::normal},
                                          {79200, FinDia, Franja::reducida}};
constexpr Tramo Sabados[] = {
    {0, 28799, Franja::reducida}, {28800, 50399, Franja::punta}, {50400, FinDia, Franja::reducida}};
constexpr Tramo Festivos[] = {{0, FinDia, Franja::reducida}};

// Prices per minute by band: reducida, normal, punta. "Metropolitana" has no normal band.
constexpr std::array<TarifaLlamada, 3> Tabla{{
    {"Metropolitana", 11.4, 160, {1.64, 0.0, 4.52}, {LaboralesMetropolitana, Sabados, Festivos}},
    {"Provincial", 15, 0, {6.71, 13.4, 15.45}, {LaboralesInterurbana, Sabados, Festivos}},
    {"Interprovincial", 15, 0, {10.44, 25.01, 39.45}, {LaboralesInterurbana, Sabados, Festivos}},
}};

// Every day is covered without gap or overlap, and every limit lies on a whole hour, which is
// what lets ColorFranja work in hours.
constexpr bool TablaCompleta() {
    for (const TarifaLlamada& t : Tabla) {
        for (const auto& filas : t.tramos) {
            int32_t siguiente = 0;
            for (const Tramo& f : filas) {
                if (f.desde != siguiente || f.hasta < f.desde || f.desde % 3600 != 0 ||
                    (f.hasta + 1) % 3600 != 0)
                    return false;
                siguiente = f.hasta + 1;
            }
            if (siguiente != Fechas::SegundosPorDia)
                return false;
        }
    }
    return true;
}
static_assert(TablaCompleta());

using Cuentas = std::array<int64_t, 3>; // seconds counted per band, indexed by Franja

// Adds the seconds desde..hasta (both within one day) of a day of type `dia` to the counters.
void ContarDia(const TarifaLlamada& t, TipoDia dia, int32_t desde, int32_t hasta, Cuentas& c) {
    for (const Tramo& f : t.tramos[Indice(dia)]) {
        const int32_t a = std::max(desde, f.desde);
        const int32_t b = std::min(hasta, f.hasta);
        if (a <= b)
            c[Indice(f.franja)] += b - a + 1;
    }
}

int64_t DivisionEntera(int64_t a, int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// Day type of the day `desplazamiento` days after a day of weekday `diaSemana` (valid).
TipoDia TipoDiaRelativo(int diaSemana, int64_t desplazamiento) {
    const int64_t w = ((diaSemana - 1 + desplazamiento) % 7 + 7) % 7 + 1;
    TipoDia tipo = TipoDia::Laborales;
    TipoDiaDe(static_cast<int>(w), tipo);
    return tipo;
}

// Counts the seconds primero..ultimo, relative to the midnight that starts a day of weekday
// `diaSemana`, each by the day type of its own date. Whole weeks are counted at once, so the
// work does not grow with the length of the call.
Cuentas ContarSegundos(const TarifaLlamada& t, int diaSemana, int64_t primero, int64_t ultimo) {
    Cuentas c{};
    if (primero > ultimo)
        return c;
    const int64_t dia0 = DivisionEntera(primero, Fechas::SegundosPorDia);
    const int64_t dia1 = DivisionEntera(ultimo, Fechas::SegundosPorDia);
    const auto local = [](int64_t s, int64_t dia) {
        return static_cast<int32_t>(s - dia * Fechas::SegundosPorDia);
    };
    if (dia0 == dia1) {
        ContarDia(t, TipoDiaRelativo(diaSemana, dia0), local(primero, dia0), local(ultimo, dia0),
                  c);
        return c;
    }
    ContarDia(t, TipoDiaRelativo(diaSemana, dia0), local(primero, dia0), FinDia, c);
    ContarDia(t, TipoDiaRelativo(diaSemana, dia1), 0, local(ultimo, dia1), c);
    const int64_t semanas = (dia1 - dia0 - 1) / 7;
    if (semanas > 0) {
        Cuentas semana{};
        for (int w = 1; w <= 7; ++w)
            ContarDia(t, TipoDiaRelativo(w, 0), 0, FinDia, semana);
        for (size_t i = 0; i < c.size(); ++i)
            c[i] += semana[i] * semanas;
    }
    for (int64_t d = dia0 + 1 + semanas * 7; d < dia1; ++d)
        ContarDia(t, TipoDiaRelativo(diaSemana, d), 0, FinDia, c);
    return c;
}

constexpr Moneda MonedaMaxima = Moneda::desdeDiezmilesimas(std::numeric_limits<int64_t>::max());

// The amount a call's IVA adds: the exact product amount x percentage, read as a double,
// divided by 100 and rounded back to money. Saturates where the money range ends.
Moneda ConIVA(Moneda importe, uint8_t porcentaje) {
    int64_t producto = 0;
    if (__builtin_mul_overflow(importe.diezmilesimas(), int64_t{porcentaje}, &producto))
        return MonedaMaxima;
    const auto iva = Moneda::desdeDouble(Moneda::desdeDiezmilesimas(producto).aDouble() / 100.0);
    if (!iva || importe > MonedaMaxima - *iva)
        return MonedaMaxima;
    return importe + *iva;
}

std::string DosCifras(int32_t n) {
    return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

std::string HoraMinuto(int32_t segundo) {
    return DosCifras(segundo / 3600) + ":" + DosCifras(segundo % 3600 / 60);
}

int32_t Entero32(double valor) {
    constexpr int64_t maximo = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(General::RedondearEntero(valor), -maximo, maximo));
}

} // namespace

std::string HoraDesde(const Tramo& tramo) {
    return HoraMinuto(tramo.desde);
}

std::string HoraHasta(const Tramo& tramo) {
    return tramo.hasta >= FinDia ? "24:00" : HoraMinuto(tramo.hasta);
}

const TarifaLlamada* BuscarTarifa(std::string_view tipoLlamada) {
    for (const TarifaLlamada& t : Tabla)
        if (t.nombre == tipoLlamada)
            return &t;
    return nullptr;
}

bool TipoDiaDe(int diaSemana, TipoDia& tipo) {
    if (diaSemana < 1 || diaSemana > 7)
        return false;
    tipo = diaSemana == 7   ? TipoDia::Festivos
           : diaSemana == 6 ? TipoDia::Sabados
                            : TipoDia::Laborales;
    return true;
}

Franja FranjaDe(const TarifaLlamada& tarifa, TipoDia dia, int32_t segundo) {
    for (const Tramo& f : tarifa.tramos[Indice(dia)])
        if (segundo >= f.desde && segundo <= f.hasta)
            return f.franja;
    // Outside the day: every schedule starts and ends its day in the reduced band.
    return Franja::reducida;
}

uint32_t ColorDe(Franja franja) {
    switch (franja) {
    case Franja::reducida:
        return ColorReducida;
    case Franja::normal:
        return ColorNormal;
    case Franja::punta:
        return ColorPunta;
    }
    return 0;
}

uint32_t ColorFranja(int hora, int diaSemana, std::string_view tipoLlamada) {
    TipoDia dia;
    const TarifaLlamada* tarifa = BuscarTarifa(tipoLlamada);
    if (hora < 0 || hora > 23 || !TipoDiaDe(diaSemana, dia) || !tarifa)
        return 0;
    return ColorDe(FranjaDe(*tarifa, dia, hora * 3600));
}

Moneda CosteLlamada(int32_t segundoInicio, int diaSemana, int64_t segundosTranscurridos,
                    std::string_view tipoLlamada, uint8_t incluirIVA, uint8_t porcentajeIVA) {
    TipoDia dia;
    const TarifaLlamada* t = BuscarTarifa(tipoLlamada);
    if (!t || !TipoDiaDe(diaSemana, dia))
        return Moneda();
    // The most seconds the meter's money-typed counter can hold; keeps the sums in range.
    constexpr int64_t maximo = std::numeric_limits<int64_t>::max() / Moneda::Escala;
    const int64_t transcurridos = std::min(segundosTranscurridos, maximo);
    // The set-up charge covers the first included seconds; once the call outlasts them, billing
    // starts with the next second. The second now running is not counted yet.
    Cuentas c{};
    if (transcurridos > t->segundosIncluidos)
        c = ContarSegundos(*t, diaSemana, int64_t{segundoInicio} + t->segundosIncluidos,
                           int64_t{segundoInicio} + transcurridos - 1);
    // Prices per band are the same on every day type, so one sum prices every day of the call;
    // the order of the additions fixes the rounding of the result.
    const auto tasa = [t](Franja f) { return t->precioMinuto[Indice(f)] / 60.0; };
    const double importe =
        ((static_cast<double>(c[Indice(Franja::reducida)]) * tasa(Franja::reducida) +
          t->establecimiento) +
         static_cast<double>(c[Indice(Franja::normal)]) * tasa(Franja::normal)) +
        static_cast<double>(c[Indice(Franja::punta)]) * tasa(Franja::punta);
    const Moneda sinIVA = Moneda::desdeDouble(importe).value_or(MonedaMaxima);
    return incluirIVA == 1 ? ConIVA(sinIVA, porcentajeIVA) : sinIVA;
}

int32_t ContadorFacturacion(std::string_view tipoLlamada, EstadoLlamada& estado) {
    const TarifaLlamada* t = BuscarTarifa(tipoLlamada);
    if (t && t->segundosIncluidos > 0) {
        // Counts down the seconds the set-up charge still covers, then up the billed ones.
        const Moneda incluidos = Moneda::desdeEntero(t->segundosIncluidos);
        const Moneda minimo = Moneda::desdeDiezmilesimas(std::numeric_limits<int64_t>::min());
        const Moneda resto = estado.SegundosTranscurridos < minimo + incluidos
                                 ? minimo
                                 : estado.SegundosTranscurridos - incluidos;
        const int32_t facturados = Entero32(resto.aDouble());
        estado.SegundosFacturados = std::max(facturados, 0);
        return facturados < 0 ? -facturados : facturados;
    }
    estado.SegundosFacturados = Entero32(estado.SegundosTranscurridos.aDouble());
    return estado.SegundosFacturados;
}

} // namespace Tarifas
