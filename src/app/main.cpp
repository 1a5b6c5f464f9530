// Composition root: builds the real adapters, the program state and the main window.
#include "cli/LineaComandos.h"
#include "platform/Clock.h"
#include "platform/IniSettingsStore.h"
#include "platform/InstanciaUnica.h"
#include "platform/NetworkManagerProbe.h"
#include "platform/PlanesUsuario.h"
#include "platform/PppProbe.h"
#include "platform/Prompts.h"
#include "platform/QtSoundPlayer.h"
#include "platform/Rutas.h"
#include "platform/ShutdownSignals.h"
#include "platform/VigiaConexion.h"
#include "platform/XdgAutostart.h"
#include "settings/Ajustes.h"
#include "ui/calllog/VentanaLlamadas.h"
#include "ui/main/Icono.h"
#include "ui/main/VentanaMedidor.h"
#include "ui/options/OpcionesDialog.h"
#include "ui/period/PeriodoDialog.h"
#include "ui/tariffs/VisorTarifas.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTranslator>
#include <csignal>
#include <cstdio>
#include <optional>

namespace {
// Without a screen (offscreen, minimal platforms) a message box would wait unseen.
void AvisarEnEjecucion() {
    const QString texto = "VatriMox ya se está ejecutando.";
    const QString plataforma = QGuiApplication::platformName();
    if (plataforma == "offscreen" || plataforma == "minimal")
        std::fprintf(stderr, "%s\n", qPrintable(texto));
    else
        QtPrompts().message(nullptr, "VatriMox", texto, Prompts::Icono::Informacion);
}

// The exit code when another program holds the data folder; nullopt when this one is the first.
std::optional<int> OtraInstancia(InstanciaUnica& instancia) {
    switch (instancia.Iniciar()) {
    case InstanciaUnica::Resultado::Primera:
        break;
    case InstanciaUnica::Resultado::Avisada:
        return 0;
    case InstanciaUnica::Resultado::SinRespuesta:
        AvisarEnEjecucion();
        return 1;
    }
    return std::nullopt;
}

// Name, desktop entry, Spanish texts of Qt's own buttons and the icon; `qtEspanol` lives as long
// as the application.
void PrepararAplicacion(QTranslator& qtEspanol) {
    QApplication::setApplicationName("VatriMox");
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName("vatrimox");
    // The interface is Spanish: Qt's own buttons read "Sí", "No", "Aceptar", "Cancelar".
    if (qtEspanol.load("qtbase_es", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtEspanol);
    QApplication::setWindowIcon(Icono::IconoReposo());
    // The window may live hidden behind its tray icon; the program ends when Form1 closes.
    QApplication::setQuitOnLastWindowClosed(false);
}
} // namespace

int main(int argc, char* argv[]) {
    // Commands from a terminal run without a display and end here.
    if (const auto salida = LineaComandos::Ejecutar(argc, argv))
        return *salida;
    // Past a file-size limit a write fails with EFBIG, which is reported, instead of killing us.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QTranslator qtEspanol;
    PrepararAplicacion(qtEspanol);

    // One program per data folder, settled before anything reads the folder, so the journal of
    // a call still running elsewhere is never taken for one left by a crash.
    InstanciaUnica instancia(Rutas::CarpetaDatos());
    if (const auto salida = OtraInstancia(instancia))
        return *salida;

    SystemClock reloj;
    IniSettingsStore ajustes;
    QtPrompts avisos;
    QtSoundPlayer sonido;
    PppProbe ppp([&ajustes] { return General::Leer(ajustes, General::Ajustes::Interfaz); });
    NetworkManagerProbe red(QDBusConnection::systemBus(), ppp);
    // Read on a thread of its own, so a busy window never moves the end of a call.
    VigiaConexion sonda(red, [&reloj] { return reloj.monotonic(); });
    XdgAutostart autoinicio;
    const QString datos = Rutas::CarpetaDatos();
    Servicios servicios{reloj, ajustes, avisos, sonido, sonda, autoinicio, datos};
    servicios.carpetasReserva = Rutas::CarpetasReserva(datos);
    servicios.carpetasUltimoRecurso = Rutas::CarpetasUltimoRecurso(datos);
    General::EstadoPrograma estado;
    estado.catalogo = PlanesUsuario::Cargar();
    if (const QString rechazados = PlanesUsuario::TextoRechazados(estado.catalogo);
        !rechazados.isEmpty())
        avisos.message(nullptr, "VatriMox", rechazados, Prompts::Icono::Informacion);

    // The dialogs that need the main window reach it through this pointer, set right below.
    Form1* principal = nullptr;
    const Ventanas ventanas{
        [&](QWidget* padre) { Form3(servicios, estado, *principal, padre).exec(); },
        [&](QWidget* padre) { Form6(servicios, estado, padre).exec(); },
        [&](QWidget* padre) { Form10(servicios, *principal, padre).exec(); },
        [&](QWidget* padre) { Form8(servicios, estado, padre).exec(); },
    };
    Form1 ventana(servicios, estado, ventanas);
    principal = &ventana;
    QObject::connect(&instancia, &InstanciaUnica::mostrar, &ventana, &Form1::Principal_Click);
    // exit() rather than quit(): it also ends a message box still open at start-up.
    QObject::connect(
        &ventana, &Form1::cerrado, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    // Logout, shutdown and termination signals end a running call and log it before quitting.
    ShutdownSignals senales;
    QObject::connect(&senales, &ShutdownSignals::requested, &ventana, &Form1::FinDeSesion);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &ventana,
                     [&ventana](QSessionManager&) { ventana.FinDeSesion(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &ventana, &Form1::FinDeSesion);
    ventana.Form_Load();
    // A termination signal during a start-up message has already closed the window.
    return ventana.Cerrada() ? 0 : QApplication::exec();
}
