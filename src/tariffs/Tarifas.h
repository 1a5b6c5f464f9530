// The 1999 national tariff schedule, call pricing and band colours (the Tarifas module).
#pragma once

#include "core/Moneda.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace Tarifas {

enum class Franja { reducida = 0, normal = 1, punta = 2 };
enum class TipoDia { Laborales = 0, Sabados = 1, Festivos = 2 };

// Position of a band or day type in the arrays of TarifaLlamada.
constexpr std::size_t Indice(Franja f) {
    return static_cast<std::size_t>(f);
}
constexpr std::size_t Indice(TipoDia d) {
    return static_cast<std::size_t>(d);
}

// A closed range of seconds of the day in one band.
struct Tramo {
    int32_t desde;
    int32_t hasta;
    Franja franja;
};

// One call type: set-up charge, seconds it covers, price per minute of each band, and the
// bands of each day type in clock order.
struct TarifaLlamada {
    std::string_view nombre;
    double establecimiento;
    int32_t segundosIncluidos;
    std::array<double, 3> precioMinuto;           // indexed by Franja
    std::array<std::span<const Tramo>, 3> tramos; // indexed by TipoDia
};

inline constexpr std::array<std::string_view, 3> TiposLlamada{"Metropolitana", "Provincial",
                                                              "Interprovincial"};

// Clock times of a row as the tariff viewer shows them: "08:00" to "16:59", "24:00" for a row
// that runs to the end of the day.
std::string HoraDesde(const Tramo& tramo);
std::string HoraHasta(const Tramo& tramo);

// The schedule entry of a call type, compared whole and case-sensitive; nullptr when none.
const TarifaLlamada* BuscarTarifa(std::string_view tipoLlamada);
// Day type of a weekday number (Monday = 1 .. Sunday = 7); false when outside 1..7.
bool TipoDiaDe(int diaSemana, TipoDia& tipo);
// Band of a second of the day under a call type and day type.
Franja FranjaDe(const TarifaLlamada& tarifa, TipoDia dia, int32_t segundo);

// Band colours as 32-bit values with red in the low byte.
inline constexpr uint32_t ColorReducida = 0x00C0FFC0;
inline constexpr uint32_t ColorNormal = 0x00C0FFFF;
inline constexpr uint32_t ColorPunta = 0x00C0C0FF;
uint32_t ColorDe(Franja franja);
// Colour of a whole hour (0..23) of a weekday (1..7) under a call type; 0 outside the table.
uint32_t ColorFranja(int hora, int diaSemana, std::string_view tipoLlamada);

// The call being metered: kept here because the meter writes it and pricing reads it.
struct EstadoLlamada {
    double InicioLlamada = 0;       // day-count form of the moment the call was seen to start
    Moneda SegundosTranscurridos;   // whole seconds since then, negotiation seconds included
    int32_t SegundosFacturados = 0; // last value computed by ContadorFacturacion
};

// Amount of a call so far. `segundoInicio` is the start second of the call's start date, less
// the negotiation seconds (negative: those seconds fall on the previous day); `diaSemana` is
// the weekday of that start date. Every elapsed second is priced by the day type and band of
// its own date, so a call across midnight or longer than a day is priced whole.
// Within one day this equals the per-second count from segundoInicio to segundoInicio +
// segundosTranscurridos - 1. IVA is added only when incluirIVA is exactly 1.
Moneda CosteLlamada(int32_t segundoInicio, int diaSemana, int64_t segundosTranscurridos,
                    std::string_view tipoLlamada, uint8_t incluirIVA, uint8_t porcentajeIVA);

// Billed-seconds figure beside the meter; writes estado.SegundosFacturados.
int32_t ContadorFacturacion(std::string_view tipoLlamada, EstadoLlamada& estado);
// The same figure for a call type covering `segundosIncluidos` with its set-up charge.
int32_t ContarFacturados(int64_t segundosIncluidos, EstadoLlamada& estado);

} // namespace Tarifas
