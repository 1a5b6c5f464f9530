// Texts of a re-priced call log's row.
#include "tariffs/TextosComparacion.h"

#include "core/Formato.h"

namespace Tarifas {

std::array<std::string, 5> TextosFila(const FilaComparacion& fila, char separador) {
    std::string diferencia = General::FormatoFijo(fila.diferencia.aDouble(), separador);
    // A difference that rounds to nothing gets no sign.
    if (diferencia.front() != '-' &&
        diferencia.find_first_not_of(std::string("0") + separador) != std::string::npos)
        diferencia = "+" + diferencia;
    if (fila.diferenciaFuera)
        diferencia = FueraDeRango;
    if (fila.pesetasFuera)
        return {fila.tipo, fila.plan, FueraDeRango, FueraDeRango, diferencia};
    return {fila.tipo, fila.plan, General::FormatoFijo(fila.pesetas.aDouble(), separador),
            General::FormatoFijo(fila.euros, separador), diferencia};
}

} // namespace Tarifas
