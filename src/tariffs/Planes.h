// Tariff plans as data: call types with steps, minimum charge, bands and holidays, and their
// pricing.
#pragma once

#include "core/Fecha.h"
#include "core/Moneda.h"
#include "tariffs/Tarifas.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Tarifas {

// A band of a call type: its name, price per minute in pesetas and colour (0: none).
struct FranjaPlan {
    std::string nombre;
    Moneda precioMinuto;
    uint32_t color = 0;
    double precioEuros = 0; // as written, when the plan's prices are in euros
};

// A closed range of seconds of the day priced in one band (index into TipoPlan::franjas).
struct TramoPlan {
    int32_t desde;
    int32_t hasta;
    std::size_t franja;
};

// The most bands a call type can have.
inline constexpr std::size_t MaximoFranjas = 16;

// A call type of a plan. Billing: the set-up charge covers `segundosIncluidos`; then the call is
// charged in steps of `primerPaso` and `paso` seconds, each at the band price of its first
// second, the whole step as soon as it begins. The amount is never below `minimo`.
struct TipoPlan {
    std::string nombre;
    Moneda establecimiento;
    int64_t segundosIncluidos = 0;
    int32_t primerPaso = 1;
    int32_t paso = 1;
    Moneda minimo;
    double establecimientoEuros = 0; // as written, when the plan's prices are in euros
    double minimoEuros = 0;
    std::vector<FranjaPlan> franjas;              // at most MaximoFranjas
    std::array<std::vector<TramoPlan>, 3> tramos; // by TipoDia, in clock order
};

// A holiday, priced as "Festivos": one date, or a day and month of every year (anio 0).
struct Festivo {
    int anio = 0;
    int mes = 1;
    int dia = 1;
    bool operator==(const Festivo&) const = default;
};

struct Plan {
    std::string nombre;
    std::string archivo;      // file it was read from; empty for the built-in tariff
    bool euros = false;       // prices were written in euros (already converted to pesetas)
    bool incorporado = false; // the built-in tariff, priced in doubles as it always was
    std::vector<Festivo> festivos;
    std::vector<TipoPlan> tipos;
};

// The built-in 1999 tariff as a plan, and the plans read from files after it.
struct Catalogo {
    std::vector<Plan> planes;
    std::vector<std::string> errores; // one message per refused file
    // The call type of this name in any plan, compared whole and case-sensitive; nullptr if none.
    const TipoPlan* BuscarTipo(std::string_view nombre, const Plan** plan = nullptr) const;
};

inline constexpr double PesetasPorEuro = 166.386;

// Colour of a band by its name: punta, normal and reducida take the built-in colours; 0 else.
uint32_t ColorFranjaIncorporada(std::string_view nombre);
// Gives each band of the plan without a colour a light one of its own, distinct from the three
// built-in colours: the same band name the same colour throughout the plan.
void ColoresPorDefecto(Plan& plan);

// The built-in tariff: the three call types of the schedule, no holidays.
const Plan& PlanIncorporado();
Catalogo CatalogoIncorporado();

// A euro amount given to the millionth, in pesetas at 166.386 exactly, to the ten-thousandth
// (halves to even). The millionths make the conversion exact whatever the double's last bits.
Moneda EurosAPesetas(double euros);

// Day type of a date under a plan: its holidays are "Festivos", other days by their weekday.
TipoDia TipoDiaPlan(const Plan& plan, int64_t serialDia);

// Amount of a call without IVA: it began at `segundoInicio` of date `fecha` (negative: the
// previous day) and `transcurridos` seconds have elapsed. Closed form: the work does not grow
// with the length of the call, only with the holidays it spans. A plan file's amount is summed
// exactly (seconds x price per minute / 60) and rounded once to the ten-thousandth, halves to
// even; the built-in tariff keeps its sum in doubles.
Moneda CostePlan(const Plan& plan, const TipoPlan& tipo, Fechas::Dia fecha, int32_t segundoInicio,
                 int64_t transcurridos);
// The same with IVA when incluirIVA is exactly 1: a plan file's amount with its IVA is still
// exact and rounded once; the built-in tariff adds it by AplicarIVA.
Moneda CosteConIVA(const Plan& plan, const TipoPlan& tipo, Fechas::Dia fecha, int32_t segundoInicio,
                   int64_t transcurridos, uint8_t incluirIVA, uint8_t porcentajeIVA);

// What the meter and the charts ask by call-type name, for the types of every plan: the amount
// of a call (IVA as AplicarIVA) and the colour of the band at the start of a whole hour of a
// date, holidays included. Built-in types give what CosteLlamada and ColorFranja give; a name no
// plan knows costs 0 and has no colour, as today.
Moneda CosteTipo(const Catalogo& catalogo, std::string_view tipo, Fechas::Dia fecha,
                 int32_t segundoInicio, int64_t transcurridos, uint8_t incluirIVA,
                 uint8_t porcentajeIVA);
uint32_t ColorFranjaPlan(const Catalogo& catalogo, int hora, Fechas::Dia fecha,
                         std::string_view tipo);
// The band itself at the start of that hour; nullptr when the type is unknown.
const FranjaPlan* FranjaPlanDe(const Catalogo& catalogo, int hora, Fechas::Dia fecha,
                               std::string_view tipo);
// Billed-seconds figure of a call of any plan's call type, as ContadorFacturacion.
int32_t ContadorPlan(const Catalogo& catalogo, std::string_view tipo, EstadoLlamada& estado);

// IVA added when incluirIVA is exactly 1: the exact product amount x percentage, read as a
// double, divided by 100 and rounded back to money. Saturates where the money range ends.
Moneda AplicarIVA(Moneda importe, uint8_t incluirIVA, uint8_t porcentaje);

} // namespace Tarifas
