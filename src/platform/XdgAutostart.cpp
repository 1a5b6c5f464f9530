// XdgAutostart: writes vatrimox.desktop atomically, or removes it; no other entry is touched.
#include "platform/XdgAutostart.h"

#include "platform/Rutas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

XdgAutostart::XdgAutostart(QString carpeta, QString programa)
    : carpeta_(std::move(carpeta)), programa_(std::move(programa)) {}

XdgAutostart::XdgAutostart()
    : XdgAutostart(Rutas::CarpetaAutostart(), QCoreApplication::applicationFilePath()) {}

QString XdgAutostart::archivo() const {
    return carpeta_ + "/vatrimox.desktop";
}

bool XdgAutostart::isEnabled() const {
    return QFile::exists(archivo());
}

QString XdgAutostart::ValorExec(const QString& programa) {
    // The argument goes in double quotes with `"`, `` ` ``, `$` and `\` escaped by a backslash;
    // then the value itself escapes `\` (and line breaks) as a string, and `%` as a field code.
    QString argumento = "\"";
    for (const QChar c : programa) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            argumento += '\\';
        argumento += c;
    }
    argumento += '"';
    QString valor;
    for (const QChar c : argumento) {
        if (c == '\\')
            valor += "\\\\";
        else if (c == '\n')
            valor += "\\n";
        else if (c == '\r')
            valor += "\\r";
        else if (c == '\t')
            valor += "\\t";
        else if (c == '%')
            valor += "%%";
        else
            valor += c;
    }
    return valor;
}

bool XdgAutostart::setEnabled(bool activo, QString* error) {
    auto fallo = [error](const QString& motivo) {
        if (error)
            *error = motivo;
        return false;
    };
    if (!activo) {
        if (QFile::exists(archivo()) && !QFile::remove(archivo()))
            return fallo(QString("No se puede borrar %1").arg(archivo()));
        return true;
    }
    if (!QDir().mkpath(carpeta_))
        return fallo(QString("No se puede crear la carpeta %1").arg(carpeta_));
    QSaveFile f(archivo());
    if (!f.open(QIODevice::WriteOnly))
        return fallo(f.errorString());
    const QString contenido = "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=VatriMox\n"
                              "Exec=" +
                              ValorExec(programa_) +
                              "\n"
                              "X-GNOME-Autostart-enabled=true\n";
    f.write(contenido.toUtf8());
    if (!f.commit())
        return fallo(f.errorString());
    return true;
}
