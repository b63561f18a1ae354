// The invoice of a paid account on the demo restaurant with a year of history, without the screen:
// opening on the account's customer and finding one by R.F.C., storing a new customer ("Nuevo",
// "Aceptar"), and printing the invoice ("Imprimir": the header, the consumption summary, the job
// queued and closed and the account marked). Each benchmark reports the statements sent per run.
//
//   bench_facturas        (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "bench/BenchTerminal.h"
#include "cashier/FacturaCuenta.h"

#include <benchmark/benchmark.h>

namespace nerin {
namespace {

using Campo = FacturaCuenta::Campo;

// The cashier terminal, made once for all benchmarks.
struct Terminal : bench::BenchTerminal {
    Terminal() {
        context->iniciarSesion(Sesion(3, QStringLiteral("cajero1"), {}, false));
        context->anchoTicket = 40;
    }
    void ejecutar(const char* sql) {
        if (!baseDatos->connection().execute(QString::fromLatin1(sql)))
            std::abort();
    }
};

Terminal& terminal() {
    static Terminal t;
    return t;
}

void BM_OpenAndFindByRfc(benchmark::State& state) {
    Terminal& t = terminal();
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state) {
        FacturaCuenta factura(*t.context, 2, 1, 1);
        if (!factura.cargar() || !factura.buscarRfc(QStringLiteral("SAL120504KP3")))
            std::abort();
    }
    bench::contarSentencias(state, bench::CountingConnection::sent - antes);
}
BENCHMARK(BM_OpenAndFindByRfc)->Unit(benchmark::kMillisecond);

void BM_NuevoAndAceptar(benchmark::State& state) {
    Terminal& t = terminal();
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state) {
        FacturaCuenta factura(*t.context, 2, 1, 1);
        factura.nuevo();
        factura.setCampo(Campo::Rfc, QStringLiteral("DAN010101AB1"));
        factura.setCampo(Campo::Razon, QStringLiteral("D'ANGELO Y ASOCIADOS"));
        factura.setCampo(Campo::DirCalle, QStringLiteral("CALLE O'DONNELL 5"));
        if (!factura.aceptar())
            std::abort();
    }
    bench::contarSentencias(state, bench::CountingConnection::sent - antes);
}
BENCHMARK(BM_NuevoAndAceptar)->Unit(benchmark::kMillisecond);

void BM_Imprimir(benchmark::State& state) {
    Terminal& t = terminal();
    FacturaCuenta factura(*t.context, 2, 1, 1);
    if (!factura.buscarClave(1))
        std::abort();
    qint64 enviadas = 0;
    for (auto _ : state) {
        state.PauseTiming();
        t.ejecutar("UPDATE Cuenta SET Facturada=0 WHERE ID_Comanda=2");
        const qint64 antes = bench::CountingConnection::sent;
        state.ResumeTiming();
        if (!factura.imprimir())
            std::abort();
        state.PauseTiming();
        enviadas += bench::CountingConnection::sent - antes;
        state.ResumeTiming();
    }
    bench::contarSentencias(state, enviadas);
}
BENCHMARK(BM_Imprimir)->Unit(benchmark::kMillisecond)->Iterations(30);

} // namespace
} // namespace nerin
