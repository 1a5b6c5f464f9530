// Call pricing: the closed-form CosteLlamada against the second-by-second count it replaces.
#include "tariffs/Tarifas.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// The per-second count within one day, "Provincial" on a working day: every second from the
// start to the current second - 1, classified by the band ranges, summed in pricing order.
Moneda costePorSegundo(long inicio, long actual, const std::string& tipo, int iva, int pct) {
    if (tipo != "Provincial")
        return Moneda();
    long reducida = 0, normal = 0, punta = 0;
    for (long s = inicio; s <= actual - 1; ++s) {
        if (s >= 0 && s <= 28799)
            ++reducida;
        else if (s >= 28800 && s <= 61199)
            ++punta;
        else if (s >= 61200 && s <= 79199)
            ++normal;
        else if (s >= 79200 && s <= 86399)
            ++reducida;
    }
    const double importe =
        ((reducida * (6.71 / 60.0) + 15) + normal * (13.4 / 60.0)) + punta * (15.45 / 60.0);
    Moneda m = Moneda::redondear(importe);
    if (iva == 1)
        m = m + Moneda::redondear((m * pct).aDouble() / 100.0);
    return m;
}

// Start seconds: a 10 s call over the 17:00 band change, an hour from 16:30, the whole day.
long inicioDe(long segundos) {
    return segundos >= 86400 ? 0 : segundos > 60 ? 59400 : 61195;
}

void CosteCerrado(benchmark::State& state) {
    const long segundos = state.range(0);
    const std::string tipo = "Provincial";
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Tarifas::CosteLlamada(int32_t(inicioDe(segundos)), 3, segundos, tipo, 1, 16));
}

void CostePorSegundo(benchmark::State& state) {
    const long segundos = state.range(0);
    const std::string tipo = "Provincial";
    if (costePorSegundo(inicioDe(segundos), inicioDe(segundos) + segundos, tipo, 1, 16) !=
        Tarifas::CosteLlamada(int32_t(inicioDe(segundos)), 3, segundos, tipo, 1, 16))
        state.SkipWithError("the two counts disagree");
    for (auto _ : state)
        benchmark::DoNotOptimize(
            costePorSegundo(inicioDe(segundos), inicioDe(segundos) + segundos, tipo, 1, 16));
}

} // namespace

BENCHMARK(CosteCerrado)->Arg(10)->Arg(3600)->Arg(86400);
BENCHMARK(CostePorSegundo)->Arg(10)->Arg(3600)->Arg(86400);

BENCHMARK_MAIN();
