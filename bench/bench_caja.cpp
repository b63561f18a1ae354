// The payment screen's "Aceptar" on the demo restaurant with a year of history, without the screen:
// three payments (card with tip, dollars, cash with change) on the last account of an order, which
// stores them, closes the table and prints the account's ticket with its payments. Also the loading
// of the account when the screen opens. Each runs on the embedded database and on PostgreSQL
// ("/sqlite", "/postgres"), and reports the statements sent per run.
//
//   bench_caja            (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "bench/BenchTerminal.h"
#include "cashier/AbonoLealtadServicio.h"
#include "cashier/CajaCuenta.h"
#include "cashier/FacturacionNoDisponible.h"

#include <benchmark/benchmark.h>

namespace nerin {
namespace {

// The cashier terminal, made once for all benchmarks.
struct Terminal : bench::BenchTerminal {
    explicit Terminal(bench::Motor cual) : BenchTerminal(cual) {
        context->iniciarSesion(Sesion(3, QStringLiteral("cajero1"), {}, false));
        context->anchoTicket = 40;
        context->cuentaTicket = 1;
        context->store = QStringLiteral("CZD001");
    }

    // Order 2 (table 15, 420.00) open and unpaid again.
    void reabrir() {
        for (const char* sql :
             {"DELETE FROM Pago WHERE ID_Comanda=2", "UPDATE Cuenta SET Pagada=0 WHERE ID_Comanda=2",
              "UPDATE Comanda SET Abierta=1, Fecha_Cierre=NULL WHERE ID_Comanda=2"}) {
            if (!baseDatos->connection().execute(QString::fromLatin1(sql)))
                std::abort();
        }
    }
};

Terminal& terminal(bench::Motor motor) {
    return bench::unoPorMotor<Terminal>(motor);
}

Currency pesos(const char* texto) {
    return *Currency::parse(QString::fromLatin1(texto));
}

void BM_LoadAccount(benchmark::State& state, bench::Motor motor) {
    if (bench::sinServidor(state, motor))
        return;
    Terminal& t = terminal(motor);
    t.reabrir();
    FacturacionNoDisponible facturacion(t.prompts);
    AbonoLealtadServicio lealtad(*t.context);
    CajaCuenta caja(*t.context, facturacion, lealtad);
    caja.cargarTiposPago();
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state) {
        caja.setNumero_Comanda(2);
        caja.setNumero_Control(1);
        caja.setNumero_Cuenta(1);
        benchmark::DoNotOptimize(caja.total());
    }
    bench::contarSentencias(state, bench::CountingConnection::sent - antes);
}
[[maybe_unused]] const int kLoadAccount =
    bench::enAmbos("BM_LoadAccount", BM_LoadAccount, [](auto* b) { b->Unit(benchmark::kMillisecond); });

void BM_AceptarThreePaymentsCloseAndTicket(benchmark::State& state, bench::Motor motor) {
    if (bench::sinServidor(state, motor))
        return;
    Terminal& t = terminal(motor);
    FacturacionNoDisponible facturacion(t.prompts);
    AbonoLealtadServicio lealtad(*t.context);
    qint64 enviadas = 0;
    for (auto _ : state) {
        state.PauseTiming();
        t.reabrir();
        t.prompts = ScriptedPrompts();
        CajaCuenta caja(*t.context, facturacion, lealtad);
        caja.cargarTiposPago();
        caja.setNumero_Comanda(2);
        caja.setNumero_Control(1);
        caja.setNumero_Cuenta(1);
        t.prompts.answerPago({false, pesos("200"), pesos("30"), QStringLiteral("004512")});
        t.prompts.answerPago({false, pesos("100"), Currency(), QString()});
        t.prompts.answerPago({false, pesos("200"), Currency(), QString()});
        if (!caja.agregarPago(1) || !caja.agregarPago(3) || !caja.agregarPago(0))
            std::abort();
        t.prompts.answerMensaje(Prompts::kAnswerNo);  // no invoice
        t.prompts.answerMensaje(Prompts::kAnswerYes); // close the table
        const qint64 antes = bench::CountingConnection::sent;
        state.ResumeTiming();
        if (caja.aceptar() != CajaCuenta::Resultado::Terminado)
            std::abort();
        state.PauseTiming();
        enviadas += bench::CountingConnection::sent - antes;
        state.ResumeTiming();
    }
    bench::contarSentencias(state, enviadas);
}
[[maybe_unused]] const int kAceptarThreePaymentsCloseAndTicket =
    bench::enAmbos("BM_AceptarThreePaymentsCloseAndTicket", BM_AceptarThreePaymentsCloseAndTicket,
                   [](auto* b) { b->Unit(benchmark::kMillisecond)->Iterations(30); });

} // namespace
} // namespace nerin
