// Settings access, their conversions, the start-up reads and the first-run defaults.
#include "settings/Ajustes.h"

#include "calllog/ArchivoLlamadas.h"
#include "core/Formato.h"

#include <array>
#include <limits>

namespace General {

namespace {

// Every setting in the order the first-run defaults write them.
constexpr std::array<const Ajuste*, 25> Orden{
    &Ajustes::FechaFinal,  &Ajustes::FechaInicio,  &Ajustes::AlAbrir,   &Ajustes::AlConectar,
    &Ajustes::AutoSINO,    &Ajustes::CuantoIVA,    &Ajustes::IVA,       &Ajustes::FontSize,
    &Ajustes::Fuente,      &Ajustes::Negociacion,  &Ajustes::NoAceptar, &Ajustes::InicioWindowsSINO,
    &Ajustes::AlertaSINO,  &Ajustes::AlertaSonido, &Ajustes::FinalSINO, &Ajustes::FinalSonido,
    &Ajustes::InicioSINO,  &Ajustes::InicioSonido, &Ajustes::PasoSINO,  &Ajustes::PasoSonido,
    &Ajustes::Periodo,     &Ajustes::Periodo2,     &Ajustes::Importe,   &Ajustes::Tarifa,
    &Ajustes::GraficoTipo,
};

constexpr const char* AplicacionPeriodo = "Vatrimox";
constexpr int DiasPrimerPeriodo = 60;

std::optional<int32_t> ComoNumero(const Ajuste& a, std::string_view texto) {
    const auto v = LeerEntero(texto, a.minimo, a.maximo);
    if (!v)
        return std::nullopt;
    return static_cast<int32_t>(*v);
}

// A usable value: it converts, and a text setting with a default is not empty.
bool Valido(const Ajuste& a, std::string_view texto) {
    switch (a.tipo) {
    case TipoAjuste::Texto:
        return !texto.empty() || *a.defecto == '\0';
    case TipoAjuste::Numero:
        return ComoNumero(a, texto).has_value();
    case TipoAjuste::Fecha:
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
    return Orden;
}

std::string Leer(const SettingsStore& store, const Ajuste& ajuste) {
    return store.read(Aplicacion, ajuste.seccion, ajuste.clave);
}

std::optional<int32_t> NumeroAjuste(const SettingsStore& store, const Ajuste& ajuste) {
    return ComoNumero(ajuste, Leer(store, ajuste));
}

bool BanderaAjuste(const SettingsStore& store, const Ajuste& ajuste) {
    return NumeroAjuste(store, ajuste) == 1;
}

std::optional<Fechas::Dia> DiaAjuste(const SettingsStore& store, const Ajuste& ajuste) {
    return Fechas::LeerFecha(Leer(store, ajuste));
}

std::optional<double> DecimalAjuste(const SettingsStore& store, const Ajuste& ajuste) {
    const std::string texto = Leer(store, ajuste);
    auto v = LeerNumero(texto, '.');
    if (!v)
        v = LeerNumero(texto, ',');
    return v;
}

std::optional<Moneda> MonedaAjuste(const SettingsStore& store, const Ajuste& ajuste) {
    const auto v = NumeroAjuste(store, ajuste);
    if (!v)
        return std::nullopt;
    return Moneda::desdeEntero(*v);
}

int32_t NumeroPorDefecto(const Ajuste& ajuste) {
    return ComoNumero(ajuste, ajuste.defecto).value_or(0);
}

bool Escribir(SettingsStore& store, const Ajuste& ajuste, std::string_view valor) {
    return store.write(Aplicacion, ajuste.seccion, ajuste.clave, std::string(valor));
}

bool Escribir(SettingsStore& store, const Ajuste& ajuste, int64_t valor) {
    return Escribir(store, ajuste, std::to_string(valor));
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
    const auto iva = NumeroAjuste(store, Ajustes::IVA);
    const auto porcentaje = NumeroAjuste(store, Ajustes::CuantoIVA);
    const auto negociacion = NumeroAjuste(store, Ajustes::Negociacion);
    if (!iva || !porcentaje || !negociacion)
        return false;
    estado.IncluirIVA = static_cast<uint8_t>(*iva);
    estado.PorcentajeIVA = static_cast<uint8_t>(*porcentaje);
    estado.SegundosNegociacion = static_cast<uint8_t>(*negociacion);
    estado.TipoLlamada = Leer(store, Ajustes::Tarifa);
    return true;
}

bool ValoresPorDefecto(SettingsStore& store, Fechas::Dia hoy,
                       const std::filesystem::path& carpetaDatos) {
    bool ok = true;
    for (const Ajuste* a : Orden)
        ok = Escribir(store, *a, Defecto(*a, hoy)) && ok;
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
    for (const Ajuste* a : Orden) {
        if (a->tipo == TipoAjuste::Fecha) {
            const bool esInicio = a == &Ajustes::FechaInicio;
            const auto& leida = esInicio ? inicio : fin;
            const Fechas::Dia dia = esInicio ? nuevo.inicio : nuevo.fin;
            if (leida == dia)
                continue;
            const std::string texto = Fechas::TextoFecha(dia);
            r.ok = Escribir(store, *a, texto) && r.ok;
            r.fechas.push_back({a, esInicio ? textoInicio : textoFin, texto});
        } else if (!Valido(*a, Leer(store, *a))) {
            r.ok = Escribir(store, *a, Defecto(*a, hoy)) && r.ok;
        }
    }
    return r;
}

} // namespace General
