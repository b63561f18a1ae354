// The payment screen's "Aceptar" on the demo restaurant with a year of history, without the screen:
// three payments (card with tip, dollars, cash with change) on the last account of an order, which
// stores them, closes the table and prints the account's ticket with its payments. Also the loading
// of the account when the screen opens. Each benchmark reports the statements sent per run.
//
//   bench_caja            (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "cashier/AbonoLealtadNoDisponible.h"
#include "cashier/CajaCuenta.h"
#include "cashier/FacturacionNoDisponible.h"
#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "data/tests/RecordingMessageBox.h"
#include "keyboards/ScriptedPrompts.h"
#include "server/DatabaseBuilder.h"
#include "server/HistoryGenerator.h"
#include "server/SqliteConnection.h"
#include "startup/TerminalContext.h"
#include "startup/TerminalSettings.h"
#include "startup/tests/RecordingPlatform.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace nerin {
namespace {

// Forwards to the embedded database and counts the statements and commands sent.
class CountingConnection : public Connection {
public:
    explicit CountingConnection(const QString& path) : m_inner(path) {}
    Status open() override { return m_inner.open(); }
    void close() override { m_inner.close(); }
    bool isOpen() const override { return m_inner.isOpen(); }
    Result<qint64> execute(const QString& sql) override { return copied(m_inner.execute(sql)); }
    Result<RecordSet> query(const QString& sql) override { return copied(m_inner.query(sql)); }
    Result<QList<RecordSet>> run(DbCommand& command) override { return copied(m_inner.run(command)); }
    Status beginTransaction() override { return copied(m_inner.beginTransaction()); }
    Status commit() override { return copied(m_inner.commit()); }
    Status rollback() override { return copied(m_inner.rollback()); }

    static inline qint64 sent = 0;

private:
    template <typename T> T copied(T result) {
        ++sent;
        setFailure(m_inner.lastFailure(), m_inner.errors());
        return result;
    }
    SqliteConnection m_inner;
};

// The cashier terminal over the demo restaurant with history, made once for all benchmarks.
struct Terminal {
    Terminal() {
        db = dir.filePath(QStringLiteral("DBNERIN.db"));
        if (!DatabaseBuilder::create(db, true))
            std::abort();
        const int days = qEnvironmentVariableIsSet("NERIN_BENCH_HISTORY_DAYS")
                             ? qEnvironmentVariableIntValue("NERIN_BENCH_HISTORY_DAYS")
                             : 365;
        if (days > 0) {
            SqliteConnection connection(db);
            if (!connection.open() || !HistoryGenerator::generate(connection, days, 11))
                std::abort();
        }
        settings = std::make_unique<TerminalSettings>(dir.filePath(QStringLiteral("nerin.ini")));
        bitacora = std::make_unique<Bitacora>(dir.filePath(QStringLiteral("log")));
        const QString ruta = db;
        baseDatos =
            std::make_unique<BaseDatos>([ruta] { return std::make_unique<CountingConnection>(ruta); },
                                        *bitacora, messageBox, [] { std::abort(); }, QStringLiteral("clave"));
        if (!baseDatos->ConectarBD())
            std::abort();
        context = std::make_unique<TerminalContext>(*baseDatos, *bitacora, prompts, platform, *settings);
        context->idEmpleado = 3;
        context->usuario = QStringLiteral("cajero1");
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

    QTemporaryDir dir;
    QString db;
    ScriptedPrompts prompts;
    fakes::RecordingPlatform platform;
    fakes::RecordingMessageBox messageBox;
    std::unique_ptr<TerminalSettings> settings;
    std::unique_ptr<Bitacora> bitacora;
    std::unique_ptr<BaseDatos> baseDatos;
    std::unique_ptr<TerminalContext> context;
};

Terminal& terminal() {
    static Terminal t;
    return t;
}

Currency pesos(const char* texto) {
    return *Currency::parse(QString::fromLatin1(texto));
}

void BM_LoadAccount(benchmark::State& state) {
    Terminal& t = terminal();
    t.reabrir();
    FacturacionNoDisponible facturacion(t.prompts);
    AbonoLealtadNoDisponible lealtad;
    CajaCuenta caja(*t.context, facturacion, lealtad);
    caja.cargarTiposPago();
    const qint64 antes = CountingConnection::sent;
    for (auto _ : state) {
        caja.setNumero_Comanda(2);
        caja.setNumero_Control(1);
        caja.setNumero_Cuenta(1);
        benchmark::DoNotOptimize(caja.total());
    }
    state.counters["sentencias"] = benchmark::Counter(static_cast<double>(CountingConnection::sent - antes),
                                                      benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LoadAccount)->Unit(benchmark::kMillisecond);

void BM_AceptarThreePaymentsCloseAndTicket(benchmark::State& state) {
    Terminal& t = terminal();
    FacturacionNoDisponible facturacion(t.prompts);
    AbonoLealtadNoDisponible lealtad;
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
        const qint64 antes = CountingConnection::sent;
        state.ResumeTiming();
        if (caja.aceptar() != CajaCuenta::Resultado::Terminado)
            std::abort();
        state.PauseTiming();
        enviadas += CountingConnection::sent - antes;
        state.ResumeTiming();
    }
    state.counters["sentencias"] =
        benchmark::Counter(static_cast<double>(enviadas), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_AceptarThreePaymentsCloseAndTicket)->Unit(benchmark::kMillisecond)->Iterations(30);

} // namespace
} // namespace nerin
