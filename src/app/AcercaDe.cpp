// The About box text and its message box.
#include "app/AcercaDe.h"

#include "core/Formato.h"
#include "platform/Prompts.h"

#include <QStringList>

namespace General {

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
    avisos.message(padre, "Acerca de ...", TextoAcercaDe(), Prompts::Icono::Ninguno);
}

} // namespace General
