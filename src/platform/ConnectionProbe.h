// ConnectionProbe: whether a dial-up connection is up now.
#pragma once

#include <string>

class ConnectionProbe {
public:
    virtual ~ConnectionProbe() = default;
    virtual bool connected() = 0;
    // Name of the connection that counts as the call, where the probe knows it.
    virtual std::string nombre() { return {}; }
};
