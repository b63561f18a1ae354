#pragma once

#include "server/tsql/EngineResult.h"
#include "server/tsql/Statement.h"

namespace nerin::tsql {

// "SELECT @a = x, @b = y FROM ..." becomes the query "SELECT x, y FROM ..." and two assignments.
// A SELECT that assigns no variable stays plain SQL; one that mixes both is refused, as the
// server refuses it.
// `statement` holds the tokens of a whole SELECT; the result is either that SELECT as plain SQL or a
// SelectAssign statement whose tokens are the query without the assignments.
EngineResult<Statement> splitSelectAssignments(Statement statement);

} // namespace nerin::tsql
