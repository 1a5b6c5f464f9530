// "¿Qué tarifa me conviene?": a call log re-priced under every call type of every plan.
#pragma once

#include "calllog/Llamada.h"
#include "core/Moneda.h"
#include "tariffs/Planes.h"

#include <string>
#include <vector>

namespace Tarifas {

struct FilaComparacion {
    std::string tipo;
    std::string plan;
    Moneda pesetas;    // the calls re-priced, IVA per call as the meter adds it
    double euros = 0;  // pesetas / 166.386
    Moneda diferencia; // pesetas minus the amounts logged
    // The sum of the re-priced calls, or of the logged amounts, went past the range of a
    // Moneda: the figures that depend on it are capped, not real.
    bool pesetasFuera = false;    // pesetas, euros and diferencia
    bool diferenciaFuera = false; // diferencia
};

// One row per call type of every plan, cheapest first (equal totals in catalogue order). Each
// call is priced from its logged start (date and time, negotiation seconds included) for its
// logged duration. The calls are not changed.
std::vector<FilaComparacion> Comparar(const std::vector<Llamada>& llamadas,
                                      const Catalogo& catalogo, uint8_t incluirIVA,
                                      uint8_t porcentajeIVA);

} // namespace Tarifas
