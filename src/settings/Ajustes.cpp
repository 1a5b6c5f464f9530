// Settings access, their conversions, the start-up reads and the first-run defaults.
#include "settings/Ajustes.h"

#include "calllog/ArchivoLlamadas.h"
#include "core/Formato.h"

#include <array>
#include <limits>

namespace General {

namespace {

// How a setting's text must convert for the program to use it.
enum class Tipo { Texto, Byte, Entero16, Entero, Fecha };

struct Entrada {
    const Ajuste* ajuste;
    Tipo tipo;
};

// Every setting in the order the first-run defaults write them.
constexpr std::array<Entrada, 25> Orden{{
    {&Ajustes::FechaFinal, Tipo::Fecha},  {&Ajustes::FechaInicio, Tipo::Fecha},
    {&Ajustes::AlAbrir, Tipo::Texto},     {&Ajustes::AlConectar, Tipo::Texto},
    {&Ajustes::AutoSINO, Tipo::Byte},     {&Ajustes::CuantoIVA, Tipo::Byte},
    {&Ajustes::IVA, Tipo::Byte},          {&Ajustes::FontSize, Tipo::Entero16},
    {&Ajustes::Fuente, Tipo::Texto},      {&Ajustes::Negociacion, Tipo::Byte},
    {&Ajustes::NoAceptar, Tipo::Entero},  {&Ajustes::InicioWindowsSINO, Tipo::Byte},
    {&Ajustes::AlertaSINO, Tipo::Byte},   {&Ajustes::AlertaSonido, Tipo::Texto},
    {&Ajustes::FinalSINO, Tipo::Byte},    {&Ajustes::FinalSonido, Tipo::Texto},
    {&Ajustes::InicioSINO, Tipo::Byte},   {&Ajustes::InicioSonido, Tipo::Texto},
    {&Ajustes::PasoSINO, Tipo::Byte},     {&Ajustes::PasoSonido, Tipo::Texto},
    {&Ajustes::Periodo, Tipo::Texto},     {&Ajustes::Periodo2, Tipo::Entero16},
    {&Ajustes::Importe, Tipo::Entero16},  {&Ajustes::Tarifa, Tipo::Texto},
    {&Ajustes::GraficoTipo, Tipo::Texto},
}};

constexpr const char* AplicacionPeriodo = "Vatrimox";
constexpr int DiasPrimerPeriodo = 60;

// A usable value: it converts, and a text setting with a default is not empty.
bool Valido(const Entrada& e, std::string_view texto) {
    switch (e.tipo) {
    case Tipo::Texto:
        return !texto.empty() || *e.ajuste->defecto == '\0';
    case Tipo::Byte:
        return ComoByte(texto).has_value();
    case Tipo::Entero16:
        return ComoEntero16(texto).has_value();
    case Tipo::Entero:
        return LeerEntero(texto, std::numeric_limits<int32_t>::min(),
                          std::numeric_limits<int32_t>::max())
            .has_value();
    case Tipo::Fecha:
        return Fechas::LeerFecha(texto).has_value();
    }
    return false;
}

std::string Defecto(const Ajuste& a, Fechas::Dia hoy) {
    if (&a == &Ajustes::FechaInicio)
        return Fechas::TextoFecha(hoy);
    if (&a == &Ajustes::FechaFinal)
        return Fechas::TextoFecha(hoy + std::chrono::days{DiasPrimerPeriodo});
    return a.defecto;
}

} // namespace

std::span<const Ajuste* const> AjustesEnOrden() {
    static const auto lista = [] {
        std::array<const Ajuste*, Orden.size()> r{};
        for (size_t i = 0; i < Orden.size(); ++i)
            r[i] = Orden[i].ajuste;
        return r;
    }();
    return lista;
}

std::string Leer(const SettingsStore& store, const Ajuste& ajuste) {
    return store.read(Aplicacion, ajuste.seccion, ajuste.clave);
}

bool Escribir(SettingsStore& store, const Ajuste& ajuste, std::string_view valor) {
    return store.write(Aplicacion, ajuste.seccion, ajuste.clave, std::string(valor));
}

std::optional<uint8_t> ComoByte(std::string_view texto) {
    const auto v = LeerEntero(texto, 0, 255);
    if (!v)
        return std::nullopt;
    return static_cast<uint8_t>(*v);
}

std::optional<int16_t> ComoEntero16(std::string_view texto) {
    const auto v = LeerEntero(texto, -32768, 32767);
    if (!v)
        return std::nullopt;
    return static_cast<int16_t>(*v);
}

bool Activo(std::string_view texto) {
    return ComoByte(texto) == uint8_t{1};
}

std::optional<PeriodoFacturacion> LeerPeriodo(const SettingsStore& store) {
    const auto inicio = Fechas::LeerFecha(
        store.read(AplicacionPeriodo, Ajustes::FechaInicio.seccion, Ajustes::FechaInicio.clave));
    const auto fin = Fechas::LeerFecha(
        store.read(AplicacionPeriodo, Ajustes::FechaFinal.seccion, Ajustes::FechaFinal.clave));
    if (!inicio || !fin || *fin < *inicio)
        return std::nullopt;
    return PeriodoFacturacion{*inicio, *fin};
}

bool CargarEstado(const SettingsStore& store, EstadoPrograma& estado) {
    const auto iva = ComoByte(Leer(store, Ajustes::IVA));
    const auto porcentaje = ComoByte(Leer(store, Ajustes::CuantoIVA));
    const auto negociacion = ComoByte(Leer(store, Ajustes::Negociacion));
    if (!iva || !porcentaje || !negociacion)
        return false;
    estado.IncluirIVA = *iva;
    estado.PorcentajeIVA = *porcentaje;
    estado.SegundosNegociacion = *negociacion;
    estado.TipoLlamada = Leer(store, Ajustes::Tarifa);
    return true;
}

bool ValoresPorDefecto(SettingsStore& store, Fechas::Dia hoy,
                       const std::filesystem::path& carpetaDatos) {
    bool ok = true;
    for (const Entrada& e : Orden)
        ok = Escribir(store, *e.ajuste, Defecto(*e.ajuste, hoy)) && ok;
    const auto creado = ArchivoLlamadas::CrearSiFalta(carpetaDatos / ArchivoLlamadas::NombreActual);
    return ok && static_cast<bool>(creado);
}

Completado CompletarAjustes(SettingsStore& store, Fechas::Dia hoy) {
    const std::string textoInicio = Leer(store, Ajustes::FechaInicio);
    const std::string textoFin = Leer(store, Ajustes::FechaFinal);
    auto inicio = Fechas::LeerFecha(textoInicio);
    auto fin = Fechas::LeerFecha(textoFin);
    if (inicio && fin && *fin < *inicio)
        inicio = fin = std::nullopt;
    PeriodoFacturacion nuevo{inicio.value_or(hoy),
                             fin.value_or(hoy + std::chrono::days{DiasPrimerPeriodo})};
    if (nuevo.fin < nuevo.inicio)
        nuevo = {hoy, hoy + std::chrono::days{DiasPrimerPeriodo}};
    Completado r;
    for (const Entrada& e : Orden) {
        if (e.tipo == Tipo::Fecha) {
            const bool esInicio = e.ajuste == &Ajustes::FechaInicio;
            const auto& leida = esInicio ? inicio : fin;
            const Fechas::Dia dia = esInicio ? nuevo.inicio : nuevo.fin;
            if (leida == dia)
                continue;
            const std::string texto = Fechas::TextoFecha(dia);
            r.ok = Escribir(store, *e.ajuste, texto) && r.ok;
            r.fechas.push_back({e.ajuste, esInicio ? textoInicio : textoFin, texto});
        } else if (!Valido(e, Leer(store, *e.ajuste))) {
            r.ok = Escribir(store, *e.ajuste, Defecto(*e.ajuste, hoy)) && r.ok;
        }
    }
    return r;
}

} // namespace General
