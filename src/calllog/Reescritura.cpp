// The "file grew" rule: calls appended by the meter survive a rewrite from the window.
#include "calllog/Reescritura.h"
#include "calllog/ArchivoLlamadas.h"

#include "calllog/BloqueoLlamadas.h"

#include <algorithm>
#include <system_error>

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

Reescritura Reescribir(const std::filesystem::path& archivo, const std::vector<Llamada>& cargadas,
                       const std::vector<Llamada>& editadas) {
    const ArchivoLlamadas::Bloqueo bloqueo(archivo);
    // A missing file is told below as a changed one.
    if (bloqueo.error() != 0 && bloqueo.error() != ENOENT)
        return {Reescritura::Fallo,
                "No se puede bloquear «" + archivo.string() +
                    "»: " + std::error_code(bloqueo.error(), std::generic_category()).message()};
    const auto enDisco = ArchivoLlamadas::Leer(archivo);
    const auto anadidas = enDisco.ok ? LlamadasAnadidas(cargadas, enDisco.llamadas) : std::nullopt;
    if (!anadidas)
        return {Reescritura::Cambiado, {}};
    auto r = ArchivoLlamadas::Escribir(archivo, ListaAEscribir(editadas, *anadidas));
    if (!r)
        return {Reescritura::Fallo, std::move(r.error)};
    return {};
}

} // namespace Registro
