#include "server/postgres/PgConnection.h"

#include "server/postgres/PgErrorMap.h"
#include "server/postgres/PgValues.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <algorithm>
#include <libpq-fe.h>
#include <memory>
#include <vector>

namespace nerin {

namespace {

struct ResultDeleter {
    void operator()(PGresult* result) const { PQclear(result); }
};
using ResultPtr = std::unique_ptr<PGresult, ResultDeleter>;

// The server's notices ("table does not exist, skipping") are not errors, and nobody reads them.
void ignoreNotice(void*, const char*) {}

QString trimmedMessage(const char* message) {
    return QString::fromUtf8(message).trimmed();
}

RecordSet readRows(const PGresult* result) {
    const int columns = PQnfields(result);
    QStringList names;
    names.reserve(columns);
    for (int c = 0; c < columns; ++c)
        names.append(QString::fromUtf8(PQfname(result, c)));
    RecordSet rows(std::move(names));
    const int count = PQntuples(result);
    for (int r = 0; r < count; ++r) {
        QList<DbValue> row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            const char* text = PQgetisnull(result, r, c) ? nullptr : PQgetvalue(result, r, c);
            row.append(PgValues::field(PQftype(result, c), text, PQgetlength(result, r, c)));
        }
        rows.addRow(std::move(row));
    }
    return rows;
}

// A data change (with or without RETURNING) sets the count of rows changed; other statements leave it.
void countChange(PGresult* result, PgConnection::Outcome& outcome) {
    const QByteArray tag(PQcmdStatus(result));
    if (tag.startsWith("INSERT ") || tag.startsWith("UPDATE ") || tag.startsWith("DELETE ") ||
        tag.startsWith("MERGE "))
        outcome.rowsAffected = QByteArray(PQcmdTuples(result)).toLongLong();
}

QString field(const PGresult* result, int code) {
    const char* text = PQresultErrorField(result, code);
    return text ? QString::fromUtf8(text) : QString();
}

// The first word of a statement, upper case: the verb constraint messages name.
QString verbOf(QStringView sql) {
    sql = sql.trimmed();
    qsizetype end = 0;
    while (end < sql.size() && sql[end].isLetter())
        ++end;
    return sql.left(end).toString().toUpper();
}

PgError errorOf(const PGresult* result, QStringView sql, const char* database) {
    const QString primary = field(result, PG_DIAG_MESSAGE_PRIMARY);
    PgErrorMap::Details details{field(result, PG_DIAG_TABLE_NAME), field(result, PG_DIAG_COLUMN_NAME),
                                field(result, PG_DIAG_CONSTRAINT_NAME), verbOf(sql),
                                database ? QString::fromUtf8(database) : QString()};
    return PgErrorMap::classify(field(result, PG_DIAG_SQLSTATE),
                                primary.isEmpty() ? trimmedMessage(PQresultErrorMessage(result)) : primary,
                                false, details);
}

QString lostLinkText() {
    return QStringLiteral("Se perdió la conexión con el servidor PostgreSQL: %1");
}

// The name of the `n`-th statement a connection prepares.
QByteArray preparedName(quint64 n) {
    return QByteArrayLiteral("nerin_") + QByteArray::number(n);
}

} // namespace

PgConnection::~PgConnection() {
    close();
}

