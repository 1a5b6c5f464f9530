// Printing of the call listing on A4 paper, positions in centimetres from the printable area.
#pragma once

#include "calllog/Llamada.h"
#include "core/Fecha.h"

#include <QFont>
#include <QString>
#include <vector>

class QPagedPaintDevice;
class QPrinter;

namespace Listado {

inline constexpr double MargenSuperiorCm = 1.0;
inline constexpr double MargenInferiorCm = 1.5;

struct Datos {
    const std::vector<Llamada>& llamadas;
    QString archivo;
    Fechas::FechaHora ahora;
    QFont fuente;
};

// Puts the printer on A4 paper with positions from the left edge of its printable area.
void PrepararImpresora(QPrinter& impresora);
// Paints the listing, starting new pages as lines run out; false when painting failed.
bool Imprimir(QPagedPaintDevice& dispositivo, const Datos& datos);

} // namespace Listado
