// Form6: builds the window, loads a call log into the grid and keeps its current cell; the
// toolbar is in BarraLlamadas.cpp, the commands in the Comandos*.cpp files beside it.
#include "ui/calllog/VentanaLlamadas.h"
#include "calllog/ArchivoLlamadas.h"

#include "calllog/Totales.h"
#include "core/Formato.h"
#include "platform/Clock.h"
#include "platform/FormatoLocal.h"
#include "platform/Prompts.h"
#include "platform/Rutas.h"
#include "ui/calllog/ComandosEstadistica.h"
#include "ui/calllog/ModeloLlamadas.h"
#include "ui/tariffs/ComparacionDialog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QScreen>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <memory>

namespace {

const QString Danado = QString::fromUtf8("No es un archivo de llamadas o está dañado");

} // namespace

Form6::Form6(Servicios& servicios, const General::EstadoPrograma& estado, QWidget* padre)
    : QDialog(padre), servicios_(servicios), estado_(estado) {
    setObjectName("Form6");
    setWindowTitle("Llamadas registradas");
    setModal(true);
    Modelo = new ModeloLlamadas(estado_.catalogo, this);
    CrearBarra();

    Flex = new QTableView(this);
    Flex->setObjectName("Flex");
    Flex->setModel(Modelo);
    Flex->verticalHeader()->hide();
    Flex->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Flex->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Flex->setSelectionMode(QAbstractItemView::SingleSelection);
    Flex->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Flex->setWordWrap(false);
    connect(Flex, &QTableView::doubleClicked, this, [this] { ModificarCelda(); });
    Flex->setAccessibleName("Llamadas");
    // Enter on a cell edits it, as F2 and a double-click do.
    for (int tecla : {Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(tecla), Flex, nullptr, nullptr, Qt::WidgetShortcut),
                &QShortcut::activated, this, [this] { Boton(8)->trigger(); });

    Grafico = new PanelGrafico(this);
    Grafico->setObjectName("Grafico");
    Grafico2 = new PanelGrafico(this);
    Grafico2->setObjectName("Grafico2");
    Grafico3 = new PanelGrafico(this);
    Grafico3->setObjectName("Grafico3");
    for (PanelGrafico* panel : {Grafico, Grafico2, Grafico3})
        panel->hide();
    Mensaje = new QLabel(this);
    Mensaje->setObjectName("Mensaje");
    Mensaje->setAutoFillBackground(true);
    Mensaje->setFrameShape(QFrame::Panel);
    Mensaje->setFrameShadow(QFrame::Sunken);
    Mensaje->hide();

    // As large as ever, but no larger than the screen's free area (large scale factors).
    QSize tamano(760, 480);
    if (QScreen* pantalla = screen())
        tamano = tamano.boundedTo(pantalla->availableGeometry().size());
    resize(tamano);
    Form_Load();
}

Form6::~Form6() = default;

void Form6::Form_Load() {
    FuenteGrid =
        QString::fromStdString(General::Leer(servicios_.ajustes, General::Ajustes::Fuente));
    if (FuenteGrid.isEmpty())
        FuenteGrid = General::Ajustes::Fuente.defecto;
    TamanoFuente = General::NumeroAjuste(servicios_.ajustes, General::Ajustes::FontSize)
                       .value_or(General::NumeroPorDefecto(General::Ajustes::FontSize));
    QFont fuente = Flex->font();
    fuente.setFamily(FuenteGrid);
    if (TamanoFuente > 0)
        fuente.setPointSize(TamanoFuente);
    Flex->setFont(fuente);
    Flex->verticalHeader()->setDefaultSectionSize(Flex->fontMetrics().height() + 4);

    ArchivoActual = servicios_.carpetaDatos + "/" + ArchivoLlamadas::NombreActual;
    if (!CargarArchivo())
        AvisoDanado();
    PonerCabeceras();
}

void Form6::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    Form_Resize();
}

void Form6::Form_Resize() {
    for (PanelGrafico* panel : {Grafico, Grafico2, Grafico3})
        panel->hide();
    Boton(11)->setChecked(false);
    Boton(12)->setChecked(false);
    const int alto = Barra->sizeHint().height();
    Barra->setGeometry(0, 0, width(), alto);
    alturaGrid_ = std::max(0, height() - alto);
    Flex->setGeometry(0, alto, width(), alturaGrid_);
}

