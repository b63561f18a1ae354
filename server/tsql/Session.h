#pragma once

#include "server/tsql/Interpreter.h"
#include "server/tsql/ProcedureStore.h"
#include "server/tsql/SqliteDialect.h"
#include "server/tsql/StatementRunner.h"

struct sqlite3;

namespace nerin::tsql {

// The T-SQL engine on one SQLite connection: runs batches and procedure calls with SQL Server's
// meaning. The connection stays the caller's; the session adds the engine's functions and the
// procedure table to it.
class Session {
public:
    explicit Session(sqlite3* db);

    std::optional<EngineError> initialize();

    Interpreter& interpreter() { return m_interpreter; }

private:
    sqlite3* m_db;
    SqliteDialect m_dialect;
    StatementRunner m_runner;
    ProcedureStore m_procedures;
    Interpreter m_interpreter;
};

} // namespace nerin::tsql
