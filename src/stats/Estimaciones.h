// Projection of a billing period's calls to its end, and the figures of the estimates box.
#pragma once

#include "calllog/Llamada.h"
#include "core/Fecha.h"
#include "core/Moneda.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace General {

// Number of days d with desde <= d <= hasta whose weekday (Monday = 1) is diaSemana.
int64_t ContarDiaSemana(Fechas::Dia desde, Fechas::Dia hasta, int diaSemana);

// importe, spent on the elapsed days of weekday diaSemana (inicio to hoy), scaled to all such
// days of the period (inicio to final). nullopt when no such day has elapsed yet, or the
// weekday is outside 1..7, or the result does not fit a currency value.
std::optional<Moneda> ProyectarDiaSemana(Fechas::Dia inicio, Fechas::Dia final, int diaSemana,
                                         Moneda importe, Fechas::Dia hoy);

} // namespace General

namespace Estadistica {

struct Periodo {
    Fechas::Dia inicio;
    Fechas::Dia final;
    Fechas::Dia hoy;
};

// Projected amount of one weekday over the period from every loaded call made on that
// weekday, whatever its date; nullopt also when their sum does not fit a Moneda.
std::optional<Moneda> EstimarDiaSemana(const std::vector<Llamada>& llamadas, const Periodo& periodo,
                                       int diaSemana);

// The amount projected to the period's end, the sum of the seven weekdays' projections: the
// "Importe estimado" figure. nullopt when a weekday has not elapsed yet.
std::optional<Moneda> ImporteEstimado(const std::vector<Llamada>& llamadas, const Periodo& periodo);

// The eight figures of the estimates box, rounded as the box shows them.
struct Estimado {
    double llamadasDia = 0;        // calls per day, to one decimal
    int64_t llamadasEstimadas = 0; // calls over the whole period
    int64_t tiempoEstimado = 0;    // connection seconds over the whole period
    Moneda importeLlamada;         // amount per call, to the cent
    Moneda importeDiario;          // the estimated amount over the period's days, to the cent
    Moneda importeSemanal;         // 7 daily amounts
    Moneda importeMensual;         // 30 daily amounts
    Moneda importeEstimado;        // the seven weekdays' projections, to the cent
};

// nullopt when an estimate can't be made: a weekday not yet elapsed, no calls, a period that
// ends before it starts, or amounts that add up to more than a Moneda holds; `motivo`, when
// given, then says why in Spanish.
std::optional<Estimado> CalcularEstimado(const std::vector<Llamada>& llamadas,
                                         const Periodo& periodo, std::string* motivo = nullptr);

// The message text: eight lines joined by a line feed, with this decimal separator.
std::string TextoEstimado(const Estimado& estimado, char separador);

} // namespace Estadistica
