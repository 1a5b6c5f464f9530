// ConnectionProbe: whether a dial-up connection is up now.
#pragma once

class ConnectionProbe {
public:
    virtual ~ConnectionProbe() = default;
    virtual bool connected() = 0;
};
