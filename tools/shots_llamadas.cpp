// Writes the sample call log (--generar) or the screenshots of Form6, of its printed listing and
// of its "¿Qué tarifa me conviene?" table with the example plans.
#include "calllog/ArchivoLlamadas.h"
#include "core/Formato.h"
#include "platform/Rutas.h"
#include "platform/Servicios.h"
#include "support/FakeServices.h"
#include "support/ScriptedPrompts.h"
#include "tariffs/Tarifas.h"
#include "ui/calllog/ModeloLlamadas.h"
#include "ui/calllog/VentanaLlamadas.h"
#include "ui/tariffs/ComparacionDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTableView>
#include <array>
#include <cstdio>
#include <random>

namespace {

// March 1999 as a household online most evenings would log it: short morning checks, evening
// sessions, long weekend nights, now and then a call to a provincial or national number.
std::vector<Llamada> Muestra() {
    std::mt19937 azar(4288);
    const std::array<int, 12> horas{8, 9, 11, 14, 17, 19, 20, 21, 22, 22, 23, 0};
    std::vector<Llamada> v;
    const Fechas::Dia primero = *Fechas::crearDia(1999, 3, 1);
    for (int dia = 0; dia < 28; ++dia) {
        const Fechas::Dia fecha = primero + std::chrono::days{dia};
        const bool finDeSemana = Fechas::DiaSemana(fecha) >= 6;
        const int llamadas = (finDeSemana ? 2 : 1) + static_cast<int>(azar() % 2);
        std::vector<int32_t> inicios;
        for (int i = 0; i < llamadas; ++i)
            inicios.push_back(horas[azar() % horas.size()] * 3600 +
                              static_cast<int32_t>(azar() % 3600));
        std::sort(inicios.begin(), inicios.end());
        int64_t libre = 0; // a call starts only after the one before has ended
        for (int32_t inicio : inicios) {
            const int64_t minutos = 2 + static_cast<int64_t>(azar() % (finDeSemana ? 90 : 40));
            const auto hora = static_cast<int32_t>(std::max<int64_t>(inicio, libre));
            const int64_t duracion = minutos * 60 + static_cast<int64_t>(azar() % 60);
            if (hora + duracion >= Fechas::SegundosPorDia)
                continue;
            libre = hora + duracion + 600;
            Llamada l;
            l.Fecha = fecha;
            l.Hora = int64_t{hora};
            l.Duracion = duracion;
            l.Segundos = static_cast<int32_t>(duracion);
            const auto tipo = azar() % 10;
            l.Tarifa = tipo == 0 ? "Interprovincial" : tipo < 3 ? "Provincial" : "Metropolitana";
            // The meter logs the amount as it shows it, in whole cents of a peseta.
            const Moneda coste =
                Tarifas::CosteLlamada(hora, Fechas::DiaSemana(fecha), duracion, l.Tarifa, 1, 16);
            l.Importe = *Moneda::desdeTexto(General::FormatoFijo(coste.aDouble(), '.'));
            v.push_back(l);
        }
    }
    return v;
}

bool Informar(bool ok, const QString& ruta) {
    std::printf("%s %s\n", ok ? "escrita" : "FALLO", qPrintable(ruta));
    return ok;
}

// The what-if table over the sample log, with the example plans as the user's.
bool CapturarComparacion(Form6& ventana, ServiciosFalsos& falsos, General::EstadoPrograma& estado,
                         const QString& ejemplosPlanes, const QString& carpeta) {
    // The sample log was metered with IVA at 16 %; the example plans are the user's.
    qputenv("VATRIMOX_HOME", QFile::encodeName(QDir::tempPath() + "/vatrimox-muestra/casa"));
    QDir planes(Rutas::CarpetaPlanes());
    planes.mkpath(".");
    for (const QString& plan : QDir(ejemplosPlanes).entryList({"*.toml"}))
        QFile::copy(ejemplosPlanes + "/" + plan, planes.filePath(plan));
    estado.IncluirIVA = 1;
    estado.PorcentajeIVA = 16;
    ventana.CompararTarifas();
    auto* tabla = ventana.findChild<ComparacionDialog*>();
    bool ok = tabla != nullptr && falsos.avisos.mostrados.isEmpty();
    if (tabla) {
        tabla->resize(720, 330);
        QApplication::processEvents();
        ok = Informar(tabla->grab().save(carpeta + "/comparacion.png"),
                      carpeta + "/comparacion.png") &&
             ok;
    }
    return ok;
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == "--generar") {
        const QString ruta = args.value(1, "tests/data/registro-ejemplo.ldx");
        return Informar(bool(ArchivoLlamadas::Escribir(ruta.toStdString(), Muestra())), ruta) ? 0
                                                                                              : 1;
    }
    const QString carpeta = args.value(0, "docs");
    const QString ejemplo = args.value(1, "tests/data/registro-ejemplo.ldx");
    const QString ejemplosPlanes = args.value(2, "docs/tarifas");
    // A fixed folder, so the listing's file line reads the same at every run.
    QDir datos(QDir::tempPath() + "/vatrimox-muestra/VatriMox");
    datos.removeRecursively();
    datos.mkpath(".");
    QDir().mkpath(carpeta);
    if (!QFile::copy(ejemplo, datos.path() + "/llamadas.ldx"))
        return Informar(false, ejemplo) ? 0 : 1;

    ServiciosFalsos falsos;
    FakeClock& reloj = falsos.reloj;
    reloj.poner(1999, 3, 28, 23, 40, 12);
    MemorySettingsStore& ajustes = falsos.ajustes;
    ajustes.write("VatriMox", "Opciones", "Fuente", "DejaVu Sans");
    ajustes.write("VatriMox", "Opciones", "FontSize", "9");
    Servicios& servicios = falsos.servicios;
    servicios.carpetaDatos = datos.path();
    General::EstadoPrograma estado;
    estado.TipoLlamada = "Metropolitana";

    Form6 ventana(servicios, estado);
    ventana.resize(860, 560);
    ventana.show();
    ventana.Flex->setCurrentIndex(ventana.Modelo->index(5, 5));
    QApplication::processEvents();
    bool ok = Informar(ventana.grab().save(carpeta + "/llamadas.png"), carpeta + "/llamadas.png");

    falsos.avisos.responder(datos.path() + "/listado.pdf");
    ventana.ExportarPdf();
    const int rc =
        QProcess::execute("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile",
                                       datos.path() + "/listado.pdf", carpeta + "/listado"});
    ok = Informar(rc == 0, carpeta + "/listado.png") && ok;

    ok = CapturarComparacion(ventana, falsos, estado, ejemplosPlanes, carpeta) && ok;
    QDir(QDir::tempPath() + "/vatrimox-muestra").removeRecursively();
    return ok ? 0 : 1;
}
