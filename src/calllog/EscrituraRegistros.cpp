// The record line writer: one CRLF-ended line per call, in the fixed form the reader takes back.
#include "calllog/ArchivoLlamadas.h"

#include <charconv>
#include <cstring>
#include <memory>

namespace ArchivoLlamadas {

namespace {

// 0001-01-01 and 9999-12-31, the days a four-digit year can write.
constexpr int32_t PrimerSerial =
    Fechas::aSerial(std::chrono::sys_days{std::chrono::year{1} / 1 / 1});
constexpr int32_t UltimoSerial = 2958465;

// The most a record line takes besides its Tarifa: three literals of 21, seconds, amount,
// separators, quotes and line end.
constexpr size_t LineaMaxima = 3 * 21 + 11 + 24 + 10;

char* Digitos(char* p, unsigned v, int ancho) {
    for (int i = ancho - 1; i >= 0; --i) {
        p[i] = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    return p + ancho;
}

// Writes record lines at a pointer, remembering the last date's text: consecutive calls mostly
// share their day.
class Escritor {
public:
    explicit Escritor(char* p) : p_(p) {}
    char* fin() const { return p_; }
    void reiniciar(char* p) { p_ = p; }

    void linea(const Llamada& ll) {
        literal(ll.Fecha);
        *p_++ = ',';
        literal(ll.Hora);
        *p_++ = ',';
        literal(ll.Duracion);
        *p_++ = ',';
        p_ = std::to_chars(p_, p_ + 11, ll.Segundos).ptr;
        *p_++ = ',';
        p_ = ll.Importe.escribirArchivo(p_);
        *p_++ = ',';
        *p_++ = '"';
        const std::string_view t = ll.Tarifa.vista();
        std::memcpy(p_, t.data(), t.size());
        p_ += t.size();
        std::memcpy(p_, "\"\r\n", 3);
        p_ += 3;
    }

private:
    // A date field between '#': its date, its time, or both joined by one space.
    void literal(Fechas::ValorFecha v) {
        *p_++ = '#';
        if (v.conDia()) {
            dia(v.dia());
            if (v.conHora())
                *p_++ = ' ';
        }
        if (v.conHora()) {
            const auto seg = static_cast<unsigned>(v.segundo());
            p_ = Digitos(p_, seg / 3600, 2);
            *p_++ = ':';
            p_ = Digitos(p_, seg / 60 % 60, 2);
            *p_++ = ':';
            p_ = Digitos(p_, seg % 60, 2);
        }
        *p_++ = '#';
    }

    void dia(Fechas::Dia d) {
        if (d != ultimo_) {
            const std::chrono::year_month_day ymd{d};
            char* q = Digitos(textoUltimo_, static_cast<unsigned>(static_cast<int>(ymd.year())), 4);
            *q++ = '-';
            q = Digitos(q, static_cast<unsigned>(ymd.month()), 2);
            *q++ = '-';
            Digitos(q, static_cast<unsigned>(ymd.day()), 2);
            ultimo_ = d;
        }
        std::memcpy(p_, textoUltimo_, 10);
        p_ += 10;
    }

    char* p_;
    Fechas::Dia ultimo_ = Fechas::Dia::max();
    char textoUltimo_[10] = {};
};

// The lines of these records in one buffer, sized for the longest lines they could give.
struct Texto {
    std::unique_ptr<char[]> datos;
    size_t tam = 0;
    std::string_view vista() const { return {datos.get(), tam}; }
};

Texto Lineas(const std::vector<Llamada>& llamadas) {
    size_t maximo = 0;
    for (const Llamada& ll : llamadas)
        maximo += LineaMaxima + ll.Tarifa.size();
    Texto t;
    t.datos.reset(new char[maximo + 1]); // left uninitialized: only the written part is touched
    Escritor e(t.datos.get());
    for (const Llamada& ll : llamadas)
        e.linea(ll);
    t.tam = static_cast<size_t>(e.fin() - t.datos.get());
    return t;
}

} // namespace

std::string LineaRegistro(const Llamada& llamada) {
    std::string linea(LineaMaxima + llamada.Tarifa.size(), '\0');
    Escritor e(linea.data());
    e.linea(llamada);
    linea.resize(static_cast<size_t>(e.fin() - linea.data()));
    return linea;
}

std::string ProblemaRegistro(const Llamada& ll) {
    for (const Fechas::ValorFecha v : {ll.Fecha, ll.Hora, ll.Duracion}) {
        const int32_t serial = Fechas::aSerial(v.dia());
        if (v.conDia() && (serial < PrimerSerial || serial > UltimoSerial))
            return "fecha fuera del intervalo de años 1 a 9999";
    }
    for (const char c : ll.Tarifa.vista())
        if (c == '"' || c == '\r' || c == '\n')
            return "la tarifa no puede contener comillas dobles ni saltos de línea";
    return {};
}

std::string TextoArchivo(const std::vector<Llamada>& llamadas) {
    return std::string(Lineas(llamadas).vista());
}

bool EscribirEnBloques(const std::vector<Llamada>& llamadas,
                       const std::function<bool(const char*, size_t)>& volcar) {
    constexpr size_t Bloque = 1 << 20;
    std::vector<char> buffer(Bloque + LineaMaxima);
    Escritor e(buffer.data());
    for (const Llamada& ll : llamadas) {
        const size_t hecho = static_cast<size_t>(e.fin() - buffer.data());
        if (hecho + LineaMaxima + ll.Tarifa.size() > buffer.size()) {
            if (!volcar(buffer.data(), hecho))
                return false;
            if (LineaMaxima + ll.Tarifa.size() > buffer.size())
                buffer.resize(LineaMaxima + ll.Tarifa.size());
            e.reiniciar(buffer.data());
        }
        e.linea(ll);
    }
    return volcar(buffer.data(), static_cast<size_t>(e.fin() - buffer.data()));
}

} // namespace ArchivoLlamadas
