// Call records and a catalogue with a plan for the statistics tests.
#pragma once

#include "calllog/Llamada.h"
#include "tariffs/LectorPlanes.h"

#include <string>

inline Llamada UnaLlamada(int anio, int mes, int dia, int hora, int minuto, double importe,
                          std::string tarifa = "Metropolitana", int64_t duracion = 0,
                          int32_t segundos = 0) {
    return Llamada(*Fechas::crearDia(anio, mes, dia), Fechas::SegundosDelDia(hora, minuto, 0),
                   duracion, segundos, Moneda::redondear(importe), std::move(tarifa));
}

// The built-in tariff and a plan of type "Valle": band "valle" (no colour) to 12:00, then "pico".
inline Tarifas::Catalogo ConUnPlan() {
    Tarifas::Catalogo catalogo = Tarifas::CatalogoIncorporado();
    catalogo.planes.push_back(
        *Tarifas::LeerPlan("nombre = \"Otro\"\n[[tipo]]\nnombre = \"Valle\"\n"
                           "franjas = { valle = 1, pico = { precio = 2, color = \"#FFE4B5\" } }\n"
                           "laborales = [\"00:00:00-11:59:59 valle\", \"12:00:00-23:59:59 pico\"]\n"
                           "sabados = [\"00:00:00-23:59:59 valle\"]\n"
                           "festivos = [\"00:00:00-23:59:59 valle\"]\n",
                           "otro.toml", catalogo)
             .plan);
    return catalogo;
}
