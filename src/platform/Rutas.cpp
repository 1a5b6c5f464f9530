// Rutas: XDG folders, or a private tree under VATRIMOX_HOME for tests and portable installs.
#include "platform/Rutas.h"

#include <QDir>
#include <QStandardPaths>

namespace Rutas {
namespace {
QString Raiz() {
    return qEnvironmentVariable("VATRIMOX_HOME");
}

QString Asegurar(const QString& carpeta) {
    QDir().mkpath(carpeta);
    return carpeta;
}
} // namespace

QString CarpetaConfiguracion() {
    if (!Raiz().isEmpty())
        return Asegurar(Raiz() + "/.config/VatriMox");
    return Asegurar(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                    "/VatriMox");
}

QString CarpetaPlanes() {
    return CarpetaConfiguracion() + "/tarifas";
}

QString CarpetaDatos() {
    if (!Raiz().isEmpty())
        return Asegurar(Raiz() + "/.local/share/VatriMox");
    return Asegurar(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                    "/VatriMox");
}

QString CarpetaAutostart() {
    if (!Raiz().isEmpty())
        return Raiz() + "/.config/autostart";
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart";
}
} // namespace Rutas
