#pragma once

// A terminal's services over the demo restaurant with a year of history (NERIN_BENCH_HISTORY_DAYS
// sets the days), on the embedded database or on PostgreSQL (the cluster NERIN_PG_PRUEBAS names), for
// the benchmarks that drive the rules without screens, and a connection that counts the statements
// and commands they send.
#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "data/tests/RecordingMessageBox.h"
#include "keyboards/ScriptedPrompts.h"
#include "server/DatabaseBuilder.h"
#include "server/HistoryGenerator.h"
#include "server/PostgresConnection.h"
#include "server/SqliteConnection.h"
#include "server/postgres/testing/PgTestDatabase.h"
#include "startup/TerminalContext.h"
#include "startup/TerminalSettings.h"
#include "startup/tests/RecordingPlatform.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

namespace nerin::bench {

// The database a benchmark runs on.
enum class Motor { Sqlite, Postgres };

// Forwards to another connection and counts the statements and commands sent.
class CountingConnection : public Connection {
public:
    explicit CountingConnection(std::unique_ptr<Connection> inner) : m_inner(std::move(inner)) {}
    Status open() override { return m_inner->open(); }
    void close() override { m_inner->close(); }
    bool isOpen() const override { return m_inner->isOpen(); }
    Result<qint64> execute(const QString& sql) override { return copied(m_inner->execute(sql)); }
    Result<RecordSet> query(const QString& sql) override { return copied(m_inner->query(sql)); }
    Result<QList<RecordSet>> run(DbCommand& command) override { return copied(m_inner->run(command)); }
    Status beginTransaction() override { return copied(m_inner->beginTransaction()); }
    Status commit() override { return copied(m_inner->commit()); }
    Status rollback() override { return copied(m_inner->rollback()); }

    static inline qint64 sent = 0;

private:
    template <typename T> T copied(T result) {
        ++sent;
        setFailure(m_inner->lastFailure(), m_inner->errors());
        return result;
    }
    std::unique_ptr<Connection> m_inner;
};

// Reports `enviadas`, the statements and commands sent over the whole run, as statements per
// iteration.
inline void contarSentencias(benchmark::State& state, qint64 enviadas) {
    state.counters["sentencias"] =
        benchmark::Counter(static_cast<double>(enviadas), benchmark::Counter::kAvgIterations);
}

// True, with the benchmark skipped, when `motor` is PostgreSQL and no cluster was given.
inline bool sinServidor(benchmark::State& state, Motor motor) {
    if (motor != Motor::Postgres || !testing::PgTestDatabase::clusterConnInfo().isEmpty())
        return false;
    state.SkipWithError("NERIN_PG_PRUEBAS no está definida (scripts/bench la define)");
    return true;
}

// Registers `funcion` once per database, as "nombre/sqlite" and "nombre/postgres", each set up by
// `ajustar` (units, iterations). Gives 0, for a namespace-scope constant to hold.
template <typename Ajuste>
int enAmbos(const char* nombre, void (*funcion)(benchmark::State&, Motor), Ajuste ajustar) {
    for (const auto& [motor, sufijo] :
         {std::pair{Motor::Sqlite, "/sqlite"}, std::pair{Motor::Postgres, "/postgres"}})
        ajustar(benchmark::RegisterBenchmark((std::string(nombre) + sufijo).c_str(), funcion, motor));
    return 0;
}

// The one `T` of each database, built on first use and kept for the program's life, so that the
// benchmarks of one program share the terminal and its year of history.
template <typename T> T& unoPorMotor(Motor motor) {
    static std::unique_ptr<T> unos[2];
    auto& uno = unos[static_cast<int>(motor)];
    if (!uno)
        uno = std::make_unique<T>(motor);
    return *uno;
}

inline int diasDeHistoria() {
    return qEnvironmentVariableIsSet("NERIN_BENCH_HISTORY_DAYS")
               ? qEnvironmentVariableIntValue("NERIN_BENCH_HISTORY_DAYS")
               : 365;
}

// A new, unopened connection to the database at `where` (a file, or a libpq connection string).
inline std::unique_ptr<Connection> conexion(Motor motor, const QString& where) {
    if (motor == Motor::Postgres)
        return std::make_unique<PostgresConnection>(where);
    return std::make_unique<SqliteConnection>(where);
}

// The name of the cluster's database that holds the demo with `dias` days of history, built on first
// use and kept for the cluster's life, so that each benchmark program copies it rather than writing a
// year of history again; empty when it cannot be made. It is built under another name and renamed
// when complete, so that a build cut short is never taken for the finished one.
inline QString plantillaPostgres(int dias) {
    const QString nombre = QStringLiteral("nerin_bench_%1").arg(dias);
    PgConnection cluster;
    if (!cluster.open(testing::PgTestDatabase::clusterConnInfo(), QStringLiteral("nerin-bench")))
        return {};
    const auto hay =
        cluster.query(QStringLiteral("SELECT 1 FROM pg_database WHERE datname = $1"), {DbValue(nombre)});
    if (!hay)
        return {};
    if (!hay->eof())
        return nombre;
    testing::PgTestDatabase obra;
    if (!obra.create() || !DatabaseBuilder::createPostgres(obra.connInfo(), true))
        return {};
    {
        PostgresConnection connection(obra.connInfo());
        if (!connection.open() || (dias > 0 && !HistoryGenerator::generate(connection, dias, 11)))
            return {};
        // Statistics as the server's own vacuuming keeps them on a database in use.
        if (!connection.link().execute(QStringLiteral("VACUUM ANALYZE")))
            return {};
    }
    if (!cluster.execute(QStringLiteral("ALTER DATABASE %1 RENAME TO %2").arg(obra.name(), nombre)))
        return {};
    return nombre;
}

// Terminal 1 over its own copy of the demo restaurant with history; ends the process when it
// cannot be made.
struct BenchTerminal {
    explicit BenchTerminal(Motor cual = Motor::Sqlite) : motor(cual) {
        const int days = diasDeHistoria();
        if (motor == Motor::Postgres) {
            const QString plantilla = plantillaPostgres(days);
            if (plantilla.isEmpty() || !postgres.create(plantilla))
                fallar("no se pudo preparar la base PostgreSQL");
            db = postgres.connInfo();
        } else {
            db = dir.filePath(QStringLiteral("DBNERIN.db"));
            if (!DatabaseBuilder::create(db, true))
                fallar("no se pudo crear la base");
            auto connection = conectar();
            if (days > 0 && !HistoryGenerator::generate(*connection, days, 11))
                fallar("no se pudo escribir la historia");
        }
        settings = std::make_unique<TerminalSettings>(dir.filePath(QStringLiteral("nerin.ini")));
        bitacora = std::make_unique<Bitacora>(dir.filePath(QStringLiteral("log")));
        const QString donde = db;
        baseDatos = std::make_unique<BaseDatos>(
            [cual, donde] { return std::make_unique<CountingConnection>(conexion(cual, donde)); }, *bitacora,
            messageBox, [] { std::abort(); }, QStringLiteral("NERIN-DEMO-2026"));
        if (!baseDatos->ConectarBD())
            fallar("no se pudo conectar");
        context = std::make_unique<TerminalContext>(*baseDatos, *bitacora, prompts, platform, *settings);
    }

