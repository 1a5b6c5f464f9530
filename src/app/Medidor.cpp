// The live call meter: start, per-second reading, end and log, with the amount alerts.
#include "app/Medidor.h"

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

Medidor::Efectos Medidor::Iniciar(const Fechas::FechaHora& ahora) {
    Efectos efectos;
    inicio_ = ahora;
    estado_.llamada.InicioLlamada = ahora.serial();
    fechaLlamada_ = ahora.dia;
    segundoInicio_ = Fechas::SegundosDelDia(ahora) - estado_.SegundosNegociacion;
    avisoPendiente_ = true;
    alertasDadas_ = 0;
    enCurso_ = true;
    efectos.modo = LeerModo(Leer(General::Ajustes::AlConectar));
    const std::string sonido = Leer(General::Ajustes::InicioSonido);
    if (General::Activo(Leer(General::Ajustes::InicioSINO)) && !sonido.empty())
        efectos.sonidos.push_back(sonido);
    return efectos;
}

Medidor::Efectos Medidor::Tick(const Fechas::FechaHora& ahora) {
    Efectos efectos;
    if (!enCurso_)
        return efectos;
    Lectura(ahora, efectos, true);
    std::vector<Llamada> diario = pendientes_;
    diario.push_back(Registro());
    Diario::Guardar(carpeta_, diario);
    return efectos;
}

Medidor::Pantalla Medidor::Calcular(General::EstadoPrograma& estado,
                                    const Fechas::FechaHora& inicio, int32_t segundoInicio,
                                    const Fechas::FechaHora& ahora, char separador) {
    const int64_t segundos =
        std::max<int64_t>(0, Fechas::SegundosEntre(inicio, ahora) + estado.SegundosNegociacion);
    auto& llamada = estado.llamada;
    llamada.SegundosTranscurridos = Moneda::desdeEntero(segundos);
    Pantalla p;
    p.Label7 = General::FormatoDuracion(segundos);
    const Moneda importe =
        Tarifas::CosteTipo(estado.catalogo, estado.TipoLlamada, inicio.dia, segundoInicio, segundos,
                           estado.IncluirIVA, estado.PorcentajeIVA);
    p.Label6 = General::FormatoFijo(importe.aDouble(), separador);
    p.Label2 = std::to_string(Tarifas::ContadorPlan(estado.catalogo, estado.TipoLlamada, llamada));
    const double leido = General::LeerNumero(p.Label6, separador).value_or(0);
    p.Label1 = General::FormatoFijo(leido / 166.386, separador) + " €";
    return p;
}

Moneda Medidor::ImporteMostrado(const Pantalla& pantalla, char separador) {
    std::string texto = pantalla.Label6;
    std::replace(texto.begin(), texto.end(), separador, '.');
    return Moneda::desdeTexto(texto).value_or(Moneda());
}

void Medidor::Lectura(const Fechas::FechaHora& ahora, Efectos& efectos, bool conAvisos) {
    const std::string anterior = pantalla_.Label6;
    pantalla_ = Calcular(estado_, inicio_, segundoInicio_, ahora, separador_);
    if (pantalla_.Label6 != anterior && conAvisos)
        AvisoImporte(efectos);
    if (conAvisos)
        AvisoPeriodico(General::RedondearEntero(estado_.llamada.SegundosTranscurridos.aDouble()),
                       efectos);
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
    r.Importe = ImporteMostrado(pantalla_, separador_);
    r.Tarifa = estado_.TipoLlamada;
    return r;
}

Medidor::Efectos Medidor::Terminar(const Fechas::FechaHora& ahora) {
    Efectos efectos;
    if (!enCurso_)
        return efectos;
    const std::string noAceptar = Leer(General::Ajustes::NoAceptar);
    enCurso_ = false;
    Lectura(ahora, efectos, false);

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
