// Month grid, selection rules and period checks of the billing-period calendar.
#include "period/CalendarioPeriodo.h"

#include <algorithm>

namespace Periodo {

int AnioMaximo(int anioHoy) {
    return std::max(2010, anioHoy + 1);
}

int DiasDelMes(int anio, int mes) {
    using namespace std::chrono;
    return static_cast<int>(
        unsigned(year_month_day_last{year{anio} / month{static_cast<unsigned>(mes)} / last}.day()));
}

int DiaSemanaPrimero(int anio, int mes) {
    return Fechas::DiaSemana(*Fechas::crearDia(anio, mes, 1));
}

void CalendarioPeriodo::Mostrar(int anio, int mes) {
    anio_ = anio;
    mes_ = mes;
    dias_.fill(0);
    primerDia_ = DiaSemanaPrimero(anio, mes);
    const int dias = DiasDelMes(anio, mes);
    for (int d = 1; d <= dias; ++d)
        dias_[CeldaDe(d) - 1] = d;
    if (!habilitada(seleccionada_))
        seleccionada_ = 0;
}

int CalendarioPeriodo::dia(int n) const {
    if (n < 1 || n > NumeroCeldas)
        return 0;
    return dias_[n - 1];
}

bool CalendarioPeriodo::Seleccionar(int n) {
    if (!habilitada(n))
        return false;
    seleccionada_ = n;
    return true;
}

void CalendarioPeriodo::SeleccionarDia(int d) {
    Seleccionar(CeldaDe(std::clamp(d, 1, DiasDelMes(anio_, mes_))));
}

std::string CalendarioPeriodo::TextoSeleccion() const {
    if (diaSeleccionado() == 0)
        return {};
    return std::to_string(diaSeleccionado()) + "/" + std::to_string(mes_) + "/" +
           std::to_string(anio_);
}

std::optional<FechasPeriodo> ComprobarPeriodo(std::string_view inicio, std::string_view fin,
                                              std::string& error) {
    const bool sinInicio = inicio.find_first_not_of(' ') == std::string_view::npos;
    const bool sinFin = fin.find_first_not_of(' ') == std::string_view::npos;
    if (sinInicio || sinFin) {
        error =
            sinInicio ? "Falta la fecha inicial del periodo." : "Falta la fecha final del periodo.";
        return std::nullopt;
    }
    const auto a = Fechas::LeerFecha(inicio);
    const auto b = Fechas::LeerFecha(fin);
    if (!a || !b) {
        error = !a ? "La fecha inicial no es una fecha válida."
                   : "La fecha final no es una fecha válida.";
        return std::nullopt;
    }
    if (*b < *a) {
        error = "La fecha final es anterior a la fecha inicial.";
        return std::nullopt;
    }
    return FechasPeriodo{*a, *b};
}

} // namespace Periodo
