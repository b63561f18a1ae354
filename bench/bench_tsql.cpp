// The cost of T-SQL through the embedded engine, against the same work written by hand on SQLite's C
// API: a mix of the terminal's typical lookups, updates and inserts, a read of many rows, and the first
// translation of a statement; and what the ODBC path adds before a statement reaches SQL Server. The
// mix and the read run on PostgreSQL over loopback too when NERIN_PG_PRUEBAS names a test cluster
// (scripts/bench starts one whose commits wait for the disk, as SQLite's do).
#include "server/PostgresConnection.h"
#include "server/SqliteConnection.h"
#include "server/postgres/testing/PgTestDatabase.h"
#include "server/tsql/Lexer.h"
#include "server/tsql/SqlFunctions.h"
#include "server/tsql/SqlServerRewrite.h"
#include "server/tsql/SqliteCatalogue.h"
#include "server/tsql/SqliteDialect.h"
#include "server/tsql/Translator.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>

namespace {

// The tables of the mix, with 1000 orders and 50 parameters.
void fill(nerin::Connection& db) {
    if (!db.open())
        std::abort();
    QString script = QStringLiteral(
        "CREATE TABLE Comanda (ID_Comanda int, Control int, Num_Mesa int, EnUsoPor int, Total money, "
        "PRIMARY KEY (ID_Comanda, Control)) "
        "CREATE TABLE Parametros (Id_Parametro varchar(30) PRIMARY KEY, Valor_Num money, Valor_Cad "
        "varchar(50)) "
        "CREATE TABLE Bitacora (FechaHora datetime, Id_Empleado int, Texto varchar(255))");
    if (!db.execute(script))
        std::abort();
    if (!db.beginTransaction().isOk())
        std::abort();
    for (int i = 0; i < 1000; ++i) {
        if (!db.execute(
                QStringLiteral("INSERT INTO Comanda VALUES (%1, 1, %2, 0, %3.50)").arg(i).arg(i % 40).arg(i)))
            std::abort();
    }
    for (int i = 0; i < 50; ++i) {
        if (!db.execute(QStringLiteral("INSERT INTO Parametros VALUES ('P%1', %1, 'valor %1')").arg(i)))
            std::abort();
    }
    if (!db.commit().isOk())
        std::abort();
}

struct Database {
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/bench.db");

    Database() {
        nerin::SqliteConnection db(path, nerin::SqliteConnection::OpenMode::CreateIfMissing);
        fill(db);
    }
};

Database& database() {
    static Database instance;
    return instance;
}

// The terminal's statements, with values that change from one call to the next.
QString lookup(int i) {
    return QStringLiteral("SELECT ID_Comanda,Num_Mesa,Total FROM Comanda WHERE ID_Comanda=%1 AND Control=1")
        .arg(i % 1000);
}
QString parameter(int i) {
    return QStringLiteral("SELECT Valor_Num FROM Parametros WHERE Id_Parametro='P%1'").arg(i % 50);
}
QString update(int i) {
    return QStringLiteral("UPDATE Comanda SET EnUsoPor=%1 WHERE ID_Comanda=%2 AND Control=1")
        .arg(i % 7)
        .arg(i % 1000);
}
QString insert(int i) {
    return QStringLiteral("INSERT INTO Bitacora(FechaHora,Id_Empleado,Texto) VALUES('06/12/2026 13:45:00',%1,"
                          "'Ver mesa %2 cuenta 1')")
        .arg(i % 30)
        .arg(i % 40);
}

// The same statements as SQLite reads them, dates already in their stored form.
QString handInsert(int i) {
    return QStringLiteral(
               "INSERT INTO Bitacora(FechaHora,Id_Empleado,Texto) VALUES('2026-12-06 13:45:00.000',%1,"
               "'Ver mesa %2 cuenta 1')")
        .arg(i % 30)
        .arg(i % 40);
}

void runHand(sqlite3* db, const QString& sql) {
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), -1, &statement, nullptr) != SQLITE_OK)
        std::abort();
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(statement); ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
    }
    sqlite3_finalize(statement);
}

sqlite3* openHand() {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(database().path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        std::abort();
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
    // The schema's text columns compare with the engine's collation, so SQLite needs it to read them.
    if (!nerin::tsql::registerTsqlFunctions(db))
        std::abort();
    sqlite3_busy_timeout(db, 30000);
    return db;
}

void BM_EngineLookups(benchmark::State& state) {
    nerin::SqliteConnection db(database().path);
    if (!db.open().isOk())
        std::abort();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(db.query(lookup(i)));
        benchmark::DoNotOptimize(db.query(parameter(i)));
        ++i;
    }
}
BENCHMARK(BM_EngineLookups);

void BM_HandLookups(benchmark::State& state) {
    sqlite3* db = openHand();
    int i = 0;
    for (auto _ : state) {
        runHand(db, lookup(i));
        runHand(db, parameter(i));
        ++i;
    }
    sqlite3_close(db);
}
BENCHMARK(BM_HandLookups);

// One round of the mix on `db`; false, with the benchmark stopped and told why, when a statement
// fails, so that a failing statement is never timed as a fast one.
bool mix(nerin::Connection& db, int i, benchmark::State& state) {
    const bool done =
        db.query(lookup(i)) && db.query(parameter(i)) && db.execute(update(i)) && db.execute(insert(i));
    if (!done)
        state.SkipWithError(db.lastFailure().description.toStdString().c_str());
    return done;
}

// A read of the 1000 orders, where the cost per row shows.
bool everyOrder(nerin::Connection& db, benchmark::State& state) {
    const auto rows = db.query(QStringLiteral("SELECT ID_Comanda, Num_Mesa, Total FROM Comanda"));
    if (!rows || rows->recordCount() != 1000)
        state.SkipWithError("the orders could not be read");
    return rows && rows->recordCount() == 1000;
}

