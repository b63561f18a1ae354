// The waiter's sales (FrmVentas, mesero1 looked at by gerente1) and the guests per waiter
// (FrmRepHuespedes) on the demo restaurant with a year of history: each screen made offscreen, its grid
// and its charts filled, as a person sees it open. The figures alone (without widgets) are measured
// too, to tell the statements from the drawing. Each benchmark reports the statements sent per run.
//
//   bench_ventas          (NERIN_BENCH_HISTORY_DAYS sets the history, default 365; 0 is the plain demo;
//                          NERIN_BENCH_DIA_LLENO=1 makes the working date a full day of history)
#include "bench/BenchTerminal.h"
#include "reports/FrmRepHuespedes.h"
#include "reports/FrmVentas.h"
#include "reports/RepHuespedes.h"
#include "reports/VentasMesero.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace nerin {
namespace {

// The manager's terminal, with an offscreen application for the screens, made once for all benchmarks.
struct Terminal : bench::BenchTerminal {
    Terminal() {
        if (qEnvironmentVariableIntValue("NERIN_BENCH_DIA_LLENO") == 1)
            trabajarDiaLleno();
        context->iniciarSesion(Sesion(2, QStringLiteral("gerente1"), {}, false));
    }
};

Terminal& terminal() {
    static int argc = 1;
    static char nombre[] = "bench_ventas";
    static char* argv[] = {nombre, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication aplicacion(argc, argv);
    static Terminal t;
    static_cast<void>(offscreen);
    return t;
}

const VentasMesero::Mesero kMesero1{1, QStringLiteral("ROSA MENDOZA RUIZ")};

template <typename Mostrar> void medir(benchmark::State& state, Mostrar mostrar) {
    terminal();
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state)
        mostrar();
    state.counters["sentencias"] = benchmark::Counter(
        static_cast<double>(bench::CountingConnection::sent - antes), benchmark::Counter::kAvgIterations);
}

void BM_FrmVentas(benchmark::State& state) {
    medir(state, [] {
        FrmVentas pantalla(*terminal().context, kMesero1);
        benchmark::DoNotOptimize(pantalla.grab());
    });
}
BENCHMARK(BM_FrmVentas)->Unit(benchmark::kMillisecond);

void BM_VentasMeseroCifras(benchmark::State& state) {
    medir(state, [] {
        VentasMesero ventas(*terminal().context, kMesero1);
        if (!ventas.cargar())
            std::abort();
    });
}
BENCHMARK(BM_VentasMeseroCifras)->Unit(benchmark::kMillisecond);

void BM_FrmRepHuespedes(benchmark::State& state) {
    medir(state, [] {
        FrmRepHuespedes pantalla(*terminal().context);
        benchmark::DoNotOptimize(pantalla.grab());
    });
}
BENCHMARK(BM_FrmRepHuespedes)->Unit(benchmark::kMillisecond);

void BM_RepHuespedesCifras(benchmark::State& state) {
    medir(state, [] {
        RepHuespedes reporte(*terminal().context);
        if (!reporte.cargar())
            std::abort();
    });
}
BENCHMARK(BM_RepHuespedesCifras)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace nerin
