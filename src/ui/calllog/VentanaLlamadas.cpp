// Form6: loads a call log into the grid and runs the toolbar's file, edit, print and statistics
// commands.
#include "ui/calllog/VentanaLlamadas.h"
#include "calllog/ArchivoLlamadas.h"

#include "calllog/EdicionCelda.h"
#include "calllog/Reescritura.h"
#include "calllog/Totales.h"
#include "core/Formato.h"
#include "platform/Clock.h"
#include "platform/FormatoLocal.h"
#include "platform/Prompts.h"
#include "ui/calllog/ComandosEstadistica.h"
#include "ui/calllog/IconosBarra.h"
#include "ui/calllog/Listado.h"
#include "ui/calllog/ModeloLlamadas.h"
#include "ui/tariffs/ComparacionDialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const QString Titulo = QStringLiteral("VatriMox");
const QString Danado = QString::fromUtf8("No es un archivo de llamadas o está dañado");

std::filesystem::path Ruta(const QString& archivo) {
    return std::filesystem::path(QFile::encodeName(archivo).toStdString());
}

// The user's short date with a four-digit year ("15/3/1925").
QString FechaCuatroCifras(Fechas::Dia dia) {
    QString formato = QLocale().dateFormat(QLocale::ShortFormat);
    if (!formato.contains("yyyy"))
        formato.replace("yy", "yyyy");
    return QLocale().toString(FormatoLocal::ADate(dia), formato);
}

struct DefinicionBoton {
    char estilo; // 'p' push, 'c' check, 's' separator
    int imagen;
    const char* tip;
};

// Positions 1..20 of `Barra`.
constexpr DefinicionBoton DefinicionBarra[Form6::Botones] = {
    {'p', 1, "Nuevo"},
    {'p', 2, "Abrir"},
    {'p', 3, "Guardar"},
    {'s', 0, ""},
    {'p', 4, "Imprimir"},
    {'p', 5, "Cambiar fuente"},
    {'s', 0, ""},
    {'p', 8, "Modificar celda"},
    {'p', 12, "Eliminar llamada"},
    {'s', 0, ""},
    {'c', 13, "Regularidad"},
    {'c', 6, "Importe por hora y día"},
    {'s', 0, ""},
    {'p', 11, "Datos hoy"},
    {'p', 9, "Totales"},
    {'p', 10, "Estimado"},
    {'s', 0, ""},
    {'c', 14, "Colorear según tarifa"},
    {'s', 0, ""},
    {'p', 15, "Inicio"},
};

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

    Grafico = new PanelGrafico(this);
    Grafico->setObjectName("Grafico");
    Grafico2 = new PanelGrafico(this);
    Grafico2->setObjectName("Grafico2");
    Grafico3 = new PanelGrafico(this);
    Grafico3->setObjectName("Grafico3");
    for (PanelGrafico* panel : {Grafico, Grafico2, Grafico3})
        panel->hide();

    resize(760, 480);
    Form_Load();
}

Form6::~Form6() = default;

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
            accion->setToolTip(tip);
            accion->setCheckable(d.estilo == 'c');
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

