// Writes the screenshots of the tariff viewer (built-in, and with the example plans of
// <folder>/tarifas), options and billing-period dialogs into a folder.
// Run as `xvfb-run build/shots_dialogos docs` (or with QT_QPA_PLATFORM=offscreen).
#include "platform/Servicios.h"
#include "support/FakeServices.h"
#include "support/ScriptedPrompts.h"
#include "tariffs/LectorPlanes.h"
#include "ui/common/VentanaPrincipal.h"
#include "ui/options/OpcionesDialog.h"
#include "ui/period/PeriodoDialog.h"
#include "ui/tariffs/VisorTarifas.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTabBar>

namespace {
class VentanaQuieta : public VentanaPrincipal {
public:
    void AutodeteccionActiva(bool) override {}
    void DibujarProgreso() override {}
    bool LlamadaEnCurso() const override { return false; }
};

bool Guardar(QWidget& w, const QString& ruta) {
    w.show();
    QApplication::processEvents();
    const bool ok = w.grab().save(ruta);
    w.hide();
    return ok;
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const QString carpeta = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("docs");
    QDir().mkpath(carpeta);

    ServiciosFalsos falsos;
    FakeClock& reloj = falsos.reloj;
    reloj.poner(1999, 3, 15, 10);
    MemorySettingsStore& ajustes = falsos.ajustes;
    const char* const valores[][3] = {{"Tarifas", "Tarifa", "Provincial"},
                                      {"Datos", "FechaInicio", "1/3/1999"},
                                      {"Datos", "FechaFinal", "30/4/1999"},
                                      {"Opciones", "AlAbrir", "Mini Icono"},
                                      {"Opciones", "AlConectar", "Minimizado"},
                                      {"Opciones", "Negociacion", "20"},
                                      {"Opciones", "NoAceptar", "15"},
                                      {"Opciones", "CuantoIVA", "16"},
                                      {"Opciones", "IVA", "1"},
                                      {"Opciones", "AutoSINO", "1"},
                                      {"Opciones", "Presupuesto", "3000"},
                                      {"Sonidos", "InicioSINO", "1"},
                                      {"Sonidos", "InicioSonido", "/usr/share/sounds/conectar.wav"},
                                      {"Sonidos", "PasoSINO", "1"},
                                      {"Sonidos", "PasoSonido", "/usr/share/sounds/aviso.wav"},
                                      {"Sonidos", "Importe", "300"},
                                      {"Sonidos", "Periodo2", "30"}};
    for (const auto& v : valores)
        ajustes.write("VatriMox", v[0], v[1], v[2]);
    Servicios& servicios = falsos.servicios;
    General::EstadoPrograma estado;
    VentanaQuieta ventana;

    bool ok = true;
    Form8 tarifas(servicios, estado);
    ok = Guardar(tarifas, carpeta + "/tarifas.png") && ok;

    // The viewer with the example plans of <folder>/tarifas loaded and one of their types chosen.
    General::EstadoPrograma conPlanes;
    conPlanes.catalogo = Tarifas::CargarCatalogo((carpeta + "/tarifas").toStdString());
    ajustes.write("VatriMox", "Tarifas", "Tarifa", "Minutos 30/1");
    Form8 tarifasPlan(servicios, conPlanes);
    ok = conPlanes.catalogo.errores.empty() &&
         Guardar(tarifasPlan, carpeta + "/tarifas-plan.png") && ok;
    ajustes.write("VatriMox", "Tarifas", "Tarifa", "Provincial");

    Form3 opciones(servicios, estado, ventana);
    ok = Guardar(opciones, carpeta + "/opciones-general.png") && ok;
    opciones.findChild<QTabBar*>("Pestaña")->setCurrentIndex(1);
    ok = Guardar(opciones, carpeta + "/opciones-sonidos.png") && ok;

    Form10 periodo(servicios, ventana);
    ok = Guardar(periodo, carpeta + "/periodo.png") && ok;
    return ok ? 0 : 1;
}
