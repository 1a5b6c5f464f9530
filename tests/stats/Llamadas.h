// Call records for the statistics tests.
#pragma once

#include "calllog/Llamada.h"

#include <string>

inline Llamada UnaLlamada(int anio, int mes, int dia, int hora, int minuto, double importe,
                          std::string tarifa = "Metropolitana", int64_t duracion = 0,
                          int32_t segundos = 0) {
    return Llamada{*Fechas::crearDia(anio, mes, dia),
                   Fechas::SegundosDelDia(hora, minuto, 0),
                   duracion,
                   segundos,
                   Moneda::redondear(importe),
                   std::move(tarifa)};
}
