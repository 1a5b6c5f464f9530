// Cell-edit conversions: dates by the user's date order, times, seconds, amounts, call types.
#include "calllog/EdicionCelda.h"

#include "core/Fecha.h"
#include "core/Formato.h"

#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <vector>

namespace Registro {

namespace {

std::string_view Recortar(std::string_view t) {
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    return t;
}

std::optional<Fechas::Dia> LeerFechaLocal(std::string_view texto, OrdenFecha orden) {
    texto = Recortar(texto);
    std::vector<std::string> partes(1);
    for (char c : texto) {
        if (c >= '0' && c <= '9')
            partes.back() += c;
        else if ((c == '/' || c == '-' || c == '.') && !partes.back().empty())
            partes.emplace_back();
        else
            return std::nullopt;
    }
    if (partes.size() != 3)
        return std::nullopt;
    std::array<int, 3> indice{0, 1, 2}; // day, month, year positions
    if (orden == OrdenFecha::MesDiaAnio)
        indice = {1, 0, 2};
    else if (orden == OrdenFecha::AnioMesDia)
        indice = {2, 1, 0};
    return Fechas::LeerFecha(partes[indice[0]] + "/" + partes[indice[1]] + "/" + partes[indice[2]]);
}

} // namespace

const char* Cabecera(int columna) {
    static constexpr std::array<const char*, ColumnasGrid> textos{
        "Nº", "Fecha", "Hora", "Duración", "Segundos", "Importe", "Tarifa"};
    return columna >= 0 && columna < ColumnasGrid ? textos[columna] : "";
}

std::string TituloModificar(std::string_view textoCelda, int64_t fila, int columna) {
    return "Valor a modificar:   \"" + std::string(textoCelda) +
           "\"   Celda:   " + std::to_string(fila) + " - " + std::to_string(columna + 1);
}

std::optional<int64_t> LeerTiempo(std::string_view texto, int64_t horasMaximas) {
    texto = Recortar(texto);
    int tarde = -1; // -1: 24-hour text; 0: AM; 1: PM
    if (texto.size() > 2) {
        const std::string sufijo{static_cast<char>(std::toupper(texto[texto.size() - 2])),
                                 static_cast<char>(std::toupper(texto.back()))};
        if (sufijo == "AM" || sufijo == "PM") {
            tarde = sufijo == "PM";
            texto = Recortar(texto.substr(0, texto.size() - 2));
        }
    }
    std::vector<int64_t> partes(1, 0);
    std::vector<int> digitos(1, 0);
    for (char c : texto) {
        if (c >= '0' && c <= '9') {
            if (++digitos.back() > 9)
                return std::nullopt;
            partes.back() = partes.back() * 10 + (c - '0');
        } else if (c == ':' && digitos.back() > 0 && partes.size() < 3) {
            partes.push_back(0);
            digitos.push_back(0);
        } else {
            return std::nullopt;
        }
    }
    if (partes.size() < 2 || digitos.back() == 0)
        return std::nullopt;
    if (partes.size() == 2)
        partes.push_back(0);
    int64_t horas = partes[0];
    if (tarde >= 0) {
        if (horas < 1 || horas > 12)
            return std::nullopt;
        horas = horas % 12 + (tarde ? 12 : 0);
    }
    if (horas > horasMaximas || partes[1] > 59 || partes[2] > 59)
        return std::nullopt;
    return horas * 3600 + partes[1] * 60 + partes[2];
}

std::optional<Llamada> AplicarValor(const Llamada& llamada, int columna, std::string_view texto,
                                    const FormaLocal& forma) {
    Llamada r = llamada;
    switch (columna) {
    case 1: {
        const auto dia = LeerFechaLocal(texto, forma.ordenFecha);
        if (!dia)
            return std::nullopt;
        r.Fecha = *dia;
        return r;
    }
    case 2: {
        const auto hora = LeerTiempo(texto, 23);
        if (!hora)
            return std::nullopt;
        r.Hora = static_cast<int32_t>(*hora);
        return r;
    }
    case 3: {
        const auto duracion = LeerTiempo(texto, 999999);
        if (!duracion)
            return std::nullopt;
        r.Duracion = *duracion;
        return r;
    }
    case 4: {
        const auto numero = General::LeerNumero(texto, forma.separadorDecimal);
        if (!numero)
            return std::nullopt;
        // Halves go to the even neighbour: 12,5 gives 12 and 13,5 gives 14.
        const double entero = std::nearbyint(*numero);
        if (entero < std::numeric_limits<int32_t>::min() ||
            entero > std::numeric_limits<int32_t>::max())
            return std::nullopt;
        r.Segundos = static_cast<int32_t>(entero);
        return r;
    }
    case 5: {
        std::string normal(Recortar(texto));
        for (char& c : normal) {
            if (c == forma.separadorDecimal)
                c = '.';
            else if (c == '.')
                return std::nullopt; // a point that is not the decimal separator
        }
        const auto importe = Moneda::desdeTexto(normal);
        if (!importe)
            return std::nullopt;
        r.Importe = *importe;
        return r;
    }
    case 6:
        if (texto.find_first_of("\"\r\n") != std::string_view::npos)
            return std::nullopt;
        r.Tarifa = std::string(texto);
        return r;
    default:
        return std::nullopt;
    }
}

} // namespace Registro
