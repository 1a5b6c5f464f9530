// Texts of the "¿Qué tarifa me conviene?" table, shared by its window and the command line.
#pragma once

#include "tariffs/Comparacion.h"

#include <array>
#include <string>

namespace Tarifas {

inline constexpr std::array<const char*, 5> CabecerasComparacion{"Tipo de llamada", "Plan",
                                                                 "Pesetas", "Euros", "Diferencia"};

// Said in place of an amount whose sum is out of range.
inline constexpr const char* FueraDeRango = "fuera de rango";

// One row in the order of the headers. Amounts with two decimals and the given separator, as
// the meter shows them; the difference with its sign ("+12,50", "-3,20", "0,00"); FueraDeRango
// for a figure whose sum is out of range.
std::array<std::string, 5> TextosFila(const FilaComparacion& fila, char separador);

} // namespace Tarifas
