// Form6, the call-log window "Llamadas registradas": toolbar `Barra`, grid `Flex`, chart panels.
#pragma once

#include "calllog/Llamada.h"
#include "platform/Servicios.h"
#include "settings/Ajustes.h"

#include <QDialog>
#include <QFont>
#include <QString>
#include <filesystem>
#include <vector>

class QAction;
class QLabel;
class QPrinter;
class QTableView;
class QToolBar;
class ModeloLlamadas;
class PanelGrafico;

namespace Estadistica {
struct Contexto;
}
namespace Registro {
struct Totales;
}

class Form6 : public QDialog {
    Q_OBJECT
public:
    static constexpr int Botones = 20;

    Form6(Servicios& servicios, const General::EstadoPrograma& estado, QWidget* padre = nullptr);
    ~Form6() override;

    // Settings and font read afresh, the current-period file loaded, headers written.
    void Form_Load();
    // Charts hidden and released; the grid takes all the room under the toolbar.
    void Form_Resize();
    // Reads `ArchivoActual` into `ListaLlamadas` and the grid; false (and an empty grid) when
    // the file cannot be read whole. A load the user cancels leaves an empty grid.
    bool CargarArchivo();
    void PonerCabeceras();
    void CalcularTotales();

    // Runs the command of toolbar position 1..20, after a check button has changed state.
    void Barra_ButtonClick(int posicion);
    QAction* Boton(int posicion) const;

    void NuevoArchivo();
    void AbrirArchivo();
    void GuardarComo();
    void ModificarCelda();
    void EliminarLlamada();
    void CambiarFuente();
    void ImprimirListado();
    void VistaPrevia();
    // Prints the listing to a PDF file the user names.
    void ExportarPdf();
    void DatosHoy();
    // "¿Qué tarifa me conviene?": the loaded calls re-priced under every plan, IVA as the meter's.
    void CompararTarifas();
    void Inicio();
    void ColorearTarifa(bool activar);
    // Redraws the charts whose panels are visible.
    void RedibujarGraficos();

    const std::vector<Llamada>& ListaLlamadas() const;
    // Calls shown (the grid's data rows).
    int64_t N() const;
    // The grid's current cell; row 0 is the header row.
    int FilaActual() const;
    int ColumnaActual() const;

    QToolBar* Barra = nullptr;
    QTableView* Flex = nullptr;
    PanelGrafico* Grafico = nullptr;
    PanelGrafico* Grafico2 = nullptr;
    PanelGrafico* Grafico3 = nullptr;
    // The message line over the grid's foot: why a command only beeped, for a few seconds.
    QLabel* Mensaje = nullptr;
    ModeloLlamadas* Modelo = nullptr;

    QString ArchivoActual;
    QString FuenteGrid;
    int TamanoFuente = 8;
    Moneda ImporteTotal;
    int64_t SegundosTotal = 0;
    int64_t TiempoTotal = 0;

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    // Title of the window's message boxes.
    static inline const QString Titulo = QStringLiteral("VatriMox");
    // The path of a file name, in the file system's encoding.

    void CrearBarra();
    void PonerActual(int fila, int columna);
    // Writes `lista` over the file shown, keeping calls appended since it was loaded, and
    // reloads; false (with a message) when nothing was written.
    bool GuardarArchivo(const std::vector<Llamada>& lista);
    void AvisoCritico(const QString& texto);
    // A beep, and the reason on the message line.
    void Pitido(const QString& motivo);
    // Tells the user when the amounts of these totals do not add up in a Moneda; true then.
    bool AvisarSiDesborda(const Registro::Totales& totales);
    // Default answer of the edit box: the cell's text, unless it would not read back the same.
    QString TextoInicial(int fila, int columna) const;
    // "No es un archivo de llamadas o está dañado", with where and why the last load failed.
    void AvisoDanado();
    void LayoutGraficos(int posicion, bool pulsado);
    bool PintarListado(QPrinter& impresora);
    Estadistica::Contexto Contexto();

    Servicios& servicios_;
    const General::EstadoPrograma& estado_;
    std::vector<QAction*> botones_;
    int alturaGrid_ = 0;
    int columnaCabecera_ = 6;
    QString errorCarga_;    // where and why the last load failed
    bool textoUtf8_ = true; // the call types of the file shown are UTF-8
};
