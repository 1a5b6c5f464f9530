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
        const Tarifas::FranjaPlan* franja =
            Tarifas::FranjaPlanDe(catalogo, l.Hora.hora(), l.Fecha.dia(), l.Tarifa);
        if (!franja)
            continue;
        Moneda& suma = franja->nombre == "punta"      ? s.punta
                       : franja->nombre == "normal"   ? s.normal
                       : franja->nombre == "reducida" ? s.reducida
                                                      : s.otras[franja->nombre];
        if (!suma.sumarSaturando(l.Importe))
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
    bool caben = bandas.sumarSaturando(s.normal) && bandas.sumarSaturando(s.reducida);
    for (const auto& [nombre, suma] : s.otras)
        caben = caben && bandas.sumarSaturando(suma);
    if (t.desborde || s.desborde || !caben)
        return std::nullopt;
    std::string otras;
    for (const auto& [nombre, suma] : s.otras)
        otras +=
            "Importe franja " + nombre + ":\t" + TextoPorcentaje(suma, bandas, separador) + "\n";
    const std::string euros =
        General::FormatoFijo(t.ImporteTotal.aDouble() / PesetasPorEuro, separador);
    return "Llamadas efectuadas: \t" + std::to_string(t.llamadas) + "\n" +
           "Segundos facturados: \t" + std::to_string(t.SegundosTotal) + " \"\n" +
           "Tiempo de conexión: \t" + General::FormatoDuracion(t.TiempoTotal) + "\n" +
           "Importe hora punta:\t\t" + TextoPorcentaje(s.punta, bandas, separador) + "\n" +
           "Importe hora normal:\t" + TextoPorcentaje(s.normal, bandas, separador) + "\n" +
           "Importe hora reducida:\t" + TextoPorcentaje(s.reducida, bandas, separador) + "\n" +
           otras + "Importe en euros:\t\t" + euros + " €\n" + "Importe en pesetas: \t\t" +
           Registro::TextoImporte(t.ImporteTotal, separador) + " pts";
}

} // namespace Estadistica
