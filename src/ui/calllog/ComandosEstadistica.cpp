// Statistics commands of the call-log window: estimates, totals, charts and row colours.
#include "ui/calllog/ComandosEstadistica.h"

#include "calllog/Totales.h"
#include "platform/FormatoLocal.h"
#include "platform/Prompts.h"
#include "settings/Ajustes.h"
#include "stats/DatosGraficos.h"
#include "stats/Estimaciones.h"
#include "stats/TotalesFranja.h"
#include "tariffs/Planes.h"
#include "ui/calllog/PintarGraficos.h"

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

namespace {

// The band colour of the moment of drawing under the current call type.
QColor FondoAhora(const Contexto& contexto) {
    return ColorQt(Tarifas::ColorFranjaPlan(contexto.catalogo, contexto.ahora.segundo / 3600,
                                            contexto.ahora.dia, contexto.tipoLlamada));
}

void AvisarDesborde(const Contexto& contexto) {
    contexto.avisos.message(
        contexto.ventana, QStringLiteral("VatriMox"),
        QString::fromStdString(Registro::TextoDesborde(FormatoLocal::SeparadorDecimal())),
        Prompts::Icono::Exclamacion);
}

} // namespace

void MostrarEstimado(const Contexto& contexto) {
    if (Registro::CalcularTotales(contexto.llamadas).desborde) {
        AvisarDesborde(contexto);
        return;
    }
    const auto periodo = General::LeerPeriodo(contexto.ajustes);
    const auto estimado =
        periodo ? CalcularEstimado(contexto.llamadas,
                                   Periodo{periodo->inicio, periodo->fin, contexto.ahora.dia})
                : std::nullopt;
    if (!estimado) {
        contexto.avisos.beep();
        return;
    }
    contexto.avisos.message(
        contexto.ventana, QStringLiteral("Estadística de las llamadas"),
        QString::fromStdString(TextoEstimado(*estimado, FormatoLocal::SeparadorDecimal())),
        Prompts::Icono::Ninguno);
}

void MostrarTotales(const Contexto& contexto) {
    const auto texto =
        TextoTotales(contexto.llamadas, contexto.catalogo, FormatoLocal::SeparadorDecimal());
    if (!texto) {
        AvisarDesborde(contexto);
        return;
    }
    contexto.avisos.message(contexto.ventana, QStringLiteral("Cálculo total"),
                            QString::fromStdString(*texto), Prompts::Icono::Ninguno);
}

void DibujarRegularidad(const Contexto& contexto, PanelGrafico& Grafico) {
    Grafico.setPintor([datos = CalcularRegularidad(contexto.llamadas),
                       fondo = FondoAhora(contexto)](QPainter& p, const QRect& area) {
        PintarRegularidad(p, area, datos, fondo);
    });
}

void DibujarImporteHoraDia(const Contexto& contexto, PanelGrafico& Grafico2,
                           PanelGrafico& Grafico3) {
    const DatosHoraDia datos = CalcularHoraDia(contexto.llamadas);
    const QColor fondo = FondoAhora(contexto);
    Grafico2.setPintor([barras = BarrasHora(datos), fondo](QPainter& p, const QRect& area) {
        PintarBarras(p, area, barras, fondo);
    });
    Grafico3.setPintor([barras = BarrasDia(datos), fondo](QPainter& p, const QRect& area) {
        PintarBarras(p, area, barras, fondo);
    });
}

QColor ColorFila(const Llamada& llamada, const Tarifas::Catalogo& catalogo) {
    return ColorQt(Tarifas::ColorFranjaPlan(catalogo, llamada.Hora.hora(), llamada.Fecha.dia(),
                                            llamada.Tarifa));
}

} // namespace Estadistica
