#pragma once

#include "data/Connection.h"

#include <QString>

namespace nerin {

class OdbcStatement;

// The connection to a Microsoft SQL Server (or any other ODBC data source) through the unixODBC driver
// manager, typically with the FreeTDS driver. The connection string goes to SQLDriverConnect as it is
// ("DRIVER=...;SERVER=...;DATABASE=...;UID=...;PWD=..."); nothing ever prompts.
//
// Statements run with the command time-out given at construction. Texts travel as UTF-16 in both
// directions; results are read whole into memory, so no statement stays open after a call returns.
//
// Procedures (DbCommand::Kind::StoredProcedure) are called with the ODBC escape "{call Name(?, ...)}",
// which the SQL Server drivers turn into a remote procedure call: the parameters are passed by
// position, in the order the command declares them, and their names serve only to read output values
// back. Output values are written into the command after every result has been read.
//
// Failures are classified from the first diagnostic that is not a warning (see classifyOdbcError); a
// failure to connect is always LostLink. A call on a connection that is not open fails with LostLink.
class OdbcConnection : public Connection {
public:
    explicit OdbcConnection(QString connectionString, int timeoutSeconds = 100000);
    ~OdbcConnection() override;
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;

    // Connects; does nothing when already open.
    Status open() override;
    // Rolls back an open transaction and disconnects.
    void close() override;
    bool isOpen() const override { return m_connection != nullptr; }

    Result<qint64> execute(const QString& sql) override;
    Result<RecordSet> query(const QString& sql) override;
    Result<QList<RecordSet>> run(DbCommand& command) override;

    // One transaction at a time: beginning a second one, or ending one that was not begun, fails with
    // DatabaseError. A commit that fails leaves the transaction open, for the caller to roll back.
    Status beginTransaction() override;
    Status commit() override;
    Status rollback() override;

private:
    // ODBC handles are void pointers; they are kept as such so that this header does not pull in the
    // ODBC headers and their macros.
    using Handle = void*;

    Status endTransaction(bool commitChanges);
    Status setAutoCommit(bool on);
    // Records the handle's diagnostics as the failure and returns its Status.
    Status failure(short handleType, Handle handle);
    Status failure(const OdbcStatement& statement);
    Status notOpen();
    Status ownFailure(Status::Code code, const QString& description);
    // Reads every remaining result of an executed statement; results with columns are appended to
    // the list when one is given, and the last row count of a data change is kept in rowCount.
    Status consumeResults(OdbcStatement& statement, QList<RecordSet>* results, qint64* rowCount);

    QString m_connectionString;
    int m_timeoutSeconds;
    Handle m_environment = nullptr;
    Handle m_connection = nullptr;
    bool m_inTransaction = false;
};

} // namespace nerin
