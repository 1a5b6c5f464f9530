// TextoTarifa, the call type of a record kept as the bytes read, and its Windows-1252/UTF-8 forms.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

// A byte string of 16 bytes: up to 15 bytes inline (every known call type fits), longer texts on
// the heap. Compares and converts like a std::string_view of its bytes.
class TextoTarifa {
public:
    static constexpr size_t MaximoDentro = 15;

    TextoTarifa() { b_[Etiqueta] = 0; }
    TextoTarifa(std::string_view t) { Poner(t); }
    TextoTarifa(const std::string& t) : TextoTarifa(std::string_view(t)) {}
    TextoTarifa(const char* t) : TextoTarifa(std::string_view(t)) {}
    TextoTarifa(const TextoTarifa& o) { Poner(o.vista()); }
    TextoTarifa(TextoTarifa&& o) noexcept {
        std::memcpy(b_, o.b_, sizeof b_);
        o.b_[Etiqueta] = 0;
    }
    TextoTarifa& operator=(const TextoTarifa& o) {
        if (this != &o) {
            TextoTarifa copia(o);
            *this = std::move(copia);
        }
        return *this;
    }
    TextoTarifa& operator=(TextoTarifa&& o) noexcept {
        if (this != &o) {
            Liberar();
            std::memcpy(b_, o.b_, sizeof b_);
            o.b_[Etiqueta] = 0;
        }
        return *this;
    }
    ~TextoTarifa() { Liberar(); }

    std::string_view vista() const {
        if (!fuera())
            return {b_, static_cast<size_t>(b_[Etiqueta])};
        const char* p;
        uint32_t n;
        std::memcpy(&p, b_, sizeof p);
        std::memcpy(&n, b_ + 8, sizeof n);
        return {p, n};
    }
    operator std::string_view() const { return vista(); }
    std::string texto() const { return std::string(vista()); }
    size_t size() const { return vista().size(); }
    bool empty() const { return vista().empty(); }

    friend bool operator==(const TextoTarifa& a, const TextoTarifa& b) {
        return a.vista() == b.vista();
    }

private:
    static constexpr int Etiqueta = 15; // inline length, or Fuera
    static constexpr char Fuera = 16;
    bool fuera() const { return b_[Etiqueta] == Fuera; }
    void Poner(std::string_view t);
    void Liberar() {
        if (fuera()) {
            char* p;
            std::memcpy(&p, b_, sizeof p);
            delete[] p;
            b_[Etiqueta] = 0;
        }
    }
    alignas(8) char b_[16];
};

namespace Codificacion {

// Whether the bytes are valid UTF-8.
bool EsUtf8(std::string_view bytes);
// The text to show: the bytes themselves when valid UTF-8, otherwise read as Windows-1252.
std::string TextoVisible(std::string_view bytes);
// Bytes to store for a call type typed as UTF-8: the same text in a UTF-8 file, Windows-1252 in
// any other; nullopt when a character has no Windows-1252 byte, that character then in `sinSitio`.
std::optional<std::string> Codificar(std::string_view utf8, bool archivoUtf8,
                                     std::string& sinSitio);

} // namespace Codificacion
