// What to write back when a shown call log is rewritten after an edit or a delete.
#pragma once

#include "calllog/Llamada.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Registro {

// The calls appended to a file since it was loaded: the tail of `enDisco` when it begins with
// every call of `cargadas`, in order; nullopt when the file changed in any other way.
std::optional<std::vector<Llamada>> LlamadasAnadidas(const std::vector<Llamada>& cargadas,
                                                     const std::vector<Llamada>& enDisco);

// The list to write: the edited calls, then those the meter appended meanwhile.
std::vector<Llamada> ListaAEscribir(std::vector<Llamada> editadas,
                                    const std::vector<Llamada>& anadidas);

struct Reescritura {
    enum Estado { Hecha, Cambiado, Fallo } estado = Hecha;
    std::string error; // why, when Fallo
};

// Writes `editadas` and then the calls appended since `cargadas` were read over `archivo`,
// holding the file's lock from the check to the rename, so an append lands either in the list
// written or after it. Cambiado: the file changed in another way or cannot be read, and is left
// as it is.
Reescritura Reescribir(const std::filesystem::path& archivo, const std::vector<Llamada>& cargadas,
                       const std::vector<Llamada>& editadas);

} // namespace Registro
