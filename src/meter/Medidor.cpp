// The live call meter: start, per-second reading, end and log, with the amount alerts.
#include "meter/Medidor.h"
#include "calllog/ArchivoLlamadas.h"

#include "core/Formato.h"
#include "tariffs/Planes.h"

#include <algorithm>
#include <system_error>

ModoVentana LeerModo(std::string_view texto) {
    if (texto == "Normal")
        return ModoVentana::Normal;
    if (texto == "Minimizado")
        return ModoVentana::Minimizado;
    if (texto == "Mini Icono")
        return ModoVentana::MiniIcono;
    return ModoVentana::SinCambio;
}

namespace Diario {

std::filesystem::path Ruta(const std::filesystem::path& carpetaDatos) {
    return carpetaDatos / Nombre;
}

ArchivoLlamadas::Resultado Guardar(const std::filesystem::path& carpetaDatos,
                                   const std::vector<Llamada>& llamadas) {
    const auto ruta = Ruta(carpetaDatos);
    if (!llamadas.empty())
        return ArchivoLlamadas::Escribir(ruta, llamadas);
    std::error_code ec;
    std::filesystem::remove(ruta, ec);
    if (ec)
        return {ec.message()};
    return {};
}

void BorrarTemporales(const std::filesystem::path& carpetaDatos) {
    ArchivoLlamadas::BorrarTemporales(Ruta(carpetaDatos));
}

} // namespace Diario

bool SuperaMinimo(int64_t segundos, std::optional<double> minimo) {
    return !minimo || static_cast<double>(segundos) > *minimo;
}

std::string ComprobarTipoLlamada(General::EstadoPrograma& estado) {
    if (estado.catalogo.BuscarTipo(estado.TipoLlamada))
        return {};
    const std::string elegido = estado.TipoLlamada;
    estado.TipoLlamada = General::Ajustes::Tarifa.defecto;
    const std::string motivo =
        estado.catalogo.errores.empty()
            ? "ningún archivo de planes la define"
            : "puede estar en uno de los planes que no se han cargado por tener errores";
    return "La tarifa «" + elegido + "» no está en ningún plan de tarifa cargado: " + motivo +
           ". Las llamadas se calculan con la tarifa «" + estado.TipoLlamada +
           "» hasta que elija otra en «Tarifas».";
}

Medidor::Medidor(SettingsStore& ajustes, General::EstadoPrograma& estado,
                 std::filesystem::path carpetaDatos, char separador)
    : ajustes_(ajustes), estado_(estado), carpeta_(std::move(carpetaDatos)), separador_(separador) {
}

std::string Medidor::Leer(const General::Ajuste& ajuste) const {
    return General::Leer(ajustes_, ajuste);
}

Medidor::Efectos Medidor::Iniciar(const Fechas::FechaHora& ahora, Instante instante) {
    Efectos efectos;
    inicio_ = instante;
    estado_.llamada.InicioLlamada = ahora.serial();
    fechaLlamada_ = ahora.dia;
    segundoInicio_ = Fechas::SegundosDelDia(ahora) - estado_.SegundosNegociacion;
    avisoPendiente_ = true;
    alertasDadas_ = 0;
    diarioAvisado_ = false;
    enCurso_ = true;
    // The journal holds the call from its first moment, so a kill before the first tick keeps
    // it; the labels keep the previous call's figures until that tick.
    const LecturaMedidor anterior = lectura_;
    const Pantalla textos = pantalla_;
    Lectura(0, efectos, false);
    GuardarDiario(efectos);
    lectura_ = anterior;
    pantalla_ = textos;
    efectos.modo = LeerModo(Leer(General::Ajustes::AlConectar));
    const std::string sonido = Leer(General::Ajustes::InicioSonido);
    if (General::BanderaAjuste(ajustes_, General::Ajustes::InicioSINO) && !sonido.empty())
        efectos.sonidos.push_back(sonido);
    return efectos;
}

Medidor::Efectos Medidor::Tick(Instante instante) {
    Efectos efectos;
    if (!enCurso_)
        return efectos;
    Lectura(Transcurridos(instante), efectos, true);
    GuardarDiario(efectos);
    return efectos;
}

void Medidor::GuardarDiario(Efectos& efectos) {
    std::vector<Llamada> diario = pendientes_;
    diario.push_back(Registro());
    const auto c = Conservar(diario);
    if (!c.carpeta.empty() || diarioAvisado_)
        return;
    diarioAvisado_ = true;
    efectos.errores.push_back("No se puede guardar la llamada en curso en " +
                              Diario::Ruta(carpeta_).string() + ": " + c.error +
                              "\nSi VatriMox termina de forma inesperada, esta llamada se "
                              "perderá.");
}

