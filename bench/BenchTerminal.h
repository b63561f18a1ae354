#pragma once

// A terminal's services over the demo restaurant with a year of history (NERIN_BENCH_HISTORY_DAYS
// sets the days), for the benchmarks that drive the rules without screens, and a connection that
// counts the statements and commands they send.
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

namespace nerin::bench {

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

// Reports `enviadas`, the statements and commands sent over the whole run, as statements per
// iteration.
inline void contarSentencias(benchmark::State& state, qint64 enviadas) {
    state.counters["sentencias"] =
        benchmark::Counter(static_cast<double>(enviadas), benchmark::Counter::kAvgIterations);
}

// Terminal 1 over its own copy of the demo restaurant with history; ends the process when it
// cannot be made.
struct BenchTerminal {
    BenchTerminal() {
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
    }

    // Makes the working date the last day of history, a full day of some 400 orders, so that the
    // day's reports read a busy evening rather than the demo's three orders. Ends the process when it
    // cannot.
    void trabajarDiaLleno() {
        SqliteConnection connection(db);
        if (!connection.open())
            std::abort();
        const Result<RecordSet> fecha = connection.query(
            QStringLiteral("SELECT Valor_Cad FROM Parametros WHERE Id_Parametro = 'FECHA_TRABAJO'"));
        if (!fecha || fecha->eof())
            std::abort();
        // An all-digit text may come back as a number, without the leading zero of days 1 to 9.
        const QString texto = QString::number(fecha->value(0).toInt()).rightJustified(8, u'0');
        const QDate hoy = QDate::fromString(texto, QStringLiteral("ddMMyyyy"));
        const QString sql = QStringLiteral("UPDATE Parametros SET Valor_Cad = '") +
                            hoy.addDays(-1).toString(QStringLiteral("ddMMyyyy")) +
                            QStringLiteral("' WHERE Id_Parametro = 'FECHA_TRABAJO'");
        if (!hoy.isValid() || !connection.execute(sql).isOk())
            std::abort();
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

} // namespace nerin::bench
