// Settings schema, program-wide state and first-run defaults.
#pragma once

#include "core/Fecha.h"
#include "core/Moneda.h"
#include "core/SettingsStore.h"
#include "stats/Presupuesto.h"
#include "tariffs/Planes.h"
#include "tariffs/Tarifas.h"

#include <climits>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace General {

inline constexpr const char* Aplicacion = "VatriMox";

// How a setting's text converts: as it is, a whole number within [minimo, maximo] (flags are
// numbers 0..255 set only at 1), or a date.
enum class TipoAjuste { Texto, Numero, Fecha };

// One setting: section, key, first-run default, type and range.
struct Ajuste {
    const char* seccion;
    const char* clave;
    const char* defecto;
    TipoAjuste tipo = TipoAjuste::Texto;
    int32_t minimo = 0;
    int32_t maximo = 0;
};

inline constexpr int32_t MaxByte = 255;
inline constexpr int32_t MinEntero16 = -32768;
inline constexpr int32_t MaxEntero16 = 32767;
inline constexpr int32_t MinEntero32 = INT32_MIN;
inline constexpr int32_t MaxEntero32 = INT32_MAX;

namespace Ajustes {
// "Datos": the dates' defaults depend on today (see ValoresPorDefecto).
inline constexpr Ajuste FechaInicio{"Datos", "FechaInicio", "", TipoAjuste::Fecha};
inline constexpr Ajuste FechaFinal{"Datos", "FechaFinal", "", TipoAjuste::Fecha};
inline constexpr Ajuste AlAbrir{"Opciones", "AlAbrir", "Mini Icono"};
inline constexpr Ajuste AlConectar{"Opciones", "AlConectar", "Minimizado"};
inline constexpr Ajuste AutoSINO{"Opciones", "AutoSINO", "0", TipoAjuste::Numero, 0, MaxByte};
inline constexpr Ajuste CuantoIVA{"Opciones", "CuantoIVA", "16", TipoAjuste::Numero, 0, MaxByte};
inline constexpr Ajuste IVA{"Opciones", "IVA", "0", TipoAjuste::Numero, 0, MaxByte};
inline constexpr Ajuste FontSize{"Opciones", "FontSize", "8", TipoAjuste::Numero, 0, MaxByte};
inline constexpr Ajuste Fuente{"Opciones", "Fuente", "Ms Sans Serif"};
inline constexpr Ajuste Negociacion{"Opciones", "Negociacion", "20", TipoAjuste::Numero,
                                    0,          MaxByte};
inline constexpr Ajuste NoAceptar{"Opciones",         "NoAceptar", "15",
                                  TipoAjuste::Numero, MinEntero32, MaxEntero32};
inline constexpr Ajuste InicioWindowsSINO{
    "Opciones", "InicioWindowsSINO", "0", TipoAjuste::Numero, 0, MaxByte};
inline constexpr Ajuste AlertaSINO{"Sonidos", "AlertaSINO", "0", TipoAjuste::Numero, 0, MaxByte};
inline constexpr Ajuste AlertaSonido{"Sonidos", "AlertaSonido", ""};
inline constexpr Ajuste FinalSINO{"Sonidos", "FinalSINO", "0", TipoAjuste::Numero, 0, MaxByte};
inline constexpr Ajuste FinalSonido{"Sonidos", "FinalSonido", ""};
inline constexpr Ajuste InicioSINO{"Sonidos", "InicioSINO", "0", TipoAjuste::Numero, 0, MaxByte};
inline constexpr Ajuste InicioSonido{"Sonidos", "InicioSonido", ""};
inline constexpr Ajuste PasoSINO{"Sonidos", "PasoSINO", "0", TipoAjuste::Numero, 0, MaxByte};
inline constexpr Ajuste PasoSonido{"Sonidos", "PasoSonido", ""};
inline constexpr Ajuste Periodo{"Sonidos", "Periodo", "00:30:00"};
inline constexpr Ajuste Periodo2{"Sonidos",          "Periodo2",  "30",
                                 TipoAjuste::Numero, MinEntero16, MaxEntero16};
inline constexpr Ajuste Importe{"Sonidos",          "Importe",   "300",
                                TipoAjuste::Numero, MinEntero16, MaxEntero16};
inline constexpr Ajuste Tarifa{"Tarifas", "Tarifa", "Metropolitana"};
inline constexpr Ajuste GraficoTipo{"Grafico", "Tipo", "Llamadas"};
// Name prefix of the point-to-point interface that counts as the dial-up link; empty: "ppp".
// Not among the first-run defaults: only a user who needs another prefix writes it.
inline constexpr Ajuste Interfaz{"Opciones", "Interfaz", "ppp"};
// Budget of the billing period in whole pesetas; empty: none. Not among the first-run defaults.
inline constexpr Ajuste Presupuesto{
    "Opciones", "Presupuesto", "", TipoAjuste::Numero, 0, Estadistica::PresupuestoMaximo};
// Start date and budget of the period whose budget warning has been given ("1/3/1999 3000").
inline constexpr Ajuste AvisoPresupuesto{"Datos", "AvisoPresupuesto", ""};
} // namespace Ajustes

