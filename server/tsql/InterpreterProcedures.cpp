// Procedure calls and transactions of the interpreter.
#include "server/tsql/Interpreter.h"

namespace nerin::tsql {

namespace {

using Step = Target::TransactionStep;

EngineError missingParameter(const QString& procedure, const QString& parameter) {
    return EngineError::commandText(
        QStringLiteral("Procedure or function '%1' expects parameter '%2', which was not supplied.")
            .arg(procedure, parameter),
        201);
}

// Undoing after a failure: the failure that made the call undo is the one reported, not a failure
// of the undoing itself.
void undo(const EngineStatus& undone) {
    Q_UNUSED(undone);
}

} // namespace

EngineStatus Interpreter::runProcedure(const ProcedureDefinition& procedure,
                                       std::vector<ProcedureArgument>& arguments, Outcome& outcome,
                                       qint64* returnValue) {
    const auto& parameters = procedure.parameters;
    // Which argument feeds each parameter: positional ones in order, then named ones by name.
    std::vector<int> source(parameters.size(), -1);
    std::size_t position = 0;
    for (std::size_t a = 0; a < arguments.size(); ++a) {
        const ProcedureArgument& argument = arguments[a];
        std::size_t target = parameters.size();
        if (argument.parameter.isEmpty()) {
            target = position++;
            if (target >= parameters.size())
                return EngineError::commandText(
                    QStringLiteral("Procedure or function %1 has too many arguments specified.")
                        .arg(procedure.name),
                    8144);
        } else {
            for (std::size_t p = 0; p < parameters.size(); ++p) {
                if (parameters[p].name.compare(argument.parameter, Qt::CaseInsensitive) == 0)
                    target = p;
            }
            if (target == parameters.size())
                return EngineError::commandText(QStringLiteral("%1 is not a parameter for procedure %2.")
                                                    .arg(argument.parameter, procedure.name),
                                                8145);
        }
        source[target] = static_cast<int>(a);
    }

    Frame frame;
    frame.inProcedure = true;
    for (std::size_t p = 0; p < parameters.size(); ++p) {
        const VariableDeclaration& parameter = parameters[p];
        if (EngineStatus failure = frame.variables.declare(parameter.name, parameter.type); !failure.isOk())
            return failure;
        const int a = source[p];
        DbValue value;
        if (a >= 0 && !arguments[static_cast<std::size_t>(a)].useDefault) {
            value = arguments[static_cast<std::size_t>(a)].value;
        } else if (!parameter.initializer.isEmpty()) {
            auto initial = evaluate(parameter.initializer, frame);
            if (!initial)
                return initial.status();
            value = *initial;
        } else {
            return missingParameter(procedure.name, parameter.name);
        }
        if (EngineStatus failure = frame.variables.assign(parameter.name, value); !failure.isOk())
            return failure;
    }

    // A procedure changes everything it changes or nothing: its own transaction, or a savepoint
    // inside the caller's. This holds whatever the procedure says about XACT_ABORT: here every
    // failing statement ends the call and undoes it.
    const bool ownsTransaction = target().autocommit();
    const QString savepoint = QStringLiteral("nerin_proc_%1").arg(m_depth);
    if (EngineStatus begun = ownsTransaction ? target().transaction(Step::Begin)
                                             : target().transaction(Step::Savepoint, savepoint);
        !begun.isOk())
        return begun;
    ++m_depth;
    const int tranCountBefore = m_tranCount;
    const quint64 rollbacksBefore = m_rollbacks;
    Flow flow = Flow::Next;
    EngineStatus done = runStatements(procedure.body, frame, outcome, flow);
    --m_depth;
    if (done.isOk() && m_tranCount != tranCountBefore)
        done = EngineError{Status::Code::DatabaseError, 266, QStringLiteral("25000"),
                           QStringLiteral("Transaction count after EXECUTE indicates a mismatching "
                                          "number of BEGIN and COMMIT statements. Previous count = "
                                          "%1, current count = %2.")
                               .arg(tranCountBefore)
                               .arg(m_tranCount)};
    if (m_rollbacks != rollbacksBefore) {
        // A ROLLBACK in the call took this call's savepoint or transaction with it; what is open now
        // is the transaction it began for the rest of the call, which the outermost call ends (or
        // leaves to the caller, when the procedure began a transaction again after it and the count
        // matches).
        if (m_depth == 0 && !target().autocommit()) {
            if (!done.isOk())
                undo(target().transaction(Step::Rollback));
            else if (m_tranCount == 0)
                done = target().transaction(Step::Commit);
        }
        if (!done.isOk()) {
            if (m_depth == 0)
                m_tranCount = 0;
            return done;
        }
    } else {
        if (done.isOk() && ownsTransaction)
            done = target().transaction(Step::Commit);
        else if (done.isOk())
            done = target().transaction(Step::ReleaseSavepoint, savepoint);
        if (!done.isOk()) {
            if (ownsTransaction) {
                if (!target().autocommit())
                    undo(target().transaction(Step::Rollback));
            } else {
                undo(target().transaction(Step::RollbackToSavepoint, savepoint));
                undo(target().transaction(Step::ReleaseSavepoint, savepoint));
            }
            m_tranCount = tranCountBefore;
            return done;
        }
    }

    for (std::size_t p = 0; p < parameters.size(); ++p) {
        const int a = source[p];
        if (a >= 0 && arguments[static_cast<std::size_t>(a)].output && parameters[p].output)
            arguments[static_cast<std::size_t>(a)].value =
                frame.variables.value(parameters[p].name).value_or(DbValue());
    }
    if (returnValue)
        *returnValue = frame.returnValue.value_or(0);
    return EngineStatus::ok();
}

EngineStatus Interpreter::beginTransaction() {
    if (m_tranCount == 0 && target().autocommit()) {
        if (EngineStatus failure = target().transaction(Step::Begin); !failure.isOk())
            return failure;
    }
    ++m_tranCount;
    return EngineStatus::ok();
}

EngineStatus Interpreter::commitTransaction() {
    if (m_tranCount == 0)
        return EngineError::commandText(
            QStringLiteral("The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION."), 3902);
    --m_tranCount;
    // Inside a procedure the procedure's own transaction commits when it ends.
    if (m_tranCount == 0 && m_depth == 0 && !target().autocommit())
        return target().transaction(Step::Commit);
    return EngineStatus::ok();
}

EngineStatus Interpreter::rollbackTransaction() {
    if (m_tranCount == 0)
        return EngineError::commandText(
            QStringLiteral("The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION."), 3903);
    m_tranCount = 0;
    if (m_depth == 0) {
        if (!target().autocommit())
            return target().transaction(Step::Rollback);
        return EngineStatus::ok();
    }
    // Inside a procedure, as on SQL Server: everything is undone, the caller's open transaction
    // included, and the calls' savepoints go with it. The rest of the call runs in a new transaction
    // that the outermost call commits, so what it does after the ROLLBACK stays, as it would.
    if (!target().autocommit()) {
        if (EngineStatus failure = target().transaction(Step::Rollback); !failure.isOk())
            return failure;
    }
    ++m_rollbacks;
    return target().transaction(Step::Begin);
}

} // namespace nerin::tsql
