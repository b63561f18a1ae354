#pragma once

#include "server/tsql/RewriteContext.h"

namespace nerin::tsql {

// Writes data definition in the target's dialect, with every value written out: CREATE TABLE
// (temporary tables "#T" as the dialect's temporary tables), CREATE VIEW (its query translated),
// CREATE INDEX without CLUSTERED and index options, DROP TABLE/VIEW/INDEX, TRUNCATE TABLE, ALTER
// TABLE ADD of one column.
class SchemaTranslator {
public:
    explicit SchemaTranslator(RewriteContext& context) : m_c(context), m_t(context.tokens) {}

    // The statement; `touchedTable` receives the table or view created, dropped or altered.
    EngineStatus render(QString& touchedTable);

private:
    EngineStatus renderCreateTable(QString& touchedTable);
    EngineStatus renderCreateView(QString& touchedTable);
    EngineStatus renderCreateIndex();
    EngineStatus renderDrop(QString& touchedTable);
    EngineStatus renderTruncate();
    EngineStatus renderAlter(QString& touchedTable);

    RewriteContext& m_c;
    const NestedTokens& m_t;
};

} // namespace nerin::tsql
