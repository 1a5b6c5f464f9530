// Rutas: XDG folders, or a private tree under VATRIMOX_HOME for tests and portable installs.
#include "platform/Rutas.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace Rutas {

std::filesystem::path Ruta(const QString& archivo) {
    return std::filesystem::path(QFile::encodeName(archivo).toStdString());
}
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

// Creates a folder only this user may enter; true when it is one, and no link to elsewhere.
bool Privada(const QString& ruta) {
    const QByteArray r = QFile::encodeName(ruta);
    ::mkdir(r.constData(), 0700);
    struct stat st {};
    return ::lstat(r.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 022) == 0;
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

QStringList CarpetasUltimoRecurso(const QString& carpetaDatos) {
    // A subfolder per data folder: two data trees (tests, portable copies) never take each
    // other's calls.
    const QString clave =
        QCryptographicHash::hash(QFile::encodeName(QDir(carpetaDatos).absolutePath()),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(12);
    const QString propia = QString("vatrimox-%1").arg(::getuid());
    QStringList bases;
    if (const QString ejecucion = qEnvironmentVariable("XDG_RUNTIME_DIR"); !ejecucion.isEmpty())
        bases << ejecucion;
    bases << QDir::tempPath();
    QStringList r;
    for (const QString& base : bases) {
        const QString carpeta = base + "/" + propia + "/" + clave;
        if (Privada(base + "/" + propia) && Privada(carpeta) && !r.contains(carpeta))
            r << carpeta;
    }
    return r;
}

QString CarpetaAutostart() {
    if (!Raiz().isEmpty())
        return Raiz() + "/.config/autostart";
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart";
}
} // namespace Rutas
