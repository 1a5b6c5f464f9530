// IniSettingsStore: QSettings in INI format with case-insensitive application, section and key.
#include "platform/IniSettingsStore.h"

#include "platform/Rutas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>

namespace {

QString Plegar(const std::string& nombre) {
    return QString::fromStdString(nombre).toCaseFolded();
}

// QSettings reads '/' and '\' as group separators, so such names cannot address one key.
bool NombreValido(const QString& nombre) {
    return !nombre.isEmpty() && !nombre.contains('/') && !nombre.contains('\\');
}

// The stored spelling of `nombre` among `existentes`, or `nombre` itself when none matches.
QString Ortografia(const QStringList& existentes, const QString& nombre) {
    for (const QString& e : existentes)
        if (e.compare(nombre, Qt::CaseInsensitive) == 0)
            return e;
    return nombre;
}

// A stored value as text; a hand-written value with commas and no quotes comes back as a list.
std::string Texto(const QVariant& v) {
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", ")).toStdString();
    return v.toString().toStdString();
}

// Whether the file on disk holds `valor` under `clave`. Read from a private copy: QSettings
// objects on one path share their unsaved changes, so a failed write would read back as done.
bool Guardado(const QString& ruta, const QString& clave, const std::string& valor) {
    QFile archivo(ruta);
    QTemporaryFile copia;
    if (!archivo.open(QIODevice::ReadOnly) || !copia.open() || copia.write(archivo.readAll()) < 0 ||
        !copia.flush())
        return false;
    return Texto(QSettings(copia.fileName(), QSettings::IniFormat).value(clave)) == valor;
}

} // namespace

IniSettingsStore::IniSettingsStore(QString archivo) : archivo_(std::move(archivo)) {
    if (archivo_.isEmpty())
        archivo_ = Rutas::CarpetaConfiguracion() + "/VatriMox.ini";
}

IniSettingsStore::~IniSettingsStore() = default;

QSettings& IniSettingsStore::Abrir(const std::string& aplicacion) const {
    QString clave = Plegar(aplicacion);
    auto& s = abiertos_[clave];
    if (!s) {
        QString ruta = archivo_;
        if (clave != QStringLiteral("vatrimox")) {
            for (QChar& c : clave)
                if (!c.isLetterOrNumber() && c != '-' && c != '_')
                    c = '_';
            ruta = QFileInfo(archivo_).dir().filePath(clave + ".ini");
        }
        s = std::make_unique<QSettings>(ruta, QSettings::IniFormat);
    }
    return *s;
}

std::string IniSettingsStore::read(const std::string& aplicacion, const std::string& seccion,
                                   const std::string& clave) const {
    const QString sec = QString::fromStdString(seccion);
    const QString cla = QString::fromStdString(clave);
    if (!NombreValido(sec) || !NombreValido(cla))
        return {};
    const std::lock_guard bloqueo(mutex_);
    QSettings& s = Abrir(aplicacion);
    const QString grupo = Ortografia(s.childGroups(), sec);
    s.beginGroup(grupo);
    const QString k = Ortografia(s.childKeys(), cla);
    const QVariant v = s.value(k);
    s.endGroup();
    return Texto(v);
}

bool IniSettingsStore::write(const std::string& aplicacion, const std::string& seccion,
                             const std::string& clave, const std::string& valor) {
    const QString sec = QString::fromStdString(seccion);
    const QString cla = QString::fromStdString(clave);
    if (!NombreValido(sec) || !NombreValido(cla))
        return false;
    const std::lock_guard bloqueo(mutex_);
    QSettings& s = Abrir(aplicacion);
    const QString grupo = Ortografia(s.childGroups(), sec);
    s.beginGroup(grupo);
    const QString k = Ortografia(s.childKeys(), cla);
    s.setValue(k, QString::fromStdString(valor));
    s.endGroup();
    s.sync();
    // status() keeps the object's first error, also one met while reading (a byte-order mark,
    // a line that is not a key): once it is set, only the file itself tells whether this write
    // took effect.
    return s.status() == QSettings::NoError || Guardado(s.fileName(), grupo + '/' + k, valor);
}
