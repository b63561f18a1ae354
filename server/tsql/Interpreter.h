#pragma once

#include "data/RecordSet.h"
#include "server/tsql/EngineResult.h"
#include "server/tsql/ProcedureStore.h"
#include "server/tsql/StatementRunner.h"
#include "server/tsql/Variables.h"

#include <QHash>
#include <memory>
#include <optional>
#include <vector>

namespace nerin::tsql {

// One argument handed to a procedure by a caller outside T-SQL (a command with named parameters).
struct ProcedureArgument {
    QString parameter; // "@name"; empty for a positional argument
    DbValue value;
    bool output = false;
    bool useDefault = false; // the parameter's declared default instead of `value`
};

// Runs batches and procedures: statements in order, variables, IF/WHILE, procedure calls with input
// and output parameters, transactions. A failing statement ends the batch and is reported; a failing
// procedure undoes everything it changed.
class Interpreter {
public:
    struct Outcome {
        QList<RecordSet> results;
        qint64 rowsAffected = 0; // of the last data change
        // Whether a statement of the batch itself (not of a procedure that failed) changed the
        // database, so that running the batch again would change it twice.
        bool changedData = false;
    };

    Interpreter(StatementRunner& runner, ProcedureStore& procedures)
        : m_runner(runner), m_procedures(procedures) {}

    // `variables`, when given, are the batch's variables before it starts (the named parameters of a
    // command) and hold their final values afterwards.
    EngineStatus runBatch(const QString& text, Outcome& outcome, Variables* variables = nullptr);
    // Output arguments receive the values the procedure left in their parameters.
    EngineStatus callProcedure(const QString& name, std::vector<ProcedureArgument>& arguments,
                               Outcome& outcome, qint64* returnValue = nullptr);

    EngineStatus beginTransaction();
    EngineStatus commitTransaction();
    EngineStatus rollbackTransaction();
    int transactionCount() const { return m_tranCount; }

private:
    enum class Flow { Next, Break, Continue, Return };
    struct Frame {
        Variables variables;
        std::optional<qint64> returnValue;
        qint64 rowCount = 0; // @@ROWCOUNT
        bool inProcedure = false;
    };

    EngineStatus runStatements(const std::vector<Statement>& statements, Frame& frame, Outcome& outcome,
                               Flow& flow);
    EngineStatus runStatement(const Statement& statement, Frame& frame, Outcome& outcome, Flow& flow);
    EngineStatus runSql(const TokenList& tokens, Frame& frame, Outcome& outcome);
    EngineStatus runSelectAssign(const Statement& statement, Frame& frame);
    EngineStatus runExec(const Statement& statement, Frame& frame, Outcome& outcome);
    EngineStatus runProcedure(const ProcedureDefinition& procedure, std::vector<ProcedureArgument>& arguments,
                              Outcome& outcome, qint64* returnValue);
    EngineStatus runWhile(const Statement& statement, Frame& frame, Outcome& outcome, Flow& flow);

    // The value of an expression, or whether a condition holds, evaluated with the frame's variables.
    EngineResult<DbValue> evaluate(const TokenList& expression, Frame& frame);
    EngineResult<bool> condition(const TokenList& expression, Frame& frame);
    EngineResult<DbValue> argumentValue(const TokenList& value, Frame& frame);

    StatementRunner::VariableLookup lookupIn(const Frame& frame) const;
    Target& target() { return m_runner.target(); }

    // Texts of commands with parameters as read, by the text; emptied when it grows past kMaxParsed (the
    // terminal sends a few hundred of them).
    static constexpr qsizetype kMaxParsed = 1000;
    QHash<QString, std::shared_ptr<const std::vector<Statement>>> m_parsed;

    StatementRunner& m_runner;
    ProcedureStore& m_procedures;
    int m_tranCount = 0;
    int m_depth = 0;         // procedures running, one inside the other
    quint64 m_rollbacks = 0; // ROLLBACKs run inside procedures, each ending the savepoints open then
};

} // namespace nerin::tsql
