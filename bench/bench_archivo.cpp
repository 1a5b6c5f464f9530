// Reading and writing a 1,000,000-record call-log file, beside a plain read and write of its bytes.
#include "calllog/ArchivoLlamadas.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Registros = 1'000'000;
namespace fs = std::filesystem;

const std::vector<Llamada>& Lista() {
    static const std::vector<Llamada> lista = [] {
        std::vector<Llamada> l;
        l.reserve(Registros);
        const char* tarifas[] = {"Metropolitana", "Provincial", "Interprovincial"};
        for (int64_t i = 0; i < Registros; ++i)
            l.push_back(Llamada{Fechas::desdeSerial(static_cast<int32_t>(36000 + i / 40)),
                                static_cast<int32_t>((i * 7919) % 86400), (i * 131) % 7200,
                                static_cast<int32_t>((i * 131) % 7200 + 20),
                                Moneda::desdeDiezmilesimas((i * 104729) % 5'000'000),
                                tarifas[i % 3]});
        return l;
    }();
    return lista;
}

const fs::path& Carpeta() {
    static const fs::path carpeta = [] {
        fs::path c = fs::temp_directory_path() / ("vatrimox-bench-" + std::to_string(::getpid()));
        fs::create_directories(c);
        return c;
    }();
    return carpeta;
}

const fs::path& ArchivoListo() {
    static const fs::path p = [] {
        fs::path r = Carpeta() / "llamadas.ldx";
        if (!ArchivoLlamadas::Escribir(r, Lista()))
            std::abort();
        return r;
    }();
    return p;
}

double Segundos(std::chrono::steady_clock::time_point desde) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - desde).count();
}

// One write and fsync of the bytes; the floor for a safe whole-file write.
bool EscribirPlano(const fs::path& p, const std::string& bytes) {
    const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const bool ok = fd >= 0 &&
                    ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
                    ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

// One read of the whole file; the floor for any reader.
bool LeerPlano(const fs::path& p, std::string& bytes) {
    bytes.resize(fs::file_size(p));
    const int fd = ::open(p.c_str(), O_RDONLY);
    const bool ok =
        fd >= 0 && ::read(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    if (fd >= 0)
        ::close(fd);
    return ok;
}

// Each iteration also times the plain operation, untimed, and the counter gives plain time over
// our time: 1 is as fast as the plain operation, 0.5 twice as slow.
void BM_EscribirLlamadas(benchmark::State& state) {
    const auto& lista = Lista();
    const fs::path p = Carpeta() / "escrito.ldx";
    const std::string bytes = ArchivoLlamadas::TextoArchivo(lista);
    double nuestro = 0, plano = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const auto r = ArchivoLlamadas::Escribir(p, lista);
        nuestro += Segundos(t0);
        if (!r)
            state.SkipWithError(r.error.c_str());
        state.PauseTiming();
        const auto t1 = std::chrono::steady_clock::now();
        if (!EscribirPlano(Carpeta() / "plano.ldx", bytes))
            state.SkipWithError("write");
        plano += Segundos(t1);
        state.ResumeTiming();
    }
    state.counters["frente_a_escritura_plana"] = plano / nuestro;
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(p)));
    state.SetItemsProcessed(state.iterations() * Registros);
}

void BM_FormatearLlamadas(benchmark::State& state) {
    const auto& lista = Lista();
    for (auto _ : state)
        benchmark::DoNotOptimize(ArchivoLlamadas::TextoArchivo(lista));
    state.SetItemsProcessed(state.iterations() * Registros);
}

// The same bytes written with one write and fsync: the floor for a safe whole-file write.
void BM_EscrituraPlana(benchmark::State& state) {
    const std::string bytes = ArchivoLlamadas::TextoArchivo(Lista());
    const fs::path p = Carpeta() / "plano.ldx";
    for (auto _ : state) {
        const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            state.SkipWithError("write");
        ::fsync(fd);
        ::close(fd);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

void BM_LeerLlamadas(benchmark::State& state) {
    const fs::path& p = ArchivoListo();
    double nuestro = 0, plano = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const auto r = ArchivoLlamadas::Leer(p);
        nuestro += Segundos(t0);
        if (!r.ok || r.llamadas.size() != Registros)
            state.SkipWithError("lectura");
        benchmark::DoNotOptimize(r.llamadas.data());
        state.PauseTiming();
        std::string bytes;
        const auto t1 = std::chrono::steady_clock::now();
        if (!LeerPlano(p, bytes))
            state.SkipWithError("read");
        plano += Segundos(t1);
        benchmark::DoNotOptimize(bytes.data());
        state.ResumeTiming();
    }
    state.counters["frente_a_lectura_plana"] = plano / nuestro;
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(p)));
    state.SetItemsProcessed(state.iterations() * Registros);
}

// Parsing alone, from bytes already in memory.
void BM_AnalizarLlamadas(benchmark::State& state) {
    const std::string bytes = ArchivoLlamadas::TextoArchivo(Lista());
    for (auto _ : state) {
        const auto r = ArchivoLlamadas::LeerTexto(bytes);
        if (!r.ok)
            state.SkipWithError("lectura");
        benchmark::DoNotOptimize(r.llamadas.data());
    }
    state.SetItemsProcessed(state.iterations() * Registros);
}

// The same bytes read into memory with one read: the floor for any reader.
void BM_LecturaPlana(benchmark::State& state) {
    const fs::path& p = ArchivoListo();
    const auto tam = fs::file_size(p);
    for (auto _ : state) {
        std::string bytes;
        bytes.resize(tam);
        const int fd = ::open(p.c_str(), O_RDONLY);
        if (fd < 0 || ::read(fd, bytes.data(), tam) != static_cast<ssize_t>(tam))
            state.SkipWithError("read");
        ::close(fd);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(tam));
}

} // namespace

BENCHMARK(BM_LeerLlamadas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalizarLlamadas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LecturaPlana)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EscribirLlamadas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatearLlamadas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EscrituraPlana)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(Carpeta(), ec);
    return 0;
}
