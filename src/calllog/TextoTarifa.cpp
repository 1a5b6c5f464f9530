// Inline/heap storage of call-type bytes, UTF-8 validation and the Windows-1252 code page.
#include "calllog/TextoTarifa.h"

#include <new>
#include <stdexcept>

void TextoTarifa::Poner(std::string_view t) {
    if (t.size() <= MaximoDentro) {
        b_[0] = static_cast<unsigned char>(t.size() << 1 | 1);
        std::memcpy(b_ + 1, t.data(), t.size());
        return;
    }
    if (t.size() > Maximo)
        throw std::length_error("tarifa demasiado larga");
    void* memoria = ::operator new(sizeof(Bloque) + t.size());
    auto* c = new (memoria) Bloque{{1}, static_cast<uint32_t>(t.size())};
    std::memcpy(reinterpret_cast<char*>(c + 1), t.data(), t.size());
    std::memcpy(b_, &c, sizeof c);
}

namespace Codificacion {

namespace {

// Code points of bytes 0x80..0x9F; the five bytes Windows-1252 leaves unassigned map to the C1
// control of the same number, so every byte reads and writes back unchanged.
constexpr char16_t Altos[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AnadirUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at `i`; its length, or 0 when the bytes there are not UTF-8.
size_t Caracter(std::string_view t, size_t i, char32_t& c) {
    const auto b = static_cast<unsigned char>(t[i]);
    size_t n;
    char32_t minimo;
    if (b < 0x80) {
        c = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        n = 2, c = b & 0x1F, minimo = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3, c = b & 0x0F, minimo = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4, c = b & 0x07, minimo = 0x10000;
    } else {
        return 0;
    }
    if (i + n > t.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        const auto s = static_cast<unsigned char>(t[i + k]);
        if ((s & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (s & 0x3F);
    }
    if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return n;
}

} // namespace

bool EsUtf8(std::string_view t) {
    for (size_t i = 0; i < t.size();) {
        if (static_cast<unsigned char>(t[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t c;
        const size_t n = Caracter(t, i, c);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string TextoVisible(std::string_view bytes) {
    if (EsUtf8(bytes))
        return std::string(bytes);
    std::string s;
    s.reserve(bytes.size() * 2);
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        AnadirUtf8(s, u >= 0x80 && u < 0xA0 ? Altos[u - 0x80] : u);
    }
    return s;
}

std::optional<std::string> Codificar(std::string_view utf8, bool archivoUtf8,
                                     std::string& sinSitio) {
    if (archivoUtf8)
        return std::string(utf8);
    std::string r;
    r.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t c;
        size_t n = Caracter(utf8, i, c);
        if (n == 0) {
            c = 0xFFFD;
            n = 1;
        }
        int byte = c < 0x80 || (c >= 0xA0 && c <= 0xFF) ? static_cast<int>(c) : -1;
        for (int k = 0; k < 32 && byte < 0; ++k)
            if (Altos[k] == c)
                byte = 0x80 + k;
        if (byte < 0) {
            sinSitio.assign(utf8.substr(i, n));
            return std::nullopt;
        }
        r += static_cast<char>(byte);
        i += n;
    }
    return r;
}

} // namespace Codificacion
