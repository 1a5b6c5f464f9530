// Budget of the billing period: amount spent, projection to the period's end, and their colour.
#include "stats/Presupuesto.h"

#include "core/Formato.h"

#include <limits>

namespace Estadistica {

namespace {

std::string Pesetas(Moneda m, char separador) {
    return General::FormatoFijo(m.aDouble(), separador) + " pts";
}

} // namespace

std::optional<Moneda> LeerPresupuesto(std::string_view texto) {
    const auto v = General::LeerEntero(texto, 0, PresupuestoMaximo);
    if (!v)
        return std::nullopt;
    return Moneda::desdeEntero(*v);
}

Moneda SumaImportes(const std::vector<Llamada>& llamadas) {
    int64_t suma = 0;
    for (const Llamada& l : llamadas)
        if (__builtin_add_overflow(suma, l.Importe.diezmilesimas(), &suma))
            suma = l.Importe.diezmilesimas() > 0 ? std::numeric_limits<int64_t>::max()
                                                 : std::numeric_limits<int64_t>::min();
    return Moneda::desdeDiezmilesimas(suma);
}

std::optional<Moneda> ProyectarPeriodo(const std::vector<Llamada>& llamadas,
                                       const Periodo& periodo) {
    if (const auto estimado = ImporteEstimado(llamadas, periodo))
        return estimado;
    const auto dias = (periodo.final - periodo.inicio).count() + 1;
    const auto transcurridos = (periodo.hoy - periodo.inicio).count() + 1;
    if (dias < 1 || transcurridos < 1)
        return std::nullopt;
    return Moneda::desdeDouble(SumaImportes(llamadas).aDouble() * static_cast<double>(dias) /
                               static_cast<double>(transcurridos));
}

EstadoPresupuesto ClasificarPresupuesto(Moneda gastado, Moneda presupuesto,
                                        std::optional<Moneda> proyeccion) {
    if (gastado > presupuesto)
        return EstadoPresupuesto::Rojo;
    if (proyeccion && *proyeccion > presupuesto)
        return EstadoPresupuesto::Amarillo;
    return EstadoPresupuesto::Verde;
}

SituacionPresupuesto EvaluarPresupuesto(const std::vector<Llamada>& llamadas,
                                        const Periodo& periodo, std::optional<Moneda> presupuesto) {
    SituacionPresupuesto s;
    if (!presupuesto)
        return s;
    s.presupuesto = *presupuesto;
    s.gastado = SumaImportes(llamadas);
    s.proyeccion = ProyectarPeriodo(llamadas, periodo);
    s.estado = ClasificarPresupuesto(s.gastado, s.presupuesto, s.proyeccion);
    return s;
}

bool Superado(EstadoPresupuesto estado) {
    return estado == EstadoPresupuesto::Amarillo || estado == EstadoPresupuesto::Rojo;
}

std::string TextoPresupuesto(const SituacionPresupuesto& s, char separador) {
    return "Progreso del periodo\nGastado: " + Pesetas(s.gastado, separador) +
           "\nPresupuesto: " + Pesetas(s.presupuesto, separador) +
           "\nPrevisto al final del periodo: " +
           (s.proyeccion ? Pesetas(*s.proyeccion, separador) : std::string("sin datos"));
}

std::string TextoAvisoPresupuesto(const SituacionPresupuesto& s, char separador) {
    if (s.estado == EstadoPresupuesto::Rojo)
        return "Ha superado el presupuesto del periodo: lleva gastadas " +
               Pesetas(s.gastado, separador) + " de un presupuesto de " +
               Pesetas(s.presupuesto, separador) + ".";
    return "Al ritmo actual superará el presupuesto del periodo: se prevén " +
           Pesetas(s.proyeccion.value_or(s.gastado), separador) + " de un presupuesto de " +
           Pesetas(s.presupuesto, separador) + ".";
}

} // namespace Estadistica
