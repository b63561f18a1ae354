#pragma once

#include "base/Result.h"
#include "data/DbCommand.h"
#include "data/DbError.h"
#include "data/RecordSet.h"

#include <QList>
#include <QString>

namespace nerin {

// The numbers by which the terminal tells database failures apart, as its error reporting has always
// received them from the database driver.
namespace DbErrorNumber {
constexpr qint64 kGenericFailure = -2147467259; // 0x80004005: see the SQLSTATE of the first entry
constexpr qint64 kCommandText = -2147217900;    // 0x80040E14: the statement could not be run
constexpr qint64 kObjectNotFound = -2147217865; // 0x80040E37: a table, column or procedure is missing
} // namespace DbErrorNumber

// The error raised by a failed call: its number and description. The connection's error list holds
// the driver's entries behind it.
struct DbFailure {
    qint64 number = DbErrorNumber::kGenericFailure;
    QString description;
};

// The terminal's one connection to the restaurant database, whatever the back-end. Every call either
// succeeds or fails with a Status whose message is the failure's description; after a failure,
// lastFailure() and errors() say what the database reported, until the next call. Nothing here shows
// anything to anybody: reporting is the caller's job.
//
// Status codes: CommandTextError (the statement could not be parsed or run, a constraint or type
// error), NotFound (missing table, column or procedure), DatabaseError (busy after the time-out, other
// failures shown to the user), LostLink (the database cannot be reached, read or written: the terminal
// ends).
class Connection {
public:
    virtual ~Connection() = default;

    virtual Status open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Runs a statement text (one statement, several, or a procedure call) and returns the number of
    // rows the last data change touched.
    virtual Result<qint64> execute(const QString& sql) = 0;
    // Runs a statement text and returns its first result (an empty one when it returns no rows).
    virtual Result<RecordSet> query(const QString& sql) = 0;
    // Runs a command with named parameters; output parameters are written back into the command.
    // Returns every result the command produced, in order.
    virtual Result<QList<RecordSet>> run(DbCommand& command) = 0;

    virtual Status beginTransaction() = 0;
    virtual Status commit() = 0;
    virtual Status rollback() = 0;

    // The file of an embedded database that this connection opens; empty for a database server.
    virtual QString archivoLocal() const { return {}; }

    // Rolls back the open transaction because of `failure` and returns `failure`. What the database
    // reported for it stays in lastFailure() and errors(), so that it can be reported after the
    // rollback; a rollback that fails too adds its reason to the message.
    Status rollbackAfter(Status failure) {
        DbFailure causa = m_lastFailure;
        DbErrorList errores = m_errors;
        if (Status deshecho = rollback(); !deshecho)
            return Status::error(failure.code(), failure.message() +
                                                     QStringLiteral(" (no se pudo deshacer: ") +
                                                     deshecho.message() + u')');
        setFailure(std::move(causa), std::move(errores));
        return failure;
    }

    const DbErrorList& errors() const { return m_errors; }
    const DbFailure& lastFailure() const { return m_lastFailure; }

protected:
    void clearErrors() {
        m_errors.clear();
        m_lastFailure = {};
    }
    void setFailure(DbFailure failure, DbErrorList errors) {
        m_lastFailure = std::move(failure);
        m_errors = std::move(errors);
    }

private:
    DbErrorList m_errors;
    DbFailure m_lastFailure;
};

} // namespace nerin
