// PlanesUsuario: the built-in tariff and the user's plan files, loaded in one way for every
// window and command, with one text for the plans refused.
#pragma once

#include "tariffs/Planes.h"

#include <QString>

namespace PlanesUsuario {
// The built-in plan and every plan file of Rutas::CarpetaPlanes(); a refused file is left out
// and its message kept in the catalogue's `errores`.
Tarifas::Catalogo Cargar();
// The message that names the refused plan files, one a line; empty when none was refused.
QString TextoRechazados(const Tarifas::Catalogo& catalogo);
} // namespace PlanesUsuario
