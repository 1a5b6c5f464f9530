// The split of the loaded calls by tariff band, and the totals box.
#include "stats/TotalesFranja.h"

#include "calllog/Totales.h"
#include "core/Formato.h"
#include "tariffs/Tarifas.h"

namespace Estadistica {

namespace {
constexpr double PesetasPorEuro = 166.386;
}

uint32_t ColorLlamada(const Llamada& llamada, const Tarifas::Catalogo& catalogo) {
    return Tarifas::ColorFranjaPlan(catalogo, llamada.Hora.hora(), llamada.Fecha.dia(),
                                    llamada.Tarifa);
}

SumasFranja SumarPorFranja(const std::vector<Llamada>& llamadas,
                           const Tarifas::Catalogo& catalogo) {
    SumasFranja s;
    for (const Llamada& l : llamadas) {
        Moneda* suma = nullptr;
        switch (ColorLlamada(l, catalogo)) {
        case Tarifas::ColorPunta:
            suma = &s.punta;
            break;
        case Tarifas::ColorNormal:
            suma = &s.normal;
            break;
        case Tarifas::ColorReducida:
            suma = &s.reducida;
            break;
        default:
            break;
        }
        if (suma && !suma->sumarSaturando(l.Importe))
            s.desborde = true;
    }
    return s;
}

std::string TextoPorcentaje(Moneda parte, Moneda total, char separador) {
    const double cuota = total == Moneda() ? 0.0 : parte.aDouble() / total.aDouble() * 100.0;
    return General::FormatoFijo(cuota, separador) + " %";
}

std::optional<std::string> TextoTotales(const std::vector<Llamada>& llamadas,
                                        const Tarifas::Catalogo& catalogo, char separador) {
    const Registro::Totales t = Registro::CalcularTotales(llamadas);
    const SumasFranja s = SumarPorFranja(llamadas, catalogo);
    Moneda bandas = s.punta;
    const bool caben = bandas.sumarSaturando(s.normal) && bandas.sumarSaturando(s.reducida);
    if (t.desborde || s.desborde || !caben)
        return std::nullopt;
    const std::string euros =
        General::FormatoFijo(t.ImporteTotal.aDouble() / PesetasPorEuro, separador);
    return "Llamadas efectuadas: \t" + std::to_string(t.llamadas) + "\n" +
           "Segundos facturados: \t" + std::to_string(t.SegundosTotal) + " \"\n" +
           "Tiempo de conexión: \t" + General::FormatoDuracion(t.TiempoTotal) + "\n" +
           "Importe hora punta:\t\t" + TextoPorcentaje(s.punta, bandas, separador) + "\n" +
           "Importe hora normal:\t" + TextoPorcentaje(s.normal, bandas, separador) + "\n" +
           "Importe hora reducida:\t" + TextoPorcentaje(s.reducida, bandas, separador) + "\n" +
           "Importe en euros:\t\t" + euros + " €\n" + "Importe en pesetas: \t\t" +
           Registro::TextoImporte(t.ImporteTotal, separador) + " pts";
}

} // namespace Estadistica
