// ConnectionProbe: whether a dial-up connection is up now.
#pragma once

#include <chrono>
#include <optional>
#include <string>

class ConnectionProbe {
public:
    virtual ~ConnectionProbe() = default;
    virtual bool connected() = 0;
    // Name of the connection that counts as the call, where the probe knows it.
    virtual std::string nombre() { return {}; }
    // The monotonic instant the link was seen to go, where the probe watches on a thread of its
    // own; nullopt while it is up, or when the probe knows no more than connected() says now.
    virtual std::optional<std::chrono::milliseconds> caida() { return std::nullopt; }
};