void BM_EngineMix(benchmark::State& state) {
    nerin::SqliteConnection db(database().path);
    if (!db.open().isOk())
        std::abort();
    int i = 0;
    for (auto _ : state) {
        if (!mix(db, i++, state))
            break;
    }
}
BENCHMARK(BM_EngineMix)->Unit(benchmark::kMicrosecond);

void BM_EngineEveryOrder(benchmark::State& state) {
    nerin::SqliteConnection db(database().path);
    if (!db.open().isOk())
        std::abort();
    for (auto _ : state) {
        if (!everyOrder(db, state))
            break;
    }
}
BENCHMARK(BM_EngineEveryOrder)->Unit(benchmark::kMicrosecond);

// The mix's tables on a database of its own on the cluster NERIN_PG_PRUEBAS names, made once.
nerin::PostgresConnection* postgres(benchmark::State& state) {
    using nerin::testing::PgTestDatabase;
    if (PgTestDatabase::clusterConnInfo().isEmpty()) {
        state.SkipWithError("NERIN_PG_PRUEBAS no está definida");
        return nullptr;
    }
    static PgTestDatabase database;
    static std::unique_ptr<nerin::PostgresConnection> db = [] {
        if (!database.create())
            std::abort();
        nerin::PostgresConnection setUp(database.connInfo(), nerin::PostgresConnection::OpenMode::Install);
        fill(setUp);
        setUp.close();
        auto connection = std::make_unique<nerin::PostgresConnection>(database.connInfo());
        if (!connection->open().isOk())
            std::abort();
        return connection;
    }();
    return db.get();
}

void BM_PostgresMix(benchmark::State& state) {
    nerin::PostgresConnection* db = postgres(state);
    if (!db)
        return;
    int i = 0;
    for (auto _ : state) {
        if (!mix(*db, i++, state))
            break;
    }
}
BENCHMARK(BM_PostgresMix)->Unit(benchmark::kMicrosecond);

void BM_PostgresEveryOrder(benchmark::State& state) {
    nerin::PostgresConnection* db = postgres(state);
    if (!db)
        return;
    for (auto _ : state) {
        if (!everyOrder(*db, state))
            break;
    }
}
BENCHMARK(BM_PostgresEveryOrder)->Unit(benchmark::kMicrosecond);

void BM_HandMix(benchmark::State& state) {
    sqlite3* db = openHand();
    int i = 0;
    for (auto _ : state) {
        runHand(db, lookup(i));
        runHand(db, parameter(i));
        runHand(db, update(i));
        runHand(db, handInsert(i));
        ++i;
    }
    sqlite3_close(db);
}
BENCHMARK(BM_HandMix)->Unit(benchmark::kMicrosecond);

// Lexing and translating a statement the engine has not seen, with a translator that has no cache.
void BM_FirstTranslation(benchmark::State& state) {
    sqlite3* db = openHand();
    nerin::tsql::SqliteCatalogue catalogue(db);
    const nerin::tsql::SqliteDialect dialect;
    const QString sql = QStringLiteral(
        "SELECT TOP 1 c.ID_Comanda, c.Num_Mesa, ISNULL(c.Total, 0) + 1 AS Total, p.Valor_Cad FROM Comanda c, "
        "Parametros p WHERE c.Num_Mesa *= p.Valor_Num AND p.Id_Parametro LIKE 'P%' AND c.Control = 1 "
        "ORDER BY c.ID_Comanda DESC");
    for (auto _ : state) {
        nerin::tsql::Translator translator(catalogue, dialect);
        auto tokens = nerin::tsql::Lexer::tokenize(sql);
        benchmark::DoNotOptimize(translator.translate(*tokens));
    }
    sqlite3_close(db);
}
BENCHMARK(BM_FirstTranslation)->Unit(benchmark::kMicrosecond);

// The statements of the mix as the ODBC path sends them: a look for *= and =* that finds none.
void BM_SqlServerRewriteWithoutOuterJoins(benchmark::State& state) {
    sqlite3* db = openHand();
    nerin::tsql::SqliteCatalogue catalogue(db);
    const QString statements[] = {lookup(7), parameter(7), update(7), insert(7)};
    for (auto _ : state) {
        for (const QString& sql : statements)
            benchmark::DoNotOptimize(nerin::tsql::SqlServerRewrite::rewrite(sql, catalogue));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(std::size(statements)));
    sqlite3_close(db);
}
BENCHMARK(BM_SqlServerRewriteWithoutOuterJoins);

// A statement with an old outer join, rewritten for SQL Server.
void BM_SqlServerRewriteOfAnOuterJoin(benchmark::State& state) {
    sqlite3* db = openHand();
    nerin::tsql::SqliteCatalogue catalogue(db);
    const QString sql = QStringLiteral(
        "SELECT TOP 1 c.ID_Comanda, c.Num_Mesa, ISNULL(c.Total, 0) + 1 AS Total, p.Valor_Cad FROM Comanda c, "
        "Parametros p WHERE c.Num_Mesa *= p.Valor_Num AND p.Id_Parametro LIKE 'P%' AND c.Control = 1 "
        "ORDER BY c.ID_Comanda DESC");
    for (auto _ : state)
        benchmark::DoNotOptimize(nerin::tsql::SqlServerRewrite::rewrite(sql, catalogue));
    sqlite3_close(db);
}
BENCHMARK(BM_SqlServerRewriteOfAnOuterJoin)->Unit(benchmark::kMicrosecond);

} // namespace
