#pragma once

#include "base/Result.h"
#include "server/tsql/Catalogue.h"
#include "server/tsql/Token.h"
#include "server/tsql/Translation.h"

namespace nerin::tsql {

// Turns one T-SQL statement into one SQLite statement with the meaning SQL Server gives it. Literal
// values of SELECT, INSERT, UPDATE and DELETE become parameters, so one translation serves every
// statement of the same shape; data definition is written out in full. What SQLite cannot express
// fails with a CommandTextError naming it.
class Translator {
public:
    explicit Translator(Catalogue& catalogue) : m_catalogue(catalogue) {}

    // `tokens` is exactly one statement beginning with SELECT, INSERT, UPDATE, DELETE, CREATE (TABLE,
    // VIEW, INDEX), DROP (TABLE, VIEW, INDEX), TRUNCATE or ALTER TABLE; a trailing ";" may be present.
    Result<Translation> translate(const TokenList& tokens);

private:
    Catalogue& m_catalogue;
};

} // namespace nerin::tsql
