#pragma once

#include "base/Result.h"
#include "data/DbValue.h"
#include "data/RecordSet.h"
#include "server/postgres/PgError.h"
#include "server/postgres/PgValues.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

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
    // sessions. The session speaks UTF-8, writes dates in the ISO style and reads day-first date texts
    // ("06/12/2026" is the 6th of December). A server that cannot be reached, or refuses the login, is
    // a lost link.
    Status open(const QString& conninfo, const QString& applicationName, int connectTimeoutSeconds = 10);
    void close();
    // False also once the server has closed the connection.
    bool isOpen() const;

    // Runs `sql`. Without parameters the text may hold several statements, run in order until one
    // fails; with parameters it is one statement that names them $1, $2, … (sent apart from the text,
    // never inside it).
    Result<Outcome> execute(const QString& sql, const QList<DbValue>& parameters = {});
    // As execute(), with each parameter sent as the type it carries (0: the server infers it).
    Result<Outcome> execute(const QString& sql, const std::vector<PgValues::Parameter>& parameters);
    // As execute(), giving the first result (an empty one when no statement returned rows).
    Result<RecordSet> query(const QString& sql, const QList<DbValue>& parameters = {});

    // Runs one statement that names its parameters $1, $2, … as a statement prepared on the server:
    // the first call with a text and parameter types prepares it, later calls with the same text and
    // types run it again. At most kMaxPrepared are kept; a parameter of type 0 takes the type the
    // server infers from where it stands.
    static constexpr qsizetype kMaxPrepared = 400;
    Result<Outcome> executePrepared(const QString& sql, const std::vector<PgValues::Parameter>& parameters);
    // Forgets the prepared statements whose text contains `fragment` (every one when empty), so that
    // the next call prepares them again: after a change of schema, a statement whose result changed
    // shape could not run again.
    void forgetPrepared(QStringView fragment = {});
    qsizetype preparedCount() const { return m_prepared.size(); }

    // Whether a transaction is open, also one that failed and waits for its rollback.
    bool inTransaction() const;
    // The database the connection is on.
    QString databaseName() const;

    Status begin(Isolation isolation = Isolation::ReadCommitted);
    Status commit();
    Status rollback();

    const std::optional<PgError>& lastError() const { return m_lastError; }

private:
    Status fail(PgError error);
    // The failure libpq reports for the connection itself.
    Status failFromConnection(const QString& context);
    // Reads every result of the call just sent; `sql` names the failed statement in messages.
    Result<Outcome> collect(QStringView sql);
    // Prepares `sql` under a new name, giving a text type to each untyped parameter the server cannot
    // infer a type for.
    Result<QByteArray> prepare(const QString& sql, std::vector<unsigned int> types);
    // Deallocates the statements forgotten since the last call, when the connection can.
    void deallocateForgotten();

    pg_conn* m_conn = nullptr;
    std::optional<PgError> m_lastError;
    // Prepared statements by their text and parameter types, with the names they were prepared under.
    QHash<QString, QByteArray> m_prepared;
    QList<QByteArray> m_forgotten;
    quint64 m_nextPrepared = 0;
};

} // namespace nerin
