// The record reader: a scanner of comma- and line-separated values, six to a record.
#include "calllog/ArchivoLlamadas.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <future>
#include <iterator>
#include <limits>
#include <thread>

namespace ArchivoLlamadas {

namespace {

enum class Clase { Simple, Literal, Comillas };

struct Valor {
    Clase clase = Clase::Simple;
    std::string_view texto;
};

struct FalloValor {
    const char* motivo;
};

class Escaner {
public:
    explicit Escaner(std::string_view bytes)
        : inicio_(bytes.data()), p_(bytes.data()), fin_(bytes.data() + bytes.size()) {}

    bool alFinal() const { return p_ == fin_; }
    size_t hechos() const { return static_cast<size_t>(p_ - inicio_); }

    // Reads one value and its delimiter; nullptr on success, else why it failed.
    const char* leer(Valor& v, int64_t& lineaValor) {
        while (p_ != fin_ && (*p_ == ' ' || *p_ == '\t'))
            ++p_;
        if (p_ == fin_) {
            lineaValor = lineaAnterior_;
            return "el archivo termina a mitad de un registro";
        }
        lineaValor = lineaAnterior_ = linea_;
        const char c = *p_;
        if (c == '#') {
            // Values are short: a plain loop beats memchr's set-up here. A literal ends on its
            // line.
            const char* cierre = p_ + 1;
            while (cierre != fin_ && *cierre != '#' && *cierre != '\r' && *cierre != '\n')
                ++cierre;
            if (cierre == fin_ || *cierre != '#')
                return "fecha sin # de cierre";
            v.clase = Clase::Literal;
            v.texto = std::string_view(p_ + 1, static_cast<size_t>(cierre - p_ - 1));
            p_ = cierre + 1;
            while (p_ != fin_ && (*p_ == ' ' || *p_ == '\t'))
                ++p_;
        } else if (c == '"') {
            const char* cierre = p_ + 1;
            int64_t saltos = 0;
            while (cierre != fin_ && *cierre != '"')
                saltos += *cierre++ == '\n';
            if (cierre == fin_)
                return "texto sin comillas de cierre";
            v.clase = Clase::Comillas;
            v.texto = std::string_view(p_ + 1, static_cast<size_t>(cierre - p_ - 1));
            linea_ += saltos;
            p_ = cierre + 1;
            while (p_ != fin_ && (*p_ == ' ' || *p_ == '\t'))
                ++p_;
        } else {
            const char* q = p_;
            while (q != fin_ && *q != ',' && *q != '\r' && *q != '\n')
                ++q;
            const char* f = q;
            while (f != p_ && (f[-1] == ' ' || f[-1] == '\t'))
                --f;
            v.clase = Clase::Simple;
            v.texto = std::string_view(p_, static_cast<size_t>(f - p_));
            p_ = q;
        }
        return delimitador();
    }

private:
    const char* delimitador() {
        if (p_ == fin_)
            return nullptr;
        switch (*p_) {
        case ',':
            ++p_;
            return nullptr;
        case '\r':
            ++p_;
            if (p_ != fin_ && *p_ == '\n')
                ++p_;
            ++linea_;
            return nullptr;
        case '\n':
            ++p_;
            ++linea_;
            return nullptr;
        default:
            return "texto inesperado tras el valor";
        }
    }

