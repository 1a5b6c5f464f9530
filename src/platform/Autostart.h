// Autostart: the entry that starts VatriMox when the user logs in.
#pragma once

#include <QString>

class Autostart {
public:
    virtual ~Autostart() = default;
    virtual bool isEnabled() const = 0;
    // Writes or removes the entry; false (with a reason) when that failed.
    virtual bool setEnabled(bool activo, QString* error) = 0;
};
