// Totals of the loaded calls and their split by the tariff band in which each call started.
#pragma once

#include "calllog/Llamada.h"
#include "core/Moneda.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Estadistica {

// Sums over the loaded calls: amount, billed seconds and connection seconds.
struct Totales {
    int64_t llamadas = 0;
    Moneda ImporteTotal;
    int64_t SegundosTotal = 0;
    int64_t TiempoTotal = 0;
};
Totales SumarTotales(const std::vector<Llamada>& llamadas);

// Amount of the calls in each band, by ColorFranja of the call's start hour, weekday and own
// call type; a call of no known band counts in none.
struct SumasFranja {
    Moneda punta;
    Moneda normal;
    Moneda reducida;
};
SumasFranja SumarPorFranja(const std::vector<Llamada>& llamadas);

// Band colour (red in the low byte) of the hour in which the call started.
uint32_t ColorLlamada(const Llamada& llamada);

// Currency as plain text: the separator given, no grouping, no trailing decimal zeros.
std::string TextoMoneda(Moneda importe, char separador);

// Share of parte in total as "50,00 %"; "0,00 %" when the total is 0.
std::string TextoPorcentaje(Moneda parte, Moneda total, char separador);

// The message text of the totals box: eight lines joined by a line feed.
std::string TextoTotales(const std::vector<Llamada>& llamadas, char separador);

} // namespace Estadistica
