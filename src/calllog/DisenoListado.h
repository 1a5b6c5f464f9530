// Layout of the printed listing: which texts go on which line, at which distance in centimetres.
#pragma once

#include "calllog/Llamada.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Registro {

// Left edges of the columns "Nº", "Fecha", "Hora", "Duracion", "Segundos", "Importe", "Tarifa";
// heading lines and total labels share the first, total values the third.
inline constexpr double ColumnasCm[7] = {1.5, 4, 6.5, 9, 11.5, 14, 16.5};
inline constexpr double ReglaDesdeCm = 1.5;
inline constexpr double ReglaHastaCm = 20;

struct TextoEn {
    double xCm;
    std::string texto;
};

// One line of text, or a rule (no height of its own) under the line before.
struct LineaListado {
    std::vector<TextoEn> textos;
    bool regla = false;
};

// How dates, times and durations read in the user's locale.
struct FormatoListado {
    std::function<std::string(Fechas::ValorFecha)> fecha; // also Hora
    std::function<std::string(Fechas::ValorFecha)> duracion;
    char separadorDecimal = ',';
};

// Heading, totals block and column headers, everything that comes before the call lines.
std::vector<LineaListado> CabeceraListado(const std::vector<Llamada>& llamadas,
                                          const std::string& fechaImpresion,
                                          const std::string& archivo,
                                          const FormatoListado& formato);
// The line of call number `numero` (1-based).
LineaListado LineaLlamada(const Llamada& llamada, int64_t numero, const FormatoListado& formato);

} // namespace Registro
