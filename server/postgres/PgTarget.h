#pragma once

#include "server/postgres/NumberedStatement.h"
#include "server/postgres/PgCatalogue.h"
#include "server/postgres/PgConnection.h"
#include "server/tsql/PostgresDialect.h"
#include "server/tsql/Target.h"

#include <unordered_map>

namespace nerin {

// The engine's target on a PostgreSQL server: runs the statements the engine translated with the
// PostgreSQL dialect as statements prepared on the server, binds their values with the types T-SQL
// gives them, and reports failures with SQL Server's numbers and texts.
//
// Every transaction it begins is SERIALIZABLE, so that a procedure's checks and changes cannot
// interleave wrongly with another machine's: the server undoes one of two conflicting transactions,
// and isRetryable() says so of its error.
class PgTarget : public tsql::Target {
public:
    // `connection` is open, and outlives the target.
    explicit PgTarget(PgConnection& connection);

    const tsql::Dialect& dialect() const override { return m_dialect; }
    tsql::Catalogue& catalogue() override { return m_catalogue; }

    tsql::EngineStatus installEngineTables() override;
    tsql::EngineStatus execute(const tsql::StatementValues& values, tsql::StatementOutcome& outcome) override;
    tsql::EngineStatus runNative(const QString& sql, const QList<DbValue>& parameters = {},
                                 RecordSet* rows = nullptr) override;
    tsql::EngineStatus transaction(TransactionStep step, const QString& savepoint = {}) override;
    bool autocommit() const override;
    bool isRetryable(const tsql::EngineError& error) const override;

    // The value of a T-SQL value as the server receives it: integers as int4 (int8 when larger),
    // money and exact numbers as numeric, dates as timestamp, texts and NULL with the type the server
    // infers from where they stand, as T-SQL converts them implicitly.
    static PgValues::Parameter parameter(const DbValue& value);

private:
    // The translation numbered for the server, numbered once per statement text.
    const NumberedStatement& numbered(const tsql::Translation& translation);
    // The error of the connection's last failed call.
    tsql::EngineError lastError() const;

    PgConnection& m_connection;
    tsql::PostgresDialect m_dialect;
    PgCatalogue m_catalogue;
    std::unordered_map<QString, NumberedStatement> m_numbered;
};

} // namespace nerin
