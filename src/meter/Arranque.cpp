// Start-up decisions of the main window: settings, journal recovery, rollover, progress.
#include "meter/Arranque.h"
#include "calllog/ArchivoLlamadas.h"

#include "core/Formato.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace Arranque {

namespace {

constexpr int DiasPrimerPeriodo = 60;

void EstadoPorDefecto(General::EstadoPrograma& estado) {
    estado.IncluirIVA = static_cast<uint8_t>(General::NumeroPorDefecto(General::Ajustes::IVA));
    estado.PorcentajeIVA =
        static_cast<uint8_t>(General::NumeroPorDefecto(General::Ajustes::CuantoIVA));
    estado.SegundosNegociacion =
        static_cast<uint8_t>(General::NumeroPorDefecto(General::Ajustes::Negociacion));
    estado.TipoLlamada = General::Ajustes::Tarifa.defecto;
}

std::string Descripcion(const Llamada& l, char separador) {
    return "del " + Fechas::TextoFecha(l.Fecha.dia()) + " a las " +
           General::FormatoDuracion(l.Hora.segundo()) + " (" +
           General::FormatoDuracion(SegundosConexion(l)) + ", " +
           General::FormatoFijo(l.Importe.aDouble(), separador) + " pesetas)";
}

// Names each period date that was replaced, with what it held, so the user can check it.
std::string TextoFechasCambiadas(const std::vector<General::FechaCambiada>& fechas) {
    std::string t = "Las fechas guardadas del periodo de llamadas no eran válidas; se ha";
    if (fechas.size() > 1)
        t += 'n';
    t += " cambiado ";
    for (size_t i = 0; i < fechas.size(); ++i) {
        if (i > 0)
            t += " y ";
        t += std::string(fechas[i].ajuste->clave) + " («" + fechas[i].antes + "») a " +
             fechas[i].ahora;
    }
    return t + ".";
}

} // namespace

General::PeriodoFacturacion CargarAjustes(SettingsStore& ajustes, Fechas::Dia hoy,
                                          const std::filesystem::path& carpetaDatos,
                                          General::EstadoPrograma& estado,
                                          std::vector<Mensaje>& mensajes) {
    auto periodo = General::LeerPeriodo(ajustes);
    bool cargado = periodo && General::CargarEstado(ajustes, estado);
    if (!cargado) {
        // A store with no setting at all is a first start: every default is written, in
        // order; otherwise only the missing or unreadable ones, keeping the user's values.
        const auto todos = General::AjustesEnOrden();
        const bool vacio = std::all_of(todos.begin(), todos.end(), [&](const General::Ajuste* a) {
            return General::Leer(ajustes, *a).empty();
        });
        General::Completado completado;
        if (vacio)
            completado.ok = General::ValoresPorDefecto(ajustes, hoy, carpetaDatos);
        else
            completado = General::CompletarAjustes(ajustes, hoy);
        const auto creado =
            ArchivoLlamadas::CrearSiFalta(carpetaDatos / ArchivoLlamadas::NombreActual);
        periodo = General::LeerPeriodo(ajustes);
        cargado = periodo && General::CargarEstado(ajustes, estado);
        // Defaults are in use only on a first start or when the settings still do not load;
        // otherwise the user's settings are (a store that cannot save may still hold them).
        if (!completado && (vacio || !cargado))
            mensajes.push_back({true, "No se han podido guardar los ajustes de VatriMox; se usan "
                                      "los valores por defecto."});
        else if (!completado)
            mensajes.push_back({true, "No se pueden guardar los ajustes de VatriMox: los cambios "
                                      "que se hagan no se conservarán."});
        else if (!completado.fechas.empty())
            mensajes.push_back({false, TextoFechasCambiadas(completado.fechas)});
        if (!creado)
            mensajes.push_back(
                {true, "No se ha podido crear el archivo de llamadas: " + creado.error});
    }
    if (!periodo)
        periodo = General::PeriodoFacturacion{hoy, hoy + std::chrono::days{DiasPrimerPeriodo}};
    if (!cargado)
        EstadoPorDefecto(estado);
    return *periodo;
}

std::optional<General::PeriodoFacturacion> NuevoPeriodo(const General::PeriodoFacturacion& p,
                                                        Fechas::Dia hoy) {
    if (hoy <= p.fin)
        return std::nullopt;
    // Every missed period at once, as one start after each would have rolled them: each new
    // period is one day shorter than the one before, but never shorter than one day.
    General::PeriodoFacturacion n = p;
    while (hoy > n.fin) {
        const auto largo = n.fin - n.inicio;
        n.inicio = n.fin + std::chrono::days{1};
        n.fin = std::max(n.fin + largo, n.inicio);
    }
    return n;
}

