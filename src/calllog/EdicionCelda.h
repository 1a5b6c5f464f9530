// Conversion of a value typed into a grid cell into the field of its column.
#pragma once

#include "calllog/Llamada.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Registro {

inline constexpr int ColumnasGrid = 7;

// Order of day, month and year in the user's short date form.
enum class OrdenFecha { DiaMesAnio, MesDiaAnio, AnioMesDia };

struct FormaLocal {
    char separadorDecimal = ',';
    OrdenFecha ordenFecha = OrdenFecha::DiaMesAnio;
};

// Header text of a grid column 0..6 ("Nº", "Fecha", ... "Tarifa").
const char* Cabecera(int columna);

// Title of the edit box: Valor a modificar:   "45,23"   Celda:   3 - 6
std::string TituloModificar(std::string_view textoCelda, int64_t fila, int columna);

// The call with the field of `columna` (1..6) replaced by the typed text; nullopt when the text
// does not convert: a date that is not a date alone, a time outside the day, seconds outside
// 32 bits, an amount in another notation, a call type holding a quote or a line break.
std::optional<Llamada> AplicarValor(const Llamada& llamada, int columna, std::string_view texto,
                                    const FormaLocal& forma);

// Time text "h:mm" or "h:mm:ss", optionally followed by AM or PM, as seconds; hours up to
// `horasMaximas`.
std::optional<int64_t> LeerTiempo(std::string_view texto, int64_t horasMaximas);

} // namespace Registro
