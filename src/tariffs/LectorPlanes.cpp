// Plan files read with toml++ into the tariff module's own types, checked whole before use.
#include "tariffs/LectorPlanes.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <sstream>

namespace Tarifas {

namespace {

// A refusal: the first problem found ends the reading of the file.
struct Rechazo {
    int64_t linea;
    std::string problema;
};

int64_t Linea(const toml::node& n) {
    return static_cast<int64_t>(n.source().begin.line);
}

std::string Citado(std::string_view texto) {
    return "«" + std::string(texto) + "»";
}

void Claves(const toml::table& t, std::initializer_list<std::string_view> validas) {
    for (auto&& [clave, valor] : t)
        if (std::find(validas.begin(), validas.end(), clave.str()) == validas.end())
            throw Rechazo{static_cast<int64_t>(clave.source().begin.line),
                          "clave desconocida " + Citado(clave.str())};
}

const toml::node& Requerido(const toml::table& t, std::string_view clave, int64_t linea) {
    const toml::node* n = t.get(clave);
    if (!n)
        throw Rechazo{linea, "falta " + Citado(clave)};
    return *n;
}

std::string Texto(const toml::node& n, std::string_view clave) {
    const auto v = n.value_exact<std::string>();
    if (!v)
        throw Rechazo{Linea(n), Citado(clave) + " debe ser un texto"};
    return *v;
}

// A name a call-log line can hold: not empty, no double quote, no line end.
std::string Nombre(const toml::node& n) {
    std::string v = Texto(n, "nombre");
    if (v.empty() || v.find_first_of("\"\r\n") != std::string::npos)
        throw Rechazo{Linea(n), "nombre no válido " + Citado(v)};
    return v;
}

int64_t Entero(const toml::node& n, std::string_view clave, int64_t minimo, int64_t maximo) {
    const auto v = n.value_exact<int64_t>();
    if (!v || *v < minimo || *v > maximo)
        throw Rechazo{Linea(n), Citado(clave) + " debe ser un entero de " + std::to_string(minimo) +
                                    " a " + std::to_string(maximo)};
    return *v;
}

Moneda Importe(const toml::node& n, bool euros) {
    const auto v = n.value<double>();
    if (!v || !std::isfinite(*v))
        throw Rechazo{Linea(n), "importe no válido"};
    if (*v < 0)
        throw Rechazo{Linea(n), "precio negativo"};
    if (*v > 1e9)
        throw Rechazo{Linea(n), "importe demasiado alto"};
    return euros ? EurosAPesetas(*v) : Moneda::redondear(*v);
}

// "hh:mm:ss" to a second of the day; -1 when malformed.
int32_t Segundo(std::string_view t) {
    if (t.size() != 8 || t[2] != ':' || t[5] != ':')
        return -1;
    int partes[3];
    for (int i = 0; i < 3; ++i) {
        const char a = t[i * 3], b = t[i * 3 + 1];
        if (a < '0' || a > '9' || b < '0' || b > '9')
            return -1;
        partes[i] = (a - '0') * 10 + (b - '0');
    }
    if (partes[0] > 23 || partes[1] > 59 || partes[2] > 59)
        return -1;
    return Fechas::SegundosDelDia(partes[0], partes[1], partes[2]);
}

std::string Reloj(int32_t s) {
    char texto[16];
    std::snprintf(texto, sizeof texto, "%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
    return texto;
}

// One day type: "hh:mm:ss-hh:mm:ss franja" per range, covering the day without gap or overlap.
std::vector<TramoPlan> Tramos(const toml::node& n, std::string_view clave,
                              const std::vector<FranjaPlan>& franjas) {
    const toml::array* filas = n.as_array();
    if (!filas || filas->empty())
        throw Rechazo{Linea(n), Citado(clave) + " debe ser una lista de tramos"};
    std::vector<std::pair<TramoPlan, int64_t>> tramos;
    for (const toml::node& fila : *filas) {
        const auto texto = fila.value_exact<std::string>();
        const std::string_view t = texto ? std::string_view(*texto) : std::string_view();
        const int32_t desde = Segundo(t.substr(0, 8));
        const int32_t hasta = t.size() > 9 && t[8] == '-' ? Segundo(t.substr(9, 8)) : -1;
        if (desde < 0 || hasta < desde || t.size() < 19 || t[17] != ' ')
            throw Rechazo{Linea(fila),
                          "tramo no válido " + Citado(t) + " (hh:mm:ss-hh:mm:ss franja)"};
        const std::string_view nombre = t.substr(18);
        const auto f = std::find_if(franjas.begin(), franjas.end(),
                                    [&](const FranjaPlan& x) { return x.nombre == nombre; });
        if (f == franjas.end())
            throw Rechazo{Linea(fila), "franja desconocida " + Citado(nombre)};
        tramos.push_back({{desde, hasta, std::size_t(f - franjas.begin())}, Linea(fila)});
    }
    std::sort(tramos.begin(), tramos.end(),
              [](const auto& x, const auto& y) { return x.first.desde < y.first.desde; });
    std::vector<TramoPlan> resultado;
    int32_t siguiente = 0;
    for (const auto& [tramo, linea] : tramos) {
        if (tramo.desde > siguiente)
            throw Rechazo{linea, "hueco de " + Reloj(siguiente) + " a " + Reloj(tramo.desde - 1) +
                                     " en " + Citado(clave)};
        if (tramo.desde < siguiente)
            throw Rechazo{linea, "solapamiento en " + Reloj(tramo.desde) + " en " + Citado(clave)};
        resultado.push_back(tramo);
        siguiente = tramo.hasta + 1;
    }
    if (siguiente < Fechas::SegundosPorDia)
        throw Rechazo{tramos.back().second,
                      "hueco de " + Reloj(siguiente) + " a 23:59:59 en " + Citado(clave)};
    return resultado;
}

// A date of TOML (1999-01-06) or a day and month of every year as "dd/mm".
Festivo LeerFestivo(const toml::node& n) {
    Festivo f;
    if (const toml::value<toml::date>* d = n.as_date()) {
        f = {d->get().year, d->get().month, d->get().day};
    } else if (const auto t = n.value_exact<std::string>();
               t && t->size() == 5 && (*t)[2] == '/' &&
               std::all_of(t->begin(), t->end(),
                           [](char c) { return c == '/' || std::isdigit(c); })) {
        f = {0, std::stoi(t->substr(3)), std::stoi(t->substr(0, 2))};
    } else {
        throw Rechazo{Linea(n), "fecha no válida (aaaa-mm-dd o dd/mm)"};
    }
    // 29 February stands for every leap year; any other date must exist.
    if (!Fechas::crearDia(f.anio ? f.anio : 2000, f.mes, f.dia) || f.anio > 9999 || f.anio < 0)
        throw Rechazo{Linea(n), "fecha no válida " +
                                    Citado(n.value<std::string>().value_or(
                                        std::to_string(f.dia) + "/" + std::to_string(f.mes)))};
    return f;
}

TipoPlan LeerTipo(const toml::table& t, bool euros) {
    const int64_t linea = Linea(t);
    Claves(t, {"nombre", "establecimiento", "incluidos", "pasos", "minimo", "franjas", "laborales",
               "sabados", "festivos"});
    TipoPlan tipo;
    tipo.nombre = Nombre(Requerido(t, "nombre", linea));
    if (const toml::node* n = t.get("establecimiento"))
        tipo.establecimiento = Importe(*n, euros);
    if (const toml::node* n = t.get("incluidos"))
        tipo.segundosIncluidos = Entero(*n, "incluidos", 0, 1000000000);
    if (const toml::node* n = t.get("minimo"))
        tipo.minimo = Importe(*n, euros);
    if (const toml::node* n = t.get("pasos")) {
        const toml::array* pasos = n->as_array();
        if (!pasos || pasos->size() != 2)
            throw Rechazo{Linea(*n), "«pasos» debe ser [primero, siguientes]"};
        tipo.primerPaso = int32_t(Entero(*pasos->get(0), "pasos", 1, Fechas::SegundosPorDia));
        tipo.paso = int32_t(Entero(*pasos->get(1), "pasos", 1, Fechas::SegundosPorDia));
    }
    const toml::node& franjas = Requerido(t, "franjas", linea);
    if (!franjas.as_table() || franjas.as_table()->empty())
        throw Rechazo{Linea(franjas), "«franjas» debe ser una tabla de precios por minuto"};
    // In the order written: the first band's amount is added before the set-up charge.
    std::vector<std::pair<const toml::key*, const toml::node*>> escritas;
    for (auto&& [clave, precio] : *franjas.as_table())
        escritas.push_back({&clave, &precio});
    std::sort(escritas.begin(), escritas.end(), [](const auto& x, const auto& y) {
        const auto &a = x.first->source().begin, &b = y.first->source().begin;
        return std::pair(a.line, a.column) < std::pair(b.line, b.column);
    });
    for (const auto& [clave, precio] : escritas) {
        const std::string nombre(clave->str());
        const uint32_t color = nombre == "reducida" ? ColorReducida
                               : nombre == "normal" ? ColorNormal
                               : nombre == "punta"  ? ColorPunta
                                                    : 0;
        tipo.franjas.push_back({nombre, Importe(*precio, euros), color});
    }
    constexpr std::array<std::string_view, 3> dias{"laborales", "sabados", "festivos"};
    for (std::size_t d = 0; d < dias.size(); ++d)
        tipo.tramos[d] = Tramos(Requerido(t, dias[d], linea), dias[d], tipo.franjas);
    return tipo;
}

Plan Leer(const toml::table& raiz, const Catalogo& previos) {
    Claves(raiz, {"nombre", "moneda", "dias_festivos", "tipo"});
    Plan plan;
    const toml::node& nombre = Requerido(raiz, "nombre", 1);
    plan.nombre = Nombre(nombre);
    for (const Plan& p : previos.planes)
        if (p.nombre == plan.nombre)
            throw Rechazo{Linea(nombre), "el plan " + Citado(plan.nombre) + " ya existe" +
                                             (p.archivo.empty() ? "" : " en " + p.archivo)};
    if (const toml::node* n = raiz.get("moneda")) {
        const std::string moneda = Texto(*n, "moneda");
        if (moneda != "pesetas" && moneda != "euros")
            throw Rechazo{Linea(*n), "moneda desconocida " + Citado(moneda) + " (pesetas o euros)"};
        plan.euros = moneda == "euros";
    }
    if (const toml::node* n = raiz.get("dias_festivos")) {
        if (!n->as_array())
            throw Rechazo{Linea(*n), "«dias_festivos» debe ser una lista de fechas"};
        for (const toml::node& f : *n->as_array())
            plan.festivos.push_back(LeerFestivo(f));
    }
    const toml::node& tipos = Requerido(raiz, "tipo", 1);
    if (!tipos.as_array())
        throw Rechazo{Linea(tipos), "cada tipo de llamada va en una sección [[tipo]]"};
    for (const toml::node& n : *tipos.as_array()) {
        if (!n.as_table())
            throw Rechazo{Linea(n), "cada tipo de llamada va en una sección [[tipo]]"};
        TipoPlan tipo = LeerTipo(*n.as_table(), plan.euros);
        const int64_t linea = Linea(*n.as_table()->get("nombre"));
        const Plan* otro = nullptr;
        if (previos.BuscarTipo(tipo.nombre, &otro))
            throw Rechazo{linea, "el tipo de llamada " + Citado(tipo.nombre) + " ya existe" +
                                     (otro->archivo.empty() ? " en la tarifa incorporada"
                                                            : " en " + otro->archivo)};
        for (const TipoPlan& t : plan.tipos)
            if (t.nombre == tipo.nombre)
                throw Rechazo{linea, "tipo de llamada " + Citado(tipo.nombre) + " repetido"};
        plan.tipos.push_back(std::move(tipo));
    }
    if (plan.tipos.empty())
        throw Rechazo{Linea(tipos), "el plan no tiene ningún tipo de llamada"};
    return plan;
}

} // namespace

std::string ErrorPlan::Texto() const {
    return archivo + ", línea " + std::to_string(linea) + ": " + problema;
}

LecturaPlan LeerPlan(std::string_view texto, const std::string& archivo, const Catalogo& previos) {
    LecturaPlan r;
    r.error.archivo = archivo;
    try {
        const toml::table raiz = toml::parse(texto, archivo);
        r.plan = Leer(raiz, previos);
        r.plan->archivo = archivo;
    } catch (const toml::parse_error& e) {
        r.error.linea = static_cast<int64_t>(e.source().begin.line);
        r.error.problema = "error de sintaxis: " + std::string(e.description());
    } catch (const Rechazo& e) {
        r.error.linea = e.linea;
        r.error.problema = e.problema;
    }
    return r;
}

Catalogo CargarCatalogo(const std::filesystem::path& carpeta) {
    Catalogo catalogo = CatalogoIncorporado();
    std::error_code error;
    std::vector<std::filesystem::path> archivos;
    for (const auto& e : std::filesystem::directory_iterator(carpeta, error))
        if (e.path().extension() == ".toml")
            archivos.push_back(e.path());
    std::sort(archivos.begin(), archivos.end());
    for (const auto& archivo : archivos) {
        std::ifstream entrada(archivo, std::ios::binary);
        std::ostringstream texto;
        texto << entrada.rdbuf();
        const std::string nombre = "tarifas/" + archivo.filename().string();
        if (!entrada) {
            catalogo.errores.push_back(ErrorPlan{nombre, 0, "no se puede leer"}.Texto());
            continue;
        }
        LecturaPlan r = LeerPlan(texto.str(), nombre, catalogo);
        if (r.plan)
            catalogo.planes.push_back(std::move(*r.plan));
        else
            catalogo.errores.push_back(r.error.Texto());
    }
    return catalogo;
}

} // namespace Tarifas
