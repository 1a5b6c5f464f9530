// Rutas: XDG folders, or a private tree under VATRIMOX_HOME for tests and portable installs.
#include "platform/Rutas.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <sys/stat.h>

namespace Rutas {
namespace {
QString Raiz() {
    return qEnvironmentVariable("VATRIMOX_HOME");
}

QString Asegurar(const QString& carpeta) {
    QDir().mkpath(carpeta);
    return carpeta;
}

// Device of a folder, or of its nearest existing parent.
dev_t Volumen(QString ruta) {
    struct stat st {};
    while (::stat(QFile::encodeName(ruta).constData(), &st) != 0) {
        const QString padre = QFileInfo(ruta).path();
        if (padre == ruta)
            return 0;
        ruta = padre;
    }
    return st.st_dev;
}
} // namespace

QString CarpetaConfiguracion() {
    if (!Raiz().isEmpty())
        return Asegurar(Raiz() + "/.config/VatriMox");
    return Asegurar(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                    "/VatriMox");
}

QString CarpetaDatos() {
    if (!Raiz().isEmpty())
        return Asegurar(Raiz() + "/.local/share/VatriMox");
    return Asegurar(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                    "/VatriMox");
}

QString CarpetaPlanes() {
    return CarpetaConfiguracion() + "/tarifas";
}

QStringList CarpetasReserva(const QString& carpetaDatos) {
    QStringList otras;
    if (!Raiz().isEmpty()) {
        otras << Raiz() + "/.local/state/VatriMox";
    } else {
        const QString estado = qEnvironmentVariable("XDG_STATE_HOME");
        otras << (estado.isEmpty() ? QDir::homePath() + "/.local/state" : estado) + "/VatriMox"
              << QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    }
    const dev_t datos = Volumen(carpetaDatos);
    std::stable_partition(otras.begin(), otras.end(),
                          [&](const QString& c) { return Volumen(c) != datos; });
    QStringList r{CarpetaConfiguracion()};
    for (const QString& c : otras)
        if (QDir(c) != QDir(carpetaDatos) && !r.contains(c))
            r << c;
    return r;
}

QString CarpetaAutostart() {
    if (!Raiz().isEmpty())
        return Raiz() + "/.config/autostart";
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart";
}
} // namespace Rutas
