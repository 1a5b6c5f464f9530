// What the regularity chart and the amount by hour and weekday charts draw.
#include "stats/DatosGraficos.h"

#include "core/Fecha.h"

#include <algorithm>

namespace Estadistica {

std::array<double, 3> AlturasGuias(double maximo) {
    return {maximo / 2, maximo / 4, 3 * maximo / 4};
}

int GrosorRegularidad(std::size_t n) {
    if (n > 150)
        return 1;
    if (n > 125)
        return 2;
    if (n > 100)
        return 3;
    if (n > 75)
        return 4;
    return 5;
}

bool DatosRegularidad::hayCurva() const {
    return importes.size() >= 2 && maximo != minimo;
}

Escala DatosRegularidad::escalaCurva() const {
    return {0, maximo, static_cast<double>(importes.size()) - 1, minimo};
}

bool DatosRegularidad::hayGuias() const {
    return importes.empty() || hayCurva();
}

Escala DatosRegularidad::escalaGuias() const {
    return {0, maximo, 10, 10};
}

DatosRegularidad CalcularRegularidad(const std::vector<Llamada>& llamadas) {
    DatosRegularidad d;
    d.grosor = GrosorRegularidad(llamadas.size());
    Moneda maximo;
    Moneda minimo = Moneda::desdeDiezmilesimas(114000);
    d.importes.reserve(llamadas.size());
    for (const Llamada& l : llamadas) {
        maximo = std::max(maximo, l.Importe);
        minimo = std::min(minimo, l.Importe);
        d.importes.push_back(l.Importe.aDouble());
    }
    d.maximo = maximo.aDouble();
    d.minimo = minimo.aDouble();
    return d;
}

DatosHoraDia CalcularHoraDia(const std::vector<Llamada>& llamadas) {
    DatosHoraDia d;
    for (const Llamada& l : llamadas) {
        const int hora = l.Hora.hora();
        // A sum past the range stays at its end: the bar then reaches the top, as it should.
        if (hora >= 0 && hora < 24)
            d.horas[static_cast<std::size_t>(hora)].sumarSaturando(l.Importe);
        d.dias[static_cast<std::size_t>(Fechas::DiaSemana(l.Fecha.dia()) - 1)].sumarSaturando(
            l.Importe);
    }
    return d;
}

namespace {

template <std::size_t N> DatosBarras Barras(const std::array<Moneda, N>& sumas, double ancho) {
    DatosBarras b;
    b.ancho = ancho;
    Moneda maximo;
    for (const Moneda& s : sumas) {
        maximo = std::max(maximo, s);
        // Bars rise to the sum taken in single precision.
        b.alturas.push_back(static_cast<double>(static_cast<float>(s.aDouble())));
    }
    b.maximo = maximo.aDouble();
    return b;
}

} // namespace

DatosBarras BarrasHora(const DatosHoraDia& datos) {
    return Barras(datos.horas, 49);
}
DatosBarras BarrasDia(const DatosHoraDia& datos) {
    return Barras(datos.dias, 15);
}

} // namespace Estadistica
