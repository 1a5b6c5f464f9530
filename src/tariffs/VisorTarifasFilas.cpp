// Tariff viewer rows built from the one schedule table, or from a plan's call type.
#include "tariffs/VisorTarifasFilas.h"

#include <algorithm>

namespace Tarifas {

namespace {
std::string DosCifras(int n) {
    return std::string(1, static_cast<char>('0' + n / 10 % 10)) + static_cast<char>('0' + n % 10);
}

std::string Reloj(int32_t segundo, bool conSegundos) {
    std::string texto = DosCifras(segundo / 3600) + ":" + DosCifras(segundo % 3600 / 60);
    return conSegundos ? texto + ":" + DosCifras(segundo % 60) : texto;
}
} // namespace

std::vector<FilaVisor> FilasDelVisor(std::string_view tipoLlamada, TipoDia dia) {
    std::vector<FilaVisor> filas;
    const TarifaLlamada* tarifa = BuscarTarifa(tipoLlamada);
    if (!tarifa)
        return filas;
    for (const Tramo& tramo : tarifa->tramos[Indice(dia)])
        filas.push_back(FilaVisor{HoraDesde(tramo), HoraHasta(tramo), tarifa->establecimiento,
                                  tarifa->precioMinuto[Indice(tramo.franja)], ColorDe(tramo.franja),
                                  std::nullopt, std::nullopt,
                                  tramo.franja == Franja::punta    ? "punta"
                                  : tramo.franja == Franja::normal ? "normal"
                                                                   : "reducida"});
    return filas;
}

std::vector<FilaVisor> FilasDelVisor(const Catalogo& catalogo, std::string_view tipoLlamada,
                                     TipoDia dia) {
    if (BuscarTarifa(tipoLlamada))
        return FilasDelVisor(tipoLlamada, dia);
    std::vector<FilaVisor> filas;
    const Plan* plan = nullptr;
    const TipoPlan* tipo = catalogo.BuscarTipo(tipoLlamada, &plan);
    if (!tipo)
        return filas;
    const auto euros = [&](double v) { return plan->euros ? std::optional(v) : std::nullopt; };
    constexpr uint32_t Blanco = 0x00FFFFFF;
    for (const TramoPlan& tramo : tipo->tramos[Indice(dia)]) {
        const FranjaPlan& franja = tipo->franjas[tramo.franja];
        filas.push_back(FilaVisor{
            Reloj(tramo.desde, tramo.desde % 60 != 0),
            tramo.hasta >= Fechas::SegundosPorDia - 1 ? "24:00"
                                                      : Reloj(tramo.hasta, tramo.hasta % 60 != 59),
            tipo->establecimiento.aDouble(), franja.precioMinuto.aDouble(),
            franja.color != 0 ? franja.color : Blanco, euros(tipo->establecimientoEuros),
            euros(franja.precioEuros), franja.nombre});
    }
    return filas;
}

int FilasNecesarias(const Catalogo& catalogo) {
    std::size_t filas = FilasVisor;
    for (const Plan& plan : catalogo.planes)
        for (const TipoPlan& tipo : plan.tipos)
            for (const auto& tramos : tipo.tramos)
                filas = std::max(filas, tramos.size());
    return static_cast<int>(std::min<std::size_t>(filas, FilasMaximas));
}

std::string TextoFacturacion(const Plan& plan, const TipoPlan& tipo) {
    std::string texto = tipo.primerPaso == 1 && tipo.paso == 1
                            ? "Facturación por segundos"
                            : "Facturación por pasos de " + std::to_string(tipo.primerPaso) +
                                  " y " + std::to_string(tipo.paso) + " segundos";
    // The built-in tariff's viewer never stated its included seconds.
    if (tipo.segundosIncluidos > 0 && !plan.incorporado)
        texto += "; el establecimiento incluye " + std::to_string(tipo.segundosIncluidos) +
                 (tipo.segundosIncluidos == 1 ? " segundo" : " segundos");
    return texto + ".";
}

std::string TextoFestivos(const Plan& plan) {
    if (plan.festivos.empty())
        return "Sin festivos.";
    std::string texto = "Festivos:";
    for (const Festivo& f : plan.festivos) {
        texto +=
            (&f == &plan.festivos.front() ? " " : ", ") + DosCifras(f.dia) + "/" + DosCifras(f.mes);
        if (f.anio != 0)
            texto += "/" + std::to_string(f.anio);
    }
    return texto + ".";
}

} // namespace Tarifas
