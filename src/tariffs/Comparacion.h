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
};

// One row per call type of every plan, cheapest first (equal totals in catalogue order). Each
// call is priced from its logged start (date and time, negotiation seconds included) for its
// logged duration. The calls are not changed.
std::vector<FilaComparacion> Comparar(const std::vector<Llamada>& llamadas,
                                      const Catalogo& catalogo, uint8_t incluirIVA,
                                      uint8_t porcentajeIVA);

} // namespace Tarifas
