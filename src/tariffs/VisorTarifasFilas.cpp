// Tariff viewer rows built from the one schedule table.
#include "tariffs/VisorTarifasFilas.h"

namespace Tarifas {

std::vector<FilaVisor> FilasDelVisor(std::string_view tipoLlamada, TipoDia dia) {
    std::vector<FilaVisor> filas;
    const TarifaLlamada* tarifa = BuscarTarifa(tipoLlamada);
    if (!tarifa)
        return filas;
    for (const Tramo& tramo : tarifa->tramos[Indice(dia)])
        filas.push_back(FilaVisor{HoraDesde(tramo), HoraHasta(tramo), tarifa->establecimiento,
                                  tarifa->precioMinuto[Indice(tramo.franja)],
                                  ColorDe(tramo.franja)});
    return filas;
}

} // namespace Tarifas
