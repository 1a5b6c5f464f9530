// SystemClock: the local wall clock, to the second, and the steady clock.
#include "platform/Clock.h"

#include <QDateTime>

Fechas::FechaHora SystemClock::now() const {
    const QDateTime ahora = QDateTime::currentDateTime();
    const QDate d = ahora.date();
    const QTime t = ahora.time();
    const auto dia = Fechas::crearDia(d.year(), d.month(), d.day()).value_or(Fechas::Epoca);
    return Fechas::FechaHora{dia, Fechas::SegundosDelDia(t.hour(), t.minute(), t.second())};
}

std::chrono::milliseconds SystemClock::monotonic() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}
