// The tariff schedule table, pricing through the built-in plan, billed seconds and band colours.
#include "tariffs/Tarifas.h"

#include "core/Fecha.h"
#include "core/Formato.h"
#include "tariffs/Planes.h"

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
    const Plan& plan = PlanIncorporado();
    const auto tipo = std::find_if(plan.tipos.begin(), plan.tipos.end(),
                                   [&](const TipoPlan& t) { return t.nombre == tipoLlamada; });
    if (tipo == plan.tipos.end() || !TipoDiaDe(diaSemana, dia))
        return Moneda();
    // Any date of that weekday: the built-in tariff has no holidays. 4 January 1999 is a Monday.
    const Fechas::Dia fecha = *Fechas::crearDia(1999, 1, 4) + std::chrono::days{diaSemana - 1};
    return AplicarIVA(CostePlan(plan, *tipo, fecha, segundoInicio, segundosTranscurridos),
                      incluirIVA, porcentajeIVA);
}

int32_t ContadorFacturacion(std::string_view tipoLlamada, EstadoLlamada& estado) {
    const TarifaLlamada* t = BuscarTarifa(tipoLlamada);
    return ContarFacturados(t ? t->segundosIncluidos : 0, estado);
}

int32_t ContarFacturados(int64_t segundosIncluidos, EstadoLlamada& estado) {
    if (segundosIncluidos > 0) {
        // Counts down the seconds the set-up charge still covers, then up the billed ones.
        const Moneda incluidos = Moneda::desdeEntero(segundosIncluidos);
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
