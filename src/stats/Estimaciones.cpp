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

// The value as its figure shows it, with this many decimals ("fixed" or "##0.0"), as a number for
// the next step to work from.
std::optional<double> Redondeado(double valor, int decimales) {
    return General::LeerNumero(decimales == 1 ? General::FormatoUnDecimal(valor, '.')
                                              : General::FormatoFijo(valor, '.'),
                               '.');
}

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
                                         const Periodo& periodo, std::string* motivo) {
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
    const int64_t dias = DiasEntre(periodo.inicio, periodo.final);
    const int64_t transcurridos = DiasEntre(periodo.inicio, periodo.hoy);
    const Registro::Totales totales = Registro::CalcularTotales(llamadas);
    if (dias < 1 || transcurridos < 1)
        return SinEstimado(motivo, "El periodo de facturación termina antes de empezar.");
    if (totales.llamadas == 0)
        return SinEstimado(motivo, "No hay llamadas.");
    if (totales.desborde)
        return SinEstimado(motivo, demasiado);

    // Each amount is worked out from the rounded figure shown for the one before it.
    const auto total = Redondeado(importeEstimado->aDouble(), 2);
    const auto diario = total ? Redondeado(*total / static_cast<double>(dias), 2) : std::nullopt;
    const auto semanal = diario ? Redondeado(*diario * 7, 2) : std::nullopt;
    const auto mensual = diario ? Redondeado(*diario * 30, 2) : std::nullopt;
    const double n = static_cast<double>(totales.llamadas);
    const double d = static_cast<double>(dias);
    const double t = static_cast<double>(transcurridos);
    const auto porLlamada = Redondeado(totales.ImporteTotal.aDouble() / n, 2);
    const auto alDia = Redondeado(n / t, 1);
    if (!alDia)
        return SinEstimado(motivo, demasiado);
    Estimado e;
    for (const auto& [importe, destino] :
         {std::pair{total, &e.importeEstimado}, std::pair{diario, &e.importeDiario},
          std::pair{semanal, &e.importeSemanal}, std::pair{mensual, &e.importeMensual},
          std::pair{porLlamada, &e.importeLlamada}}) {
        const auto moneda = importe ? Moneda::desdeDouble(*importe) : std::nullopt;
        if (!moneda)
            return SinEstimado(motivo, demasiado);
        *destino = *moneda;
    }
    e.llamadasDia = *alDia;
    e.llamadasEstimadas = General::RedondearEntero(n * d / t);
    // A whole number of seconds, halves to the even neighbour.
    e.tiempoEstimado =
        static_cast<int64_t>(std::nearbyint(static_cast<double>(totales.TiempoTotal) * d / t));
    return e;
}

std::string TextoEstimado(const Estimado& e, char separador) {
    const auto fijo = [separador](Moneda m) {
        return General::FormatoFijo(m.aDouble(), separador);
    };
    return "Llamadas al día: \t\t" + General::FormatoUnDecimal(e.llamadasDia, separador) + "\n" +
           "Llamadas estimadas: \t" + std::to_string(e.llamadasEstimadas) + "\n" +
           "Tiempo estimado: \t\t" + General::FormatoDuracion(e.tiempoEstimado) + "\n" +
           "Importe por llamada: \t" + fijo(e.importeLlamada) + " pts\n" + "Importe diario: \t\t" +
           fijo(e.importeDiario) + " pts\n" + "Importe semanal: \t\t" + fijo(e.importeSemanal) +
           " pts\n" + "Importe mensual: \t\t" +
           Registro::TextoImporte(e.importeMensual, separador) + " pts\n" +
           "Importe estimado: \t\t" + fijo(e.importeEstimado) + " pts";
}

} // namespace Estadistica