Medidor::Conservado Medidor::Conservar(const std::vector<Llamada>& llamadas,
                                       const std::vector<std::filesystem::path>& otras) {
    Conservado c;
    std::vector<std::filesystem::path> carpetas{carpeta_};
    carpetas.insert(carpetas.end(), reservas_.begin(), reservas_.end());
    carpetas.insert(carpetas.end(), otras.begin(), otras.end());
    for (const auto& carpeta : carpetas) {
        std::error_code ec;
        if (carpeta != carpeta_ && !llamadas.empty())
            std::filesystem::create_directories(carpeta, ec);
        const auto r = Diario::Guardar(carpeta, llamadas);
        if (r) {
            c.carpeta = carpeta;
            break;
        }
        if (carpeta == carpeta_)
            c.error = r.error;
    }
    // Older copies elsewhere would come back at the next start; with no new copy they are
    // the best there is, and stay.
    if (!c.carpeta.empty())
        for (const auto& carpeta : carpetas)
            if (carpeta != c.carpeta)
                Diario::Guardar(carpeta, {});
    return c;
}

std::string Medidor::AnadirPendientes() {
    const auto archivo = carpeta_ / ArchivoLlamadas::NombreActual;
    size_t hechas = 0;
    std::string error;
    // In order, so that a kill leaves the log ending with the last call appended.
    for (; hechas < pendientes_.size(); ++hechas) {
        const auto r = ArchivoLlamadas::Anadir(archivo, pendientes_[hechas]);
        if (!r) {
            error = r.error;
            break;
        }
    }
    pendientes_.erase(pendientes_.begin(), pendientes_.begin() + static_cast<ptrdiff_t>(hechas));
    return error;
}

void Medidor::Reintentar() {
    if (pendientes_.empty())
        return;
    AnadirPendientes();
    std::vector<Llamada> diario = pendientes_;
    if (enCurso_)
        diario.push_back(Registro());
    guardadas_ = !Conservar(diario).carpeta.empty();
}

std::string Medidor::GuardarAlSalir(const std::vector<std::filesystem::path>& ultimoRecurso) {
    if (pendientes_.empty())
        return {};
    const std::string error = AnadirPendientes();
    const auto c = Conservar(pendientes_, ultimoRecurso);
    guardadas_ = pendientes_.empty() || !c.carpeta.empty();
    if (pendientes_.empty())
        return {};
    std::string texto = "No se ha podido guardar en " +
                        (carpeta_ / ArchivoLlamadas::NombreActual).string() + " (" + error + "):\n";
    for (const Llamada& l : pendientes_)
        texto += ArchivoLlamadas::LineaRegistro(l);
    if (guardadas_)
        return texto + "Queda guardada en " + Diario::Ruta(c.carpeta).string() +
               " y se añadirá al archivo de llamadas al iniciar VatriMox.";
    return texto + "Tampoco se ha podido guardar en " + Diario::Ruta(carpeta_).string() + " (" +
           c.error + ") ni en otra carpeta: las líneas de arriba son la única copia.";
}

int64_t Medidor::Transcurridos(Instante instante) const {
    const auto ms = std::max<int64_t>(0, (instante - inicio_).count());
    return (ms + 500) / 1000;
}

// Each second is priced at the clock time counted from the start second, so neither a clock
// jump nor a summer-time change alters the duration or the amount.
void Medidor::Lectura(int64_t transcurridos, Efectos& efectos, bool conAvisos) {
    const int64_t segundos = transcurridos + estado_.SegundosNegociacion;
    const Moneda anterior = lectura_.importe;
    lectura_ = Calcular(estado_, fechaLlamada_, segundoInicio_, segundos);
    pantalla_ = Textos(lectura_, separador_);
    if (lectura_.importe != anterior && conAvisos)
        AvisoImporte(efectos);
    if (conAvisos)
        AvisoPeriodico(segundos, efectos);
}

Medidor::LecturaMedidor Medidor::Calcular(General::EstadoPrograma& estado, Fechas::Dia fecha,
                                          int32_t segundoInicio, int64_t segundos) {
    auto& llamada = estado.llamada;
    llamada.SegundosTranscurridos = Moneda::desdeEntero(segundos);
    const Moneda importe =
        Tarifas::CosteTipo(estado.catalogo, estado.TipoLlamada, fecha, segundoInicio, segundos,
                           estado.IncluirIVA, estado.PorcentajeIVA);
    // To the cent exactly as the two-decimal label rounds it.
    const Moneda alCentimo =
        Moneda::desdeTexto(General::FormatoFijo(importe.aDouble(), '.')).value_or(Moneda());
    return {segundos, alCentimo,
            Tarifas::ContadorPlan(estado.catalogo, estado.TipoLlamada, llamada)};
}

