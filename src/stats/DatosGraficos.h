// What the regularity chart and the amount by hour and weekday charts draw, in user coordinates.
#pragma once

#include "calllog/Llamada.h"
#include "core/Moneda.h"

#include <array>
#include <cstddef>
#include <vector>

namespace Estadistica {

// A user coordinate system: x runs from izquierda to derecha across the box, y from arriba at
// the top edge to abajo at the bottom edge.
struct Escala {
    double izquierda = 0;
    double arriba = 0;
    double derecha = 1;
    double abajo = 1;
    bool operator==(const Escala&) const = default;
};

// Dotted guides at maximo / 2, / 4 and * 3 / 4, in drawing order.
std::array<double, 3> AlturasGuias(double maximo);

// Line width in pixels of the regularity curve for n calls.
int GrosorRegularidad(std::size_t n);

// The regularity chart: the amount of every call, one after another.
struct DatosRegularidad {
    std::vector<double> importes; // point k is (k, importes[k])
    double maximo = 0;            // largest amount, from 0
    double minimo = 11.4;         // smallest amount, from the Metropolitana set-up charge
    int grosor = 5;

    // The curve's scale; it exists only with a width and a height: two calls or more whose
    // amounts are not all equal.
    bool hayCurva() const;
    Escala escalaCurva() const;
    // Guides span x 0..10 on a scale whose bottom is the amount 10. With one call or equal
    // amounts the chart shows only its background.
    bool hayGuias() const;
    Escala escalaGuias() const;
};
DatosRegularidad CalcularRegularidad(const std::vector<Llamada>& llamadas);

// Sums of the amounts by the hour in which each call started and by the weekday of its date.
struct DatosHoraDia {
    std::array<Moneda, 24> horas{};
    std::array<Moneda, 7> dias{}; // Monday first
};
DatosHoraDia CalcularHoraDia(const std::vector<Llamada>& llamadas);

// One bar chart: bar i spans x 2i + 1 to 2i + 2 and rises from 0 to alturas[i]; the scale runs
// from 0 to ancho across and from maximo (top, the largest sum or 0) down to 0.
struct DatosBarras {
    std::vector<double> alturas;
    double maximo = 0;
    double ancho = 0;
    Escala escala() const { return {0, maximo, ancho, 0}; }
};
DatosBarras BarrasHora(const DatosHoraDia& datos);
DatosBarras BarrasDia(const DatosHoraDia& datos);

} // namespace Estadistica
