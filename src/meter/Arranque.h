// Arranque: start-up of the main window: settings into program state, recovery of a call left
// in the journal, billing-period rollover, and the period's progress.
#pragma once

#include "calllog/Llamada.h"
#include "meter/Medidor.h"
#include "settings/Ajustes.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Arranque {

struct Mensaje {
    bool critico = false; // information otherwise
    std::string texto;
};

inline constexpr const char* TextoCambioPeriodo =
    "Su periodo de llamadas ha concluido, se ha iniciado uno nuevo.";

// Loads the stored period and the program state. Settings that are missing or do not convert
// get their defaults, valid ones are kept, and call logs are never emptied. Failing writes are
// reported in `mensajes`; the run then goes on with defaults in memory.
General::PeriodoFacturacion CargarAjustes(SettingsStore& ajustes, Fechas::Dia hoy,
                                          const std::filesystem::path& carpetaDatos,
                                          General::EstadoPrograma& estado,
                                          std::vector<Mensaje>& mensajes);

// The period in force on `hoy` when it is past the end of `periodo`: each period that follows
// starts the day after the end of the one before and ends (end - start) days after that end,
// and is at least one day long. nullopt when no rollover is due.
std::optional<General::PeriodoFacturacion> NuevoPeriodo(const General::PeriodoFacturacion& periodo,
                                                        Fechas::Dia hoy);

// Rolls the period over, all or nothing: the current log is copied to the previous-period file
// first; only then are the new dates stored and the current log emptied. On failure the
// stored dates and the current log are as before and `error` says why. A marker file in the
// data folder, written before the first step, records the rollover in progress, so that a start
// after a kill at any step finishes it (TerminarCambioPeriodo).
struct CambioPeriodo {
    bool hecho = false;
    General::PeriodoFacturacion periodo; // in force afterwards
    std::string error;
};
inline constexpr const char* NombreMarcaCambio = "cambio_periodo.txt";
// The steps of a rollover, in order. `parada` stops it before one of them, as a kill there
// would; a normal rollover runs them all.
enum class PasoCambio { Marca, Copia, Copiado, FechaInicio, FechaFinal, Vaciado, Desmarcar, Fin };
CambioPeriodo CambiarPeriodo(SettingsStore& ajustes, const General::PeriodoFacturacion& periodo,
                             Fechas::Dia hoy, const std::filesystem::path& carpetaDatos,
                             PasoCambio parada = PasoCambio::Fin);
// Removes the temporary files of a killed rewrite of the logs, and finishes a rollover that a
// kill interrupted: redone from the copy when the marker says the copy may not be whole, else
// the new dates stored and the log emptied, unless it holds calls since the rollover. `hecho`
// when a rollover was finished.
CambioPeriodo TerminarCambioPeriodo(SettingsStore& ajustes,
                                    const std::filesystem::path& carpetaDatos);

// Appends to the current log the calls of the journals (in the data folder, then in
// `reservas`) that started by `hasta` (all when none) and pass "NoAceptar", each once; the
// others stay in the journal. Tells the user what was recovered or why not.
struct Recuperacion {
    std::vector<Llamada> pendientes; // calls still in the journal
    std::vector<Mensaje> mensajes;
};
Recuperacion RecuperarDiario(const SettingsStore& ajustes,
                             const std::filesystem::path& carpetaDatos,
                             std::optional<Fechas::Dia> hasta, char separador,
                             const std::vector<std::filesystem::path>& reservas = {});

// Everything start-up decides before the window shows itself.
struct Resultado {
    General::PeriodoFacturacion periodo;
    std::vector<Mensaje> mensajes; // in the order they are to be shown
    std::vector<Llamada> pendientes;
    bool autodeteccion = false;
    ModoVentana modo = ModoVentana::SinCambio;
};
Resultado Preparar(SettingsStore& ajustes, Fechas::Dia hoy,
                   const std::filesystem::path& carpetaDatos, General::EstadoPrograma& estado,
                   char separador, const std::vector<std::filesystem::path>& reservas = {});

// Share of the period elapsed by the end of `hoy`, 0 to 100.
float ProgresoPeriodo(const General::PeriodoFacturacion& periodo, Fechas::Dia hoy);

} // namespace Arranque
