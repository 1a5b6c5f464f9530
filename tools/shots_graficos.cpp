// Writes the screenshots of the call-log window's charts and coloured grid into a folder.
#include "calllog/ArchivoLlamadas.h"
#include "platform/Servicios.h"
#include "settings/Ajustes.h"
#include "support/FakeServices.h"
#include "support/ScriptedPrompts.h"
#include "ui/calllog/VentanaLlamadas.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

bool Guardar(QWidget& w, const QString& ruta) {
    QApplication::processEvents();
    const bool ok = w.grab().save(ruta);
    std::printf("%s %s\n", ok ? "escrita" : "FALLO", qPrintable(ruta));
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const QString carpeta = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("docs");
    const QString ejemplo =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString("tests/data/registro-ejemplo.ldx");
    QDir().mkpath(carpeta);

    QTemporaryDir datos;
    const QString registro = datos.filePath(ArchivoLlamadas::NombreActual);
    if (!QFile::copy(ejemplo, registro)) {
        std::fprintf(stderr, "no se pudo copiar %s\n", qPrintable(ejemplo));
        return 1;
    }

    ServiciosFalsos falsos;
    FakeClock& reloj = falsos.reloj;
    reloj.poner(1999, 3, 24, 18, 30); // a Wednesday evening: peak band for Metropolitana
    MemorySettingsStore& ajustes = falsos.ajustes;
    General::Escribir(ajustes, General::Ajustes::FechaInicio, "01/03/1999");
    General::Escribir(ajustes, General::Ajustes::FechaFinal, "31/03/1999");
    General::Escribir(ajustes, General::Ajustes::Fuente, "DejaVu Sans");
    General::Escribir(ajustes, General::Ajustes::FontSize, "9");
    Servicios& servicios = falsos.servicios;
    servicios.carpetaDatos = datos.path();
    General::EstadoPrograma estado;
    estado.TipoLlamada = "Metropolitana";

    Form6 ventana(servicios, estado);
    ventana.resize(760, 520);
    ventana.show();
    QApplication::processEvents();

    bool ok = true;
    ventana.Boton(11)->trigger();
    ok &= Guardar(ventana, carpeta + "/grafico-regularidad.png");
    ventana.Boton(12)->trigger();
    ok &= Guardar(ventana, carpeta + "/grafico-hora-dia.png");
    ventana.Boton(12)->trigger();
    ventana.Boton(18)->trigger();
    ok &= Guardar(ventana, carpeta + "/llamadas-coloreadas.png");
    return ok ? 0 : 1;
}
