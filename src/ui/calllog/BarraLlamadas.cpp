// Form6's toolbar `Barra`: its 20 positions, the dispatch of a press, the chart layout.
#include "ui/calllog/VentanaLlamadas.h"

#include "ui/calllog/ComandosEstadistica.h"
#include "ui/calllog/IconosBarra.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

namespace {

struct DefinicionBoton {
    char estilo; // 'p' push, 'c' check, 's' separator
    int imagen;
    const char* tip;
    QKeySequence::StandardKey estandar = QKeySequence::UnknownKey;
    QKeyCombination tecla = QKeyCombination::fromCombined(0); // when there is no standard key
};

// Positions 1..20 of `Barra`.
constexpr DefinicionBoton DefinicionBarra[Form6::Botones] = {
    {'p', 1, "Nuevo", QKeySequence::New},
    {'p', 2, "Abrir", QKeySequence::Open},
    {'p', 3, "Guardar", QKeySequence::Save},
    {'s', 0, ""},
    {'p', 4, "Imprimir", QKeySequence::Print},
    {'p', 5, "Cambiar fuente", {}, Qt::ALT | Qt::Key_F},
    {'s', 0, ""},
    {'p', 8, "Modificar celda", {}, Qt::Key_F2},
    {'p', 12, "Eliminar llamada", QKeySequence::Delete},
    {'s', 0, ""},
    {'c', 13, "Regularidad", {}, Qt::ALT | Qt::Key_R},
    {'c', 6, "Importe por hora y día", {}, Qt::ALT | Qt::Key_H},
    {'s', 0, ""},
    {'p', 11, "Datos hoy", {}, Qt::ALT | Qt::Key_D},
    {'p', 9, "Totales", {}, Qt::ALT | Qt::Key_T},
    {'p', 10, "Estimado", {}, Qt::ALT | Qt::Key_E},
    {'s', 0, ""},
    {'c', 14, "Colorear según tarifa", {}, Qt::ALT | Qt::Key_C},
    {'s', 0, ""},
    {'p', 15, "Inicio", {}, Qt::ALT | Qt::Key_I},
};

} // namespace

void Form6::CrearBarra() {
    Barra = new QToolBar(this);
    Barra->setObjectName("Barra");
    Barra->setMovable(false);
    Barra->setIconSize(QSize(24, 24));
    Barra->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int posicion = 1; posicion <= Botones; ++posicion) {
        const DefinicionBoton& d = DefinicionBarra[posicion - 1];
        QAction* accion = nullptr;
        if (d.estilo == 's') {
            accion = Barra->addSeparator();
        } else {
            const QString tip = QString::fromUtf8(d.tip);
            accion = Barra->addAction(IconoBarra(d.imagen), tip);
            accion->setShortcut(d.tecla.toCombined() ? QKeySequence(d.tecla)
                                                     : QKeySequence(d.estandar));
            accion->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            addAction(accion);
            // The tooltip names the key; Tab reaches every button.
            QString tecla = accion->shortcut().toString(QKeySequence::PortableText);
            if (tecla == "Del")
                tecla = "Supr";
            accion->setToolTip(QString("%1 (%2)").arg(tip, tecla));
            accion->setCheckable(d.estilo == 'c');
            if (QWidget* boton = Barra->widgetForAction(accion)) {
                boton->setFocusPolicy(Qt::TabFocus);
                boton->setAccessibleName(tip);
            }
            connect(accion, &QAction::triggered, this,
                    [this, posicion] { Barra_ButtonClick(posicion); });
        }
        accion->setObjectName(QString("Boton%1").arg(posicion));
        botones_.push_back(accion);
    }
    // "Imprimir" keeps its place and command; its menu adds the preview and a PDF file.
    if (auto* imprimir = qobject_cast<QToolButton*>(Barra->widgetForAction(Boton(5)))) {
        auto* menu = new QMenu(imprimir);
        menu->addAction("Imprimir...", this, [this] { ImprimirListado(); });
        menu->addAction("Vista preliminar...", this, [this] { VistaPrevia(); });
        menu->addAction("Exportar a PDF...", this, [this] { ExportarPdf(); });
        imprimir->setMenu(menu);
        imprimir->setPopupMode(QToolButton::MenuButtonPopup);
    }
    // "Totales" too; its menu adds the totals under every tariff plan.
    if (auto* totales = qobject_cast<QToolButton*>(Barra->widgetForAction(Boton(15)))) {
        auto* menu = new QMenu(totales);
        menu->addAction("Totales", this, [this] { Barra_ButtonClick(15); });
        menu->addAction(QString::fromUtf8("¿Qué tarifa me conviene?"), this,
                        [this] { CompararTarifas(); });
        totales->setMenu(menu);
        totales->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

QAction* Form6::Boton(int posicion) const {
    return posicion >= 1 && posicion <= Botones ? botones_[static_cast<size_t>(posicion - 1)]
                                                : nullptr;
}

void Form6::LayoutGraficos(int posicion, bool pulsado) {
    const int arriba = Barra->height();
    const int ancho = width();
    const int mitad = alturaGrid_ / 2;
    for (PanelGrafico* panel : {Grafico, Grafico2, Grafico3})
        panel->hide();
    if (!pulsado) {
        Flex->setGeometry(0, arriba, ancho, alturaGrid_);
        return;
    }
    Flex->setGeometry(0, arriba, ancho, mitad);
    if (posicion == 11) {
        Boton(12)->setChecked(false);
        Grafico->setGeometry(0, arriba + mitad, ancho, mitad);
        Grafico->show();
        Estadistica::DibujarRegularidad(Contexto(), *Grafico);
    } else {
        Boton(11)->setChecked(false);
        Grafico2->setGeometry(0, arriba + mitad, ancho / 2, mitad);
        Grafico3->setGeometry(ancho / 2, arriba + mitad, ancho / 2, mitad);
        Grafico2->show();
        Grafico3->show();
        Estadistica::DibujarImporteHoraDia(Contexto(), *Grafico2, *Grafico3);
    }
}

void Form6::Barra_ButtonClick(int posicion) {
    switch (posicion) {
    case 1:
        NuevoArchivo();
        break;
    case 2:
        AbrirArchivo();
        break;
    case 3:
        GuardarComo();
        break;
    case 5:
        ImprimirListado();
        break;
    case 6:
        CambiarFuente();
        break;
    case 8:
        ModificarCelda();
        break;
    case 9:
        EliminarLlamada();
        break;
    case 11:
    case 12:
        LayoutGraficos(posicion, Boton(posicion)->isChecked());
        break;
    case 14:
        DatosHoy();
        break;
    case 15:
        Estadistica::MostrarTotales(Contexto());
        break;
    case 16:
        if (const QString motivo = Estadistica::MostrarEstimado(Contexto()); !motivo.isEmpty())
            Pitido(motivo);
        break;
    case 18:
        ColorearTarifa(Boton(18)->isChecked());
        break;
    case 20:
        Inicio();
        break;
    default:
        break;
    }
}
