// Rutas: where settings, plans, call logs and the autostart entry live; VATRIMOX_HOME moves them.
#pragma once

#include <QString>

namespace Rutas {
// Per-user config folder holding the settings file.
QString CarpetaConfiguracion();
// Per-user data folder holding llamadas.ldx and antiguas.ldx (created when missing).
QString CarpetaDatos();
// Per-user folder of tariff plan files (*.toml), inside the config folder; not created here.
QString CarpetaPlanes();
// Folder of XDG autostart entries.
QString CarpetaAutostart();
} // namespace Rutas
