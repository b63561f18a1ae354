#pragma once

#include "data/Connection.h"

#include <memory>
#include <optional>

struct sqlite3;

namespace nerin {

namespace tsql {
class Interpreter;
class Session;
struct EngineError;
} // namespace tsql

// The embedded back-end: a SQLite database file that every terminal process of the machine opens
// directly, speaking T-SQL through the dialect engine. The journal is a write-ahead log and a busy
// database is waited for, so many terminals can write to one file.
class SqliteConnection : public Connection {
public:
    enum class OpenMode { ExistingFile, CreateIfMissing };

    explicit SqliteConnection(QString path, OpenMode mode = OpenMode::ExistingFile,
                              int busyTimeoutMs = 30000);
    ~SqliteConnection() override;

    Status open() override;
    void close() override;
    bool isOpen() const override { return m_db != nullptr; }

    Result<qint64> execute(const QString& sql) override;
    Result<RecordSet> query(const QString& sql) override;
    Result<QList<RecordSet>> run(DbCommand& command) override;

    Status beginTransaction() override;
    Status commit() override;
    Status rollback() override;

    const QString& path() const { return m_path; }

private:
    Status fail(const tsql::EngineError& error);
    Status notOpen();
    // Begins, commits or rolls back through the engine, which counts nested transactions.
    Status transaction(std::optional<tsql::EngineError> (tsql::Interpreter::*step)());

    QString m_path;
    OpenMode m_mode;
    int m_busyTimeoutMs;
    sqlite3* m_db = nullptr;
    std::unique_ptr<tsql::Session> m_session;
};

} // namespace nerin
