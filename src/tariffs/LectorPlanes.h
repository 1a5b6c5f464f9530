// Reading tariff plans from TOML files, and the catalogue of the built-in and the user's plans.
#pragma once

#include "tariffs/Planes.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace Tarifas {

// Why a plan file was refused, and where: line and column from 1, 0 when not known.
struct ErrorPlan {
    std::string archivo;
    int64_t linea = 0;
    std::string problema;
    int64_t columna = 0;
    // "tarifas/europa.toml, línea 12: franja desconocida «pico»", "…, línea 2, columna 10: …",
    // "tarifas/x.toml: no se puede leer: Permiso denegado"
    std::string Texto() const;
};

struct LecturaPlan {
    std::optional<Plan> plan; // empty when refused
    ErrorPlan error;
};

// Reads one plan. `previos` holds the plans already loaded: a plan or call-type name of one of
// them refuses this one, so a call's Tarifa always names a single call type.
LecturaPlan LeerPlan(std::string_view texto, const std::string& archivo, const Catalogo& previos);

// The built-in plan, then every *.toml file of `carpeta` in name order; a refused file is left
// out whole and its message kept in `errores`, as is anything by that name that is not a
// regular file, or cannot be read (with the system's reason). A missing folder gives the
// built-in plan alone.
Catalogo CargarCatalogo(const std::filesystem::path& carpeta);

} // namespace Tarifas
