// Re-pricing of a call log under every plan of a catalogue, sorted by total.
#include "tariffs/Comparacion.h"

#include "core/Formato.h"

#include <algorithm>
#include <limits>

namespace Tarifas {

namespace {

// A damaged log can hold absurd amounts: the difference saturates instead of wrapping.
Moneda Restar(Moneda a, Moneda b) {
    int64_t r = 0;
    if (__builtin_sub_overflow(a.diezmilesimas(), b.diezmilesimas(), &r))
        r = b.diezmilesimas() > 0 ? std::numeric_limits<int64_t>::min()
                                  : std::numeric_limits<int64_t>::max();
    return Moneda::desdeDiezmilesimas(r);
}

// The amount as the meter logs it: the text of its two-decimal label read back, so a call
// re-priced under the call type it was logged with differs by nothing.
Moneda ComoRegistrado(Moneda importe) {
    return Moneda::desdeTexto(General::FormatoFijo(importe.aDouble(), '.')).value_or(importe);
}

} // namespace

std::vector<FilaComparacion> Comparar(const std::vector<Llamada>& llamadas,
                                      const Catalogo& catalogo, uint8_t incluirIVA,
                                      uint8_t porcentajeIVA) {
    Moneda registrado;
    bool registradoFuera = false;
    for (const Llamada& ll : llamadas)
        registradoFuera |= !registrado.sumarSaturando(ll.Importe);
    std::vector<FilaComparacion> filas;
    for (const Plan& plan : catalogo.planes)
        for (const TipoPlan& tipo : plan.tipos) {
            Moneda total;
            bool fuera = false;
            for (const Llamada& ll : llamadas)
                fuera |= !total.sumarSaturando(
                    ComoRegistrado(CosteConIVA(plan, tipo, ll.Fecha.dia(), ll.Hora.segundo(),
                                               SegundosConexion(ll), incluirIVA, porcentajeIVA)));
            filas.push_back({tipo.nombre, plan.nombre, total, total.aDouble() / PesetasPorEuro,
                             Restar(total, registrado), fuera, fuera || registradoFuera});
        }
    std::stable_sort(filas.begin(), filas.end(),
                     [](const auto& a, const auto& b) { return a.pesetas < b.pesetas; });
    return filas;
}

} // namespace Tarifas
