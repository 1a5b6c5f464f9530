// Rutas: where settings, plans, call logs and the autostart entry live; VATRIMOX_HOME moves them.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>

namespace Rutas {
// A path as the file system spells it (the local 8-bit encoding), for the Qt-free code.
std::filesystem::path Ruta(const QString& archivo);
// Per-user config folder holding the settings file.
QString CarpetaConfiguracion();
// Per-user data folder holding llamadas.ldx and antiguas.ldx (created when missing).
QString CarpetaDatos();
// Per-user folder of tariff plan files (*.toml), inside the config folder; not created here.
QString CarpetaPlanes();
// Folders that keep a call the data folder cannot: the settings folder, then the state and
// app-local data folders, one on another volume first. None is created here.
QStringList CarpetasReserva(const QString& carpetaDatos);
// Folders of last resort for calls at the end of the session, when the data folder and every
// reserve fail: under $XDG_RUNTIME_DIR, then under the system's temporary folder, a private
// folder of this user (mode 0700, created here) with one subfolder per data folder. A folder
// that another user owns or can write is left out.
QStringList CarpetasUltimoRecurso(const QString& carpetaDatos);
// Folder of XDG autostart entries.
QString CarpetaAutostart();
} // namespace Rutas
