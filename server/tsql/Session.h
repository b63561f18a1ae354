#pragma once

#include "server/tsql/Interpreter.h"
#include "server/tsql/ProcedureStore.h"
#include "server/tsql/StatementRunner.h"
#include "server/tsql/Target.h"

#include <memory>

namespace nerin::tsql {

// The T-SQL engine on one connection to a target database: runs batches and procedure calls with
// SQL Server's meaning.
class Session {
public:
    explicit Session(std::unique_ptr<Target> target);

    // Creates what the engine keeps in the database when missing.
    EngineStatus initialize();

    Interpreter& interpreter() { return m_interpreter; }
    Target& target() { return *m_target; }

private:
    std::unique_ptr<Target> m_target;
    StatementRunner m_runner;
    ProcedureStore m_procedures;
    Interpreter m_interpreter;
};

} // namespace nerin::tsql
