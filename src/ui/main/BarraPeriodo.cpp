// BarraPeriodo: painting and budget colours of the period progress bar.
#include "ui/main/BarraPeriodo.h"

#include <QPainter>

namespace {

// Chunk colour of the progress bar for a budget state; invalid: the highlight colour.
QColor ColorPresupuesto(Estadistica::EstadoPresupuesto estado) {
    switch (estado) {
    case Estadistica::EstadoPresupuesto::Verde:
        return QColor(40, 170, 60);
    case Estadistica::EstadoPresupuesto::Amarillo:
        return QColor(235, 190, 0);
    case Estadistica::EstadoPresupuesto::Rojo:
        return QColor(215, 40, 40);
    case Estadistica::EstadoPresupuesto::Ninguno:
        break;
    }
    return {};
}

} // namespace

void BarraPeriodo::MostrarPresupuesto(const Estadistica::SituacionPresupuesto& situacion,
                                      char separador) {
    QPalette paleta; // nothing set: the bar looks as it does without a budget
    if (const QColor color = ColorPresupuesto(situacion.estado); color.isValid())
        paleta.setColor(QPalette::Highlight, color);
    setPalette(paleta);
    setToolTip(situacion.estado == Estadistica::EstadoPresupuesto::Ninguno
                   ? QString("Progreso del periodo")
                   : QString::fromStdString(Estadistica::TextoPresupuesto(situacion, separador)));
}

void BarraPeriodo::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.fillRect(rect(), Qt::white);
    const int ancho = qRound(width() * porcentaje / 100.0f);
    g.fillRect(QRect(0, 0, ancho, height()), palette().color(QPalette::Highlight));
}
