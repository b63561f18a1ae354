#pragma once

#include "server/tsql/SqliteCatalogue.h"
#include "server/tsql/SqliteDialect.h"
#include "server/tsql/Target.h"

#include <QHash>

struct sqlite3;
struct sqlite3_stmt;

namespace nerin::tsql {

// The engine's target on one SQLite connection: the engine's run-time functions, collation and
// tables live in the connection and its file; statements are kept prepared by their SQLite text.
// The connection stays the caller's.
class SqliteTarget : public Target {
public:
    explicit SqliteTarget(sqlite3* db) : m_db(db), m_catalogue(db) {}
    ~SqliteTarget() override;
    SqliteTarget(const SqliteTarget&) = delete;
    SqliteTarget& operator=(const SqliteTarget&) = delete;

    const Dialect& dialect() const override { return m_dialect; }
    Catalogue& catalogue() override { return m_catalogue; }
    EngineStatus installEngineTables() override;
    EngineStatus execute(const StatementValues& values, StatementOutcome& outcome) override;
    EngineStatus runNative(const QString& sql, const QList<DbValue>& parameters = {},
                           RecordSet* rows = nullptr) override;
    EngineStatus transaction(TransactionStep step, const QString& savepoint = {}) override;
    bool autocommit() const override;

private:
    // The error of the last failed SQLite call, classified as the server would have reported it;
    // `verb` names the failed statement in messages of constraint violations.
    EngineError sqliteError(int code, QStringView verb = u"INSERT") const;
    EngineResult<sqlite3_stmt*> prepared(const QString& sql, bool keep);
    EngineStatus bind(sqlite3_stmt* statement, const StatementValues& values);
    EngineStatus step(sqlite3_stmt* statement, const Translation& translation, StatementOutcome& outcome);
    void finalizeAll();

    sqlite3* m_db;
    SqliteDialect m_dialect;
    SqliteCatalogue m_catalogue;
    QHash<QString, sqlite3_stmt*> m_statements;
};

} // namespace nerin::tsql
