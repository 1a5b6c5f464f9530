// Statistics commands of the call-log window (placeholders until the statistics land).
#include "stats/ComandosEstadistica.h"

#include <QPainter>

PanelGrafico::PanelGrafico(QWidget* padre) : QWidget(padre) {}

void PanelGrafico::setPintor(Pintor pintor) {
    pintor_ = std::move(pintor);
    update();
}

void PanelGrafico::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (pintor_)
        pintor_(p, rect());
}

namespace Estadistica {
void MostrarEstimado(const Contexto&) {}
void MostrarTotales(const Contexto&) {}
void DibujarRegularidad(const Contexto&, PanelGrafico&) {}
void DibujarImporteHoraDia(const Contexto&, PanelGrafico&, PanelGrafico&) {}
QColor ColorFila(const Llamada&) { return Qt::white; }
} // namespace Estadistica
