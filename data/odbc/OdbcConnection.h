#pragma once

#include "data/Connection.h"

#include <QString>
#include <memory>

namespace nerin {

class OdbcCatalogue;
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
// Texts (execute, query, and commands that are not procedure calls) reach the driver through
// tsql::SqlServerRewrite: as they are, but for old outer joins (*=, =*), which SQL Server refuses and
// which reach it as LEFT JOINs of the same meaning, their columns placed by the driver's catalogue. An
// old outer join that has no such LEFT JOIN fails with CommandTextError before anything is sent.
//
// Right after connecting, open() runs the session text (by default kSqlServerSession), so that the
// terminal's day-first date texts read the same whatever the login's default language is.
//
// Failures are classified from the first diagnostic that is not a warning (see classifyOdbcError); a
// failure to connect, or to run the session text, is always LostLink and leaves the connection closed.
// A call on a connection that is not open fails with LostLink.
class OdbcConnection : public Connection {
public:
    // Spanish messages and names of months and days, then the day-first date format (SET LANGUAGE
    // sets a format of its own, so the format comes after it): '06/12/2026' is the 6th of December.
    static inline const QString kSqlServerSession =
        QStringLiteral("SET LANGUAGE N'Español'; SET DATEFORMAT dmy;");

    // `session` runs once after each connect; empty runs nothing.
    explicit OdbcConnection(QString connectionString, int timeoutSeconds = 100000,
                            QString session = kSqlServerSession);
    ~OdbcConnection() override;
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;

    // Before open(): the driver manager writes a trace of every ODBC call of this connection to the
    // file, for diagnosing a connection on site.
    void setTraceFile(const QString& path) { m_traceFile = path; }

    // Connects and runs the session text; does nothing when already open.
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
    // The text the driver gets for `sql`, or the reason it cannot be sent.
    Result<QString> driverText(const QString& sql);
    // Reads every remaining result of an executed statement; results with columns are appended to
    // the list when one is given, and the last row count of a data change is kept in rowCount.
    Status consumeResults(OdbcStatement& statement, QList<RecordSet>* results, qint64* rowCount);

    QString m_connectionString;
    int m_timeoutSeconds;
    QString m_session;
    QString m_traceFile;
    Handle m_environment = nullptr;
    Handle m_connection = nullptr;
    std::unique_ptr<OdbcCatalogue> m_catalogue; // while open
    bool m_inTransaction = false;
};

} // namespace nerin
