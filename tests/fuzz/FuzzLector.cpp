// libFuzzer target for the call-log reader: no input may crash it, and what it reads writes back.
#include "calllog/Llamada.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tam) {
    const std::string_view bytes(reinterpret_cast<const char*>(datos), tam);
    const ArchivoLlamadas::Lectura r = ArchivoLlamadas::LeerTexto(bytes);
    if (!r.ok && (r.error.campo < 1 || r.error.campo > 6 || r.error.linea < 1 ||
                  r.error.motivo.empty() || r.error.registro != int64_t(r.llamadas.size())))
        std::abort();
    // Every record the writer accepts must read back exactly as it was read.
    std::vector<Llamada> escribibles;
    for (const Llamada& ll : r.llamadas)
        if (ArchivoLlamadas::ProblemaRegistro(ll).empty())
            escribibles.push_back(ll);
    const ArchivoLlamadas::Lectura otra =
        ArchivoLlamadas::LeerTexto(ArchivoLlamadas::TextoArchivo(escribibles));
    if (!otra.ok || otra.llamadas != escribibles)
        std::abort();
    return 0;
}
