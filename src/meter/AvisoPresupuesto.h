// The main window's budget check: the stored budget against the current call log of the period,
// and whether the one warning of the period is due.
#pragma once

#include "core/Fecha.h"
#include "core/SettingsStore.h"
#include "stats/Presupuesto.h"

#include <filesystem>
#include <string>

namespace General {

struct RevisionPresupuesto {
    Estadistica::SituacionPresupuesto situacion; // state Ninguno: no budget, or no readable log
    std::string aviso;                           // message to show now; "" when none is due
    std::string sonido;                          // amount-alert wave file to play with it
};

// Reads "Presupuesto", the period and the current log. The first time in a period (and for a
// budget) that the budget is or will be passed, the warning is due: it is remembered in
// "AvisoPresupuesto" so that later checks and starts stay silent.
RevisionPresupuesto RevisarPresupuesto(SettingsStore& store,
                                       const std::filesystem::path& carpetaDatos, Fechas::Dia hoy,
                                       char separador);

} // namespace General
