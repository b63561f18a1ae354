#pragma once

#include "server/tsql/EngineStatus.h"
#include "server/tsql/Token.h"

#include <optional>

struct sqlite3;

namespace nerin::tsql {

class Target;

// SQL Server's INFORMATION_SCHEMA views TABLES, COLUMNS, VIEWS and ROUTINES over what the engine knows
// of the database, so that scripts can ask whether an object exists before they create or drop it.
// They are temporary views of each connection, named "INFORMATION_SCHEMA.TABLES" and so on, where a
// statement's INFORMATION_SCHEMA.TABLES leads. They list the database's own tables, views and
// procedures in schema dbo, never the connection's temporary tables nor the engine's own tables; names
// compare without regard to case. Column types are the T-SQL types the tables were created with (an
// IDENTITY column is an int); a character column declared without a length counts as (max), -1.
// View definitions are the T-SQL text of CREATE VIEW, kept when the view is created (NULL for a view
// created before the engine kept them).
class InformationSchema {
public:
    // Creates the table of view definitions when missing and the connection's four views.
    static EngineStatus install(sqlite3* db);

    // After a data definition statement ran: keeps the T-SQL text of a view it created and forgets
    // the views it dropped.
    static EngineStatus noteDefinition(Target& target, const TokenList& tokens);

    // The object name at `i` without its schema ("dbo.v" is "v"); `i` is moved past it.
    static QString objectAt(const TokenList& tokens, qsizetype& i);

    // The tokens [begin, end) as text, near enough to how they were written to be read again.
    static QString sourceText(const TokenList& tokens, qsizetype begin, qsizetype end);
};

} // namespace nerin::tsql
