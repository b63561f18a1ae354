// The payment adjustments on the demo restaurant with a year of history, without the screens: the
// list of the day's payments as the screen opens, and deleting the card payment of closed table 3,
// which reopens the table in one transaction. Each benchmark reports the statements sent per run.
//
//   bench_ajustes         (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "bench/BenchTerminal.h"
#include "cashier/AjustePagos.h"

#include <benchmark/benchmark.h>

namespace nerin {
namespace {

// The cashier terminal (every payment, may delete), made once for all benchmarks.
struct Terminal : bench::BenchTerminal {
    Terminal() { context->iniciarSesion(Sesion(3, QStringLiteral("cajero1"), {}, false)); }

    // Table 3 closed and paid by card again.
    void cerrarPagada() {
        for (const char* sql :
             {"DELETE FROM Pago WHERE ID_Comanda=3 AND Control=1",
              "INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago, Propina, "
              "Id_Empleado, "
              "comision) VALUES (3, 1, 1, 2, 631, 95, 4, 2.5)",
              "UPDATE Cuenta SET Pagada=1 WHERE ID_Comanda=3 AND Control=1",
              "UPDATE Comanda SET Abierta=0, Fecha_Cierre=GETDATE() WHERE ID_Comanda=3 AND Control=1"}) {
            if (!baseDatos->connection().execute(QString::fromLatin1(sql)))
                std::abort();
        }
    }
};

Terminal& terminal() {
    static Terminal t;
    return t;
}

void BM_ListaPagos(benchmark::State& state) {
    Terminal& t = terminal();
    t.cerrarPagada();
    AjustePagos ajuste(*t.context);
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state) {
        if (!ajuste.cargarPermisos())
            std::abort();
        benchmark::DoNotOptimize(ajuste.Llenar_Spread());
    }
    bench::contarSentencias(state, bench::CountingConnection::sent - antes);
}
BENCHMARK(BM_ListaPagos)->Unit(benchmark::kMillisecond);

void BM_BorrarPagoReabreMesa(benchmark::State& state) {
    Terminal& t = terminal();
    AjustePagos ajuste(*t.context);
    if (!ajuste.cargarPermisos())
        std::abort();
    qint64 enviadas = 0;
    for (auto _ : state) {
        state.PauseTiming();
        t.cerrarPagada();
        std::optional<AjustePagos::Pago> pago;
        const QList<AjustePagos::Pago> pagos = ajuste.Llenar_Spread().value();
        for (const AjustePagos::Pago& fila : pagos)
            if (fila.mesa == 3)
                pago = fila;
        t.prompts = ScriptedPrompts();
        t.prompts.answerMensaje(Prompts::kAnswerYes); // sure
        t.prompts.answerMensaje(Prompts::kAnswerOk);  // reopened
        const qint64 antes = bench::CountingConnection::sent;
        state.ResumeTiming();
        if (!ajuste.borrar(pago))
            std::abort();
        state.PauseTiming();
        enviadas += bench::CountingConnection::sent - antes;
        state.ResumeTiming();
    }
    bench::contarSentencias(state, enviadas);
}
BENCHMARK(BM_BorrarPagoReabreMesa)->Unit(benchmark::kMillisecond)->Iterations(30);

} // namespace
} // namespace nerin
