// Statistics and charts of the loaded calls, run from the call-log window's toolbar.
#pragma once

#include "calllog/Llamada.h"
#include "core/Fecha.h"

#include <QColor>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class Prompts;
class SettingsStore;
class QPainter;
namespace Tarifas {
struct Catalogo;
}

// A chart panel (`Grafico`, `Grafico2`, `Grafico3`): paints itself with the function it holds.
class PanelGrafico : public QWidget {
    Q_OBJECT
public:
    using Pintor = std::function<void(QPainter&, const QRect&)>;
    explicit PanelGrafico(QWidget* padre = nullptr);
    void setPintor(Pintor pintor);

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    Pintor pintor_;
};

namespace Estadistica {

// What every command reads: the window, its prompts, the settings (billing period), the time
// now, the current call type, the plans that price it and the loaded calls (`ListaLlamadas`).
struct Contexto {
    QWidget* ventana;
    Prompts& avisos;
    const SettingsStore& ajustes;
    Fechas::FechaHora ahora;
    std::string tipoLlamada;
    const Tarifas::Catalogo& catalogo;
    const std::vector<Llamada>& llamadas;
};

// Shows the estimate; when there is none to give, shows nothing and returns why.
QString MostrarEstimado(const Contexto& contexto);
void MostrarTotales(const Contexto& contexto);
void DibujarRegularidad(const Contexto& contexto, PanelGrafico& Grafico);
void DibujarImporteHoraDia(const Contexto& contexto, PanelGrafico& Grafico2,
                           PanelGrafico& Grafico3);
// Row colour of `ColorearTarifa`: the band colour of the call's start under the plan of its
// Tarifa, black for a call type no plan knows.
QColor ColorFila(const Llamada& llamada, const Tarifas::Catalogo& catalogo);

} // namespace Estadistica