Status PgConnection::open(const QString& conninfo, const QString& applicationName,
                          int connectTimeoutSeconds) {
    close();
    m_lastError.reset();
    // The connection string is expanded first; the keywords after it override what it says of them.
    const QByteArray info = conninfo.toUtf8();
    const QByteArray timeout = QByteArray::number(std::max(connectTimeoutSeconds, 1));
    const QByteArray name = applicationName.toUtf8();
    const char* const keywords[] = {"dbname",          "connect_timeout", "application_name",
                                    "client_encoding", "options",         nullptr};
    const char* const values[] = {info.constData(), timeout.constData(),    name.constData(),
                                  "UTF8",           "-c DateStyle=ISO,DMY", nullptr};
    m_conn = PQconnectdbParams(keywords, values, 1);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        const QString detail = m_conn ? trimmedMessage(PQerrorMessage(m_conn)) : QString();
        close();
        return fail(PgErrorMap::classify(
            QStringLiteral("08001"),
            QStringLiteral("No se pudo conectar con el servidor PostgreSQL: %1").arg(detail), true));
    }
    PQsetNoticeProcessor(m_conn, ignoreNotice, nullptr);
    // The session's dates (LOCALTIMESTAMP, timestamptz read as text) are in this machine's local time,
    // whatever zone the server was set up in: the terminal keeps every date in local time.
    const QString zone = QString::fromLatin1(QTimeZone::systemTimeZoneId());
    if (zone.isEmpty())
        return Status::ok();
    if (const auto set = execute(QStringLiteral("SELECT set_config('TimeZone', $1, false)"), {zone}); !set) {
        const QString detail = set.status().message();
        close();
        return fail(PgErrorMap::classify(
            QStringLiteral("08001"),
            QStringLiteral("El servidor PostgreSQL no admite la zona horaria %1 de esta máquina: %2")
                .arg(zone, detail),
            true));
    }
    return Status::ok();
}

void PgConnection::close() {
    // Prepared statements end with the session.
    m_prepared.clear();
    m_forgotten.clear();
    if (m_conn) {
        PQfinish(m_conn);
        m_conn = nullptr;
    }
}

bool PgConnection::isOpen() const {
    return m_conn && PQstatus(m_conn) == CONNECTION_OK;
}

Status PgConnection::fail(PgError error) {
    Status status = error.toStatus();
    m_lastError = std::move(error);
    return status;
}

Status PgConnection::failFromConnection(const QString& context) {
    // libpq fails to send or read only when the connection is unusable.
    const QString detail = m_conn ? trimmedMessage(PQerrorMessage(m_conn)) : QString();
    return fail(PgErrorMap::classify(
        QString(), context.arg(detail.isEmpty() ? QStringLiteral("sin conexión") : detail), true));
}

Result<PgConnection::Outcome> PgConnection::execute(const QString& sql, const QList<DbValue>& parameters) {
    std::vector<PgValues::Parameter> converted;
    converted.reserve(static_cast<std::size_t>(parameters.size()));
    for (const DbValue& parameter : parameters)
        converted.push_back(PgValues::parameter(parameter));
    return execute(sql, converted);
}

Result<PgConnection::Outcome> PgConnection::execute(const QString& sql,
                                                    const std::vector<PgValues::Parameter>& parameters) {
    m_lastError.reset();
    const QString lostLink = lostLinkText();
    if (!m_conn)
        return failFromConnection(lostLink);
    deallocateForgotten();
    const QByteArray text = sql.toUtf8();
    int sent = 0;
    if (parameters.empty()) {
        sent = PQsendQuery(m_conn, text.constData());
    } else {
        std::vector<unsigned int> types;
        std::vector<const char*> values;
        types.reserve(parameters.size());
        values.reserve(parameters.size());
        for (const PgValues::Parameter& parameter : parameters) {
            types.push_back(parameter.type);
            values.push_back(parameter.null ? nullptr : parameter.text.constData());
        }
        sent = PQsendQueryParams(m_conn, text.constData(), static_cast<int>(values.size()), types.data(),
                                 values.data(), nullptr, nullptr, 0);
    }
    if (!sent)
        return failFromConnection(lostLink);
    return collect(sql);
}

