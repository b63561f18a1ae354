// Speed of the print queue: jobs rendered to ESC/POS and sent to a raw network printer on loopback,
// alone and through the whole queue (database, redirection, marking). Goal: far more than 500
// one-kilobyte jobs a second, so the queue never lags behind a kitchen's rush.
#include "data/Connection.h"
#include "printing/EscPosRenderer.h"
#include "server/DatabaseBuilder.h"
#include "server/SqliteConnection.h"
#include "tools/nerin-printq/PortWriter.h"
#include "tools/nerin-printq/PrintQueueService.h"
#include "tools/nerin-printq/tests/FakeRawPrinter.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// About one kilobyte of kitchen order: 30 lines of 32 columns with tags and Spanish letters.
QStringList oneKiBJob() {
    QStringList lines = {QStringLiteral("<B><H>COMANDA</H></B>"), QStringLiteral("<XH>MESA 12</XH>")};
    for (int i = 0; lines.join(QString()).size() < 1000; ++i)
        lines.append(
            QStringLiteral("<H><B>%1 PIÑA COLADA SIN AZÚCAR</B></H>").arg(i % 10).left(40).leftJustified(32));
    return lines;
}

void BM_RenderAndSendToLoopbackPrinter(benchmark::State& state) {
    nerin::fakes::FakeRawPrinter printer;
    if (!printer.accept()) {
        state.SkipWithError("no loopback port");
        return;
    }
    const auto port = nerin::PrinterPort::parse(printer.url(), QString());
    const QStringList lines = oneKiBJob();
    qint64 bytes = 0;
    qint32 job = 0;
    for (auto _ : state) {
        const QByteArray rendered = port->render(lines);
        const nerin::Status sent = nerin::PortWriter::send(*port, ++job, rendered, 5000);
        if (!sent) {
            state.SkipWithError(sent.message().toStdString().c_str());
            break;
        }
        bytes += rendered.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(bytes);
    state.counters["jobs/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderAndSendToLoopbackPrinter)->UseRealTime()->Unit(benchmark::kMicrosecond);

// The whole queue: `range(0)` closed jobs for one printer, printed by the service in one run.
void BM_QueueToLoopbackPrinter(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cola.db"));
    if (!nerin::DatabaseBuilder::create(path, false).isOk()) {
        state.SkipWithError("no database");
        return;
    }
    nerin::fakes::FakeRawPrinter printer;
    if (!printer.accept()) {
        state.SkipWithError("no loopback port");
        return;
    }
    nerin::SqliteConnection db(path);
    (void)db.open();
    (void)db.execute(
        QStringLiteral("INSERT INTO Impresora (ID_Impresora, Nombre_Impresora, Puerto, Redirigido) "
                       "VALUES (1, 'COCINA', '%1', 1)")
            .arg(printer.url()));
    const QStringList lines = oneKiBJob();
    const qint64 jobs = state.range(0);
    nerin::PrintQueueService::Options options;
    options.once = true;
    for (auto _ : state) {
        state.PauseTiming();
        (void)db.execute(QStringLiteral("BEGIN TRAN"));
        for (qint64 j = 0; j < jobs; ++j) {
            const auto id = db.query(QStringLiteral("INSERT INTO Cola_Trabajo (Tipo, ID_Impresora, Estado) "
                                                    "VALUES ('P', 1, 'P') SELECT SCOPE_IDENTITY()"));
            for (qsizetype l = 0; l < lines.size(); ++l)
                (void)db.execute(QStringLiteral("INSERT INTO Cola_Linea (ID_Trabajo, Num_Linea, Texto) "
                                                "VALUES (%1, %2, '%3')")
                                     .arg(id->value(0).toInt())
                                     .arg(l + 1)
                                     .arg(lines[l]));
        }
        (void)db.execute(QStringLiteral("COMMIT"));
        state.ResumeTiming();
        nerin::PrintQueueService service(db, options, [](const QString&) {});
        std::atomic<bool> stop{false};
        if (service.run(stop) != 0 || service.printed() != jobs) {
            state.SkipWithError("jobs left unprinted");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * jobs);
    state.counters["jobs/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * jobs), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_QueueToLoopbackPrinter)->Arg(200)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
