// LineaComandos: the commands run from a terminal (precio, informe, comparar), with no display.
#pragma once

#include <optional>

namespace LineaComandos {

// Exit statuses of the commands.
inline constexpr int Exito = 0;
inline constexpr int Fallo = 1; // a damaged or missing call log, a bad date
inline constexpr int MalUso = 2;

// Runs the command the arguments name and returns its exit status; nullopt when they ask for
// the windows (no argument, or only one of Qt's own options such as -platform).
std::optional<int> Ejecutar(int argc, char* argv[]);

} // namespace LineaComandos
