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

#include <QLocale>
#include <QPainter>
#include <QStringList>

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

QString Pesetas(double importe) {
    return QLocale().toString(importe, 'f', 2) + " pts";
}

// A bar chart's figures in words for a screen reader: the largest sum, then each bar that
// rises, by its label.
QString DescribirBarras(const DatosBarras& barras, const std::function<QString(int)>& etiqueta) {
    QStringList partes{QString::fromUtf8("Máximo: %1").arg(Pesetas(barras.maximo))};
    for (std::size_t i = 0; i < barras.alturas.size(); ++i)
        if (barras.alturas[i] != 0)
            partes << QString("%1: %2").arg(etiqueta(static_cast<int>(i)),
                                            Pesetas(barras.alturas[i]));
    return partes.join("; ") + ".";
}

void AvisarDesborde(const Contexto& contexto) {
    contexto.avisos.message(
        contexto.ventana, QStringLiteral("VatriMox"),
        QString::fromStdString(Registro::TextoDesborde(FormatoLocal::SeparadorDecimal())),
        Prompts::Icono::Exclamacion);
}

} // namespace

QString MostrarEstimado(const Contexto& contexto) {
    if (Registro::CalcularTotales(contexto.llamadas).desborde) {
        AvisarDesborde(contexto);
        return {};
    }
    const auto periodo = General::LeerPeriodo(contexto.ajustes);
    std::string motivo = "No hay un periodo de facturación guardado.";
    const auto estimado =
        periodo
            ? CalcularEstimado(contexto.llamadas,
                               Periodo{periodo->inicio, periodo->fin, contexto.ahora.dia}, &motivo)
            : std::nullopt;
    if (!estimado)
        return QString::fromStdString(motivo);
    contexto.avisos.message(
        contexto.ventana, QStringLiteral("Estadística de las llamadas"),
        QString::fromStdString(TextoEstimado(*estimado, FormatoLocal::SeparadorDecimal())),
        Prompts::Icono::Ninguno);
    return {};
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
    const DatosRegularidad datos = CalcularRegularidad(contexto.llamadas);
    QStringList importes;
    for (double importe : datos.importes)
        importes << Pesetas(importe);
    Grafico.setAccessibleName("Regularidad");
    Grafico.setAccessibleDescription(QString::fromUtf8("Máximo: %1; %2 llamadas: %3.")
                                         .arg(Pesetas(datos.maximo))
                                         .arg(datos.importes.size())
                                         .arg(importes.join(", ")));
    Grafico.setPintor([datos, fondo = FondoAhora(contexto)](QPainter& p, const QRect& area) {
        PintarRegularidad(p, area, datos, fondo);
    });
}

void DibujarImporteHoraDia(const Contexto& contexto, PanelGrafico& Grafico2,
                           PanelGrafico& Grafico3) {
    const DatosHoraDia datos = CalcularHoraDia(contexto.llamadas);
    const QColor fondo = FondoAhora(contexto);
    const DatosBarras horas = BarrasHora(datos), dias = BarrasDia(datos);
    Grafico2.setAccessibleName("Importe por hora");
    Grafico2.setAccessibleDescription(
        DescribirBarras(horas, [](int i) { return QString("%1 h").arg(i); }));
    Grafico3.setAccessibleName(QString::fromUtf8("Importe por día de la semana"));
    Grafico3.setAccessibleDescription(DescribirBarras(dias, [](int i) {
        static const char* const Dias[7] = {"Lunes",   "Martes", "Miércoles", "Jueves",
                                            "Viernes", "Sábado", "Domingo"};
        return QString::fromUtf8(Dias[i % 7]);
    }));
    Grafico2.setPintor([barras = horas, fondo](QPainter& p, const QRect& area) {
        PintarBarras(p, area, barras, fondo);
    });
    Grafico3.setPintor([barras = dias, fondo](QPainter& p, const QRect& area) {
        PintarBarras(p, area, barras, fondo);
    });
}

QColor ColorFila(const Llamada& llamada, const Tarifas::Catalogo& catalogo) {
    return ColorQt(Tarifas::ColorFranjaPlan(catalogo, llamada.Hora.hora(), llamada.Fecha.dia(),
                                            llamada.Tarifa));
}

} // namespace Estadistica
