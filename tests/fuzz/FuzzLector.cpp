// libFuzzer target for the call-log reader and writer: no input may crash them, what is read
// writes back and reads again as the same records, and a file in the written form comes back
// byte for byte.
#include "calllog/ArchivoLlamadas.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tam) {
    const std::string_view bytes(reinterpret_cast<const char*>(datos), tam);
    const ArchivoLlamadas::Lectura r = ArchivoLlamadas::LeerTexto(bytes);
    if (!r.ok && (r.error.campo < 1 || r.error.campo > 7 || r.error.linea < 1 ||
                  r.error.motivo.empty() || r.error.registro != int64_t(r.llamadas.size())))
        std::abort();
    std::vector<Llamada> escribibles;
    for (const Llamada& ll : r.llamadas) {
        if (ArchivoLlamadas::ProblemaRegistro(ll).empty())
            escribibles.push_back(ll);
        // A call type shown and typed back unchanged gives the bytes read.
        std::string sinSitio;
        const auto tipo = Codificacion::Codificar(Codificacion::TextoVisible(ll.Tarifa),
                                                  Codificacion::EsUtf8(ll.Tarifa), sinSitio);
        if (!tipo || *tipo != ll.Tarifa.vista())
            std::abort();
    }
    // The written text reads back as the same records and is itself a file in the written
    // form, so writing it again gives the same bytes.
    const std::string texto = ArchivoLlamadas::TextoArchivo(escribibles);
    const ArchivoLlamadas::Lectura otra = ArchivoLlamadas::LeerTexto(texto);
    if (!otra.ok || otra.llamadas != escribibles ||
        ArchivoLlamadas::TextoArchivo(otra.llamadas) != texto)
        std::abort();
    if (r.ok && escribibles.size() == r.llamadas.size() && otra.textoUtf8 != r.textoUtf8)
        std::abort();
    return 0;
}
