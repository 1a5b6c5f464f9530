// XdgAutostart: the session's autostart entry for VatriMox, a desktop file in the autostart folder.
#pragma once

#include "platform/Autostart.h"

#include <QString>

class XdgAutostart : public Autostart {
public:
    // `carpeta` is the autostart folder, `programa` the executable the entry starts.
    XdgAutostart(QString carpeta, QString programa);
    // The user's autostart folder and the Exec of the installed menu entry (see ExecInstalado).
    XdgAutostart();

    bool isEnabled() const override;
    bool setEnabled(bool activo, QString* error) override;

    QString archivo() const;
    // The Exec value that runs `programa` with no arguments, quoted and escaped for a desktop file.
    static QString ValorExec(const QString& programa);
    // The Exec of the menu entry installed with `programa` (<prefix>/share/applications/
    // vatrimox.desktop for <prefix>/bin/vatrimox), so the session starts what the menu starts;
    // ValorExec(programa) when `programa` was not installed with one.
    static QString ExecInstalado(const QString& programa);

private:
    QString carpeta_;
    QString exec_;
};
