#pragma once

#include "data/RecordSet.h"
#include "server/tsql/EngineError.h"
#include "server/tsql/SqliteCatalogue.h"
#include "server/tsql/Token.h"
#include "server/tsql/Translation.h"

#include <QHash>
#include <functional>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace nerin::tsql {

class Dialect;
class Translator;

// Runs single SQL statements given as T-SQL tokens on one SQLite connection. Translations are
// cached by statement shape (the tokens with literal values left out), so the same statement with
// other values is not translated again; prepared statements are cached by their SQLite text. A runner
// translates for one dialect, so its cache holds translations of that dialect only.
class StatementRunner {
public:
    // The value of a variable by its name as written in the SQL ("@nfolio"), or none when the
    // variable was not declared.
    using VariableLookup = std::function<std::optional<DbValue>(const QString& name)>;

    struct Outcome {
        Translation::Kind kind = Translation::Kind::Query;
        std::optional<RecordSet> rows; // for queries
        qint64 rowCount = 0;           // rows returned by a query or touched by a change
    };

    // `dialect` must outlive the runner.
    StatementRunner(sqlite3* db, const Dialect& dialect);
    ~StatementRunner();
    StatementRunner(const StatementRunner&) = delete;
    StatementRunner& operator=(const StatementRunner&) = delete;

    // `variables` resolves "@name" parameters; `system` values: @@ROWCOUNT and @@TRANCOUNT.
    std::optional<EngineError> run(const TokenList& tokens, const VariableLookup& variables, qint64 rowCount,
                                   int tranCount, Outcome& outcome);

    // Runs SQLite text of our own (transaction control, the procedure table), without translation,
    // with `parameters` bound to ?1, ?2...; `rows` receives what it returns.
    std::optional<EngineError> runNative(const QString& sql, const QList<DbValue>& parameters = {},
                                         RecordSet* rows = nullptr);

    SqliteCatalogue& catalogue() { return m_catalogue; }
    // Whether no transaction is open on the connection.
    bool autocommit() const;

    // The error of the last failed SQLite call, classified as the server would have reported it;
    // `verb` names the failed statement in messages of constraint violations.
    EngineError sqliteError(int code, QStringView verb = u"INSERT") const;

private:
    Result<std::shared_ptr<const Translation>> translationFor(const TokenList& tokens);
    Result<sqlite3_stmt*> prepared(const QString& sql, bool keep);
    std::optional<EngineError> bind(sqlite3_stmt* statement, const TokenList& tokens,
                                    const Translation& translation, const VariableLookup& variables,
                                    qint64 rowCount, int tranCount);
    std::optional<EngineError> step(sqlite3_stmt* statement, const Translation& translation,
                                    Outcome& outcome);
    void finalizeAll();

    sqlite3* m_db;
    SqliteCatalogue m_catalogue;
    std::unique_ptr<Translator> m_translator;
    QHash<QString, QList<std::shared_ptr<const Translation>>> m_translations;
    QHash<QString, sqlite3_stmt*> m_statements;
};

} // namespace nerin::tsql
