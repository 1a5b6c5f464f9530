// Moneda: an amount of pesetas as a signed 64-bit count of ten-thousandths, with exact arithmetic.
#pragma once

#include <compare>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

class Moneda {
public:
    static constexpr int64_t Escala = 10000;
    static constexpr int64_t Limite = std::numeric_limits<int64_t>::max();

    constexpr Moneda() = default;
    static constexpr Moneda desdeDiezmilesimas(int64_t v) {
        Moneda m;
        m.v_ = v;
        return m;
    }
    static constexpr Moneda desdeEntero(int64_t pesetas) {
        return desdeDiezmilesimas(pesetas * Escala);
    }
    // Nearest ten-thousandth, halves to even; nullopt when the value is not finite or out of range.
    static std::optional<Moneda> desdeDouble(double pesetas);
    // As desdeDouble, for values known to be in range (a failure yields 0).
    static Moneda redondear(double pesetas) { return desdeDouble(pesetas).value_or(Moneda()); }
    // File form: "45.23", ".5", "-7", "0.5"; "." is the only decimal separator, no grouping.
    static std::optional<Moneda> desdeTexto(std::string_view texto);

    constexpr int64_t diezmilesimas() const { return v_; }
    constexpr double aDouble() const { return static_cast<double>(v_) / Escala; }
    // File form: "." separator, no trailing zeros, no point when whole, leading zero kept ("0.5").
    std::string textoArchivo() const;
    // The same text written at `destino`, which has room for 24 characters; returns its end.
    char* escribirArchivo(char* destino) const;

    constexpr Moneda operator+(Moneda o) const { return desdeDiezmilesimas(v_ + o.v_); }
    constexpr Moneda operator-(Moneda o) const { return desdeDiezmilesimas(v_ - o.v_); }
    constexpr Moneda operator*(int64_t n) const { return desdeDiezmilesimas(v_ * n); }
    // The one way to add up amounts: adds o, stopping at the end of the range instead of
    // wrapping round; false when it had to stop there (the sum is then not the true one).
    constexpr bool sumarSaturando(Moneda o) {
        if (!__builtin_add_overflow(v_, o.v_, &v_))
            return true;
        v_ = o.v_ < 0 ? std::numeric_limits<int64_t>::min() : Limite;
        return false;
    }
    constexpr auto operator<=>(const Moneda&) const = default;

private:
    int64_t v_ = 0;
};
