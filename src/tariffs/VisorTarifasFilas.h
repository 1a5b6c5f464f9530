// Rows of the tariff viewer: the bands of one call type and day type as the viewer shows them.
#pragma once

#include "tariffs/Planes.h"
#include "tariffs/Tarifas.h"

#include <cstdint>
#include <optional>
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
    // A euro plan's prices as written, in euros.
    std::optional<double> establecimientoEuros = std::nullopt;
    std::optional<double> precioEuros = std::nullopt;
    std::string franja = {}; // the band's name in its plan ("punta")
};

// One row per band range of the schedule, in clock order; empty when the call type
// is none of the three.
std::vector<FilaVisor> FilasDelVisor(std::string_view tipoLlamada, TipoDia dia);
// The same for a call type of any plan of the catalogue; a limit off the whole minute shows its
// seconds ("08:00:30", "16:59:29") and a band without colour is white.
std::vector<FilaVisor> FilasDelVisor(const Catalogo& catalogo, std::string_view tipoLlamada,
                                     TipoDia dia);
// Rows the viewer needs for the longest day of any call type: at least FilasVisor, at most
// FilasMaximas, which keeps the window within a screen.
inline constexpr int FilasMaximas = 24;
int FilasNecesarias(const Catalogo& catalogo);
// How a call type of a plan bills: "Facturación por segundos." or its steps, and for a plan
// file the seconds its set-up charge covers ("Facturación por segundos; el establecimiento
// incluye 90 segundos.").
std::string TextoFacturacion(const Plan& plan, const TipoPlan& tipo);
// The plan's holidays priced as "Festivos": "Festivos: 01/01, 02/04/1999." or "Sin festivos."
std::string TextoFestivos(const Plan& plan);

} // namespace Tarifas
