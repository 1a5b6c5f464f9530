// Clock: the local date and time now, and a monotonic reading for elapsed time; tests use a fake.
#pragma once

#include "core/Fecha.h"

#include <chrono>

class Clock {
public:
    virtual ~Clock() = default;
    virtual Fechas::FechaHora now() const = 0;
    // Time since an arbitrary origin that never jumps with the wall clock or summer time.
    virtual std::chrono::milliseconds monotonic() const = 0;
};

class SystemClock : public Clock {
public:
    Fechas::FechaHora now() const override;
    std::chrono::milliseconds monotonic() const override;
};
