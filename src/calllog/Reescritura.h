// What to write back when a shown call log is rewritten after an edit or a delete.
#pragma once

#include "calllog/Llamada.h"

#include <optional>
#include <vector>

namespace Registro {

// The calls appended to a file since it was loaded: the tail of `enDisco` when it begins with
// every call of `cargadas`, in order; nullopt when the file changed in any other way.
std::optional<std::vector<Llamada>> LlamadasAnadidas(const std::vector<Llamada>& cargadas,
                                                     const std::vector<Llamada>& enDisco);

// The list to write: the edited calls, then those the meter appended meanwhile.
std::vector<Llamada> ListaAEscribir(std::vector<Llamada> editadas,
                                    const std::vector<Llamada>& anadidas);

} // namespace Registro
