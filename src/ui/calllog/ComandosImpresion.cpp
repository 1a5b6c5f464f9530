// Form6's printed listing: "Imprimir", its preview and the PDF export.
#include "ui/calllog/VentanaLlamadas.h"

#include "calllog/Totales.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "ui/calllog/Listado.h"

#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>

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
