#pragma once

#include "data/RecordSet.h"
#include "server/tsql/EngineError.h"
#include "server/tsql/ProcedureStore.h"
#include "server/tsql/StatementRunner.h"
#include "server/tsql/Variables.h"

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
    };

    Interpreter(StatementRunner& runner, ProcedureStore& procedures)
        : m_runner(runner), m_procedures(procedures) {}

    // `variables`, when given, are the batch's variables before it starts (the named parameters of a
    // command) and hold their final values afterwards.
    std::optional<EngineError> runBatch(const QString& text, Outcome& outcome,
                                        Variables* variables = nullptr);
    // Output arguments receive the values the procedure left in their parameters.
    std::optional<EngineError> callProcedure(const QString& name, std::vector<ProcedureArgument>& arguments,
                                             Outcome& outcome, qint64* returnValue = nullptr);

    std::optional<EngineError> beginTransaction();
    std::optional<EngineError> commitTransaction();
    std::optional<EngineError> rollbackTransaction();
    int transactionCount() const { return m_tranCount; }

private:
    enum class Flow { Next, Break, Continue, Return };
    struct Frame {
        Variables variables;
        std::optional<qint64> returnValue;
        qint64 rowCount = 0; // @@ROWCOUNT
        bool inProcedure = false;
    };

    std::optional<EngineError> runStatements(const std::vector<Statement>& statements, Frame& frame,
                                             Outcome& outcome, Flow& flow);
    std::optional<EngineError> runStatement(const Statement& statement, Frame& frame, Outcome& outcome,
                                            Flow& flow);
    std::optional<EngineError> runSql(const TokenList& tokens, Frame& frame, Outcome& outcome);
    std::optional<EngineError> runSelectAssign(const Statement& statement, Frame& frame);
    std::optional<EngineError> runExec(const Statement& statement, Frame& frame, Outcome& outcome);
    std::optional<EngineError> runProcedure(const ProcedureDefinition& procedure,
                                            std::vector<ProcedureArgument>& arguments, Outcome& outcome,
                                            qint64* returnValue);
    std::optional<EngineError> runWhile(const Statement& statement, Frame& frame, Outcome& outcome,
                                        Flow& flow);

    // The value of an expression, or whether a condition holds, evaluated with the frame's variables.
    Result<DbValue> evaluate(const TokenList& expression, Frame& frame, std::optional<EngineError>& failure);
    std::optional<EngineError> condition(const TokenList& expression, Frame& frame, bool& holds);
    Result<DbValue> argumentValue(const TokenList& value, Frame& frame, std::optional<EngineError>& failure);

    StatementRunner::VariableLookup lookupIn(const Frame& frame) const;
    Target& target() { return m_runner.target(); }

    StatementRunner& m_runner;
    ProcedureStore& m_procedures;
    int m_tranCount = 0;
    int m_depth = 0;         // procedures running, one inside the other
    quint64 m_rollbacks = 0; // ROLLBACKs run inside procedures, each ending the savepoints open then
};

} // namespace nerin::tsql
