#pragma once

#include "server/tsql/EngineResult.h"
#include "server/tsql/Statement.h"

namespace nerin::tsql {

// Splits the tokens of one batch into statements, as SQL Server reads a batch: statements follow
// one another with or without ";", a keyword that cannot continue the statement at hand starts the
// next one, and the control flow (BEGIN ... END, IF ... ELSE, WHILE) is nested. A batch whose first
// word is not a keyword is a procedure call ("Abrir_Mesa 5, 1, 'x'"). What cannot be read fails with
// a CommandTextError naming the line and what was found.
class Parser {
public:
    static EngineResult<std::vector<Statement>> parseBatch(const TokenList& tokens);
};

} // namespace nerin::tsql