    // A connection of its own to the terminal's database, open, for setting up outside the timing.
    std::unique_ptr<Connection> conectar() const {
        auto connection = conexion(motor, db);
        if (!connection->open())
            fallar("no se pudo abrir la base");
        return connection;
    }

    // Makes the working date the last day of history, a full day of some 400 orders, so that the
    // day's reports read a busy evening rather than the demo's three orders. Ends the process when it
    // cannot.
    void trabajarDiaLleno() {
        auto connection = conectar();
        const Result<RecordSet> fecha = connection->query(
            QStringLiteral("SELECT Valor_Cad FROM Parametros WHERE Id_Parametro = 'FECHA_TRABAJO'"));
        if (!fecha || fecha->eof())
            std::abort();
        // An all-digit text may come back as a number, without the leading zero of days 1 to 9.
        const QString texto = QString::number(fecha->value(0).toInt()).rightJustified(8, u'0');
        const QDate hoy = QDate::fromString(texto, QStringLiteral("ddMMyyyy"));
        const QString sql = QStringLiteral("UPDATE Parametros SET Valor_Cad = '") +
                            hoy.addDays(-1).toString(QStringLiteral("ddMMyyyy")) +
                            QStringLiteral("' WHERE Id_Parametro = 'FECHA_TRABAJO'");
        if (!hoy.isValid() || !connection->execute(sql).isOk())
            std::abort();
    }

    [[noreturn]] static void fallar(const char* por) {
        std::fprintf(stderr, "BenchTerminal: %s\n", por);
        std::abort();
    }

    Motor motor;
    QTemporaryDir dir;
    testing::PgTestDatabase postgres;
    QString db; // the file, or the connection string
    ScriptedPrompts prompts;
    fakes::RecordingPlatform platform;
    fakes::RecordingMessageBox messageBox;
    std::unique_ptr<TerminalSettings> settings;
    std::unique_ptr<Bitacora> bitacora;
    std::unique_ptr<BaseDatos> baseDatos;
    std::unique_ptr<TerminalContext> context;
};

} // namespace nerin::bench
