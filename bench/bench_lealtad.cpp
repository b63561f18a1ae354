// The loyalty client against the stand-in service on loopback: a balance query (the SOAP call and
// the reading of its reply), and how responsive the screen stays while the service takes 10 s to
// answer: a 5 ms timer ticks during the call (with the wait window up) and the longest gap between
// its ticks is reported, beside the longest gap of the same timer with no call under way. Each benchmark
// reports the requests the service received per run.
//
//   bench_lealtad
#include "keyboards/DialogoEspera.h"
#include "keyboards/ScriptedPrompts.h"
#include "loyalty/FirmaTransaccion.h"
#include "loyalty/clsLealtad.h"
#include "loyalty/clsWebService.h"
#include "loyalty/tests/ServicioLealtadPrueba.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>

namespace nerin {
namespace {

fakes::ServicioLealtadPrueba& servicio() {
    static fakes::ServicioLealtadPrueba s;
    if (!s.iniciado()) {
        std::fprintf(stderr, "%s\n", qPrintable(s.error()));
        std::abort();
    }
    return s;
}

void contarSolicitudes(benchmark::State& state, qsizetype antes) {
    state.counters["solicitudes"] = benchmark::Counter(
        static_cast<double>(servicio().solicitudes().size() - antes), benchmark::Counter::kAvgIterations);
}

void BM_SaldoLoopback(benchmark::State& state) {
    ScriptedPrompts prompts;
    FirmaMd5 firma;
    clsWebService ws(servicio().url());
    clsLealtad lealtad(prompts, ws, firma);
    lealtad.cardnumber = QStringLiteral("100000000000017");
    const qsizetype antes = servicio().solicitudes().size();
    for (auto _ : state) {
        if (!lealtad.Saldo())
            state.SkipWithError(qPrintable(lealtad.responsemessage));
    }
    contarSolicitudes(state, antes);
}
BENCHMARK(BM_SaldoLoopback)->Unit(benchmark::kMillisecond)->UseRealTime();

// The longest gap between the ticks of a 5 ms timer while `mientras` runs.
qint64 huecoMaximo(const std::function<void()>& mientras) {
    QElapsedTimer reloj;
    qint64 ultimo = 0;
    qint64 hueco = 0;
    QTimer tic;
    tic.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tic, &QTimer::timeout, [&] {
        hueco = std::max(hueco, reloj.elapsed() - ultimo);
        ultimo = reloj.elapsed();
    });
    reloj.start();
    tic.start(5);
    mientras();
    return std::max(hueco, reloj.elapsed() - ultimo);
}

void BM_PantallaDuranteDemora10s(benchmark::State& state) {
    ScriptedPrompts prompts;
    FirmaMd5 firma;
    DialogoEspera espera;
    clsWebService ws(servicio().url(), &espera);
    clsLealtad lealtad(prompts, ws, firma);
    lealtad.cardnumber = QStringLiteral("100000000000017");
    // The same timer with nothing else to do, for comparison: what the machine itself allows.
    const qint64 base = huecoMaximo([] {
        QEventLoop bucle;
        QTimer::singleShot(2000, &bucle, &QEventLoop::quit);
        bucle.exec();
    });
    if (!servicio().control(QStringLiteral("normal"), 10000))
        state.SkipWithError("the service did not take the delay");
    const qsizetype antes = servicio().solicitudes().size();
    qint64 hueco = 0;
    for (auto _ : state) {
        hueco = std::max(hueco, huecoMaximo([&] {
                             if (!lealtad.Saldo())
                                 state.SkipWithError(qPrintable(lealtad.responsemessage));
                         }));
    }
    (void)servicio().control(QStringLiteral("normal"), 0);
    state.counters["hueco_max_ms"] = static_cast<double>(hueco);
    state.counters["hueco_sin_llamada_ms"] = static_cast<double>(base);
    contarSolicitudes(state, antes);
}
BENCHMARK(BM_PantallaDuranteDemora10s)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
} // namespace nerin

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
