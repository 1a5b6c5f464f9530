// Rows of the tariff viewer: the bands of one call type and day type as the viewer shows them.
#pragma once

#include "tariffs/Tarifas.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Tarifas {

inline constexpr int FilasVisor = 4;

struct FilaVisor {
    std::string inicio; // "08:00"
    std::string fin;    // "16:59", or "24:00" for a band that runs to the end of the day
    double establecimiento;
    double precioMinuto;
    uint32_t color; // red in the low byte
};

// One row per band range of the schedule, in clock order; empty when the call type
// is none of the three.
std::vector<FilaVisor> FilasDelVisor(std::string_view tipoLlamada, TipoDia dia);

} // namespace Tarifas
