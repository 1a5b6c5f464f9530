// Number, duration and title formats shared by every window; the decimal separator is a parameter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace General {

// "VatriMox 4.288": major version, ".", revision.
std::string TituloPrograma();

// Seconds as hours:minutes:seconds, two digits at least each ("25:01:01", "100:00:00").
// A negative count is shown with a leading "-".
std::string FormatoDuracion(int64_t segundos);

// "fixed": at least one integer digit, exactly two decimals, no grouping.
std::string FormatoFijo(double valor, char separador);
// "##0.0": at least one integer digit, exactly one decimal.
std::string FormatoUnDecimal(double valor, char separador);
// "###0" and "#####0": a whole number, no separators.
std::string FormatoEntero(double valor);
// Rounds as the number formats do: to the nearest whole, halves away from zero.
int64_t RedondearEntero(double valor);

// Reads a decimal number written with the given separator ("45,00"); no grouping accepted.
std::optional<double> LeerNumero(std::string_view texto, char separador);
// Reads a whole number, optionally signed and surrounded by spaces, within [minimo, maximo].
std::optional<int64_t> LeerEntero(std::string_view texto, int64_t minimo, int64_t maximo);

} // namespace General
