// Sums over the loaded calls: the whole log (CalcularTotales) and today's calls (DatosHoy).
#pragma once

#include "calllog/Llamada.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Registro {

struct Totales {
    Moneda ImporteTotal;
    int64_t SegundosTotal = 0; // billed seconds
    int64_t TiempoTotal = 0;   // connection seconds
    int64_t llamadas = 0;      // calls summed
    bool desborde = false;     // the amounts add up past the range of a Moneda
};

Totales CalcularTotales(const std::vector<Llamada>& llamadas);
// Only the calls dated `hoy`.
Totales TotalesDelDia(const std::vector<Llamada>& llamadas, Fechas::Dia hoy);

// Plain decimal amount: the given separator, no grouping, no trailing zeros ("32,5", "120").
std::string TextoImporte(Moneda importe, char separador);
// Why a sum of amounts is not shown: it goes past the largest amount a Moneda holds.
std::string TextoDesborde(char separador);
// The four tab-separated lines of today's summary, joined by line feeds.
std::string TextoDatosHoy(const Totales& totales, char separador);

} // namespace Registro
