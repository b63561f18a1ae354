// The functions menu on the demo restaurant with a year of history, without the screens: what opening
// the menu reads (the employee's permissions among the menu's, and each button's state) for the
// manager, who holds them all; and what the clock-in screen reads and does for the waiter, one
// clock-out and one clock-in per run under an authorisation that is always given. Reports the
// statements sent per run.
//
//   bench_funciones        (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "access/FirmarEntrada.h"
#include "access/Funciones.h"
#include "bench/BenchTerminal.h"
#include "printing/ColaImpresion.h"
#include "startup/AccessScreen.h"
#include "startup/tests/RecordingNavegacion.h"

#include <benchmark/benchmark.h>

namespace nerin {
namespace {

// The menu leaves to the access screen only through "Salir", which the benchmark does not press.
class SinAcceso : public AccessScreen {
public:
    void showAccessScreen(bool) override {}
    void returnToAccess(const QString&, bool) override {}
};

struct Terminal : bench::BenchTerminal {
    Terminal() { context->iniciarSesion(Sesion(2, QStringLiteral("gerente1"), {}, true)); }

    SinAcceso acceso;
};

Terminal& terminal() {
    static Terminal t;
    return t;
}

void BM_OpenFunctionsMenu(benchmark::State& state) {
    Terminal& t = terminal();
    ColaImpresion cola(*t.baseDatos);
    Funciones menu(*t.context, t.acceso, cola);
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state) {
        if (!menu.cargarPermisos())
            state.SkipWithError("permissions not read");
        int habilitados = 0;
        for (int b = 0; b <= static_cast<int>(Funciones::Boton::Salir); ++b)
            habilitados += menu.habilitado(static_cast<Funciones::Boton>(b)) ? 1 : 0;
        benchmark::DoNotOptimize(habilitados);
    }
    bench::contarSentencias(state, bench::CountingConnection::sent - antes);
}
BENCHMARK(BM_OpenFunctionsMenu)->Unit(benchmark::kMillisecond);

void BM_ClockOutAndIn(benchmark::State& state) {
    Terminal& t = terminal();
    fakes::RecordingNavegacion autoriza;
    t.context->setNavegacion(&autoriza);
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state) {
        for (int vez = 0; vez < 2; ++vez) {
            // What the screen shows when it opens, then the department chosen and the signing.
            FirmarEntrada checador(*t.context, 1);
            benchmark::DoNotOptimize(checador.nombreEmpleado());
            benchmark::DoNotOptimize(checador.departamento());
            benchmark::DoNotOptimize(checador.turno());
            const std::optional<QList<FirmarEntrada::Departamento>> departamentos = checador.departamentos();
            const qint32 departamento =
                departamentos && !departamentos->isEmpty() ? departamentos->first().id : 0;
            if (checador.firmar(departamento) == FirmarEntrada::Checada::Ninguna)
                state.SkipWithError("nothing recorded");
        }
        autoriza.rutas.clear();
    }
    t.context->setNavegacion(nullptr);
    bench::contarSentencias(state, bench::CountingConnection::sent - antes);
}
BENCHMARK(BM_ClockOutAndIn)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace nerin
