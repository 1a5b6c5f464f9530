// PppProbe: a dial-up link is up when a point-to-point interface with the configured name
// prefix is up and running.
#pragma once

#include "platform/ConnectionProbe.h"

#include <functional>
#include <string>
#include <string_view>

class PppProbe : public ConnectionProbe {
public:
    // `prefijo` is asked at every poll, so a changed setting acts at once; "" means "ppp".
    explicit PppProbe(std::function<std::string()> prefijo);
    bool connected() override;
    // One interface as getifaddrs reports it.
    static bool Cuenta(std::string_view nombre, unsigned flags, std::string_view prefijo);

private:
    std::function<std::string()> prefijo_;
};
