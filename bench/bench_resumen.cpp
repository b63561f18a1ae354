// The payment summary and the total sales screens on the demo restaurant with a year of history: each
// screen made offscreen, its grid and its charts filled, as it opens. Argument 0 reads the demo's own
// working day (three orders); argument 1 makes the last day of history the working day (some 400
// orders). Each benchmark reports the statements sent per run.
//
//   bench_resumen         (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "bench/BenchTerminal.h"
#include "reports/FrmVentaTotal.h"
#include "reports/frmResumen.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace nerin {
namespace {

// The manager (every waiter's payments) on the cashier terminal, made once per working day.
struct Terminal : bench::BenchTerminal {
    explicit Terminal(bool diaLleno) {
        if (diaLleno)
            trabajarDiaLleno();
        context->iniciarSesion(Sesion(2, QStringLiteral("gerente1"), {}, true));
    }
};

Terminal& terminal(bool diaLleno) {
    static Terminal demo(false);
    if (!diaLleno)
        return demo;
    static Terminal lleno(true);
    return lleno;
}

template <typename Pantalla> void abrir(benchmark::State& state) {
    Terminal& t = terminal(state.range(0) != 0);
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state) {
        Pantalla pantalla(*t.context);
        benchmark::DoNotOptimize(&pantalla);
    }
    state.counters["sentencias"] = benchmark::Counter(
        static_cast<double>(bench::CountingConnection::sent - antes), benchmark::Counter::kAvgIterations);
}

void BM_ResumenPagos(benchmark::State& state) {
    abrir<frmResumen>(state);
}
BENCHMARK(BM_ResumenPagos)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_VentaTotal(benchmark::State& state) {
    abrir<FrmVentaTotal>(state);
}
BENCHMARK(BM_VentaTotal)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace nerin

int main(int argc, char** argv) {
    // The screens need an application; none is shown.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
