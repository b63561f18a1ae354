#pragma once

#include "base/Result.h"
#include "data/DbValue.h"
#include "data/RecordSet.h"
#include "server/postgres/PgError.h"

#include <QList>
#include <QString>
#include <optional>

struct pg_conn;

namespace nerin {

// One connection to a PostgreSQL server through libpq, speaking PostgreSQL's own SQL. Every call
// either succeeds or fails with a Status whose message is the server's; after a failure, lastError()
// says what the server reported, until the next call. Nothing is retried here: a failure marked
// retryable is the caller's to run again from the start of its transaction.
class PgConnection {
public:
    enum class Isolation { ReadCommitted, Serializable };

    // What one call produced: every result that returned rows, in order, and the number of rows the
    // last data change touched (0 when none did).
    struct Outcome {
        QList<RecordSet> results;
        qint64 rowsAffected = 0;
    };

    PgConnection() = default;
    ~PgConnection();
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    // Connects with a libpq connection string ("host=… port=… dbname=… user=… password=…"), giving up
    // after `connectTimeoutSeconds`, under `applicationName`, which the server shows among its
    // sessions. The session speaks UTF-8 and writes dates in the ISO style. A server that cannot be
    // reached, or refuses the login, is a lost link.
    Status open(const QString& conninfo, const QString& applicationName, int connectTimeoutSeconds = 10);
    void close();
    // False also once the server has closed the connection.
    bool isOpen() const;

    // Runs `sql`. Without parameters the text may hold several statements, run in order until one
    // fails; with parameters it is one statement that names them $1, $2, … (sent apart from the text,
    // never inside it).
    Result<Outcome> execute(const QString& sql, const QList<DbValue>& parameters = {});
    // As execute(), giving the first result (an empty one when no statement returned rows).
    Result<RecordSet> query(const QString& sql, const QList<DbValue>& parameters = {});

    Status begin(Isolation isolation = Isolation::ReadCommitted);
    Status commit();
    Status rollback();

    const std::optional<PgError>& lastError() const { return m_lastError; }

private:
    Status fail(PgError error);
    // The failure libpq reports for the connection itself.
    Status failFromConnection(const QString& context);

    pg_conn* m_conn = nullptr;
    std::optional<PgError> m_lastError;
};

} // namespace nerin
