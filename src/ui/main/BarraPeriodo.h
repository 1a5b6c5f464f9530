// BarraPeriodo: the main window's billing-period progress bar, coloured by the budget.
#pragma once

#include "stats/Presupuesto.h"

#include <QWidget>

// A box from 0 to `porcentaje` of a 0..100 scale, in the budget's colour.
class BarraPeriodo : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    float porcentaje = 0;

    // Chunk colour and tool tip for the budget's state; no budget: the highlight colour and
    // "Progreso del periodo".
    void MostrarPresupuesto(const Estadistica::SituacionPresupuesto& situacion, char separador);

protected:
    void paintEvent(QPaintEvent*) override;
};
