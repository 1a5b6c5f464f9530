// libFuzzer target for plan files: no input may crash the reader, and an accepted plan prices.
#include "tariffs/LectorPlanes.h"

#include <cstdint>
#include <cstdlib>

const auto Exigir = [](bool ok) { ok ? void() : std::abort(); };

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tam) {
    const std::string_view texto(reinterpret_cast<const char*>(datos), tam);
    const auto r = Tarifas::LeerPlan(texto, "f.toml", Tarifas::CatalogoIncorporado());
    Exigir(r.plan || (!r.error.problema.empty() && r.error.linea >= 1));
    // Prices are never negative, so a longer call never costs less.
    for (const Tarifas::TipoPlan& t : r.plan ? r.plan->tipos : std::vector<Tarifas::TipoPlan>{}) {
        Moneda anterior;
        for (int64_t largo : {0, 1, 61, 3600, 90000, 700000}) {
            const Moneda m =
                Tarifas::CostePlan(*r.plan, t, *Fechas::crearDia(1999, 12, 31), 86000, largo);
            Exigir(!(m < anterior));
            anterior = m;
        }
    }
    return 0;
}
