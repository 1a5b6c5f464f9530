// Reading, checking and storing the values of the options dialog.
#include "meter/OpcionesModelo.h"

#include "core/Formato.h"

#include <limits>

namespace General {

namespace {
std::string Flag(bool activo) {
    return activo ? "1" : "0";
}
} // namespace

ValoresOpciones LeerOpciones(const SettingsStore& store, EstadoPrograma& estado) {
    ValoresOpciones v;
    v.alertaSonido = Leer(store, Ajustes::AlertaSonido);
    v.alertaSINO = BanderaAjuste(store, Ajustes::AlertaSINO);
    v.inicioSonido = Leer(store, Ajustes::InicioSonido);
    v.inicioSINO = BanderaAjuste(store, Ajustes::InicioSINO);
    v.finalSonido = Leer(store, Ajustes::FinalSonido);
    v.finalSINO = BanderaAjuste(store, Ajustes::FinalSINO);
    if (const auto n = NumeroAjuste(store, Ajustes::Periodo2))
        v.periodo2 = *n;
    v.pasoSINO = BanderaAjuste(store, Ajustes::PasoSINO);
    v.pasoSonido = Leer(store, Ajustes::PasoSonido);
    if (const auto n = NumeroAjuste(store, Ajustes::Importe))
        v.importe = *n;
    v.autoSINO = BanderaAjuste(store, Ajustes::AutoSINO);
    if (const auto n = NumeroAjuste(store, Ajustes::Negociacion)) {
        estado.SegundosNegociacion = static_cast<uint8_t>(*n);
        v.negociacion = *n;
    }
    v.alAbrir = Leer(store, Ajustes::AlAbrir);
    v.alConectar = Leer(store, Ajustes::AlConectar);
    v.noAceptar = NumeroAjuste(store, Ajustes::NoAceptar);
    if (const auto n = NumeroAjuste(store, Ajustes::CuantoIVA)) {
        estado.PorcentajeIVA = static_cast<uint8_t>(*n);
        v.cuantoIVA = *n;
    }
    if (const auto n = NumeroAjuste(store, Ajustes::IVA)) {
        estado.IncluirIVA = static_cast<uint8_t>(*n);
        v.iva = *n == 1;
    }
    v.inicioWindowsSINO = BanderaAjuste(store, Ajustes::InicioWindowsSINO);
    if (const auto p = MonedaAjuste(store, Ajustes::Presupuesto))
        v.presupuesto = std::to_string(p->diezmilesimas() / Moneda::Escala);
    return v;
}

std::optional<int> LeerCampo(const CampoNumero& campo, std::string_view texto, std::string& error) {
    const auto v = LeerEntero(texto, campo.minimo, campo.maximo);
    if (!v) {
        error = std::string("El valor de \"") + campo.nombre +
                "\" debe ser un número entero entre " + std::to_string(campo.minimo) + " y " +
                std::to_string(campo.maximo) + ".";
        return std::nullopt;
    }
    return static_cast<int>(*v);
}

bool FaltaSonido(const ValoresOpciones& v) {
    return (v.alertaSINO && v.alertaSonido.empty()) || (v.inicioSINO && v.inicioSonido.empty()) ||
           (v.finalSINO && v.finalSonido.empty()) || (v.pasoSINO && v.pasoSonido.empty());
}

void AplicarEstado(const ValoresOpciones& v, EstadoPrograma& estado) {
    estado.IncluirIVA = v.iva ? 1 : 0;
    estado.PorcentajeIVA = static_cast<uint8_t>(v.cuantoIVA.value_or(0));
    estado.SegundosNegociacion = static_cast<uint8_t>(v.negociacion.value_or(0));
}

std::vector<std::pair<const Ajuste*, std::string>> EscriturasOpciones(const ValoresOpciones& v) {
    const int minutos = v.periodo2.value_or(0);
    return {
        {&Ajustes::AlertaSonido, v.alertaSonido},
        {&Ajustes::AlertaSINO, Flag(v.alertaSINO)},
        {&Ajustes::InicioSonido, v.inicioSonido},
        {&Ajustes::InicioSINO, Flag(v.inicioSINO)},
        {&Ajustes::FinalSonido, v.finalSonido},
        {&Ajustes::FinalSINO, Flag(v.finalSINO)},
        {&Ajustes::Periodo, FormatoDuracion(static_cast<int64_t>(minutos) * 60)},
        {&Ajustes::Periodo2, std::to_string(minutos)},
        {&Ajustes::PasoSINO, Flag(v.pasoSINO)},
        {&Ajustes::PasoSonido, v.pasoSonido},
        {&Ajustes::Importe, std::to_string(v.importe.value_or(0))},
        {&Ajustes::AutoSINO, Flag(v.autoSINO)},
        {&Ajustes::Negociacion, std::to_string(v.negociacion.value_or(0))},
        {&Ajustes::AlAbrir, v.alAbrir},
        {&Ajustes::AlConectar, v.alConectar},
        {&Ajustes::NoAceptar, std::to_string(v.noAceptar.value_or(0))},
        {&Ajustes::CuantoIVA, std::to_string(v.cuantoIVA.value_or(0))},
        {&Ajustes::IVA, Flag(v.iva)},
        {&Ajustes::InicioWindowsSINO, Flag(v.inicioWindowsSINO)},
    };
}

bool GuardarOpciones(SettingsStore& store, const ValoresOpciones& v) {
    bool todo = true;
    for (const auto& [ajuste, valor] : EscriturasOpciones(v))
        todo = Escribir(store, *ajuste, valor) && todo;
    if (Leer(store, Ajustes::Presupuesto) != v.presupuesto)
        todo = Escribir(store, Ajustes::Presupuesto, v.presupuesto) && todo;
    return todo;
}

} // namespace General
