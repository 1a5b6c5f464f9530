// TextoTarifa, the call type of a record kept as the bytes read, and its Windows-1252/UTF-8 forms.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

// A byte string in 8 bytes: up to 7 bytes inline, longer texts in a shared, reference-counted
// block, so the calls of a list that read the same call type share one copy. Compares and
// converts like a std::string_view of its bytes.
class TextoTarifa {
public:
    static constexpr size_t MaximoDentro = 7;
    static constexpr size_t Maximo = UINT32_MAX;

    TextoTarifa() { b_[0] = 1; }
    TextoTarifa(std::string_view t) { Poner(t); } // longer than Maximo: std::length_error
    TextoTarifa(const std::string& t) : TextoTarifa(std::string_view(t)) {}
    TextoTarifa(const char* t) : TextoTarifa(std::string_view(t)) {}
    TextoTarifa(const TextoTarifa& o) {
        std::memcpy(b_, o.b_, sizeof b_);
        if (Bloque* c = bloque())
            c->refs.fetch_add(1, std::memory_order_relaxed);
    }
    TextoTarifa(TextoTarifa&& o) noexcept {
        std::memcpy(b_, o.b_, sizeof b_);
        o.b_[0] = 1;
    }
    TextoTarifa& operator=(const TextoTarifa& o) {
        TextoTarifa copia(o);
        return *this = std::move(copia);
    }
    TextoTarifa& operator=(TextoTarifa&& o) noexcept {
        if (this != &o) {
            Liberar();
            std::memcpy(b_, o.b_, sizeof b_);
            o.b_[0] = 1;
        }
        return *this;
    }
    ~TextoTarifa() { Liberar(); }

    std::string_view vista() const {
        if (const Bloque* c = bloque())
            return {reinterpret_cast<const char*>(c + 1), c->tam};
        return {reinterpret_cast<const char*>(b_ + 1), static_cast<size_t>(b_[0] >> 1)};
    }
    operator std::string_view() const { return vista(); }
    std::string texto() const { return std::string(vista()); }
    size_t size() const { return vista().size(); }
    bool empty() const { return vista().empty(); }

    friend bool operator==(const TextoTarifa& a, const TextoTarifa& b) {
        return a.vista() == b.vista();
    }

private:
    struct Bloque {
        std::atomic<uint32_t> refs;
        uint32_t tam;
    };
    // Inline texts set the low bit of the first byte, which a block's address never has.
    Bloque* bloque() const {
        if (b_[0] & 1)
            return nullptr;
        Bloque* c;
        std::memcpy(&c, b_, sizeof c);
        return c;
    }
    void Poner(std::string_view t);
    void Liberar() {
        if (Bloque* c = bloque(); c && c->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            c->~Bloque();
            ::operator delete(c);
        }
        b_[0] = 1;
    }
    alignas(8) unsigned char b_[8];
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
