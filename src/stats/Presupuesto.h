// Budget of the billing period: amount spent, projection to the period's end, and their colour.
#pragma once

#include "calllog/Llamada.h"
#include "core/Moneda.h"
#include "stats/Estimaciones.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Estadistica {

// Largest budget accepted, in whole pesetas.
inline constexpr int PresupuestoMaximo = 9999999;

// None: no budget. Green: the projection stays within the budget. Yellow: the projection passes
// it while the amount spent does not. Red: the amount spent passes it. Equal is not passed.
enum class EstadoPresupuesto { Ninguno, Verde, Amarillo, Rojo };

struct SituacionPresupuesto {
    EstadoPresupuesto estado = EstadoPresupuesto::Ninguno;
    Moneda gastado;
    Moneda presupuesto;
    std::optional<Moneda> proyeccion; // none before the period starts or for a bad period
};

// The budget setting: whole pesetas 0..PresupuestoMaximo; nullopt when empty or not such a number.
std::optional<Moneda> LeerPresupuesto(std::string_view texto);

// Sum of the calls' amounts, held at the largest or smallest currency value instead of wrapping.
Moneda SumaImportes(const std::vector<Llamada>& llamadas);

// The estimates' projected amount; while some weekday has not elapsed yet (the period's first
// days), the amount spent scaled from the days elapsed to the whole period.
std::optional<Moneda> ProyectarPeriodo(const std::vector<Llamada>& llamadas,
                                       const Periodo& periodo);

EstadoPresupuesto ClasificarPresupuesto(Moneda gastado, Moneda presupuesto,
                                        std::optional<Moneda> proyeccion);

// The situation of the calls of the period against `presupuesto` (none: no budget).
SituacionPresupuesto EvaluarPresupuesto(const std::vector<Llamada>& llamadas,
                                        const Periodo& periodo, std::optional<Moneda> presupuesto);

// Yellow and red: the budget is or will be passed.
bool Superado(EstadoPresupuesto estado);

// Tooltip of the progress bar: its caption, then spent, budget and projection, one per line.
std::string TextoPresupuesto(const SituacionPresupuesto& s, char separador);
// The message shown the first time in a period that the budget is or will be passed.
std::string TextoAvisoPresupuesto(const SituacionPresupuesto& s, char separador);

} // namespace Estadistica
