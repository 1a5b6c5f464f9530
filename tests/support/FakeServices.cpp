// Settings in memory: names folded to lower case.
#include "support/FakeServices.h"

#include <algorithm>
#include <cctype>

static std::string Plegar(const std::string& a, const std::string& s, const std::string& k) {
    std::string r = a + "/" + s + "/" + k;
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return std::tolower(c); });
    return r;
}

std::string MemorySettingsStore::read(const std::string& a, const std::string& s,
                                      const std::string& k) const {
    const auto it = valores.find(Plegar(a, s, k));
    return it == valores.end() ? std::string() : it->second;
}

bool MemorySettingsStore::write(const std::string& a, const std::string& s, const std::string& k,
                                const std::string& v) {
    if (fallarEscrituras)
        return false;
    valores[Plegar(a, s, k)] = v;
    escrituras << QString::fromStdString(s + "/" + k + "=" + v);
    return !sinGuardar;
}
