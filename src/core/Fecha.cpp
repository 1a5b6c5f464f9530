// Date arithmetic, day-count conversion and the day-first date texts of the settings.
#include "core/Fecha.h"

#include <cmath>

namespace Fechas {

std::optional<Dia> crearDia(int anio, int mes, int dia) {
    const std::chrono::year_month_day ymd{std::chrono::year{anio},
                                          std::chrono::month{static_cast<unsigned>(mes)},
                                          std::chrono::day{static_cast<unsigned>(dia)}};
    if (mes < 1 || mes > 12 || dia < 1 || dia > 31 || !ymd.ok())
        return std::nullopt;
    return Dia{ymd};
}

FechaHora FechaHora::crear(Dia d, int hora, int minuto, int seg) {
    return FechaHora{d, 0}.mas(SegundosDelDia(hora, minuto, seg));
}

double FechaHora::serial() const {
    return aSerial(dia) + static_cast<double>(segundo) / SegundosPorDia;
}

FechaHora FechaHora::desdeSerial(double serial) {
    // Negative day counts keep the time of day as a positive fraction (-1.25 is 29/12/1899 06:00).
    const double entero = std::trunc(serial);
    const double fraccion = std::fabs(serial - entero);
    const auto seg = static_cast<int64_t>(std::llround(fraccion * SegundosPorDia));
    return FechaHora{Fechas::desdeSerial(static_cast<int32_t>(entero)), 0}.mas(seg);
}

int64_t FechaHora::segundosAbsolutos() const {
    return static_cast<int64_t>(aSerial(dia)) * SegundosPorDia + segundo;
}

FechaHora FechaHora::mas(int64_t segundos) const {
    const int64_t total = segundosAbsolutos() + segundos;
    int64_t dias = total / SegundosPorDia;
    int64_t resto = total % SegundosPorDia;
    if (resto < 0) {
        resto += SegundosPorDia;
        --dias;
    }
    return FechaHora{Fechas::desdeSerial(static_cast<int32_t>(dias)), static_cast<int32_t>(resto)};
}

std::string TextoFecha(Dia d, bool rellenar) {
    auto dos = [rellenar](int n) {
        std::string s = std::to_string(n);
        return (rellenar && n < 10) ? "0" + s : s;
    };
    return dos(DiaDelMes(d)) + "/" + dos(Mes(d)) + "/" + std::to_string(Anio(d));
}

std::optional<Dia> LeerFecha(std::string_view t) {
    int partes[3] = {0, 0, 0};
    int digitos[3] = {0, 0, 0};
    int n = 0;
    size_t i = 0;
    while (i < t.size() && t[i] == ' ')
        ++i;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            if (++digitos[n] > 4)
                return std::nullopt;
            partes[n] = partes[n] * 10 + (c - '0');
        } else if ((c == '/' || c == '-' || c == '.') && n < 2 && digitos[n] > 0) {
            ++n;
        } else if (c == ' ') {
            break;
        } else {
            return std::nullopt;
        }
    }
    for (; i < t.size(); ++i)
        if (t[i] != ' ')
            return std::nullopt;
    if (n != 2 || digitos[2] == 0 || digitos[0] > 2 || digitos[1] > 2 || digitos[2] == 3)
        return std::nullopt;
    int anio = partes[2];
    if (digitos[2] <= 2)
        anio += anio < 30 ? 2000 : 1900;
    return crearDia(anio, partes[1], partes[0]);
}

} // namespace Fechas
