// PlanesUsuario: plan files from the per-user folder, names in the file system's encoding.
#include "platform/PlanesUsuario.h"

#include "platform/Rutas.h"
#include "tariffs/LectorPlanes.h"

#include <QFile>

namespace PlanesUsuario {

Tarifas::Catalogo Cargar() {
    return Tarifas::CargarCatalogo(Rutas::Ruta(Rutas::CarpetaPlanes()));
}

QString TextoRechazados(const Tarifas::Catalogo& catalogo) {
    if (catalogo.errores.empty())
        return {};
    QString texto = "No se han cargado estos planes de tarifa:";
    for (const std::string& error : catalogo.errores)
        texto += "\n" + QString::fromStdString(error);
    return texto;
}

} // namespace PlanesUsuario