Result<PgConnection::Outcome> PgConnection::collect(QStringView sql) {
    const QString lostLink = lostLinkText();
    // Every result is read, also after a failure: the connection takes no new call before the last one.
    Outcome outcome;
    std::optional<PgError> failure;
    while (ResultPtr result{PQgetResult(m_conn)}) {
        switch (PQresultStatus(result.get())) {
        case PGRES_TUPLES_OK:
        case PGRES_SINGLE_TUPLE:
            outcome.results.append(readRows(result.get()));
            countChange(result.get(), outcome);
            break;
        case PGRES_COMMAND_OK:
            countChange(result.get(), outcome);
            break;
        case PGRES_EMPTY_QUERY:
            break;
        case PGRES_COPY_IN:
            (void)PQputCopyEnd(m_conn, "COPY no se admite");
            break;
        case PGRES_COPY_OUT: {
            char* buffer = nullptr;
            while (PQgetCopyData(m_conn, &buffer, 0) > 0)
                PQfreemem(buffer);
            break;
        }
        default:
            if (!failure)
                failure = errorOf(result.get(), sql, PQdb(m_conn));
            break;
        }
    }
    if (failure) {
        // A server that closed the connection while the results were read is a lost link too.
        if (PQstatus(m_conn) != CONNECTION_OK || failure->code == Status::Code::LostLink)
            failure = PgErrorMap::classify(failure->detail.sqlState,
                                           lostLink.arg(failure->detail.description), true);
        return fail(std::move(*failure));
    }
    if (PQstatus(m_conn) != CONNECTION_OK)
        return failFromConnection(lostLink);
    return outcome;
}

Result<RecordSet> PgConnection::query(const QString& sql, const QList<DbValue>& parameters) {
    Result<Outcome> outcome = execute(sql, parameters);
    if (!outcome)
        return outcome.status();
    if (outcome->results.isEmpty())
        return RecordSet();
    return std::move(outcome->results.first());
}

Status PgConnection::begin(Isolation isolation) {
    const Result<Outcome> begun =
        execute(isolation == Isolation::Serializable ? QStringLiteral("BEGIN ISOLATION LEVEL SERIALIZABLE")
                                                     : QStringLiteral("BEGIN"));
    return begun ? Status::ok() : begun.status();
}

Status PgConnection::commit() {
    // After a failed statement the server ends the transaction with COMMIT by undoing it, and says
    // so only in the command's tag: that is a failure, or the caller would take the work as saved.
    const bool failedBefore = m_conn && PQtransactionStatus(m_conn) == PQTRANS_INERROR;
    const Result<Outcome> committed = execute(QStringLiteral("COMMIT"));
    if (!committed)
        return committed.status();
    if (failedBefore)
        return fail(PgErrorMap::classify(
            QStringLiteral("25P02"),
            QStringLiteral("La transacción se deshizo por un error anterior; no se guardó nada."), false));
    return Status::ok();
}

Status PgConnection::rollback() {
    const Result<Outcome> undone = execute(QStringLiteral("ROLLBACK"));
    return undone ? Status::ok() : undone.status();
}

} // namespace nerin

