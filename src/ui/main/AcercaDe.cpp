// The About box text and its message box.
#include "ui/main/AcercaDe.h"

#include "core/Formato.h"
#include "platform/Prompts.h"

#include <QStringList>

namespace General {

namespace {
// The text as one rich-text table: a line's label and the value after its tab fill two cells,
// so the values start in one column whatever the font; other lines span both cells.
QString ComoTabla(const QString& texto) {
    QString html = "<table cellspacing=\"0\" cellpadding=\"0\">";
    for (const QString& linea : texto.split('\n')) {
        const qsizetype tab = linea.indexOf('\t');
        if (tab < 0)
            html += "<tr><td colspan=\"2\">" +
                    (linea.isEmpty() ? QString("&nbsp;") : linea.toHtmlEscaped()) + "</td></tr>";
        else
            html += "<tr><td>" + linea.left(tab).toHtmlEscaped() +
                    "</td><td style=\"padding-left: 8px\">" + linea.mid(tab + 1).toHtmlEscaped() +
                    "</td></tr>";
    }
    return html + "</table>";
}
} // namespace

QString TextoAcercaDe() {
    const QStringList lineas{
        QString::fromStdString(TituloPrograma()),
        QString(),
        "VatriMox, medidor de llamadas",
        "Todos los derechos reservados.",
        QString(),
        "Sitio Web:\thttps://vatrimox.example.org",
        "Internet mail:\tcontacto@vatrimox.example.org",
        "Número ICQ:\t(no disponible)",
    };
    return lineas.join('\n');
}

void MostrarAcercaDe(Prompts& avisos, QWidget* padre) {
    avisos.message(padre, "Acerca de ...", ComoTabla(TextoAcercaDe()), Prompts::Icono::Ninguno);
}

} // namespace General