    const char* inicio_;
    const char* p_;
    const char* fin_;
    int64_t linea_ = 1;
    int64_t lineaAnterior_ = 1; // line of the last value read
};

// Reads up to `maxDigitos` digits (at least one) into n.
bool Numero(std::string_view& t, int maxDigitos, int& n) {
    int k = 0;
    n = 0;
    while (k < static_cast<int>(t.size()) && t[k] >= '0' && t[k] <= '9') {
        if (k == maxDigitos)
            return false;
        n = n * 10 + (t[k] - '0');
        ++k;
    }
    t.remove_prefix(static_cast<size_t>(k));
    return k > 0;
}

bool Separador(std::string_view& t, char c) {
    if (t.empty() || t.front() != c)
        return false;
    t.remove_prefix(1);
    return true;
}

// `n` digits at p, or -1.
int Digitos(const char* p, int n) {
    int v = 0;
    for (int i = 0; i < n; ++i) {
        const unsigned d = static_cast<unsigned char>(p[i]) - unsigned('0');
        if (d > 9)
            return -1;
        v = v * 10 + static_cast<int>(d);
    }
    return v;
}

// The last date text read and its day: consecutive calls mostly share their day.
struct UltimoDia {
    char texto[10] = {};
    Fechas::Dia dia = Fechas::Epoca;
};

// The forms the writer gives ("yyyy-mm-dd", "hh:mm:ss", both with one space) read directly;
// false sends any other text to the general rule.
bool LiteralEscrito(std::string_view t, Fechas::ValorFecha& f, UltimoDia& ultimo) {
    const char* p = t.data();
    std::optional<Fechas::Dia> dia;
    if (t.size() == 10 || t.size() == 19) {
        if (p[4] != '-' || p[7] != '-' || (t.size() == 19 && p[10] != ' '))
            return false;
        if (std::memcmp(p, ultimo.texto, 10) == 0) {
            dia = ultimo.dia;
        } else {
            const int a = Digitos(p, 4), m = Digitos(p + 5, 2), d = Digitos(p + 8, 2);
            if (a < 1 || m < 0 || d < 0 || !(dia = Fechas::crearDia(a, m, d)))
                return false;
            std::memcpy(ultimo.texto, p, 10);
            ultimo.dia = *dia;
        }
        if (t.size() == 10) {
            f = *dia;
            return true;
        }
        p += 11;
    } else if (t.size() != 8) {
        return false;
    }
    if (p[2] != ':' || p[5] != ':')
        return false;
    const int h = Digitos(p, 2), mi = Digitos(p + 3, 2), s = Digitos(p + 6, 2);
    if (h < 0 || mi < 0 || s < 0 || h > 23 || mi > 59 || s > 59)
        return false;
    const int32_t segundo = Fechas::SegundosDelDia(h, mi, s);
    f = dia ? Fechas::ValorFecha::DiaYHora(*dia, segundo) : Fechas::ValorFecha::SoloHora(segundo);
    return true;
}

// "yyyy-mm-dd", "hh:mm:ss" or both separated by spaces.
const char* LeerLiteral(std::string_view t, Fechas::ValorFecha& f, UltimoDia& ultimo) {
    if (LiteralEscrito(t, f, ultimo))
        return nullptr;
    const char* invalida = "fecha u hora no válida";
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    const size_t espacio = t.find(' ');
    std::string_view primero = t.substr(0, espacio);
    std::optional<Fechas::Dia> dia;
    if (primero.find('-') != std::string_view::npos) {
        int a = 0, m = 0, d = 0;
        // The year has its four digits: "99-03-17" is not in the file's form.
        if (!Numero(primero, 4, a) || primero.size() + 4 != t.substr(0, espacio).size() ||
            !Separador(primero, '-') || !Numero(primero, 2, m) || !Separador(primero, '-') ||
            !Numero(primero, 2, d) || !primero.empty())
            return invalida;
        dia = Fechas::crearDia(a, m, d);
        if (!dia || a < 1)
            return invalida;
        if (espacio == std::string_view::npos) {
            f = *dia;
            return nullptr;
        }
        t.remove_prefix(espacio);
        while (!t.empty() && t.front() == ' ')
            t.remove_prefix(1);
    }
    int h = 0, mi = 0, s = 0;
    if (!Numero(t, 2, h) || !Separador(t, ':') || !Numero(t, 2, mi) || !Separador(t, ':') ||
        !Numero(t, 2, s) || !t.empty() || h > 23 || mi > 59 || s > 59)
        return invalida;
    const int32_t segundo = Fechas::SegundosDelDia(h, mi, s);
    f = dia ? Fechas::ValorFecha::DiaYHora(*dia, segundo) : Fechas::ValorFecha::SoloHora(segundo);
    return nullptr;
}

// The last call types read: calls that share one share its bytes.
struct UltimasTarifas {
    TextoTarifa tarifas[4];
    int siguiente = 0;

    TextoTarifa buscar(std::string_view t) {
        for (const TextoTarifa& x : tarifas)
            if (x.vista() == t)
                return x;
        TextoTarifa& nueva = tarifas[siguiente++ % 4];
        nueva = TextoTarifa(t);
        return nueva;
    }
};

const char* Convertir(int campo, const Valor& v, Llamada& ll, UltimoDia& ultimo,
                      UltimasTarifas& tarifas) {
    if (campo <= 3) {
        if (v.clase != Clase::Literal)
            return "se esperaba una fecha u hora entre #";
        return LeerLiteral(v.texto,
                           campo == 1   ? ll.Fecha
                           : campo == 2 ? ll.Hora
                                        : ll.Duracion,
                           ultimo);
    }
    if (campo == 6) {
        if (v.clase == Clase::Literal)
            return "se esperaba un texto";
        if (v.texto.size() > TextoTarifa::Maximo)
            return "tarifa demasiado larga";
        ll.Tarifa = tarifas.buscar(v.texto);
        return nullptr;
    }
    if (v.clase == Clase::Literal)
        return "se esperaba un número";
    if (campo == 4) {
        std::string_view t = v.texto;
        if (!t.empty() && t.front() == '+')
            t.remove_prefix(1);
        int64_t n = 0;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), n);
        if (t.empty() || r.ptr != t.data() + t.size())
            return "segundos no es un número entero";
        if (r.ec != std::errc() || n < std::numeric_limits<int32_t>::min() ||
            n > std::numeric_limits<int32_t>::max())
            return "segundos fuera del rango de 32 bits";
        ll.Segundos = static_cast<int32_t>(n);
        return nullptr;
    }
    const auto m = Moneda::desdeTexto(v.texto);
    if (!m)
        return "importe no válido";
    ll.Importe = *m;
    return nullptr;
}

} // namespace

