// A courtesy given to a whole account and taken off again, on the demo restaurant with a year of
// history, without the screen: 10 % of table 15's account (order 2, four items, 420.00), each in its
// one transaction with the account's total and the event-log row. Each benchmark reports the
// statements sent per run.
//
//   bench_cortesias       (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "bench/BenchTerminal.h"
#include "cashier/Cortesias.h"

#include <benchmark/benchmark.h>

namespace nerin {
namespace {

// The manager's terminal, made once for all benchmarks.
struct Terminal : bench::BenchTerminal {
    Terminal() { context->iniciarSesion(Sesion(2, QStringLiteral("gerente1"), {}, false)); }
};

Terminal& terminal() {
    static Terminal t;
    return t;
}

const Cortesias::Monto kDiezPorCiento{Currency::fromUnits(10), true};

void BM_GiveToAWholeAccount(benchmark::State& state) {
    Terminal& t = terminal();
    Cortesias cortesias(*t.context, 2, 1);
    qint64 enviadas = 0;
    for (auto _ : state) {
        const qint64 antes = bench::CountingConnection::sent;
        if (!cortesias.dar(1, {}, 1, kDiezPorCiento))
            state.SkipWithError("not given");
        enviadas += bench::CountingConnection::sent - antes;
        state.PauseTiming();
        if (!cortesias.quitar(1, {}))
            state.SkipWithError("not taken off");
        state.ResumeTiming();
    }
    bench::contarSentencias(state, enviadas);
}
BENCHMARK(BM_GiveToAWholeAccount)->Unit(benchmark::kMillisecond);

void BM_TakeOffAWholeAccount(benchmark::State& state) {
    Terminal& t = terminal();
    Cortesias cortesias(*t.context, 2, 1);
    qint64 enviadas = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!cortesias.dar(1, {}, 1, kDiezPorCiento))
            state.SkipWithError("not given");
        state.ResumeTiming();
        const qint64 antes = bench::CountingConnection::sent;
        if (!cortesias.quitar(1, {}))
            state.SkipWithError("not taken off");
        enviadas += bench::CountingConnection::sent - antes;
    }
    bench::contarSentencias(state, enviadas);
}
BENCHMARK(BM_TakeOffAWholeAccount)->Unit(benchmark::kMillisecond);

void BM_ListAnAccount(benchmark::State& state) {
    Terminal& t = terminal();
    Cortesias cortesias(*t.context, 2, 1);
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state) {
        benchmark::DoNotOptimize(cortesias.cuentas());
        benchmark::DoNotOptimize(cortesias.articulos(1));
    }
    bench::contarSentencias(state, bench::CountingConnection::sent - antes);
}
BENCHMARK(BM_ListAnAccount)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace nerin
