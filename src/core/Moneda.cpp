// Moneda conversions between double, text and ten-thousandths.
#include "core/Moneda.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>

std::optional<Moneda> Moneda::desdeDouble(double pesetas) {
    const double escalado = pesetas * Escala;
    if (!std::isfinite(escalado) || std::fabs(escalado) >= 9.2e18)
        return std::nullopt;
    // nearbyint follows the current rounding mode, which is round-to-nearest-even by default.
    return desdeDiezmilesimas(static_cast<int64_t>(std::nearbyint(escalado)));
}

std::optional<Moneda> Moneda::desdeTexto(std::string_view t) {
    size_t i = 0;
    while (i < t.size() && t[i] == ' ')
        ++i;
    size_t fin = t.size();
    while (fin > i && t[fin - 1] == ' ')
        --fin;
    t = t.substr(i, fin - i);
    bool negativo = false;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        negativo = t[0] == '-';
        t.remove_prefix(1);
    }
    if (t.empty())
        return std::nullopt;
    const size_t punto = t.find('.');
    const std::string_view entera = t.substr(0, punto);
    const std::string_view decimales = punto == std::string_view::npos ? "" : t.substr(punto + 1);
    if (entera.empty() && decimales.empty())
        return std::nullopt;
    constexpr int64_t limite = Limite / Escala;
    int64_t ent = 0;
    for (char c : entera) {
        if (c < '0' || c > '9')
            return std::nullopt;
        ent = ent * 10 + (c - '0');
        if (ent > limite)
            return std::nullopt;
    }
    // Up to four decimals are exact; further digits round half to even.
    int64_t frac = 0;
    int digitos = 0;
    int siguiente = -1;
    bool restoNoNulo = false;
    for (char c : decimales) {
        if (c < '0' || c > '9')
            return std::nullopt;
        if (digitos < 4) {
            frac = frac * 10 + (c - '0');
            ++digitos;
        } else if (siguiente < 0) {
            siguiente = c - '0';
        } else if (c != '0') {
            restoNoNulo = true;
        }
    }
    for (; digitos < 4; ++digitos)
        frac *= 10;
    // Unsigned, so a value just past the range is refused rather than wrapped. The negative
    // range reaches one further: the most negative value reads as it is written.
    uint64_t v = static_cast<uint64_t>(ent) * Escala + static_cast<uint64_t>(frac);
    if (siguiente > 5 || (siguiente == 5 && (restoNoNulo || (v % 2) != 0)))
        ++v;
    if (v > static_cast<uint64_t>(Limite) + (negativo ? 1 : 0))
        return std::nullopt;
    return desdeDiezmilesimas(static_cast<int64_t>(negativo ? 0 - v : v));
}

std::string Moneda::textoArchivo() const {
    char texto[24];
    return std::string(texto, escribirArchivo(texto));
}

char* Moneda::escribirArchivo(char* p) const {
    const bool negativo = v_ < 0;
    // Work on the unsigned magnitude so the most negative value has a text too.
    const uint64_t mag = negativo ? 0 - static_cast<uint64_t>(v_) : static_cast<uint64_t>(v_);
    if (negativo)
        *p++ = '-';
    p = std::to_chars(p, p + 20, mag / Escala).ptr;
    auto frac = static_cast<unsigned>(mag % Escala);
    if (frac != 0) {
        *p++ = '.';
        for (unsigned div = 1000; frac != 0; div /= 10) {
            *p++ = static_cast<char>('0' + frac / div);
            frac %= div;
        }
    }
    return p;
}
