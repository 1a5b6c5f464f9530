// Call pricing: the closed-form CosteLlamada and plan pricing against second-by-second counts.
#include "tariffs/LectorPlanes.h"
#include "tariffs/Tarifas.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

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

// A plan of 60/60 steps in euros with holidays, and a call of the given length from 10:00 of
// 5 January 1999, across the holiday of the 6th.
const Tarifas::Plan& PlanPasos() {
    static const Tarifas::Plan plan =
        *Tarifas::LeerPlan(R"(nombre = "Pasos"
moneda = "euros"
dias_festivos = ["06/01", 1999-12-25]
[[tipo]]
nombre = "Minutos"
establecimiento = 0.06
pasos = [60, 60]
franjas = { punta = 0.05, reducida = 0.02 }
laborales = ["00:00:00-07:59:59 reducida", "08:00:00-19:59:59 punta", "20:00:00-23:59:59 reducida"]
sabados = ["00:00:00-23:59:59 reducida"]
festivos = ["00:00:00-23:59:59 reducida"]
)",
                           "bench.toml", Tarifas::CatalogoIncorporado())
             .plan;
    return plan;
}
const Fechas::Dia FechaPlan = *Fechas::crearDia(1999, 1, 5);

// Every elapsed second looked at: a step begins on every 60th, charged at its band's price.
Moneda PlanPorSegundo(const Tarifas::Plan& plan, long inicio, long segundos) {
    const Tarifas::TipoPlan& t = plan.tipos[0];
    std::vector<int64_t> cargados(t.franjas.size());
    for (long s = inicio; s < inicio + segundos; ++s) {
        if ((s - inicio) % 60 != 0)
            continue;
        const long d = s / 86400;
        const auto tipo = Tarifas::TipoDiaPlan(plan, Fechas::aSerial(FechaPlan) + d);
        for (const Tarifas::TramoPlan& r : t.tramos[Tarifas::Indice(tipo)])
            if (s - d * 86400 >= r.desde && s - d * 86400 <= r.hasta)
                cargados[r.franja] += 60;
    }
    double importe = t.establecimiento.aDouble();
    for (std::size_t f = 0; f < cargados.size(); ++f) {
        const double parte = double(cargados[f]) * (t.franjas[f].precioMinuto.aDouble() / 60.0);
        importe = f == 0 ? parte + importe : importe + parte;
    }
    return Moneda::redondear(importe);
}

void PlanCerrado(benchmark::State& state) {
    const Tarifas::Plan& plan = PlanPasos();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Tarifas::CostePlan(plan, plan.tipos[0], FechaPlan, 36000, state.range(0)));
}

void PlanPorSegundos(benchmark::State& state) {
    const Tarifas::Plan& plan = PlanPasos();
    if (PlanPorSegundo(plan, 36000, state.range(0)) !=
        Tarifas::CostePlan(plan, plan.tipos[0], FechaPlan, 36000, state.range(0)))
        state.SkipWithError("the two counts disagree");
    for (auto _ : state)
        benchmark::DoNotOptimize(PlanPorSegundo(plan, 36000, state.range(0)));
}

} // namespace

BENCHMARK(PlanCerrado)->Arg(86400);
BENCHMARK(PlanPorSegundos)->Arg(86400);
BENCHMARK(CosteCerrado)->Arg(10)->Arg(3600)->Arg(86400);
BENCHMARK(CostePorSegundo)->Arg(10)->Arg(3600)->Arg(86400);

BENCHMARK_MAIN();