namespace nerin {

Result<PgConnection::Outcome>
PgConnection::executePrepared(const QString& sql, const std::vector<PgValues::Parameter>& parameters) {
    m_lastError.reset();
    const QString lostLink = lostLinkText();
    if (!m_conn)
        return failFromConnection(lostLink);
    std::vector<unsigned int> types;
    std::vector<const char*> values;
    types.reserve(parameters.size());
    values.reserve(parameters.size());
    QString key = sql;
    key.reserve(sql.size() + static_cast<qsizetype>(parameters.size()) * 5);
    for (const PgValues::Parameter& parameter : parameters) {
        types.push_back(parameter.type);
        values.push_back(parameter.null ? nullptr : parameter.text.constData());
        key += u'\x1f' + QString::number(parameter.type);
    }
    QByteArray name = m_prepared.value(key);
    if (name.isEmpty()) {
        deallocateForgotten();
        if (m_prepared.size() >= kMaxPrepared)
            forgetPrepared();
        Result<QByteArray> prepared = prepare(sql, types);
        if (!prepared)
            return prepared.status();
        name = std::move(prepared).value();
        m_prepared.insert(key, name);
    }
    if (!PQsendQueryPrepared(m_conn, name.constData(), static_cast<int>(values.size()), values.data(),
                             nullptr, nullptr, 0))
        return failFromConnection(lostLink);
    return collect(sql);
}

Result<QByteArray> PgConnection::prepare(const QString& sql, std::vector<unsigned int> types) {
    const QString lostLink = lostLinkText();
    const QByteArray text = sql.toUtf8();
    // A failed preparation would end the transaction it is tried in; a savepoint keeps it going.
    const bool guarded = PQtransactionStatus(m_conn) == PQTRANS_INTRANS &&
                         std::find(types.begin(), types.end(), 0u) != types.end();
    const auto step = [this](const char* command) {
        const ResultPtr done{PQexec(m_conn, command)};
        return done && PQresultStatus(done.get()) == PGRES_COMMAND_OK;
    };
    for (std::size_t attempt = 0; attempt <= types.size(); ++attempt) {
        if (guarded && !step("SAVEPOINT nerin_prepare"))
            return failFromConnection(lostLink);
        const QByteArray name = preparedName(++m_nextPrepared);
        const ResultPtr prepared{PQprepare(m_conn, name.constData(), text.constData(),
                                           static_cast<int>(types.size()), types.data())};
        if (!prepared)
            return failFromConnection(lostLink);
        if (PQresultStatus(prepared.get()) == PGRES_COMMAND_OK) {
            if (guarded && !step("RELEASE SAVEPOINT nerin_prepare"))
                return failFromConnection(lostLink);
            return name;
        }
        PgError error = errorOf(prepared.get(), sql, PQdb(m_conn));
        if (guarded &&
            !(step("ROLLBACK TO SAVEPOINT nerin_prepare") && step("RELEASE SAVEPOINT nerin_prepare")))
            return failFromConnection(lostLink);
        if (PQstatus(m_conn) != CONNECTION_OK || error.code == Status::Code::LostLink)
            return fail(
                PgErrorMap::classify(error.detail.sqlState, lostLink.arg(error.detail.description), true));
        // A text or a NULL where nothing gives it a type ("$1 IS NULL") is taken as a text, as T-SQL
        // takes an untyped literal there.
        static const QRegularExpression untyped(
            QStringLiteral("could not determine data type of parameter \\$(\\d+)"));
        const QRegularExpressionMatch m = untyped.match(error.detail.description);
        const std::size_t index = m.hasMatch() ? m.captured(1).toULongLong() : 0;
        if (error.detail.sqlState != u"42P18" || index < 1 || index > types.size() || types[index - 1] != 0)
            return fail(std::move(error));
        types[index - 1] = PgValues::kText;
    }
    return fail(
        PgErrorMap::classify(QStringLiteral("42P18"), QStringLiteral("could not prepare: ") + sql, false));
}

void PgConnection::forgetPrepared(QStringView fragment) {
    for (auto it = m_prepared.begin(); it != m_prepared.end();) {
        if (fragment.isEmpty() || QStringView(it.key()).contains(fragment)) {
            m_forgotten.append(it.value());
            it = m_prepared.erase(it);
        } else {
            ++it;
        }
    }
}

void PgConnection::deallocateForgotten() {
    // A failed transaction takes no statement but its end; the names wait until it ended. A name is
    // never given twice, so a statement not yet deallocated is never taken for a new one.
    if (m_forgotten.isEmpty() || !m_conn || PQtransactionStatus(m_conn) == PQTRANS_INERROR)
        return;
    QByteArray sql;
    for (const QByteArray& name : std::as_const(m_forgotten))
        sql += QByteArrayLiteral("DEALLOCATE ") + name + ';';
    m_forgotten.clear();
    const ResultPtr done{PQexec(m_conn, sql.constData())};
    Q_UNUSED(done);
}

bool PgConnection::inTransaction() const {
    return m_conn && PQtransactionStatus(m_conn) != PQTRANS_IDLE &&
           PQtransactionStatus(m_conn) != PQTRANS_UNKNOWN;
}

QString PgConnection::databaseName() const {
    return m_conn ? QString::fromUtf8(PQdb(m_conn)) : QString();
}

} // namespace nerin
