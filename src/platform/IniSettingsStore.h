// IniSettingsStore: the settings store on QSettings INI files, names compared without regard to
// case.
#pragma once

#include "core/SettingsStore.h"

#include <QString>
#include <map>
#include <memory>
#include <mutex>

class QSettings;

// Application `VatriMox` lives in one INI file; any other application name in a sibling file
// named after its case-folded name. Sections and keys are found whatever their case and keep
// the spelling they were first written with.
class IniSettingsStore : public SettingsStore {
public:
    // `archivo` is the VatriMox file; empty means VatriMox.ini in the per-user config folder.
    explicit IniSettingsStore(QString archivo = {});
    ~IniSettingsStore() override;

    std::string read(const std::string& aplicacion, const std::string& seccion,
                     const std::string& clave) const override;
    // Stores the value and writes the file at once; false when that fails.
    bool write(const std::string& aplicacion, const std::string& seccion, const std::string& clave,
               const std::string& valor) override;

    QString archivo() const { return archivo_; }

private:
    QSettings& Abrir(const std::string& aplicacion) const;

    QString archivo_;
    // The connection watcher's thread reads settings too.
    mutable std::mutex mutex_;
    mutable std::map<QString, std::unique_ptr<QSettings>> abiertos_;
};