bool Form6::CargarArchivo() {
    // Every refill shows the rows white again, with the colouring button up.
    Modelo->setColorear(false);
    Boton(18)->setChecked(false);
    // A load that takes longer than half a second shows its progress and can be cancelled; the
    // window keeps repainting meanwhile.
    QElapsedTimer desde;
    desde.start();
    std::unique_ptr<QProgressDialog> progreso;
    auto avance = [&](size_t hechos, size_t total) {
        if (!progreso) {
            if (desde.elapsed() < 500)
                return true;
            progreso = std::make_unique<QProgressDialog>(QString::fromUtf8("Cargando llamadas..."),
                                                         "Cancelar", 0, 1000, this);
            progreso->setWindowTitle(Titulo);
            progreso->setWindowModality(Qt::WindowModal);
            progreso->setMinimumDuration(0);
        }
        progreso->setValue(static_cast<int>(hechos * 1000 / std::max<size_t>(total, 1)));
        QCoreApplication::processEvents();
        return !progreso->wasCanceled();
    };
    auto lectura = ArchivoLlamadas::Leer(Rutas::Ruta(ArchivoActual), avance);
    progreso.reset();
    if (lectura.cancelada) {
        Modelo->Cargar({});
        PonerActual(0, 6);
        return true;
    }
    if (!lectura.ok) {
        Modelo->Cargar({});
        PonerActual(0, 6);
        errorCarga_ = QString::fromStdString(ArchivoLlamadas::TextoError(lectura.error));
        return false;
    }
    textoUtf8_ = lectura.textoUtf8;
    Modelo->Cargar(std::move(lectura.llamadas));
    PonerActual(static_cast<int>(N()), 6);
    return true;
}

void Form6::PonerCabeceras() {
    PonerActual(0, 6);
}

void Form6::PonerActual(int fila, int columna) {
    if (fila <= 0) {
        Flex->selectionModel()->clear();
        columnaCabecera_ = columna;
        return;
    }
    Flex->setCurrentIndex(Modelo->index(fila - 1, columna));
}

int Form6::FilaActual() const {
    const QModelIndex actual = Flex->currentIndex();
    return actual.isValid() ? actual.row() + 1 : 0;
}

int Form6::ColumnaActual() const {
    const QModelIndex actual = Flex->currentIndex();
    return actual.isValid() ? actual.column() : columnaCabecera_;
}

const std::vector<Llamada>& Form6::ListaLlamadas() const {
    return Modelo->ListaLlamadas();
}

int64_t Form6::N() const {
    return Modelo->rowCount();
}

void Form6::CalcularTotales() {
    const Registro::Totales t = Registro::CalcularTotales(ListaLlamadas());
    ImporteTotal = t.ImporteTotal;
    SegundosTotal = t.SegundosTotal;
    TiempoTotal = t.TiempoTotal;
}

void Form6::Pitido(const QString& motivo) {
    servicios_.avisos.beep();
    Mensaje->setText(motivo);
    Mensaje->setAccessibleName(motivo);
    const int alto = Mensaje->sizeHint().height();
    Mensaje->setGeometry(0, height() - alto, width(), alto);
    Mensaje->show();
    Mensaje->raise();
    // As long as a status bar shows a passing message.
    QTimer::singleShot(5000, Mensaje, [this, motivo] {
        if (Mensaje->text() == motivo)
            Mensaje->hide();
    });
}

void Form6::AvisoCritico(const QString& texto) {
    servicios_.avisos.message(this, Titulo, texto, Prompts::Icono::Critico);
}

bool Form6::AvisarSiDesborda(const Registro::Totales& totales) {
    if (totales.desborde)
        servicios_.avisos.message(
            this, Titulo,
            QString::fromStdString(Registro::TextoDesborde(FormatoLocal::SeparadorDecimal())),
            Prompts::Icono::Exclamacion);
    return totales.desborde;
}

void Form6::AvisoDanado() {
    servicios_.avisos.message(this, Titulo, Danado, Prompts::Icono::Critico, errorCarga_);
}

Estadistica::Contexto Form6::Contexto() {
    return Estadistica::Contexto{this,
                                 servicios_.avisos,
                                 servicios_.ajustes,
                                 servicios_.reloj.now(),
                                 estado_.TipoLlamada,
                                 estado_.catalogo,
                                 ListaLlamadas()};
}

void Form6::RedibujarGraficos() {
    if (!Grafico->isHidden())
        Estadistica::DibujarRegularidad(Contexto(), *Grafico);
    if (!Grafico2->isHidden())
        Estadistica::DibujarImporteHoraDia(Contexto(), *Grafico2, *Grafico3);
}

void Form6::DatosHoy() {
    const Registro::Totales t =
        Registro::TotalesDelDia(ListaLlamadas(), servicios_.reloj.now().dia);
    if (AvisarSiDesborda(t))
        return;
    ImporteTotal = t.ImporteTotal;
    SegundosTotal = t.SegundosTotal;
    TiempoTotal = t.TiempoTotal;
    servicios_.avisos.message(
        this, QString::fromUtf8("Cálculo día de hoy"),
        QString::fromStdString(Registro::TextoDatosHoy(t, FormatoLocal::SeparadorDecimal())),
        Prompts::Icono::Ninguno);
}

void Form6::CompararTarifas() {
    MostrarComparacion(this, servicios_.avisos, ListaLlamadas(), estado_.IncluirIVA,
                       estado_.PorcentajeIVA);
}

void Form6::ColorearTarifa(bool activar) {
    Modelo->setColorear(activar);
    if (N() > 0)
        PonerActual(static_cast<int>(N()), 6);
}
