// Calendar dates and local date-times, and their day-count form (days since 1899-12-30).
#pragma once

#include <chrono>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Fechas {

using Dia = std::chrono::sys_days; // a civil date; no time zone is implied
inline constexpr Dia Epoca = std::chrono::sys_days{std::chrono::year{1899} / 12 / 30};
inline constexpr int32_t SegundosPorDia = 86400;

constexpr int32_t aSerial(Dia d) {
    return static_cast<int32_t>((d - Epoca).count());
}
constexpr Dia desdeSerial(int32_t dias) {
    return Epoca + std::chrono::days{dias};
}
std::optional<Dia> crearDia(int anio, int mes, int dia);
// Weekday number, Monday = 1 to Sunday = 7.
constexpr int DiaSemana(Dia d) {
    return static_cast<int>(std::chrono::weekday{d}.iso_encoding());
}
inline int Anio(Dia d) {
    return static_cast<int>(std::chrono::year_month_day{d}.year());
}
inline int Mes(Dia d) {
    return static_cast<int>(unsigned(std::chrono::year_month_day{d}.month()));
}
inline int DiaDelMes(Dia d) {
    return static_cast<int>(unsigned(std::chrono::year_month_day{d}.day()));
}

// A local date-time with whole-second resolution.
struct FechaHora {
    Dia dia = Epoca;
    int32_t segundo = 0; // second of the day, 0..86399

    static FechaHora crear(Dia d, int hora, int minuto, int segundo);
    // Day-count form; whole part the day, fraction the time of day (rounded to the second).
    double serial() const;
    static FechaHora desdeSerial(double serial);
    // Moves by a signed number of seconds, across days as needed.
    FechaHora mas(int64_t segundos) const;
    int64_t segundosAbsolutos() const;
    auto operator<=>(const FechaHora&) const = default;
};

// Seconds from a to b (negative when b is earlier).
inline int64_t SegundosEntre(const FechaHora& a, const FechaHora& b) {
    return b.segundosAbsolutos() - a.segundosAbsolutos();
}

// Second of the day of a date-time: hour * 3600 + minute * 60 + second.
constexpr int32_t SegundosDelDia(int hora, int minuto, int segundo) {
    return hora * 3600 + minuto * 60 + segundo;
}
inline int32_t SegundosDelDia(const FechaHora& t) {
    return t.segundo;
}

// A date/time value as the call-log file holds it: a date alone, a time alone, or both. It keeps
// which parts it has, so a value read from a file writes back in the same form. Packed in 6 bytes
// (a call keeps three): days beyond about 11,000 years either side of 1899 are held at that limit.
class ValorFecha {
public:
    // A date alone.
    constexpr ValorFecha(Dia d) { poner(aSerial(d), 0, ConDia); }
    // A count of seconds from 1899-12-30 00:00, as the meter records start times and durations:
    // the time alone below a day, the date alone on a whole day, otherwise both.
    constexpr ValorFecha(int64_t segundos) {
        int64_t dias = segundos / SegundosPorDia;
        int64_t resto = segundos % SegundosPorDia;
        if (resto < 0) {
            resto += SegundosPorDia;
            --dias;
        }
        poner(dias, static_cast<uint32_t>(resto),
              (dias != 0 ? ConDia : 0u) | (dias == 0 || resto != 0 ? ConHora : 0u));
    }
    // Both parts, also when the time is midnight.
    static constexpr ValorFecha DiaYHora(Dia d, int32_t segundo) {
        ValorFecha v(d);
        v.poner(aSerial(d), static_cast<uint32_t>(segundo), ConDia | ConHora);
        return v;
    }
    // A time of day alone.
    static constexpr ValorFecha SoloHora(int32_t segundo) {
        ValorFecha v(Epoca);
        v.poner(0, static_cast<uint32_t>(segundo), ConHora);
        return v;
    }

    constexpr bool conDia() const { return (bits() & ConDia) != 0; }
    constexpr bool conHora() const { return (bits() & ConHora) != 0; }
    // The date part; 1899-12-30 when there is none.
    constexpr Dia dia() const { return desdeSerial(serial()); }
    // Second of the day of the time part; 0 when there is none.
    constexpr int32_t segundo() const { return static_cast<int32_t>(bits() & MascaraSegundo); }
    constexpr int hora() const { return segundo() / 3600; }
    // The day-count value in seconds: days since 1899-12-30 times 86400 plus the time of day.
    constexpr int64_t segundos() const {
        return static_cast<int64_t>(serial()) * SegundosPorDia + segundo();
    }
    // Same parts and same value.
    constexpr bool operator==(const ValorFecha&) const = default;

private:
    static constexpr uint64_t MascaraSegundo = (1u << 17) - 1;
    static constexpr uint64_t ConDia = 1u << 17;
    static constexpr uint64_t ConHora = 1u << 18;
    static constexpr int DesplazamientoDia = 19;
    static constexpr int64_t LimiteDias = int64_t(1) << 22; // 23 bits of days, signed

    constexpr void poner(int64_t dias, uint32_t segundo, uint64_t partes) {
        dias = dias < -LimiteDias ? -LimiteDias : dias >= LimiteDias ? LimiteDias - 1 : dias;
        const uint64_t v = static_cast<uint64_t>(dias + LimiteDias) << DesplazamientoDia | partes |
                           (segundo & MascaraSegundo);
        p_[0] = static_cast<uint16_t>(v);
        p_[1] = static_cast<uint16_t>(v >> 16);
        p_[2] = static_cast<uint16_t>(v >> 32);
    }
    constexpr uint64_t bits() const {
        return uint64_t(p_[0]) | uint64_t(p_[1]) << 16 | uint64_t(p_[2]) << 32;
    }
    constexpr int32_t serial() const {
        return static_cast<int32_t>(static_cast<int64_t>(bits() >> DesplazamientoDia) - LimiteDias);
    }

    uint16_t p_[3] = {};
};

// Date setting text, day first with a four-digit year: "31/01/1999" (padded) or "1/3/1999".
std::string TextoFecha(Dia d, bool rellenar = true);
// Reads "d/m/yyyy" or "d/m/yy" (also with '-' or '.'); two-digit years 00..29 are 20xx.
std::optional<Dia> LeerFecha(std::string_view texto);

} // namespace Fechas
