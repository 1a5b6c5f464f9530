// The split of the loaded calls by the tariff band in which each call started, and the totals box.
#pragma once

#include "calllog/Llamada.h"
#include "core/Moneda.h"
#include "tariffs/Planes.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Estadistica {

// Amount of the calls in each band of the call's start hour, weekday and own call type; a
// plan's bands named punta, normal and reducida count as those, its other bands by name in
// `otras` (in name order); a call of no known band counts in none.
struct SumasFranja {
    Moneda punta;
    Moneda normal;
    Moneda reducida;
    std::map<std::string, Moneda> otras;
    bool desborde = false; // a band sum goes past the range of a Moneda
};
SumasFranja SumarPorFranja(const std::vector<Llamada>& llamadas, const Tarifas::Catalogo& catalogo);

// Band colour (red in the low byte) of the hour in which the call started, under the plan of
// its call type; a plan's bands named "punta", "normal" and "reducida" count as those.
uint32_t ColorLlamada(const Llamada& llamada, const Tarifas::Catalogo& catalogo);

// Share of parte in total as "50,00 %"; "0,00 %" when the total is 0.
std::string TextoPorcentaje(Moneda parte, Moneda total, char separador);

// The message text of the totals box: eight lines joined by a line feed, and after the reduced
// band one line per other band of a plan that has calls; nullopt when a sum of amounts does not
// fit a Moneda, as its shares and totals would then be wrong.
std::optional<std::string> TextoTotales(const std::vector<Llamada>& llamadas,
                                        const Tarifas::Catalogo& catalogo, char separador);

} // namespace Estadistica
