// Projection of a billing period's calls to its end, and the figures of the estimates box.
#include "stats/Estimaciones.h"

#include "calllog/Totales.h"
#include "core/Formato.h"

#include <cmath>

namespace General {

int64_t ContarDiaSemana(Fechas::Dia desde, Fechas::Dia hasta, int diaSemana) {
    if (hasta < desde || diaSemana < 1 || diaSemana > 7)
        return 0;
    const int adelanto = (diaSemana - Fechas::DiaSemana(desde) + 7) % 7;
    const Fechas::Dia primero = desde + std::chrono::days{adelanto};
    if (hasta < primero)
        return 0;
    return (hasta - primero).count() / 7 + 1;
}

std::optional<Moneda> ProyectarDiaSemana(Fechas::Dia inicio, Fechas::Dia final, int diaSemana,
                                         Moneda importe, Fechas::Dia hoy) {
    const int64_t transcurridos = ContarDiaSemana(inicio, hoy, diaSemana);
    if (transcurridos == 0)
        return std::nullopt;
    const int64_t enPeriodo = ContarDiaSemana(inicio, final, diaSemana);
    return Moneda::desdeDouble(static_cast<double>(enPeriodo) *
                               (importe.aDouble() / static_cast<double>(transcurridos)));
}

} // namespace General

namespace Estadistica {

namespace {

int64_t DiasEntre(Fechas::Dia desde, Fechas::Dia hasta) {
    return (hasta - desde).count() + 1;
}

constexpr const char* NombresDia[] = {"lunes",   "martes", "miércoles", "jueves",
                                      "viernes", "sábado", "domingo"};

std::optional<Estimado> SinEstimado(std::string* motivo, std::string texto) {
    if (motivo)
        *motivo = std::move(texto);
    return std::nullopt;
}

} // namespace

std::optional<Moneda> EstimarDiaSemana(const std::vector<Llamada>& llamadas, const Periodo& periodo,
                                       int diaSemana) {
    Moneda suma;
    for (const Llamada& l : llamadas)
        if (Fechas::DiaSemana(l.Fecha.dia()) == diaSemana && !suma.sumarSaturando(l.Importe))
            return std::nullopt;
    return General::ProyectarDiaSemana(periodo.inicio, periodo.final, diaSemana, suma, periodo.hoy);
}

std::optional<Moneda> ImporteEstimado(const std::vector<Llamada>& llamadas,
                                      const Periodo& periodo) {
    Moneda estimado;
    for (int dia = 1; dia <= 7; ++dia) {
        const auto importe = EstimarDiaSemana(llamadas, periodo, dia);
        if (!importe || !estimado.sumarSaturando(*importe))
            return std::nullopt;
    }
    return estimado;
}

std::optional<Estimado> CalcularEstimado(const std::vector<Llamada>& llamadas,
                                         const Periodo& periodo, char separador,
                                         std::string* motivo) {
    const std::string demasiado = "Los importes son demasiado grandes para estimarlos.";
    if (periodo.hoy < periodo.inicio)
        return SinEstimado(motivo, "El periodo de facturación aún no ha empezado.");
    for (int dia = 1; dia <= 7; ++dia)
        if (General::ContarDiaSemana(periodo.inicio, periodo.hoy, dia) == 0)
            return SinEstimado(motivo, std::string("Aún no ha pasado ningún ") +
                                           NombresDia[dia - 1] + " del periodo de facturación.");
    const auto importeEstimado = ImporteEstimado(llamadas, periodo);
    if (!importeEstimado)
        return SinEstimado(motivo, demasiado);
    const Moneda estimado = *importeEstimado;
    const int64_t dias = DiasEntre(periodo.inicio, periodo.final);
    const int64_t transcurridos = DiasEntre(periodo.inicio, periodo.hoy);
    const Registro::Totales totales = Registro::CalcularTotales(llamadas);
    if (dias < 1 || transcurridos < 1)
        return SinEstimado(motivo, "El periodo de facturación termina antes de empezar.");
    if (totales.llamadas == 0)
        return SinEstimado(motivo, "No hay llamadas.");
    if (totales.desborde)
        return SinEstimado(motivo, demasiado);

    // Each amount is worked out from the text shown for the one before it.
    Estimado e;
    e.importeEstimado = General::FormatoFijo(estimado.aDouble(), separador);
    const auto total = General::LeerNumero(e.importeEstimado, separador);
    if (!total)
        return SinEstimado(motivo, demasiado);
    e.importeDiario = General::FormatoFijo(*total / static_cast<double>(dias), separador);
    const auto diario = General::LeerNumero(e.importeDiario, separador);
    if (!diario)
        return SinEstimado(motivo, demasiado);
    e.importeSemanal = General::FormatoFijo(*diario * 7, separador);
    const auto mensual =
        General::LeerNumero(General::FormatoFijo(*diario * 30, separador), separador);
    const auto mensualMoneda = mensual ? Moneda::desdeDouble(*mensual) : std::nullopt;
    if (!mensualMoneda)
        return SinEstimado(motivo, demasiado);
    e.importeMensual = Registro::TextoImporte(*mensualMoneda, separador);

    const double n = static_cast<double>(totales.llamadas);
    const double d = static_cast<double>(dias);
    const double t = static_cast<double>(transcurridos);
    e.llamadasDia = General::FormatoUnDecimal(n / t, separador);
    e.llamadasEstimadas = General::FormatoEntero(n * d / t);
    e.importeLlamada = General::FormatoFijo(totales.ImporteTotal.aDouble() / n, separador);
    // A whole number of seconds, halves to the even neighbour.
    const double tiempo = std::nearbyint(static_cast<double>(totales.TiempoTotal) * d / t);
    e.tiempoEstimado = General::FormatoDuracion(static_cast<int64_t>(tiempo));
    return e;
}

std::string TextoEstimado(const Estimado& e) {
    return "Llamadas al día: \t\t" + e.llamadasDia + "\n" + "Llamadas estimadas: \t" +
           e.llamadasEstimadas + "\n" + "Tiempo estimado: \t\t" + e.tiempoEstimado + "\n" +
           "Importe por llamada: \t" + e.importeLlamada + " pts\n" + "Importe diario: \t\t" +
           e.importeDiario + " pts\n" + "Importe semanal: \t\t" + e.importeSemanal + " pts\n" +
           "Importe mensual: \t\t" + e.importeMensual + " pts\n" + "Importe estimado: \t\t" +
           e.importeEstimado + " pts";
}

} // namespace Estadistica
