#pragma once

#include "data/Connection.h"

#include <functional>
#include <memory>
#include <optional>

namespace nerin {

namespace tsql {
class Interpreter;
class Session;
class Target;
struct EngineError;
class EngineStatus;
} // namespace tsql

// A connection whose T-SQL the dialect engine runs in the terminal's process, on whatever database
// its target reaches: batches, commands with parameters (by name, or "?" in order), procedure calls
// with output parameters, and transactions counted as the server counts them. Subclasses open and
// close the database and hand their target over.
class EngineConnection : public Connection {
public:
    ~EngineConnection() override;

    Result<qint64> execute(const QString& sql) override;
    Result<RecordSet> query(const QString& sql) override;
    Result<QList<RecordSet>> run(DbCommand& command) override;

    Status beginTransaction() override;
    Status commit() override;
    Status rollback() override;

protected:
    EngineConnection();

    // Starts the engine on an opened database; a failure leaves no session.
    Status attach(std::unique_ptr<tsql::Target> target);
    void detach();
    bool attached() const { return m_session != nullptr; }

    Status fail(const tsql::EngineError& error);

private:
    // What a batch of text gave: the rows its last change touched, and its first result.
    struct TextOutcome {
        qint64 rowsAffected = 0;
        RecordSet firstResult;
    };
    Result<TextOutcome> runText(const QString& sql);

    Status notOpen();
    // Runs `call` again, a few times with a short pause, while it fails only because another
    // connection's change conflicted with it, when it ran in a transaction of its own and the failure
    // `undone` all it did: inside the caller's transaction the caller's earlier work is undone too,
    // so that one is the caller's.
    tsql::EngineStatus retrying(const std::function<tsql::EngineStatus()>& call,
                                const std::function<bool()>& undone = {});
    // Begins, commits or rolls back through the engine, which counts nested transactions.
    Status transaction(tsql::EngineStatus (tsql::Interpreter::*step)());

    std::unique_ptr<tsql::Session> m_session;
};

} // namespace nerin
