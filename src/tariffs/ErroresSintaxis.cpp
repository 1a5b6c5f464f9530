// The TOML reader's error descriptions ("Error while parsing <what>: <why>") by what was being
// read and why it failed, matched in table order: the first row that fits gives the text.
#include "tariffs/ErroresSintaxis.h"

#include <array>

namespace Tarifas {

namespace {

struct Traduccion {
    std::string_view leyendo; // part of what was being read; empty: anything
    std::string_view motivo;  // part of why it failed; empty: any reason
    std::string_view texto;
};

constexpr std::array<Traduccion, 41> Traducciones{{
    {"string", "end-of-file", "comillas sin cerrar"},
    {"string", "control character", "comillas sin cerrar en su línea"},
    {"array", "end-of-file", "falta «]» al final de la lista"},
    {"inline table", "end-of-file", "falta «}» al final de la tabla"},
    {"", "utf-8", "el archivo no está escrito en UTF-8"},
    {"", "line break", "fin de línea no válido"},
    {"", "after '\\r'", "fin de línea no válido"},
    {"", "end-of-file", "el archivo se acaba a medias"},
    {"", "expected '='", "falta «=» tras la clave"},
    {"", "expected value, saw", "falta el valor tras «=»"},
    {"", "could not determine value type", "valor no reconocido (¿faltan las comillas?)"},
    {"", "saw comma", "coma de más"},
    {"", "dangling comma", "coma de más"},
    {"", "comma or closing ']'", "falta «,» o «]» en la lista"},
    {"", "comma or closing '}'", "falta «,» o «}» en la tabla"},
    {"", "key or closing '}'", "falta «}» al final de la tabla"},
    {"", "expected ']'", "falta «]» en la cabecera"},
    {"table header", "cannot redefine", "sección repetida"},
    {"", "cannot redefine", "clave repetida"},
    {"", "cannot insert", "clave repetida"},
    {"", "bare key", "clave no válida"},
    {"", "prohibited in", "clave no válida"},
    {"", "blank bare keys", "sección sin nombre"},
    {"", "brackets must be contiguous", "cabecera de sección no válida"},
    {"", "escape sequence", "secuencia de escape no válida"},
    {"unicode", "", "secuencia de escape no válida"},
    {"", "line-ending backslashes", "barra invertida mal puesta"},
    {"", "control character", "carácter de control no permitido"},
    {"", "U+", "carácter no permitido"},
    {"date", "", "fecha u hora no válida"},
    {"time", "", "fecha u hora no válida"},
    {"", "64 bits", "número demasiado grande"},
    {"", "length", "número demasiado largo"},
    {"", "too long", "número demasiado largo"},
    {"", "leading zeroes", "número con ceros a la izquierda"},
    {"", "underscores", "guion bajo mal puesto en un número"},
    {"", "nested value depth", "demasiados niveles anidados"},
    {"", "expected a comment or whitespace", "sobra texto al final de la línea"},
    {"", "expected keys, tables", "línea no reconocida"},
    {"boolean", "", "valor no reconocido (true o false)"},
    {"", "digit", "número mal escrito"},
}};

} // namespace

std::string TextoErrorSintaxis(std::string_view descripcion) {
    constexpr std::string_view prefijo = "Error while parsing ";
    std::string_view leyendo, motivo = descripcion;
    if (descripcion.starts_with(prefijo)) {
        const std::size_t dos = descripcion.find(": ");
        leyendo = descripcion.substr(prefijo.size(), dos - prefijo.size());
        motivo = dos == std::string_view::npos ? "" : descripcion.substr(dos + 2);
    }
    for (const Traduccion& t : Traducciones)
        if (leyendo.find(t.leyendo) != std::string_view::npos &&
            motivo.find(t.motivo) != std::string_view::npos)
            return "error de sintaxis: " + std::string(t.texto);
    return "error de sintaxis";
}

} // namespace Tarifas
