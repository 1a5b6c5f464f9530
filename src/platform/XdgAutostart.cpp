// XdgAutostart: writes vatrimox.desktop atomically, or removes it; no other entry is touched.
#include "platform/XdgAutostart.h"

#include "platform/Rutas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

XdgAutostart::XdgAutostart(QString carpeta, QString programa)
    : carpeta_(std::move(carpeta)), exec_(ValorExec(programa)) {}

XdgAutostart::XdgAutostart()
    : carpeta_(Rutas::CarpetaAutostart()),
      exec_(ExecInstalado(QCoreApplication::applicationFilePath())) {}

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

QString XdgAutostart::ExecInstalado(const QString& programa) {
    // VM_APLICACIONES is the menu-entry folder relative to the installed binary's folder.
    QFile f(QFileInfo(programa).absolutePath() + "/" VM_APLICACIONES "/vatrimox.desktop");
    if (f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        bool enEntrada = false;
        while (!f.atEnd()) {
            const QString linea = QString::fromUtf8(f.readLine()).trimmed();
            if (linea.startsWith('['))
                enEntrada = linea == "[Desktop Entry]";
            else if (enEntrada && linea.section('=', 0, 0).trimmed() == "Exec") {
                const QString valor = linea.section('=', 1).trimmed();
                if (!valor.isEmpty())
                    return valor;
            }
        }
    }
    return ValorExec(programa);
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
                              exec_ +
                              "\n"
                              "X-GNOME-Autostart-enabled=true\n";
    f.write(contenido.toUtf8());
    if (!f.commit())
        return fallo(f.errorString());
    return true;
}
