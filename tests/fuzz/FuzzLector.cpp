// libFuzzer target for the call-log reader and writer: no input may crash them, and what is
// read writes back as the same records, in a form that comes back byte for byte.
#include "calllog/ArchivoLlamadas.h"

#include <cstdint>
#include <cstdlib>

const auto Exigir = [](bool ok) { ok ? void() : std::abort(); };

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tam) {
    const auto r = ArchivoLlamadas::LeerTexto({reinterpret_cast<const char*>(datos), tam});
    Exigir(r.ok || (r.error.campo >= 1 && r.error.campo <= 7 && r.error.linea >= 1 &&
                    !r.error.motivo.empty() && r.error.registro == int64_t(r.llamadas.size())));
    std::vector<Llamada> escribibles;
    for (const Llamada& ll : r.llamadas) {
        if (ArchivoLlamadas::ProblemaRegistro(ll).empty())
            escribibles.push_back(ll);
        // A call type shown and typed back unchanged gives the bytes read.
        std::string sinSitio;
        const auto tipo = Codificacion::Codificar(Codificacion::TextoVisible(ll.Tarifa),
                                                  Codificacion::EsUtf8(ll.Tarifa), sinSitio);
        Exigir(tipo && *tipo == ll.Tarifa.vista());
    }
    // The written text reads back as the same records and is itself a file in the written
    // form, so writing it again gives the same bytes.
    const std::string texto = ArchivoLlamadas::TextoArchivo(escribibles);
    const ArchivoLlamadas::Lectura otra = ArchivoLlamadas::LeerTexto(texto);
    Exigir(otra.ok && otra.llamadas == escribibles &&
           ArchivoLlamadas::TextoArchivo(otra.llamadas) == texto);
    Exigir(!r.ok || escribibles.size() != r.llamadas.size() || otra.textoUtf8 == r.textoUtf8);
    return 0;
}
