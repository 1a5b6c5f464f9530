// The "file grew" rule: calls appended by the meter survive a rewrite from the window.
#include "calllog/Reescritura.h"

#include <algorithm>

namespace Registro {

std::optional<std::vector<Llamada>> LlamadasAnadidas(const std::vector<Llamada>& cargadas,
                                                     const std::vector<Llamada>& enDisco) {
    if (enDisco.size() < cargadas.size() ||
        !std::equal(cargadas.begin(), cargadas.end(), enDisco.begin()))
        return std::nullopt;
    return std::vector<Llamada>(enDisco.begin() + static_cast<std::ptrdiff_t>(cargadas.size()),
                                enDisco.end());
}

std::vector<Llamada> ListaAEscribir(std::vector<Llamada> editadas,
                                    const std::vector<Llamada>& anadidas) {
    editadas.insert(editadas.end(), anadidas.begin(), anadidas.end());
    return editadas;
}

} // namespace Registro
