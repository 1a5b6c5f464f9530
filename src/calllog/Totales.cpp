// Sums over the loaded calls and the text of today's summary.
#include "calllog/Totales.h"

#include "core/Formato.h"

namespace Registro {

namespace {
void Sumar(Totales& t, const Llamada& llamada) {
    if (!t.ImporteTotal.sumarSaturando(llamada.Importe))
        t.desborde = true;
    t.SegundosTotal += llamada.Segundos;
    t.TiempoTotal += SegundosConexion(llamada);
    ++t.llamadas;
}
} // namespace

Totales CalcularTotales(const std::vector<Llamada>& llamadas) {
    Totales t;
    for (const Llamada& llamada : llamadas)
        Sumar(t, llamada);
    return t;
}

Totales TotalesDelDia(const std::vector<Llamada>& llamadas, Fechas::Dia hoy) {
    Totales t;
    for (const Llamada& llamada : llamadas)
        if (llamada.Fecha == Fechas::ValorFecha(hoy)) // a date alone: one with a time never is
            Sumar(t, llamada);
    return t;
}

std::string TextoImporte(Moneda importe, char separador) {
    std::string texto = importe.textoArchivo();
    for (char& c : texto)
        if (c == '.')
            c = separador;
    return texto;
}

std::string TextoDesborde(char separador) {
    return "La suma de los importes supera " +
           TextoImporte(Moneda::desdeDiezmilesimas(Moneda::Limite), separador) +
           " pts, el mayor importe que se puede calcular.\nCorrija los importes erróneos.";
}

std::string TextoDatosHoy(const Totales& t, char separador) {
    return "Llamadas efectuadas: \t" + std::to_string(t.llamadas) + "\n" +
           "Segundos facturados: \t" + std::to_string(t.SegundosTotal) + " \"\n" +
           "Tiempo de conexión: \t" + General::FormatoDuracion(t.TiempoTotal) + "\n" +
           "Importe de las llamadas: \t" + TextoImporte(t.ImporteTotal, separador) + " pts";
}

} // namespace Registro
