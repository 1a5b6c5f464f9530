// What the main window tells assistive technology: the window as a frame, the period bar's value
// and range, and the name of the tariff band in force.
#pragma once

#include "core/Fecha.h"
#include "tariffs/Planes.h"

#include <QString>
#include <string_view>

namespace Accesible {

// Registers the interfaces of Form1 (a frame named by its caption) and of BarraPeriodo (a
// progress bar from 0 to 100). Idempotent.
void InstalarMedidor();

// The band of call type `tipo` at the start of hour `hora` of `fecha`, in words: "Horario punta",
// "Horario normal", "Horario reducido", or a plan band's own name; empty when no band applies.
QString TextoFranja(const Tarifas::Catalogo& catalogo, int hora, Fechas::Dia fecha,
                    std::string_view tipo);

} // namespace Accesible
