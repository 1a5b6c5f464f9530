// The main window's budget check: the stored budget against the current call log of the period.
#include "meter/AvisoPresupuesto.h"

#include "calllog/ArchivoLlamadas.h"
#include "settings/Ajustes.h"

namespace General {

RevisionPresupuesto RevisarPresupuesto(SettingsStore& store,
                                       const std::filesystem::path& carpetaDatos, Fechas::Dia hoy,
                                       char separador) {
    RevisionPresupuesto r;
    const auto presupuesto = MonedaAjuste(store, Ajustes::Presupuesto);
    const auto periodo = LeerPeriodo(store);
    if (!presupuesto || !periodo)
        return r;
    // A log that does not read whole would understate the amount spent.
    const auto lectura = ArchivoLlamadas::Leer(carpetaDatos / ArchivoLlamadas::NombreActual);
    if (!lectura.ok)
        return r;
    r.situacion = Estadistica::EvaluarPresupuesto(
        lectura.llamadas, {periodo->inicio, periodo->fin, hoy}, presupuesto);
    if (!Estadistica::Superado(r.situacion.estado))
        return r;

    // A new budget, raised or lowered, gets its own warning in the period.
    const std::string marca = Fechas::TextoFecha(periodo->inicio, false) + " " +
                              std::to_string(presupuesto->diezmilesimas() / Moneda::Escala);
    if (Leer(store, Ajustes::AvisoPresupuesto) == marca)
        return r;
    Escribir(store, Ajustes::AvisoPresupuesto, marca);
    r.aviso = Estadistica::TextoAvisoPresupuesto(r.situacion, separador);
    const std::string sonido = Leer(store, Ajustes::PasoSonido);
    if (BanderaAjuste(store, Ajustes::PasoSINO) && !sonido.empty())
        r.sonido = sonido;
    return r;
}

} // namespace General
