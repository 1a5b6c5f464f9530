// PppProbe: reads the interface list with getifaddrs.
#include "platform/PppProbe.h"

#include <ifaddrs.h>
#include <net/if.h>

PppProbe::PppProbe(std::function<std::string()> prefijo) : prefijo_(std::move(prefijo)) {}

bool PppProbe::Cuenta(std::string_view nombre, unsigned flags, std::string_view prefijo) {
    if (prefijo.empty())
        prefijo = "ppp";
    const unsigned necesarias = IFF_POINTOPOINT | IFF_UP | IFF_RUNNING;
    return nombre.substr(0, prefijo.size()) == prefijo && (flags & necesarias) == necesarias;
}

bool PppProbe::connected() {
    const std::string prefijo = prefijo_ ? prefijo_() : std::string();
    ifaddrs* lista = nullptr;
    if (getifaddrs(&lista) != 0)
        return false;
    bool hay = false;
    for (const ifaddrs* i = lista; i && !hay; i = i->ifa_next)
        hay = i->ifa_name && Cuenta(i->ifa_name, i->ifa_flags, prefijo);
    freeifaddrs(lista);
    return hay;
}
