// CalendarioPeriodo: the month grid of the billing-period calendar, its selection and the period
// checks.
#pragma once

#include "core/Fecha.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace Periodo {

inline constexpr int NumeroCeldas = 37;
inline constexpr int AnioMinimo = 1998;
// The later of 2010 and next year, so the current and the coming year can always be shown.
int AnioMaximo(int anioHoy);

int DiasDelMes(int anio, int mes);
// Weekday of the 1st of the month, Monday = 1 .. Sunday = 7.
int DiaSemanaPrimero(int anio, int mes);

class CalendarioPeriodo {
public:
    // Clears every cell, then numbers the days of the month from the cell of its 1st.
    void Mostrar(int anio, int mes);
    int anio() const { return anio_; }
    int mes() const { return mes_; }
    int primerDia() const { return primerDia_; }

    // Day shown in cell n (1..37); 0 for an empty, disabled cell.
    int dia(int n) const;
    bool habilitada(int n) const { return dia(n) != 0; }
    int CeldaDe(int dia) const { return dia + primerDia_ - 1; }

    // Selects cell n; an empty cell is refused and the selection stays.
    bool Seleccionar(int n);
    // Selects a day number, or the month's last day when the month is shorter.
    void SeleccionarDia(int dia);
    int seleccionada() const { return seleccionada_; }
    int diaSeleccionado() const { return dia(seleccionada_); }
    // "15/3/1999": the selected day of the month shown; empty when nothing is selected.
    std::string TextoSeleccion() const;

private:
    int anio_ = 0;
    int mes_ = 0;
    int primerDia_ = 1;
    std::array<int, NumeroCeldas> dias_{};
    int seleccionada_ = 0;
};

// Both dates of a period as read from the date boxes.
struct FechasPeriodo {
    Fechas::Dia inicio;
    Fechas::Dia fin;
};
// Reads the two date texts; on failure `error` holds the message for the user.
std::optional<FechasPeriodo> ComprobarPeriodo(std::string_view inicio, std::string_view fin,
                                              std::string& error);

} // namespace Periodo