Medidor::Pantalla Medidor::Textos(const LecturaMedidor& lectura, char separador) {
    return {General::FormatoDuracion(lectura.segundos),
            General::FormatoFijo(lectura.importe.aDouble(), separador),
            std::to_string(lectura.facturados),
            General::FormatoFijo(lectura.importe.aDouble() / 166.386, separador) + " €"};
}

void Medidor::AvisoImporte(Efectos& efectos) {
    const std::string sonido = Leer(General::Ajustes::PasoSonido);
    const auto umbral = General::NumeroAjuste(ajustes_, General::Ajustes::Importe);
    if (!avisoPendiente_ || !umbral || lectura_.importe.aDouble() <= *umbral)
        return;
    avisoPendiente_ = false;
    if (General::BanderaAjuste(ajustes_, General::Ajustes::PasoSINO) && !sonido.empty())
        efectos.sonidos.push_back(sonido);
}

// Sounds each time the duration shown passes another "Periodo2" minutes; the count goes on
// while the sound is off, so switching it on does not replay the periods already passed.
void Medidor::AvisoPeriodico(int64_t segundos, Efectos& efectos) {
    const auto minutos = General::NumeroAjuste(ajustes_, General::Ajustes::Periodo2);
    if (!minutos || *minutos <= 0)
        return;
    const int64_t vueltas = segundos / (int64_t{*minutos} * 60);
    if (vueltas <= alertasDadas_)
        return;
    alertasDadas_ = vueltas;
    const std::string sonido = Leer(General::Ajustes::AlertaSonido);
    if (General::BanderaAjuste(ajustes_, General::Ajustes::AlertaSINO) && !sonido.empty())
        efectos.sonidos.push_back(sonido);
}

Llamada Medidor::Registro() const {
    Llamada r;
    const auto comienzo = Fechas::FechaHora{fechaLlamada_, 0}.mas(segundoInicio_);
    r.Fecha = comienzo.dia;
    r.Hora = comienzo.segundo;
    r.Duracion = General::RedondearEntero(estado_.llamada.SegundosTranscurridos.aDouble());
    r.Segundos = estado_.llamada.SegundosFacturados;
    r.Importe = lectura_.importe;
    r.Tarifa = estado_.TipoLlamada;
    return r;
}

Medidor::Efectos Medidor::Terminar(Instante instante) {
    Efectos efectos;
    if (!enCurso_)
        return efectos;
    const auto noAceptar = General::DecimalAjuste(ajustes_, General::Ajustes::NoAceptar);
    enCurso_ = false;
    Lectura(Transcurridos(instante), efectos, false);

    if (SuperaMinimo(General::RedondearEntero(estado_.llamada.SegundosTranscurridos.aDouble()),
                     noAceptar))
        pendientes_.push_back(Registro());
    // Until every append has succeeded the journal keeps the calls, so a crash loses none.
    if (!pendientes_.empty())
        Conservar(pendientes_);
    const std::string error = AnadirPendientes();
    const auto c = Conservar(pendientes_);
    guardadas_ = !c.carpeta.empty();
    if (!pendientes_.empty()) {
        std::string texto = "No se ha podido guardar en " +
                            (carpeta_ / ArchivoLlamadas::NombreActual).string() + " (" + error +
                            "):\n";
        for (const Llamada& l : pendientes_)
            texto += ArchivoLlamadas::LineaRegistro(l);
        if (guardadas_)
            texto += "Queda guardada en " + Diario::Ruta(c.carpeta).string() +
                     " y se añadirá al archivo de llamadas en cuanto se pueda: se intenta cada "
                     "minuto, al cerrar y al iniciar VatriMox.";
        else
            texto += "Tampoco se ha podido guardar en " + Diario::Ruta(carpeta_).string() + " (" +
                     c.error +
                     ") ni en otra carpeta. Se intentará guardar cada minuto; al cerrar VatriMox "
                     "podrá guardarla en otro archivo.";
        efectos.errores.push_back(texto);
    }

    const std::string sonido = Leer(General::Ajustes::FinalSonido);
    if (General::BanderaAjuste(ajustes_, General::Ajustes::FinalSINO) && !sonido.empty())
        efectos.sonidos.push_back(sonido);
    efectos.modo = LeerModo(Leer(General::Ajustes::AlAbrir));
    return efectos;
}

void Medidor::Abandonar() {
    enCurso_ = false;
    Conservar(pendientes_);
}

std::string Medidor::ResumenTitulo() const {
    return pantalla_.Label7 + "    " + pantalla_.Label2 + " \"   " + pantalla_.Label6 + " pts";
}

std::string Medidor::TipConectado() const {
    return "Conectado:   " + pantalla_.Label7 + "   " + pantalla_.Label2 + " segundos   " +
           pantalla_.Label6 + " pesetas";
}
