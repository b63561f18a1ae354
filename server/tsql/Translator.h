#pragma once

#include "server/tsql/Catalogue.h"
#include "server/tsql/Dialect.h"
#include "server/tsql/EngineResult.h"
#include "server/tsql/Token.h"
#include "server/tsql/Translation.h"

namespace nerin::tsql {

// Turns one T-SQL statement into one statement of the target's dialect with the meaning SQL Server
// gives it. Literal values of SELECT, INSERT, UPDATE and DELETE become parameters, so one translation
// serves every statement of the same shape; data definition is written out in full. What the
// translator cannot express fails with a CommandTextError naming it. Both references must outlive
// the translator.
class Translator {
public:
    Translator(Catalogue& catalogue, const Dialect& dialect) : m_catalogue(catalogue), m_dialect(dialect) {}

    // `tokens` is exactly one statement beginning with SELECT, INSERT, UPDATE, DELETE, CREATE (TABLE,
    // VIEW, INDEX), DROP (TABLE, VIEW, INDEX), TRUNCATE or ALTER TABLE; a trailing ";" may be present.
    EngineResult<Translation> translate(const TokenList& tokens);

private:
    Catalogue& m_catalogue;
    const Dialect& m_dialect;
};

} // namespace nerin::tsql