void Form6::Form_Load() {
    auto leer = [this](const General::Ajuste& ajuste) {
        return servicios_.ajustes.read(General::Aplicacion, ajuste.seccion, ajuste.clave);
    };
    FuenteGrid = QString::fromStdString(leer(General::Ajustes::Fuente));
    if (FuenteGrid.isEmpty())
        FuenteGrid = General::Ajustes::Fuente.defecto;
    TamanoFuente =
        static_cast<int>(General::LeerEntero(leer(General::Ajustes::FontSize), 0, 255).value_or(8));
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
        Estadistica::MostrarEstimado(Contexto());
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
    auto lectura = ArchivoLlamadas::Leer(Ruta(ArchivoActual), avance);
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

void Form6::NuevoArchivo() {
    if (!servicios_.avisos.question(
            this, Titulo,
            QString::fromUtf8("Al crear un nuevo archivo de llamadas se perderá el actual\n"
                              "¿Esta seguro de querer continuar?"),
            false))
        return;
    const auto resultado = ArchivoLlamadas::Vaciar(Ruta(ArchivoActual));
    if (!resultado) {
        AvisoCritico(QString::fromUtf8("No se ha podido vaciar el archivo %1:\n%2")
                         .arg(ArchivoActual, QString::fromStdString(resultado.error)));
        return;
    }
    CargarArchivo();
    // A chart left showing the calls of before would describe a file that no longer holds them.
    RedibujarGraficos();
}

void Form6::AbrirArchivo() {
    const QString ruta = servicios_.avisos.openFile(this, "Abrir archivo de llamadas ...",
                                                    "Documento de VatriMox (*.ldx)",
                                                    QFileInfo(ArchivoActual).path());
    if (ruta.isEmpty())
        return;
    ArchivoActual = ruta;
    if (!CargarArchivo()) {
        AvisoDanado();
        return;
    }
    RedibujarGraficos();
}

void Form6::GuardarComo() {
    const QString ruta = servicios_.avisos.saveFile(
        this, "Guardar registro de llamadas como ...",
        "Documento de VatriMox (*.ldx);;Documento de Microsoft Excel (*.csv)",
        QFileInfo(ArchivoActual).path());
    if (ruta.isEmpty())
        return;
    // Saving over the file shown is a rewrite of it, which keeps calls appended meanwhile.
    if (QFileInfo(ruta).canonicalFilePath() == QFileInfo(ArchivoActual).canonicalFilePath() &&
        QFileInfo::exists(ruta)) {
        GuardarArchivo(ListaLlamadas());
        return;
    }
    const auto resultado = ArchivoLlamadas::Escribir(Ruta(ruta), ListaLlamadas());
    if (!resultado)
        AvisoCritico(QString::fromUtf8("No se ha podido guardar el archivo %1:\n%2")
                         .arg(ruta, QString::fromStdString(resultado.error)));
}

bool Form6::GuardarArchivo(const std::vector<Llamada>& lista) {
    const auto r = Registro::Reescribir(Ruta(ArchivoActual), ListaLlamadas(), lista);
    if (r.estado == Registro::Reescritura::Cambiado) {
        AvisoCritico(QString::fromUtf8("El archivo %1 ha cambiado desde que se cargó y no se ha "
                                       "modificado. Se muestra de nuevo.")
                         .arg(ArchivoActual));
        if (!CargarArchivo())
            AvisoDanado();
        return false;
    }
    if (r.estado == Registro::Reescritura::Fallo) {
        AvisoCritico(QString::fromUtf8("No se ha podido guardar el archivo %1:\n%2")
                         .arg(ArchivoActual, QString::fromStdString(r.error)));
        return false;
    }
    if (!CargarArchivo())
        AvisoDanado();
    return true;
}

void Form6::ModificarCelda() {
    const int fila = FilaActual();
    const int columna = ColumnaActual();
    if (fila == 0 || columna == 0)
        return;
    const QString actual = Modelo->TextoCelda(fila - 1, columna);
    const auto respuesta = servicios_.avisos.inputText(
        this,
        QString::fromStdString(Registro::TituloModificar(actual.toStdString(), fila, columna)),
        "Introduzca el nuevo valor", TextoInicial(fila, columna));
    if (!respuesta || respuesta->isEmpty())
        return;
    std::string valor = respuesta->toStdString();
    if (columna == 6) {
        // A call type goes to the file in the encoding of the file's other call types.
        std::string sinSitio;
        auto bytes = Codificacion::Codificar(valor, textoUtf8_, sinSitio);
        if (!bytes) {
            AvisoCritico(QString::fromUtf8("El carácter «%1» no se puede guardar en este archivo, "
                                           "cuyo texto está en Windows-1252.")
                             .arg(QString::fromStdString(sinSitio)));
            return;
        }
        valor = std::move(*bytes);
    }
    const auto nueva = Registro::AplicarValor(ListaLlamadas()[static_cast<size_t>(fila - 1)],
                                              columna, valor, FormatoLocal::Forma());
    const QString noValido = QString::fromUtf8("El valor \"%1\" no es válido para la columna %2.")
                                 .arg(*respuesta, QString::fromUtf8(Registro::Cabecera(columna)));
    if (!nueva) {
        AvisoCritico(noValido);
        return;
    }
    std::vector<Llamada> lista = ListaLlamadas();
    lista[static_cast<size_t>(fila - 1)] = *nueva;
    // An amount that the totals could not add up is refused, unless they already could not.
    if (Registro::CalcularTotales(lista).desborde &&
        !Registro::CalcularTotales(ListaLlamadas()).desborde) {
        AvisoCritico(
            noValido + "\n" +
            QString::fromStdString(Registro::TextoDesborde(FormatoLocal::SeparadorDecimal())));
        return;
    }
    GuardarArchivo(lista);
    RedibujarGraficos();
}

QString Form6::TextoInicial(int fila, int columna) const {
    const QString texto = Modelo->TextoCelda(fila - 1, columna);
    const Llamada& llamada = ListaLlamadas()[static_cast<size_t>(fila - 1)];
    // Accepting the default must store what is there: a two-digit year that would read back in
    // another century (1925 as 2025) is offered with four digits.
    if (columna == 1 && !llamada.Fecha.conHora() &&
        Registro::AplicarValor(llamada, columna, texto.toStdString(), FormatoLocal::Forma()) !=
            llamada)
        return FechaCuatroCifras(llamada.Fecha.dia());
    return texto;
}

void Form6::EliminarLlamada() {
    const int fila = FilaActual();
    if (fila == 0) {
        servicios_.avisos.beep();
        return;
    }
    if (servicios_.avisos.question(
            this, Titulo, QString::fromUtf8("¿Desea realmente eliminar la llamada %1?").arg(fila),
            false)) {
        std::vector<Llamada> lista = ListaLlamadas();
        lista.erase(lista.begin() + (fila - 1));
        GuardarArchivo(lista);
    }
    RedibujarGraficos();
}

void Form6::CambiarFuente() {
    const auto elegida = servicios_.avisos.font(this, Flex->font());
    if (!elegida)
        return;
    Flex->setFont(*elegida);
    Flex->verticalHeader()->setDefaultSectionSize(Flex->fontMetrics().height() + 4);
    FuenteGrid = elegida->family();
    // Halves go to the even neighbour: 10.5 points are stored as 10.
    TamanoFuente = static_cast<int>(std::clamp(std::nearbyint(elegida->pointSizeF()), 0.0, 255.0));
    auto guardar = [this](const General::Ajuste& ajuste, const std::string& valor) {
        return servicios_.ajustes.write(General::Aplicacion, ajuste.seccion, ajuste.clave, valor);
    };
    const bool guardada = guardar(General::Ajustes::Fuente, FuenteGrid.toStdString()) &&
                          guardar(General::Ajustes::FontSize, std::to_string(TamanoFuente));
    if (!guardada)
        AvisoCritico(QString::fromUtf8("No se ha podido guardar la fuente elegida."));
}

bool Form6::PintarListado(QPrinter& impresora) {
    CalcularTotales();
    QFont fuente(FuenteGrid);
    fuente.setPointSize(TamanoFuente > 0 ? TamanoFuente : 8);
    return Listado::Imprimir(impresora,
                             {ListaLlamadas(), ArchivoActual, servicios_.reloj.now(), fuente});
}

void Form6::ImprimirListado() {
    if (AvisarSiDesborda(Registro::CalcularTotales(ListaLlamadas())))
        return;
    QPrinter impresora(QPrinter::HighResolution);
    Listado::PrepararImpresora(impresora);
    if (!servicios_.avisos.printer(this, impresora))
        return;
    Listado::PrepararImpresora(impresora);
    PintarListado(impresora);
}

void Form6::VistaPrevia() {
    if (AvisarSiDesborda(Registro::CalcularTotales(ListaLlamadas())))
        return;
    QPrinter impresora(QPrinter::HighResolution);
    Listado::PrepararImpresora(impresora);
    QPrintPreviewDialog vista(&impresora, this);
    connect(&vista, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { PintarListado(*p); });
    vista.exec();
}

void Form6::ExportarPdf() {
    if (AvisarSiDesborda(Registro::CalcularTotales(ListaLlamadas())))
        return;
    QString ruta = servicios_.avisos.saveFile(
        this, "Exportar listado a PDF", "Documento PDF (*.pdf)", QFileInfo(ArchivoActual).path());
    if (ruta.isEmpty())
        return;
    if (QFileInfo(ruta).suffix().isEmpty())
        ruta += ".pdf";
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(ruta);
    Listado::PrepararImpresora(impresora);
    if (!PintarListado(impresora))
        AvisoCritico(QString::fromUtf8("No se ha podido crear el archivo %1").arg(ruta));
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

void Form6::Inicio() {
    Form_Load();
    RedibujarGraficos();
}

void Form6::ColorearTarifa(bool activar) {
    Modelo->setColorear(activar);
    if (N() > 0)
        PonerActual(static_cast<int>(N()), 6);
}
