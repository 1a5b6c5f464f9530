// SettingsStore: per-user text settings addressed by application, section and key.
#pragma once

#include <string>

// Names are compared without regard to case; an absent key reads as "".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string read(const std::string& aplicacion, const std::string& seccion,
                             const std::string& clave) const = 0;
    // Returns false when the value could not be stored.
    virtual bool write(const std::string& aplicacion, const std::string& seccion,
                       const std::string& clave, const std::string& valor) = 0;
};
