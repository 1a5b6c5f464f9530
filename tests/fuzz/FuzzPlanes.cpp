// libFuzzer target for plan files: no input may crash the reader, and an accepted plan prices.
#include "tariffs/LectorPlanes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tam) {
    const std::string_view texto(reinterpret_cast<const char*>(datos), tam);
    const Tarifas::LecturaPlan r =
        Tarifas::LeerPlan(texto, "f.toml", Tarifas::CatalogoIncorporado());
    if (!r.plan) {
        if (r.error.problema.empty() || r.error.linea < 1)
            std::abort();
        return 0;
    }
    // Prices are never negative, so a longer call never costs less.
    const Fechas::Dia fecha = *Fechas::crearDia(1999, 12, 31);
    for (const Tarifas::TipoPlan& t : r.plan->tipos) {
        Moneda anterior;
        for (int64_t largo : {0, 1, 61, 3600, 90000, 700000}) {
            const Moneda m = Tarifas::CostePlan(*r.plan, t, fecha, 86000, largo);
            if (m < anterior)
                std::abort();
            anterior = m;
        }
    }
    return 0;
}
