// Clock: the local date and time now; tests use a fake they advance.
#pragma once

#include "core/Fecha.h"

class Clock {
public:
    virtual ~Clock() = default;
    virtual Fechas::FechaHora now() const = 0;
};

class SystemClock : public Clock {
public:
    Fechas::FechaHora now() const override;
};
