// The day's summary screens on the demo restaurant with a year of history, as a manager opens them:
// each screen made offscreen, its grid and charts filled and the whole screen drawn. The figures
// alone (without widgets) are measured too, to tell the statements from the drawing. Each benchmark
// reports the statements sent per run.
//
//   bench_resumenes   NERIN_BENCH_HISTORY_DAYS sets the history (default 365; 0 is the plain demo);
//                     NERIN_BENCH_DIA_LLENO=1 makes the working date a full day of history (some 400
//                     orders) instead of the demo's three orders.
#include "bench/BenchTerminal.h"
#include "reports/FrmRepHuespedes.h"
#include "reports/FrmVentaTotal.h"
#include "reports/FrmVentas.h"
#include "reports/RepHuespedes.h"
#include "reports/ResumenPagos.h"
#include "reports/VentaTotal.h"
#include "reports/VentasMesero.h"
#include "reports/frmResumen.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace nerin {
namespace {

// The manager (every waiter's figures) on the cashier terminal, with an offscreen application for
// the screens, made once for all benchmarks.
struct Terminal : bench::BenchTerminal {
    Terminal() {
        if (qEnvironmentVariableIntValue("NERIN_BENCH_DIA_LLENO") == 1)
            trabajarDiaLleno();
        context->iniciarSesion(Sesion(2, QStringLiteral("gerente1"), {}, false));
    }
};

Terminal& terminal() {
    static int argc = 1;
    static char nombre[] = "bench_resumenes";
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
        mostrar(*terminal().context);
    bench::contarSentencias(state, bench::CountingConnection::sent - antes);
}

// A screen opened and drawn.
template <typename Pantalla, typename... Args> void pantalla(benchmark::State& state, Args... args) {
    medir(state, [&](TerminalContext& context) {
        Pantalla abierta(context, args...);
        benchmark::DoNotOptimize(abierta.grab());
    });
}

// A screen's figures read, without widgets.
template <typename Cifras> void cifras(benchmark::State& state, Cifras leer) {
    medir(state, [&](TerminalContext& context) {
        if (!leer(context))
            std::abort();
    });
}

void BM_frmResumen(benchmark::State& state) {
    pantalla<frmResumen>(state);
}
void BM_FrmVentaTotal(benchmark::State& state) {
    pantalla<FrmVentaTotal>(state);
}
void BM_FrmVentas(benchmark::State& state) {
    pantalla<FrmVentas>(state, kMesero1);
}
void BM_FrmRepHuespedes(benchmark::State& state) {
    pantalla<FrmRepHuespedes>(state);
}
void BM_ResumenPagosCifras(benchmark::State& state) {
    cifras(state, [](TerminalContext& c) { return ResumenPagos(c.baseDatos(), 2).cargar(); });
}
void BM_VentaTotalCifras(benchmark::State& state) {
    cifras(state, [](TerminalContext& c) { return VentaTotal(c.baseDatos()).cargar(); });
}
void BM_VentasMeseroCifras(benchmark::State& state) {
    cifras(state, [](TerminalContext& c) { return VentasMesero(c, kMesero1).cargar(); });
}
void BM_RepHuespedesCifras(benchmark::State& state) {
    cifras(state, [](TerminalContext& c) { return RepHuespedes(c).cargar(); });
}

BENCHMARK(BM_frmResumen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrmVentaTotal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrmVentas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrmRepHuespedes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResumenPagosCifras)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VentaTotalCifras)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VentasMeseroCifras)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepHuespedesCifras)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace nerin
