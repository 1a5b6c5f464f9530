// Medidor: the live call meter as a state machine, and the journal that keeps a running call.
#pragma once

#include "calllog/ArchivoLlamadas.h"
#include "core/Fecha.h"
#include "core/SettingsStore.h"
#include "settings/Ajustes.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// What a window mode setting ("AlAbrir", "AlConectar") asks of the main window.
enum class ModoVentana { SinCambio, Normal, Minimizado, MiniIcono };
ModoVentana LeerModo(std::string_view texto);

// The running call (and calls whose append failed) survive a crash in this file.
namespace Diario {
inline constexpr const char* Nombre = "llamada_en_curso.ldx";
std::filesystem::path Ruta(const std::filesystem::path& carpetaDatos);
// Replaces the journal with these records atomically; an empty list removes it.
ArchivoLlamadas::Resultado Guardar(const std::filesystem::path& carpetaDatos,
                                   const std::vector<Llamada>& llamadas);
// Removes the temporary files a kill in the middle of Guardar leaves behind.
void BorrarTemporales(const std::filesystem::path& carpetaDatos);
} // namespace Diario

// True when a call of `segundos` elapsed seconds is to be logged under the "NoAceptar" text:
// strictly more than the minimum; a minimum that is not a number logs every call.
bool SuperaMinimo(int64_t segundos, std::optional<double> noAceptar);

// The call type the meter prices with. A `TipoLlamada` (the "Tarifa" setting) that no loaded
// plan has gives way to the built-in default for this run; the setting is kept, so the type
// comes back with its file. Returns the text that tells the user which type and why, or "".
std::string ComprobarTipoLlamada(General::EstadoPrograma& estado);

class Medidor {
public:
    // What the meter reads at one moment.
    struct LecturaMedidor {
        int64_t segundos = 0;   // duration, negotiation included
        Moneda importe;         // pesetas, to the cent as the label shows them and the log keeps
        int64_t facturados = 0; // billed seconds
    };
    // Texts of the meter's value labels.
    struct Pantalla {
        std::string Label7 = "00:00:00"; // duration
        std::string Label6 = "0";        // pesetas
        std::string Label2 = "0";        // billed seconds
        std::string Label1 = "0";        // euros
    };
    // What the window must do after a transition or a tick.
    struct Efectos {
        std::vector<std::string> sonidos; // wave files to play, in order
        ModoVentana modo = ModoVentana::SinCambio;
        std::vector<std::string> errores; // to be shown as critical messages
    };

    // `separador` is the user's decimal separator for the labels.
    Medidor(SettingsStore& ajustes, General::EstadoPrograma& estado,
            std::filesystem::path carpetaDatos, char separador);

    // A monotonic clock reading: elapsed time never follows wall-clock jumps or summer time.
    using Instante = std::chrono::milliseconds;

    // The reading of a call that began on `fecha` at `segundoInicio` (the start second less the
    // negotiation seconds) after `segundos` seconds, negotiation included. Writes the elapsed
    // and billed seconds of estado.llamada, as every reading of the meter does.
    static LecturaMedidor Calcular(General::EstadoPrograma& estado, Fechas::Dia fecha,
                                   int32_t segundoInicio, int64_t segundos);
    // The labels of a reading: duration, pesetas and euros to the cent, billed seconds.
    static Pantalla Textos(const LecturaMedidor& lectura, char separador);

    bool EnCurso() const { return enCurso_; }
    // `ahora` is the wall clock, read once: the call's date and start second come from it.
    Efectos Iniciar(const Fechas::FechaHora& ahora, Instante instante);
    Efectos Tick(Instante instante);
    // Takes a last reading at `instante`, then logs the call when it passes "NoAceptar".
    Efectos Terminar(Instante instante);
    // The window closed during a call: the call is dropped, as the user confirmed.
    void Abandonar();
    // Calls recovered at start-up that could not be appended yet; kept in the journal.
    void Pendientes(std::vector<Llamada> llamadas) { pendientes_ = std::move(llamadas); }
    const std::vector<Llamada>& Pendientes() const { return pendientes_; }
    // Folders that keep the journal, in order, when the data folder cannot.
    void CarpetasReserva(std::vector<std::filesystem::path> carpetas) {
        reservas_ = std::move(carpetas);
    }
    // Appends the pending calls again, quietly; run every minute and at close.
    void Reintentar();
    // The session ends: appends the pending calls once more and keeps the rest in the first
    // folder that takes it, `ultimoRecurso` after the reserves. Returns what happened for
    // standard error, with the records in full when no folder took them; "" when all are logged.
    std::string GuardarAlSalir(const std::vector<std::filesystem::path>& ultimoRecurso);
    // Pending calls that no file holds: closing now would lose them.
    bool SinGuardar() const { return !pendientes_.empty() && !guardadas_; }
    // The user has kept the pending calls elsewhere, or chose to let them go.
    void OlvidarPendientes() { pendientes_.clear(); }

    const Pantalla& pantalla() const { return pantalla_; }
    // Caption while minimised: duration, billed seconds, amount.
    std::string ResumenTitulo() const;
    // Tray tip during a call (not yet cut to the tray's length).
    std::string TipConectado() const;

    int32_t SegundoInicio() const { return segundoInicio_; }
    Fechas::Dia FechaLlamada() const { return fechaLlamada_; }
    bool AvisoPendiente() const { return avisoPendiente_; }
    // The record the call would leave if it ended now.
    Llamada Registro() const;

private:
    // Whole seconds since the start, to the nearest: ticks land a few ms either side.
    int64_t Transcurridos(Instante instante) const;
    void Lectura(int64_t transcurridos, Efectos& efectos, bool conAvisos);
    void AvisoImporte(Efectos& efectos);
    void AvisoPeriodico(int64_t segundos, Efectos& efectos);
    void GuardarDiario(Efectos& efectos);
    // Writes the journal in the first folder that takes it and removes older copies elsewhere.
    struct Conservado {
        std::filesystem::path carpeta; // empty when no folder took it
        std::string error;             // why the data folder did not
    };
    Conservado Conservar(const std::vector<Llamada>& llamadas,
                         const std::vector<std::filesystem::path>& otras = {});
    // Appends the pending calls in order, stopping at the first failure; its reason or "".
    std::string AnadirPendientes();
    std::string Leer(const General::Ajuste& ajuste) const;

    SettingsStore& ajustes_;
    General::EstadoPrograma& estado_;
    std::filesystem::path carpeta_;
    char separador_;
    LecturaMedidor lectura_;
    Pantalla pantalla_;
    bool enCurso_ = false;
    Instante inicio_{0};
    Fechas::Dia fechaLlamada_ = Fechas::Epoca;
    int32_t segundoInicio_ = 0;
    bool avisoPendiente_ = false;
    int64_t alertasDadas_ = 0;
    bool diarioAvisado_ = false; // a failing journal is told once per call
    std::vector<Llamada> pendientes_;
    std::vector<std::filesystem::path> reservas_;
    bool guardadas_ = true; // the pending calls are in a journal on disk
};
