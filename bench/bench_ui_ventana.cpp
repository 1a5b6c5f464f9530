// Opening a log of a million calls: file read, model load, whole window, and painting a page.
#include "calllog/ArchivoLlamadas.h"
#include "platform/Autostart.h"
#include "platform/Clock.h"
#include "platform/ConnectionProbe.h"
#include "platform/Prompts.h"
#include "platform/Servicios.h"
#include "platform/SoundPlayer.h"
#include "ui/calllog/ModeloLlamadas.h"
#include "ui/calllog/VentanaLlamadas.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <unistd.h>

namespace {

constexpr int Llamadas = 1000000;

// Settings and dialogs that the window reads or could show; none is shown here.
class AjustesVacios : public SettingsStore {
public:
    std::string read(const std::string&, const std::string&, const std::string&) const override {
        return {};
    }
    bool write(const std::string&, const std::string&, const std::string&,
               const std::string&) override {
        return true;
    }
};

class SinSonido : public SoundPlayer {
public:
    void play(const QString&) override {}
};
class SinConexion : public ConnectionProbe {
public:
    bool connected() override { return false; }
};
class SinAutoinicio : public Autostart {
public:
    bool isEnabled() const override { return false; }
    bool setEnabled(bool, QString*) override { return false; }
};

class SinDialogos : public QtPrompts {
public:
    void message(QWidget*, const QString&, const QString& texto, Icono,
                 const QString& = {}) override {
        qFatal("mensaje inesperado: %s", qPrintable(texto));
    }
};

QTemporaryDir& Carpeta() {
    static QTemporaryDir carpeta;
    static bool escrito = [] {
        std::ofstream f((carpeta.path() + "/llamadas.ldx").toStdString(), std::ios::binary);
        for (int i = 0; i < Llamadas; ++i) {
            Llamada l{Fechas::desdeSerial(36220 + i / 500),
                      (i * 37) % 86400,
                      60 + i % 3000,
                      60 + i % 3000,
                      Moneda::desdeDiezmilesimas(114000 + i % 90000),
                      i % 3 ? "Metropolitana" : "Provincial"};
            f << ArchivoLlamadas::LineaRegistro(l);
        }
        return true;
    }();
    (void)escrito;
    return carpeta;
}

std::filesystem::path Archivo() {
    return (Carpeta().path() + "/llamadas.ldx").toStdString();
}

void BM_LeerArchivo(benchmark::State& estado) {
    for (auto _ : estado) {
        auto lectura = ArchivoLlamadas::Leer(Archivo());
        benchmark::DoNotOptimize(lectura.llamadas.data());
    }
    estado.SetItemsProcessed(estado.iterations() * Llamadas);
}

void BM_CargarModelo(benchmark::State& estado) {
    const auto llamadas = ArchivoLlamadas::Leer(Archivo()).llamadas;
    const Tarifas::Catalogo catalogo = Tarifas::CatalogoIncorporado();
    ModeloLlamadas modelo(catalogo);
    for (auto _ : estado) {
        auto copia = llamadas;
        modelo.Cargar(std::move(copia));
        benchmark::DoNotOptimize(modelo.rowCount());
    }
    estado.SetItemsProcessed(estado.iterations() * Llamadas);
}

// Resident memory of the process, in bytes.
double Residente() {
    std::ifstream statm("/proc/self/statm");
    double total = 0, residente = 0;
    statm >> total >> residente;
    return residente * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// The adapters and program state a call-log window opens with, none of them doing anything.
struct Entorno {
    SystemClock reloj;
    AjustesVacios ajustes;
    SinDialogos avisos;
    SinSonido sonido;
    SinConexion conexion;
    SinAutoinicio autoinicio;
    Servicios servicios{reloj, ajustes, avisos, sonido, conexion, autoinicio, Carpeta().path()};
    General::EstadoPrograma programa;
};

// What the open window holds per call: resident memory grown by opening it, over the calls.
void BM_MemoriaVentana(benchmark::State& estado) {
    Entorno e;
    for (auto _ : estado) {
        const double antes = Residente();
        Form6 ventana(e.servicios, e.programa);
        ventana.show();
        QApplication::processEvents();
        estado.counters["bytes_por_llamada"] = (Residente() - antes) / ventana.N();
    }
}

void BM_AbrirVentana(benchmark::State& estado) {
    Entorno e;
    for (auto _ : estado) {
        Form6 ventana(e.servicios, e.programa);
        ventana.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(ventana.N());
    }
}

// One screenful of 30 rows at the end of the log, as a scroll step paints it.
void BM_PintarPagina(benchmark::State& estado) {
    const Tarifas::Catalogo catalogo = Tarifas::CatalogoIncorporado();
    ModeloLlamadas modelo(catalogo);
    modelo.Cargar(ArchivoLlamadas::Leer(Archivo()).llamadas);
    int fila = Llamadas - 30;
    for (auto _ : estado) {
        for (int r = fila; r < fila + 30; ++r)
            for (int c = 0; c < 7; ++c)
                benchmark::DoNotOptimize(modelo.data(modelo.index(r, c), Qt::DisplayRole));
        fila = fila == 0 ? Llamadas - 30 : fila - 30;
    }
}

} // namespace

BENCHMARK(BM_MemoriaVentana)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_LeerArchivo)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CargarModelo)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AbrirVentana)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PintarPagina)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
