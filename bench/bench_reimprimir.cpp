// The reprint screen's rules on the demo restaurant with a year of history, without the screen: the
// permissions and the list as the screen loads them, for a manager (every account of the day) and a
// waiter (his own), and one reprint of the closed account of table 3. Each benchmark reports the
// statements sent per run.
//
//   bench_reimprimir      (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "bench/BenchTerminal.h"
#include "cashier/ReimprimirCta.h"

#include <benchmark/benchmark.h>

namespace nerin {
namespace {

bench::BenchTerminal& terminal() {
    static bench::BenchTerminal t;
    return t;
}

void enviadas(benchmark::State& state, qint64 antes) {
    bench::contarSentencias(state, bench::CountingConnection::sent - antes);
}

// state.range(0): the employee (2 gerente1, with permission 42; 1 mesero1, without).
void BM_LoadList(benchmark::State& state) {
    bench::BenchTerminal& t = terminal();
    t.context->iniciarSesion(
        Sesion(static_cast<qint16>(state.range(0)), QStringLiteral("empleado"), {}, false));
    const qint64 antes = bench::CountingConnection::sent;
    qint64 filas = 0;
    for (auto _ : state) {
        ReimprimirCta reimprimir(*t.context);
        reimprimir.cargarPermisos();
        const std::optional<RecordSet> lista = reimprimir.Llenar_Spread();
        if (!lista)
            std::abort();
        filas = lista->recordCount();
    }
    enviadas(state, antes);
    state.counters["filas"] = static_cast<double>(filas);
}
BENCHMARK(BM_LoadList)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ReprintOneAccount(benchmark::State& state) {
    bench::BenchTerminal& t = terminal();
    t.context->iniciarSesion(Sesion(2, QStringLiteral("gerente1"), {}, false));
    t.context->anchoTicket = 40;
    ReimprimirCta reimprimir(*t.context);
    reimprimir.cargarPermisos();
    const ReimprimirCta::Fila fila{3, 1, 1};
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state) {
        if (!reimprimir.Reimprimir(&fila))
            std::abort();
    }
    enviadas(state, antes);
}
BENCHMARK(BM_ReprintOneAccount)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace nerin
