// The live call meter: start, per-second reading, end and log, with the amount alerts.
#include "app/Medidor.h"

#include "core/Formato.h"
#include "tariffs/Tarifas.h"

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
    const std::string prefijo = std::string(".") + Nombre + ".tmp";
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(carpetaDatos, ec))
        if (e.path().filename().string().starts_with(prefijo))
            std::filesystem::remove(e.path(), ec);
}

} // namespace Diario

bool SuperaMinimo(int64_t segundos, std::string_view noAceptar) {
    auto minimo = General::LeerNumero(noAceptar, '.');
    if (!minimo)
        minimo = General::LeerNumero(noAceptar, ',');
    return !minimo || static_cast<double>(segundos) > *minimo;
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
    const Pantalla anterior = pantalla_;
    Lectura(0, efectos, false);
    GuardarDiario(efectos);
    pantalla_ = anterior;
    efectos.modo = LeerModo(Leer(General::Ajustes::AlConectar));
    const std::string sonido = Leer(General::Ajustes::InicioSonido);
    if (General::Activo(Leer(General::Ajustes::InicioSINO)) && !sonido.empty())
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
    const auto r = Diario::Guardar(carpeta_, diario);
    if (r || diarioAvisado_)
        return;
    diarioAvisado_ = true;
    efectos.errores.push_back("No se puede guardar la llamada en curso en " +
                              Diario::Ruta(carpeta_).string() + ": " + r.error +
                              "\nSi VatriMox termina de forma inesperada, esta llamada se "
                              "perderá.");
}

int64_t Medidor::Transcurridos(Instante instante) const {
    const auto ms = std::max<int64_t>(0, (instante - inicio_).count());
    return (ms + 500) / 1000;
}

// Each second is priced at the clock time counted from the start second, so neither a clock
// jump nor a summer-time change alters the duration or the amount.
void Medidor::Lectura(int64_t transcurridos, Efectos& efectos, bool conAvisos) {
    const int64_t segundos = transcurridos + estado_.SegundosNegociacion;
    auto& llamada = estado_.llamada;
    llamada.SegundosTranscurridos = Moneda::desdeEntero(segundos);
    pantalla_.Label7 = General::FormatoDuracion(segundos);

    const Moneda importe =
        Tarifas::CosteLlamada(segundoInicio_, Fechas::DiaSemana(fechaLlamada_), segundos,
                              estado_.TipoLlamada, estado_.IncluirIVA, estado_.PorcentajeIVA);
    const std::string pesetas = General::FormatoFijo(importe.aDouble(), separador_);
    const bool cambio = pesetas != pantalla_.Label6;
    pantalla_.Label6 = pesetas;
    if (cambio && conAvisos)
        AvisoImporte(efectos);

    pantalla_.Label2 = std::to_string(Tarifas::ContadorFacturacion(estado_.TipoLlamada, llamada));
    const double leido = General::LeerNumero(pantalla_.Label6, separador_).value_or(0);
    pantalla_.Label1 = General::FormatoFijo(leido / 166.386, separador_) + " €";
    if (conAvisos)
        AvisoPeriodico(segundos, efectos);
}

void Medidor::AvisoImporte(Efectos& efectos) {
    const std::string paso = Leer(General::Ajustes::PasoSINO);
    const std::string sonido = Leer(General::Ajustes::PasoSonido);
    const auto umbral = General::ComoEntero16(Leer(General::Ajustes::Importe));
    const auto importe = General::LeerNumero(pantalla_.Label6, separador_);
    if (!avisoPendiente_ || !umbral || !importe || *importe <= *umbral)
        return;
    avisoPendiente_ = false;
    if (General::Activo(paso) && !sonido.empty())
        efectos.sonidos.push_back(sonido);
}

// Sounds each time the duration shown passes another "Periodo2" minutes; the count goes on
// while the sound is off, so switching it on does not replay the periods already passed.
void Medidor::AvisoPeriodico(int64_t segundos, Efectos& efectos) {
    const auto minutos = General::ComoEntero16(Leer(General::Ajustes::Periodo2));
    if (!minutos || *minutos <= 0)
        return;
    const int64_t vueltas = segundos / (int64_t{*minutos} * 60);
    if (vueltas <= alertasDadas_)
        return;
    alertasDadas_ = vueltas;
    const std::string sonido = Leer(General::Ajustes::AlertaSonido);
    if (General::Activo(Leer(General::Ajustes::AlertaSINO)) && !sonido.empty())
        efectos.sonidos.push_back(sonido);
}

Llamada Medidor::Registro() const {
    Llamada r;
    const auto comienzo = Fechas::FechaHora{fechaLlamada_, 0}.mas(segundoInicio_);
    r.Fecha = comienzo.dia;
    r.Hora = comienzo.segundo;
    r.Duracion = General::RedondearEntero(estado_.llamada.SegundosTranscurridos.aDouble());
    r.Segundos = estado_.llamada.SegundosFacturados;
    std::string texto = pantalla_.Label6;
    std::replace(texto.begin(), texto.end(), separador_, '.');
    r.Importe = Moneda::desdeTexto(texto).value_or(Moneda());
    r.Tarifa = estado_.TipoLlamada;
    return r;
}

Medidor::Efectos Medidor::Terminar(Instante instante) {
    Efectos efectos;
    if (!enCurso_)
        return efectos;
    const std::string noAceptar = Leer(General::Ajustes::NoAceptar);
    enCurso_ = false;
    Lectura(Transcurridos(instante), efectos, false);

    std::vector<Llamada> porAnadir = pendientes_;
    if (SuperaMinimo(General::RedondearEntero(estado_.llamada.SegundosTranscurridos.aDouble()),
                     noAceptar))
        porAnadir.push_back(Registro());
    // Until every append has succeeded the journal keeps the calls, so a crash loses none.
    if (!porAnadir.empty())
        Diario::Guardar(carpeta_, porAnadir);
    pendientes_.clear();
    const auto archivo = carpeta_ / ArchivoLlamadas::NombreActual;
    for (const Llamada& llamada : porAnadir) {
        const auto r = ArchivoLlamadas::Anadir(archivo, llamada);
        if (!r) {
            pendientes_.push_back(llamada);
            efectos.errores.push_back("No se ha podido guardar la llamada en " + archivo.string() +
                                      ": " + r.error + "\nSe guardará la próxima vez que se " +
                                      "inicie VatriMox:\n" +
                                      ArchivoLlamadas::LineaRegistro(llamada));
        }
    }
    const auto r = Diario::Guardar(carpeta_, pendientes_);
    if (!r && !pendientes_.empty())
        efectos.errores.push_back("Tampoco se ha podido guardar en " +
                                  Diario::Ruta(carpeta_).string() + ": " + r.error);

    const std::string sonido = Leer(General::Ajustes::FinalSonido);
    if (General::Activo(Leer(General::Ajustes::FinalSINO)) && !sonido.empty())
        efectos.sonidos.push_back(sonido);
    efectos.modo = LeerModo(Leer(General::Ajustes::AlAbrir));
    return efectos;
}

void Medidor::Abandonar() {
    enCurso_ = false;
    Diario::Guardar(carpeta_, pendientes_);
}

std::string Medidor::ResumenTitulo() const {
    return pantalla_.Label7 + "    " + pantalla_.Label2 + " \"   " + pantalla_.Label6 + " pts";
}

std::string Medidor::TipConectado() const {
    return "Conectado:   " + pantalla_.Label7 + "   " + pantalla_.Label2 + " segundos   " +
           pantalla_.Label6 + " pesetas";
}
