// Texts of call fields in the user's locale (QLocale's default), shared by the grid and listing.
#pragma once

#include "calllog/DisenoListado.h"
#include "calllog/EdicionCelda.h"
#include "core/Fecha.h"
#include "core/Moneda.h"

#include <QDate>
#include <QString>

namespace FormatoLocal {

QDate ADate(Fechas::Dia dia);
// Short date form ("15/3/99" in Spain).
QString Fecha(Fechas::Dia dia);
// Time form with seconds ("18:25:03" in Spain).
QString Hora(int32_t segundoDelDia);
// A duration below a day in the time form, a longer one as hours:minutes:seconds.
QString Duracion(int64_t segundos);
// A date field as read: its date in the short form, its time, or both joined by a space.
QString Valor(Fechas::ValorFecha valor);
// A `Duracion` field: the length it stands for (days included), or as Valor before 1899-12-30.
QString Duracion(Fechas::ValorFecha valor);
// A call type's bytes as text (UTF-8, or else Windows-1252).
QString Tarifa(std::string_view bytes);
// Plain decimal amount with the locale's separator, no grouping, no trailing zeros.
QString Importe(Moneda importe);
// A date and time as the listing heading shows them.
QString FechaHora(const Fechas::FechaHora& momento);

// The user's decimal separator as one byte; a mark that is not one ASCII character gives '.'.
char SeparadorDecimal();
char SeparadorDecimal(const QString& marca);
Registro::FormaLocal Forma();
Registro::FormatoListado Listado();

} // namespace FormatoLocal
