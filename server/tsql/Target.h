#pragma once

#include "data/DbValue.h"
#include "data/RecordSet.h"
#include "server/tsql/EngineResult.h"
#include "server/tsql/Token.h"
#include "server/tsql/Translation.h"

#include <QByteArray>
#include <functional>
#include <optional>

namespace nerin::tsql {

class Catalogue;
class Dialect;

// The values one translated statement runs with: its lifted literals, the batch's variables and the
// system values the translation names.
class StatementValues {
public:
    // The value of a variable by its name as written in the SQL ("@nfolio"), or none when the
    // variable was not declared.
    using VariableLookup = std::function<std::optional<DbValue>(const QString& name)>;

    StatementValues(const TokenList& tokens, const Translation& translation, const VariableLookup& variables,
                    qint64 rowCount, int tranCount)
        : m_tokens(tokens), m_translation(translation), m_variables(variables), m_rowCount(rowCount),
          m_tranCount(tranCount) {}

    const Translation& translation() const { return m_translation; }

    // The literal token the `slot`-th literal marker stands for (from 1), or none when the
    // translation has no such marker.
    const Token* literal(qsizetype slot) const;
    // The value of a literal token; binary literals ("0x…") are given by binaryLiteralBytes().
    static DbValue literalValue(const Token& literal);
    static QByteArray binaryLiteralBytes(const Token& literal);

    // The value of a named marker, as the dialect wrote it: a variable ("@x", lower case) or a system
    // value (@@ROWCOUNT, @@TRANCOUNT). Fails with error 137 when the variable was not declared.
    EngineStatus variable(const QString& name, DbValue& value) const;

private:
    const TokenList& m_tokens;
    const Translation& m_translation;
    const VariableLookup& m_variables;
    qint64 m_rowCount;
    int m_tranCount;
};

// What a statement produced.
struct StatementOutcome {
    Translation::Kind kind = Translation::Kind::Query;
    std::optional<RecordSet> rows; // for queries
    qint64 rowCount = 0;           // rows returned by a query or touched by a change
};

// The database the engine runs translated statements on: SQLite in the terminal's process, or a
// database server. The engine decides what a T-SQL statement means and how it is written for the
// target (through its dialect); the target runs it, keeps its own prepared statements and
// transactions, and reports failures as the server would have.
class Target {
public:
    virtual ~Target() = default;

    virtual const Dialect& dialect() const = 0;
    // What the translator knows of the target's tables and views, forgotten after schema changes.
    virtual Catalogue& catalogue() = 0;

    // Creates what the engine keeps in the database beside the restaurant's tables when missing:
    // the procedure table ("nerin_procedures": name, compared without regard to case, and
    // definition) and whatever the target needs to answer for INFORMATION_SCHEMA. A target whose
    // database is prepared beforehand (PostgreSQL) has nothing to do.
    virtual EngineStatus installEngineTables() = 0;

    // Runs one translated statement.
    virtual EngineStatus execute(const StatementValues& values, StatementOutcome& outcome) = 0;

    // Runs the engine's own SQL on its own tables, written in SQL both targets share, with
    // `parameters` bound to $1, $2… (in order of first use); `rows` receives what it returns.
    virtual EngineStatus runNative(const QString& sql, const QList<DbValue>& parameters = {},
                                   RecordSet* rows = nullptr) = 0;

    // Transactions as the engine uses them: Begin opens the transaction in which a procedure call or
    // a BEGIN TRAN runs, isolated from other connections so that its checks and changes cannot
    // interleave wrongly with theirs.
    enum class TransactionStep { Begin, Commit, Rollback, Savepoint, ReleaseSavepoint, RollbackToSavepoint };
    virtual EngineStatus transaction(TransactionStep step, const QString& savepoint = {}) = 0;
    // Whether no transaction is open on the connection.
    virtual bool autocommit() const = 0;
    // Whether `error` ended a transaction that may succeed when run again from its start (another
    // connection's conflicting change, a deadlock).
    virtual bool isRetryable(const EngineError& error) const {
        Q_UNUSED(error);
        return false;
    }
};

} // namespace nerin::tsql
