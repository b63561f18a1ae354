#pragma once

#include "server/tsql/RewriteContext.h"

namespace nerin::tsql {

// Writes the column and constraint list of CREATE TABLE, and the column of ALTER TABLE ADD, in the
// target's dialect. Types are the dialect's for the T-SQL ones (varchar(max) loses its length); text
// columns compare without regard to case unless their collation says otherwise; an IDENTITY column
// becomes the dialect's identity key, so a primary key on other columns becomes UNIQUE; DEFAULT
// values are expressions like any other; constraint names, CLUSTERED, filegroups and index options
// go.
class TableDefinition {
public:
    explicit TableDefinition(RewriteContext& context) : m_c(context), m_t(context.tokens) {}

    // The parenthesised list starting at `open`, and the storage options after it up to `end`.
    EngineStatus renderTable(int open, int end);
    // One column definition, as ALTER TABLE ADD takes it (no IDENTITY: SQLite cannot add a key).
    EngineStatus renderAddedColumn(TokenRange column);

private:
    EngineStatus renderColumn(TokenRange column);
    EngineStatus renderType(int i, int& next, bool& isText);
    EngineResult<int> renderDefault(int i, int end);
    EngineStatus renderTableConstraint(TokenRange element, bool& written);
    EngineStatus renderNameList(int open, bool withOrder);
    EngineResult<int> renderReferences(int i, int end);
    EngineStatus checkIdentity(int i, int& next) const;
    int skipKeyOptions(int i, int end) const;

    RewriteContext& m_c;
    const NestedTokens& m_t;
    QString m_identityColumn; // the IDENTITY column of the table, lower case, or empty
};

} // namespace nerin::tsql
