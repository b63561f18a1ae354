#include "server/tsql/SqliteTarget.h"

#include "server/tsql/InformationSchema.h"
#include "server/tsql/SqlFunctions.h"
#include "server/tsql/SqliteErrors.h"
#include "server/tsql/SqliteValues.h"

#include <sqlite3.h>

namespace nerin::tsql {

namespace {

// Prepared statements are finalized when there are more than this: the terminal sends a few hundred
// statement shapes, so this only happens to a client that builds statements without end.
constexpr qsizetype kMaxStatements = 400;

// The value a marker takes: "$n" and "?n" the n-th, a bare "?" the one of its position.
DbValue markerValue(const char* name, int position, const QList<DbValue>& parameters) {
    const int n = name && (name[0] == '$' || name[0] == '?') ? QByteArray(name + 1).toInt() : position;
    return n >= 1 && n <= parameters.size() ? parameters[n - 1] : DbValue();
}

} // namespace

SqliteTarget::~SqliteTarget() {
    finalizeAll();
}

void SqliteTarget::finalizeAll() {
    for (sqlite3_stmt* statement : std::as_const(m_statements))
        sqlite3_finalize(statement);
    m_statements.clear();
}

bool SqliteTarget::autocommit() const {
    return sqlite3_get_autocommit(m_db) != 0;
}

EngineError SqliteTarget::sqliteError(int code, QStringView verb) const {
    return classifySqliteError(code, m_db, verb);
}

EngineStatus SqliteTarget::installEngineTables() {
    if (Status registered = registerTsqlFunctions(m_db); !registered)
        return EngineError{Status::Code::LostLink, 0, QStringLiteral("08S01"), registered.message()};
    if (EngineStatus failure =
            runNative(QStringLiteral("CREATE TABLE IF NOT EXISTS nerin_procedures ("
                                     "name TEXT PRIMARY KEY COLLATE NOCASE, definition TEXT NOT NULL)"));
        !failure.isOk())
        return failure;
    return InformationSchema::install(m_db);
}

// A write transaction from its start (IMMEDIATE): a check made inside it cannot be overtaken by
// another terminal's write before the change that depends on it.
EngineStatus SqliteTarget::transaction(TransactionStep step, const QString& savepoint) {
    switch (step) {
    case TransactionStep::Begin:
        return runNative(QStringLiteral("BEGIN IMMEDIATE"));
    case TransactionStep::Commit:
        return runNative(QStringLiteral("COMMIT"));
    case TransactionStep::Rollback:
        return runNative(QStringLiteral("ROLLBACK"));
    case TransactionStep::Savepoint:
        return runNative(QStringLiteral("SAVEPOINT ") + savepoint);
    case TransactionStep::ReleaseSavepoint:
        return runNative(QStringLiteral("RELEASE ") + savepoint);
    case TransactionStep::RollbackToSavepoint:
        return runNative(QStringLiteral("ROLLBACK TO ") + savepoint);
    }
    return EngineStatus::ok();
}

EngineResult<sqlite3_stmt*> SqliteTarget::prepared(const QString& sql, bool keep) {
    if (keep) {
        if (sqlite3_stmt* cached = m_statements.value(sql))
            return cached;
    }
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v3(m_db, utf8.constData(), static_cast<int>(utf8.size()),
                                        keep ? SQLITE_PREPARE_PERSISTENT : 0, &statement, nullptr);
    if (code != SQLITE_OK) {
        sqlite3_finalize(statement);
        return sqliteError(code);
    }
    if (keep) {
        if (m_statements.size() >= kMaxStatements)
            finalizeAll();
        m_statements.insert(sql, statement);
    }
    return statement;
}

EngineStatus SqliteTarget::execute(const StatementValues& values, StatementOutcome& outcome) {
    const Translation& t = values.translation();
    // Schema statements run once; everything else is kept prepared for the next time.
    const bool keep = t.kind != Translation::Kind::Schema;
    auto statement = prepared(t.sql, keep);
    if (!statement)
        return statement.status();
    EngineStatus done = bind(*statement, values);
    if (done.isOk())
        done = step(*statement, t, outcome);
    if (keep) {
        sqlite3_reset(*statement);
        sqlite3_clear_bindings(*statement);
    } else {
        sqlite3_finalize(*statement);
    }
    return done;
}

EngineStatus SqliteTarget::bind(sqlite3_stmt* statement, const StatementValues& values) {
    const int count = sqlite3_bind_parameter_count(statement);
    for (int i = 1; i <= count; ++i) {
        const char* rawName = sqlite3_bind_parameter_name(statement, i);
        const QString name = rawName ? QString::fromUtf8(rawName) : QString();
        DbValue value;
        if (name.isEmpty() || name.startsWith(u'?')) {
            const Token* literal = values.literal(name.isEmpty() ? i : name.mid(1).toLongLong());
            if (!literal)
                return EngineError::commandText(
                    QStringLiteral("Parámetro sin valor en la traducción: %1").arg(name));
            if (literal->isBinary()) {
                const QByteArray bytes = binaryLiteralBytes(*literal);
                // An empty blob, not NULL: 0x is a value of no bytes.
                const int code =
                    bytes.isEmpty()
                        ? sqlite3_bind_zeroblob(statement, i, 0)
                        : sqlite3_bind_blob64(statement, i, bytes.constData(),
                                              static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT);
                if (code != SQLITE_OK)
                    return sqliteError(code);
                continue;
            }
            value = literalValue(*literal);
        } else if (EngineStatus found = values.variable(name, value); !found.isOk()) {
            return found;
        }
        if (const int code = bindValue(statement, i, value); code != SQLITE_OK)
            return sqliteError(code);
    }
    return EngineStatus::ok();
}

EngineStatus SqliteTarget::step(sqlite3_stmt* statement, const Translation& translation,
                                StatementOutcome& outcome) {
    outcome.kind = translation.kind;
    const int columns = sqlite3_column_count(statement);
    const bool returnsRows = translation.kind == Translation::Kind::Query && columns > 0;
    RecordSet rows;
    if (returnsRows)
        rows = RecordSet(columnNames(statement));
    qint64 rowCount = 0;
    while (true) {
        const int code = sqlite3_step(statement);
        if (code == SQLITE_DONE)
            break;
        if (code != SQLITE_ROW) {
            // Constraint messages name the statement that failed.
            const QStringView sql(translation.sql);
            for (const QStringView verb : {u"UPDATE", u"DELETE"}) {
                if (sql.startsWith(verb, Qt::CaseInsensitive))
                    return sqliteError(code, verb);
            }
            return sqliteError(code);
        }
        if (returnsRows) {
            rows.addRow(readRow(statement));
            ++rowCount;
        }
    }
    if (returnsRows) {
        outcome.rows = std::move(rows);
        outcome.rowCount = rowCount;
    } else {
        outcome.rows.reset();
        outcome.rowCount = translation.kind == Translation::Kind::Change ? sqlite3_changes64(m_db) : 0;
    }
    return EngineStatus::ok();
}

EngineStatus SqliteTarget::runNative(const QString& sql, const QList<DbValue>& parameters, RecordSet* rows) {
    auto statement = prepared(sql, true);
    if (!statement)
        return statement.status();
    EngineStatus done;
    const int count = sqlite3_bind_parameter_count(*statement);
    for (int i = 1; i <= count && done.isOk(); ++i) {
        const DbValue value = markerValue(sqlite3_bind_parameter_name(*statement, i), i, parameters);
        if (const int code = bindValue(*statement, i, value); code != SQLITE_OK)
            done = sqliteError(code);
    }
    if (rows && done.isOk())
        *rows = RecordSet(columnNames(*statement));
    while (done.isOk()) {
        const int code = sqlite3_step(*statement);
        if (code == SQLITE_DONE)
            break;
        if (code != SQLITE_ROW) {
            done = sqliteError(code);
            break;
        }
        if (rows)
            rows->addRow(readRow(*statement));
    }
    sqlite3_reset(*statement);
    sqlite3_clear_bindings(*statement);
    return done;
}

} // namespace nerin::tsql