namespace {

// The rollover in progress, as its marker file holds it: "copia" or "copiado", then the old and the
// new period's dates.
struct MarcaCambio {
    bool copiado = false;
    General::PeriodoFacturacion antes, despues;
};

std::string TextoMarca(const MarcaCambio& m) {
    return std::string(m.copiado ? "copiado" : "copia") + " " + Fechas::TextoFecha(m.antes.inicio) +
           " " + Fechas::TextoFecha(m.antes.fin) + " " + Fechas::TextoFecha(m.despues.inicio) +
           " " + Fechas::TextoFecha(m.despues.fin) + "\n";
}

std::optional<MarcaCambio> LeerMarca(const std::filesystem::path& ruta) {
    std::ifstream f(ruta);
    std::string paso, fechas[4];
    if (!(f >> paso >> fechas[0] >> fechas[1] >> fechas[2] >> fechas[3]) ||
        (paso != "copia" && paso != "copiado"))
        return std::nullopt;
    std::optional<Fechas::Dia> d[4];
    for (int i = 0; i < 4; ++i)
        if (!(d[i] = Fechas::LeerFecha(fechas[i])))
            return std::nullopt;
    return MarcaCambio{paso == "copiado", {*d[0], *d[1]}, {*d[2], *d[3]}};
}

// True when both files hold the same bytes.
bool MismoContenido(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec1, ec2;
    if (std::filesystem::file_size(a, ec1) != std::filesystem::file_size(b, ec2) || ec1 || ec2)
        return false;
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    std::vector<char> ba(1 << 16), bb(1 << 16);
    while (fa && fb) {
        fa.read(ba.data(), static_cast<std::streamsize>(ba.size()));
        fb.read(bb.data(), static_cast<std::streamsize>(bb.size()));
        if (fa.gcount() != fb.gcount() ||
            !std::equal(ba.begin(), ba.begin() + fa.gcount(), bb.begin()))
            return false;
    }
    return fa.eof() && fb.eof();
}

// One step of the rollover; "" when done, else why not.
std::string HacerPaso(PasoCambio paso, SettingsStore& ajustes, MarcaCambio& m,
                      const std::filesystem::path& carpeta, bool reanudado) {
    const auto actual = carpeta / ArchivoLlamadas::NombreActual;
    const auto anterior = carpeta / ArchivoLlamadas::NombreAnterior;
    const auto marca = carpeta / NombreMarcaCambio;
    ArchivoLlamadas::Resultado r;
    switch (paso) {
    case PasoCambio::Marca:
    case PasoCambio::Copiado:
        m.copiado = paso == PasoCambio::Copiado;
        r = ArchivoLlamadas::Reemplazar(marca, TextoMarca(m));
        return r ? "" : "No se ha podido guardar " + marca.string() + ": " + r.error;
    case PasoCambio::Copia:
        r = ArchivoLlamadas::CrearSiFalta(actual);
        if (r)
            r = ArchivoLlamadas::Copiar(actual, anterior);
        return r ? ""
                 : "No se ha podido copiar " + actual.string() + " en " + anterior.string() + ": " +
                       r.error;
    case PasoCambio::FechaInicio:
    case PasoCambio::FechaFinal: {
        const bool inicio = paso == PasoCambio::FechaInicio;
        return General::Escribir(
                   ajustes, inicio ? General::Ajustes::FechaInicio : General::Ajustes::FechaFinal,
                   Fechas::TextoFecha(inicio ? m.despues.inicio : m.despues.fin))
                   ? ""
                   : "No se han podido guardar las fechas del nuevo periodo.";
    }
    case PasoCambio::Vaciado: {
        // Resumed, the log is emptied only while it is still the copy just made: calls logged after
        // the rollover (had its marker outlived it) are kept.
        std::error_code ec;
        if (reanudado && (std::filesystem::file_size(actual, ec) == 0 || ec ||
                          !MismoContenido(actual, anterior)))
            return "";
        r = ArchivoLlamadas::Vaciar(actual);
        return r ? "" : "No se ha podido vaciar " + actual.string() + ": " + r.error;
    }
    case PasoCambio::Desmarcar: {
        std::error_code ec;
        std::filesystem::remove(marca, ec);
        return "";
    }
    case PasoCambio::Fin:
        break;
    }
    return "";
}

// Runs the steps from `desde` up to `parada`. A step that fails puts the stored dates back and
// drops the marker: the log is not emptied before the dates are stored, so the calls stay in it and
// the next start rolls over again.
CambioPeriodo Ejecutar(SettingsStore& ajustes, MarcaCambio m, const std::filesystem::path& carpeta,
                       PasoCambio desde, PasoCambio parada) {
    CambioPeriodo cambio{false, m.antes, {}};
    const bool reanudado = desde != PasoCambio::Marca;
    for (auto paso = desde; paso < parada; paso = PasoCambio(static_cast<int>(paso) + 1)) {
        cambio.error = HacerPaso(paso, ajustes, m, carpeta, reanudado);
        if (cambio.error.empty())
            continue;
        if (paso >= PasoCambio::FechaInicio) {
            General::Escribir(ajustes, General::Ajustes::FechaInicio,
                              Fechas::TextoFecha(m.antes.inicio));
            General::Escribir(ajustes, General::Ajustes::FechaFinal,
                              Fechas::TextoFecha(m.antes.fin));
        }
        if (paso != PasoCambio::Marca)
            HacerPaso(PasoCambio::Desmarcar, ajustes, m, carpeta, reanudado);
        return cambio;
    }
    if (parada == PasoCambio::Fin) {
        cambio.hecho = true;
        cambio.periodo = m.despues;
    }
    return cambio;
}

} // namespace

