// Painting of the statistics charts onto any QPainter: the panels and the tests share it.
#pragma once

#include "stats/DatosGraficos.h"
#include "ui/common/Controles.h"

#include <QColor>
#include <QRect>
#include <cstdint>

class QPainter;

namespace Estadistica {

// Background, the curve through the calls' amounts, and the dotted guides.
void PintarRegularidad(QPainter& p, const QRect& area, const DatosRegularidad& datos,
                       const QColor& fondo);
// Background, one black bar per sum, and the dotted guides across them.
void PintarBarras(QPainter& p, const QRect& area, const DatosBarras& datos, const QColor& fondo);

} // namespace Estadistica
