// Llamada, the call record: what one line of a call-log file holds.
#pragma once

#include "calllog/TextoTarifa.h"
#include "core/Fecha.h"
#include "core/Moneda.h"

#include <cstdint>

// Each date field keeps the literal's parts as read; the meter writes a date alone in `Fecha`, a
// time alone in `Hora` and, in `Duracion`, a day-count length (a day or more keeps its days).
struct Llamada {
    Fechas::ValorFecha Fecha = Fechas::Epoca; // day the call started
    Fechas::ValorFecha Hora = 0;              // start time
    Fechas::ValorFecha Duracion = 0;          // connection time
    int32_t Segundos = 0;                     // billed seconds
    Moneda Importe;                           // pesetas
    TextoTarifa Tarifa;                       // call type in force, as the bytes read
    bool operator==(const Llamada&) const = default;
};
static_assert(sizeof(Llamada) <= 40, "a call is kept in 40 bytes in the window");

// Connection seconds of a call: the length its `Duracion` stands for, days included; a date
// before 1899-12-30 counts its time of day only.
inline int64_t SegundosConexion(const Llamada& l) {
    return l.Duracion.segundos() >= 0 ? l.Duracion.segundos() : l.Duracion.segundo();
}