CambioPeriodo CambiarPeriodo(SettingsStore& ajustes, const General::PeriodoFacturacion& periodo,
                             Fechas::Dia hoy, const std::filesystem::path& carpetaDatos,
                             PasoCambio parada) {
    const auto nuevo = NuevoPeriodo(periodo, hoy);
    if (!nuevo)
        return {false, periodo, {}};
    return Ejecutar(ajustes, {false, periodo, *nuevo}, carpetaDatos, PasoCambio::Marca, parada);
}

CambioPeriodo TerminarCambioPeriodo(SettingsStore& ajustes,
                                    const std::filesystem::path& carpetaDatos) {
    const auto marca = carpetaDatos / NombreMarcaCambio;
    for (const auto& archivo : {carpetaDatos / ArchivoLlamadas::NombreActual,
                                carpetaDatos / ArchivoLlamadas::NombreAnterior, marca})
        ArchivoLlamadas::BorrarTemporales(archivo);
    std::error_code ec;
    if (!std::filesystem::exists(marca, ec))
        return {};
    const auto m = LeerMarca(marca);
    if (!m) {
        // Not a marker this program wrote: nothing can be finished from it.
        std::filesystem::remove(marca, ec);
        return {};
    }
    return Ejecutar(ajustes, *m, carpetaDatos,
                    m->copiado ? PasoCambio::FechaInicio : PasoCambio::Copia, PasoCambio::Fin);
}

namespace {

// Appends a call recovered from a journal to the log, telling the user; kept pending when the
// append fails.
void AnadirRecuperada(const std::filesystem::path& archivo, const Llamada& l, char separador,
                      Recuperacion& rec) {
    const auto r = ArchivoLlamadas::Anadir(archivo, l);
    if (r) {
        rec.mensajes.push_back({false, "Se ha recuperado la llamada " + Descripcion(l, separador) +
                                           ", que no llegó a guardarse, y se ha añadido "
                                           "al archivo de llamadas."});
    } else {
        rec.pendientes.push_back(l);
        rec.mensajes.push_back({true, "No se ha podido guardar la llamada " +
                                          Descripcion(l, separador) + " en " + archivo.string() +
                                          ": " + r.error +
                                          "\nSe intentará de nuevo más adelante."});
    }
}

// What is left goes back into one journal, the first that can be written; the others go.
// When none can take it, every journal stays as it was: a call twice beats a call lost.
void DevolverAlDiario(const std::vector<std::filesystem::path>& leidos,
                      const std::vector<Llamada>& pendientes) {
    std::optional<std::filesystem::path> guardado;
    for (const auto& carpeta : leidos)
        if (!guardado && (pendientes.empty() || Diario::Guardar(carpeta, pendientes)))
            guardado = carpeta;
    for (const auto& carpeta : leidos)
        if (guardado && carpeta != *guardado)
            Diario::Guardar(carpeta, {});
    if (guardado && pendientes.empty())
        Diario::Guardar(*guardado, {});
}

} // namespace

