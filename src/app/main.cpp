// Composition root: builds the real adapters, the program state and the main window.
#include "app/Ajustes.h"
#include "app/MainWindow.h"
#include "platform/Clock.h"
#include "platform/IniSettingsStore.h"
#include "platform/PppProbe.h"
#include "platform/Prompts.h"
#include "platform/QtSoundPlayer.h"
#include "platform/Rutas.h"
#include "platform/XdgAutostart.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("VatriMox");
    // The window may live hidden behind its tray icon; the program ends when Form1 closes.
    QApplication::setQuitOnLastWindowClosed(false);

    SystemClock reloj;
    IniSettingsStore ajustes;
    QtPrompts avisos;
    QtSoundPlayer sonido;
    PppProbe sonda([&ajustes] { return General::Leer(ajustes, General::Ajustes::Interfaz); });
    XdgAutostart autoinicio;
    Servicios servicios{reloj, ajustes, avisos, sonido, sonda, autoinicio, Rutas::CarpetaDatos()};
    General::EstadoPrograma estado;

    Form1 ventana(servicios, estado, Ventanas{});
    QObject::connect(&ventana, &Form1::cerrado, &app, &QApplication::quit, Qt::QueuedConnection);
    ventana.Form_Load();
    return QApplication::exec();
}