// Every setting, in the order the first-run defaults write them.
std::span<const Ajuste* const> AjustesEnOrden();

// Reads and writes a setting under the application name `VatriMox`: one reader per type, each
// nullopt (a flag: false) when the stored text does not convert within the setting's range.
std::string Leer(const SettingsStore& store, const Ajuste& ajuste);
std::optional<int32_t> NumeroAjuste(const SettingsStore& store, const Ajuste& ajuste);
// A flag counts as set only when it converts to exactly 1.
bool BanderaAjuste(const SettingsStore& store, const Ajuste& ajuste);
std::optional<Fechas::Dia> DiaAjuste(const SettingsStore& store, const Ajuste& ajuste);
// A number that may carry decimals after a point or a comma ("NoAceptar" is compared so).
std::optional<double> DecimalAjuste(const SettingsStore& store, const Ajuste& ajuste);
// A number of whole pesetas; nullopt also when the setting is empty.
std::optional<Moneda> MonedaAjuste(const SettingsStore& store, const Ajuste& ajuste);
// The setting's first-run default as a number (a numeric setting's default always converts).
int32_t NumeroPorDefecto(const Ajuste& ajuste);
bool Escribir(SettingsStore& store, const Ajuste& ajuste, std::string_view valor);
bool Escribir(SettingsStore& store, const Ajuste& ajuste, int64_t valor);

// Values held for the whole run.
struct EstadoPrograma {
    std::string TipoLlamada;
    uint8_t IncluirIVA = 0;
    uint8_t PorcentajeIVA = 0;
    uint8_t SegundosNegociacion = 0;
    Tarifas::EstadoLlamada llamada; // InicioLlamada, SegundosTranscurridos, SegundosFacturados
    // The call types TipoLlamada may name: the built-in tariff, and the plan files once loaded.
    Tarifas::Catalogo catalogo = Tarifas::CatalogoIncorporado();
};

struct PeriodoFacturacion {
    Fechas::Dia inicio;
    Fechas::Dia fin;
};

// Stored billing period ("Datos", read under `Vatrimox`); nullopt when a date does not convert
// or the end is before the start.
std::optional<PeriodoFacturacion> LeerPeriodo(const SettingsStore& store);
// Start-up reads: IVA, CuantoIVA, Negociacion and Tarifa into state; false when one fails.
bool CargarEstado(const SettingsStore& store, EstadoPrograma& estado);

// First-run defaults in their fixed order; creates the current call log only where it is
// missing, so an existing log is never emptied. Returns false when a write failed.
bool ValoresPorDefecto(SettingsStore& store, Fechas::Dia hoy,
                       const std::filesystem::path& carpetaDatos);
// A billing-period date that CompletarAjustes replaced: what it held and what it holds now.
struct FechaCambiada {
    const Ajuste* ajuste;
    std::string antes;
    std::string ahora;
};
struct Completado {
    bool ok = true; // every write succeeded
    std::vector<FechaCambiada> fechas;
    explicit operator bool() const { return ok; }
};
// Writes the default of every setting that is missing or does not convert, keeping every
// usable value. An unusable date (unreadable, or the end before the start: then both) gets its
// first-run value, and the other date too only when the period would still end before it
// starts. A missing key whose default is "" already reads as that default and is left alone.
Completado CompletarAjustes(SettingsStore& store, Fechas::Dia hoy);

} // namespace General
