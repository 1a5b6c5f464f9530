// The TOML reader's syntax errors told in Spanish.
#pragma once

#include <string>
#include <string_view>

namespace Tarifas {

// A short Spanish text for the reader's English description of a syntax error ("Error while
// parsing string: encountered end-of-file" gives "comillas sin cerrar"); "error de sintaxis"
// alone for a description it does not know.
std::string TextoErrorSintaxis(std::string_view descripcion);

} // namespace Tarifas
