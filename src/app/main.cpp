// Composition root: builds the real adapters, the program state and the main window.
#include "app/Ajustes.h"
#include "app/Icono.h"
#include "app/MainWindow.h"
#include "app/OpcionesDialog.h"
#include "calllog/VentanaLlamadas.h"
#include "period/PeriodoDialog.h"
#include "platform/Clock.h"
#include "platform/IniSettingsStore.h"
#include "platform/PppProbe.h"
#include "platform/Prompts.h"
#include "platform/QtSoundPlayer.h"
#include "platform/Rutas.h"
#include "platform/ShutdownSignals.h"
#include "platform/XdgAutostart.h"
#include "tariffs/VisorTarifas.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTranslator>
#include <csignal>

int main(int argc, char* argv[]) {
    // Past a file-size limit a write fails with EFBIG, which is reported, instead of killing us.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName("VatriMox");
    // The interface is Spanish: Qt's own buttons read "Sí", "No", "Aceptar", "Cancelar".
    QTranslator qtEspanol;
    if (qtEspanol.load("qtbase_es", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtEspanol);
    QApplication::setWindowIcon(Icono::IconoReposo());
    // The window may live hidden behind its tray icon; the program ends when Form1 closes.
    QApplication::setQuitOnLastWindowClosed(false);

    SystemClock reloj;
    IniSettingsStore ajustes;
    QtPrompts avisos;
    QtSoundPlayer sonido;
    PppProbe sonda([&ajustes] { return General::Leer(ajustes, General::Ajustes::Interfaz); });
    XdgAutostart autoinicio;
    const QString datos = Rutas::CarpetaDatos();
    Servicios servicios{reloj, ajustes,    avisos, sonido,
                        sonda, autoinicio, datos,  Rutas::CarpetasReserva(datos)};
    General::EstadoPrograma estado;

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
