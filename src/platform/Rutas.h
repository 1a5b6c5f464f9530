// Rutas: where settings, call logs and the autostart entry live; VATRIMOX_HOME moves them all.
#pragma once

#include <QString>

namespace Rutas {
// Per-user config folder holding the settings file.
QString CarpetaConfiguracion();
// Tariff plan files (*.toml) beside the settings.
QString CarpetaPlanes();
// Per-user data folder holding llamadas.ldx and antiguas.ldx (created when missing).
QString CarpetaDatos();
// Folder of XDG autostart entries.
QString CarpetaAutostart();
} // namespace Rutas