std::string TextoError(const ErrorLectura& e) {
    static constexpr const char* Campos[] = {"Fecha",    "Hora",    "Duración",
                                             "Segundos", "Importe", "Tarifa"};
    if (e.campo < 1 || e.campo > 7)
        return e.motivo;
    std::string t = "Línea " + std::to_string(e.linea) + ", campo " + std::to_string(e.campo);
    if (e.campo <= 6)
        t += std::string(" (") + Campos[e.campo - 1] + ")";
    return t + ": " + e.motivo;
}

namespace {

// One pass over the bytes, record after record. One record per line in the files this program
// writes: the list gets room for `partes` times as many as there are line ends, so that the
// first half of a file also holds the second without moving.
Lectura LeerSeguido(std::string_view bytes, const Avance& avance, size_t partes = 1) {
    Lectura r;
    r.llamadas.reserve((static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1) *
                       partes);
    Escaner e(bytes);
    Valor v;
    bool soloAscii = true;
    UltimoDia ultimo;
    UltimasTarifas tarifas;
    int64_t lineaTarifa = 0; // line of the last record's call type
    while (!e.alFinal()) {
        if (avance && r.llamadas.size() % 65536 == 65535 && !avance(e.hechos(), bytes.size())) {
            r.ok = false;
            r.cancelada = true;
            r.error.motivo = "lectura cancelada";
            r.llamadas = {};
            return r;
        }
        Llamada& ll = r.llamadas.emplace_back();
        for (int campo = 1; campo <= 6; ++campo) {
            int64_t linea = 0;
            const char* motivo = e.leer(v, linea);
            const bool leido = !motivo;
            if (leido)
                motivo = Convertir(campo, v, ll, ultimo, tarifas);
            if (motivo) {
                r.llamadas.pop_back();
                r.ok = false;
                r.error = {static_cast<int64_t>(r.llamadas.size()), campo, linea, motivo};
                if (leido && campo == 1 && linea == lineaTarifa) {
                    // Not a record's date but a value after the call type on its line.
                    r.llamadas.pop_back();
                    r.error = {static_cast<int64_t>(r.llamadas.size()), 7, linea,
                               "la línea tiene más de seis valores"};
                }
                return r;
            }
            if (campo == 6)
                lineaTarifa = linea;
        }
        for (char c : v.texto)
            soloAscii &= static_cast<unsigned char>(c) < 0x80;
        if (!soloAscii && r.textoUtf8)
            r.textoUtf8 = Codificacion::EsUtf8(v.texto);
    }
    return r;
}

} // namespace

Lectura LeerTexto(std::string_view bytes, const Avance& avance) {
    // A large file is read in two halves at once, split after a line end. The halves stand for
    // the whole only when the first ends with a whole record and both read cleanly; otherwise
    // (records across lines, an error whose place must be told) the whole is read in one pass.
    constexpr size_t EnDosMitades = size_t{1} << 20;
    if (bytes.size() < EnDosMitades || std::thread::hardware_concurrency() < 2)
        return LeerSeguido(bytes, avance);
    const size_t salto = bytes.find('\n', bytes.size() / 2);
    if (salto == std::string_view::npos || salto + 1 == bytes.size())
        return LeerSeguido(bytes, avance);
    auto segunda =
        std::async(std::launch::async, LeerSeguido, bytes.substr(salto + 1), Avance(), 1);
    Lectura r = LeerSeguido(bytes.substr(0, salto + 1), avance, 2);
    Lectura resto = segunda.get();
    if (r.cancelada)
        return r;
    if (!r.ok || !resto.ok)
        return LeerSeguido(bytes, avance);
    r.llamadas.reserve(r.llamadas.size() + resto.llamadas.size());
    std::move(resto.llamadas.begin(), resto.llamadas.end(), std::back_inserter(r.llamadas));
    r.textoUtf8 = r.textoUtf8 && resto.textoUtf8;
    return r;
}

} // namespace ArchivoLlamadas
