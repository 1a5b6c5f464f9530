// Number, duration and title formats.
#include "core/Formato.h"

#include "Version.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace General {

std::string TituloPrograma() {
    return "VatriMox " + std::to_string(VersionMayor) + "." + std::to_string(VersionRevision);
}

std::string FormatoDuracion(int64_t s) {
    if (s < 0)
        return "-" + FormatoDuracion(-s);
    auto dos = [](int64_t n) {
        std::string t = std::to_string(n);
        return t.size() < 2 ? "0" + t : t;
    };
    return dos(s / 3600) + ":" + dos((s % 3600) / 60) + ":" + dos(s % 60);
}

namespace {

// Rounds the shortest decimal text of the value to `decimales` places, halves away from zero,
// so a value shown elsewhere as 0,125 rounds as the user reads it.
std::string Redondeado(double valor, int decimales, char separador) {
    if (!std::isfinite(valor))
        valor = 0;
    char buf[400];
    auto [fin, ec] =
        std::to_chars(buf, buf + sizeof buf, std::fabs(valor), std::chars_format::fixed);
    std::string texto(buf, ec == std::errc() ? fin : buf);
    std::string entera = texto.substr(0, texto.find('.'));
    std::string frac =
        texto.find('.') == std::string::npos ? "" : texto.substr(texto.find('.') + 1);
    const bool subir = static_cast<int>(frac.size()) > decimales && frac[decimales] >= '5';
    frac.resize(decimales, '0');
    std::string digitos = entera + frac;
    if (subir) {
        int i = static_cast<int>(digitos.size()) - 1;
        for (; i >= 0 && digitos[i] == '9'; --i)
            digitos[i] = '0';
        if (i < 0)
            digitos.insert(digitos.begin(), '1');
        else
            ++digitos[i];
    }
    std::string resultado = digitos.substr(0, digitos.size() - decimales);
    if (decimales > 0)
        resultado += separador + digitos.substr(digitos.size() - decimales);
    const bool cero = digitos.find_first_not_of('0') == std::string::npos;
    return (valor < 0 && !cero) ? "-" + resultado : resultado;
}

} // namespace

std::string FormatoFijo(double valor, char separador) {
    return Redondeado(valor, 2, separador);
}
std::string FormatoUnDecimal(double valor, char separador) {
    return Redondeado(valor, 1, separador);
}
std::string FormatoEntero(double valor) {
    return Redondeado(valor, 0, '.');
}

int64_t RedondearEntero(double valor) {
    const std::string t = FormatoEntero(valor);
    return std::strtoll(t.c_str(), nullptr, 10);
}

std::optional<double> LeerNumero(std::string_view t, char separador) {
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    std::string normal;
    bool digito = false;
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            digito = true;
            normal += c;
        } else if (c == separador && normal.find('.') == std::string::npos) {
            normal += '.';
        } else if ((c == '-' || c == '+') && i == 0) {
            normal += c;
        } else {
            return std::nullopt;
        }
    }
    if (!digito)
        return std::nullopt;
    const char* ini = normal.c_str();
    if (*ini == '+')
        ++ini;
    double v = 0;
    auto [p, ec] = std::from_chars(ini, normal.c_str() + normal.size(), v);
    if (ec != std::errc() || p != normal.c_str() + normal.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int64_t> LeerEntero(std::string_view t, int64_t minimo, int64_t maximo) {
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    int64_t v = 0;
    auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || p != t.data() + t.size() || v < minimo || v > maximo)
        return std::nullopt;
    return v;
}

} // namespace General