Recuperacion RecuperarDiario(const SettingsStore& ajustes,
                             const std::filesystem::path& carpetaDatos,
                             std::optional<Fechas::Dia> hasta, char separador,
                             const std::vector<std::filesystem::path>& reservas) {
    Recuperacion rec;
    const auto noAceptar = General::DecimalAjuste(ajustes, General::Ajustes::NoAceptar);
    const auto archivo = carpetaDatos / ArchivoLlamadas::NombreActual;
    // A kill between an append and the journal's update leaves a call in both: a journal's
    // calls up to the one the log ends with are already logged (they are appended in order).
    // Only the log's last record counts, read from its end.
    const std::optional<Llamada> ultima = ArchivoLlamadas::LeerUltima(archivo);
    std::vector<Llamada> vistas; // a call kept in two journals is logged once
    std::vector<std::filesystem::path> carpetas{carpetaDatos};
    carpetas.insert(carpetas.end(), reservas.begin(), reservas.end());
    std::vector<std::filesystem::path> leidos;
    for (const auto& carpeta : carpetas) {
        Diario::BorrarTemporales(carpeta);
        const auto ruta = Diario::Ruta(carpeta);
        std::error_code ec;
        if (!std::filesystem::exists(ruta, ec))
            continue;
        const auto lectura = ArchivoLlamadas::Leer(ruta);
        if (!lectura.ok) {
            auto apartado = ruta;
            apartado += ".danado";
            std::filesystem::rename(ruta, apartado, ec);
            rec.mensajes.push_back(
                {true, "No se ha podido leer la llamada que quedó sin guardar en " + ruta.string() +
                           " (" + lectura.error.motivo + "); el archivo se conserva como " +
                           apartado.string() + "."});
            continue;
        }
        leidos.push_back(carpeta);
        const auto& llamadas = lectura.llamadas;
        const auto hasta_ultima =
            ultima ? std::find(llamadas.rbegin(), llamadas.rend(), *ultima) : llamadas.rend();
        const auto anotadas = static_cast<size_t>(llamadas.rend() - hasta_ultima);
        for (size_t i = 0; i < llamadas.size(); ++i) {
            const Llamada& l = llamadas[i];
            if (i < anotadas || std::find(vistas.begin(), vistas.end(), l) != vistas.end())
                continue;
            vistas.push_back(l);
            if (hasta && l.Fecha.dia() > *hasta) {
                rec.pendientes.push_back(l);
                continue;
            }
            if (!SuperaMinimo(SegundosConexion(l), noAceptar))
                continue;
            AnadirRecuperada(archivo, l, separador, rec);
        }
    }
    DevolverAlDiario(leidos, rec.pendientes);
    return rec;
}

Resultado Preparar(SettingsStore& ajustes, Fechas::Dia hoy, const std::filesystem::path& carpeta,
                   General::EstadoPrograma& estado, char separador,
                   const std::vector<std::filesystem::path>& reservas) {
    Resultado res;
    // A rollover that a kill interrupted is finished before the settings or the log are read.
    const auto terminado = TerminarCambioPeriodo(ajustes, carpeta);
    res.periodo = CargarAjustes(ajustes, hoy, carpeta, estado, res.mensajes);
    const auto agregar = [&res](Recuperacion rec) {
        res.mensajes.insert(res.mensajes.end(), rec.mensajes.begin(), rec.mensajes.end());
        res.pendientes = std::move(rec.pendientes);
    };
    // Calls of the ended period go into its log before that log becomes the previous one.
    agregar(RecuperarDiario(ajustes, carpeta, res.periodo.fin, separador, reservas));
    const auto cambio = CambiarPeriodo(ajustes, res.periodo, hoy, carpeta);
    if (cambio.hecho || terminado.hecho)
        res.mensajes.push_back({false, TextoCambioPeriodo});
    else if (!cambio.error.empty())
        res.mensajes.push_back({true, "No se ha podido iniciar el nuevo periodo de llamadas. " +
                                          cambio.error +
                                          "\nSe intentará de nuevo la próxima vez que se inicie "
                                          "VatriMox."});
    res.periodo = cambio.periodo;
    if (cambio.hecho && !res.pendientes.empty())
        agregar(RecuperarDiario(ajustes, carpeta, std::nullopt, separador));
    res.autodeteccion = General::BanderaAjuste(ajustes, General::Ajustes::AutoSINO);
    res.modo = LeerModo(General::Leer(ajustes, General::Ajustes::AlAbrir));
    return res;
}

float ProgresoPeriodo(const General::PeriodoFacturacion& p, Fechas::Dia hoy) {
    const double hechos = static_cast<double>((hoy - p.inicio).count()) + 1;
    const double total = static_cast<double>((p.fin - p.inicio).count()) + 1;
    if (total <= 0)
        return 100.0f;
    const auto porcentaje = static_cast<float>(hechos / total * 100);
    return std::clamp(porcentaje, 0.0f, 100.0f);
}

} // namespace Arranque
