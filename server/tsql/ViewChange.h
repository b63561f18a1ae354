#pragma once

#include "base/Result.h"
#include "server/tsql/Catalogue.h"
#include "server/tsql/EngineResult.h"
#include "server/tsql/Token.h"

#include <optional>
#include <variant>

namespace nerin::tsql {

// UPDATE and DELETE through a view, as SQL Server changes rows through an updatable view: the
// statement is written again against the view's one base table, its column names turned into the
// base table's and the view's WHERE added to its own. A view is updatable when it selects from one
// table (or one such view) without DISTINCT, TOP, GROUP BY, HAVING, aggregates or UNION; its columns
// that are expressions can be read in the WHERE but not assigned. Works on T-SQL tokens, before any
// translation, so every target gets the same statement.
class ViewChange {
public:
    // The statement to run instead of `tokens`, or none when it is no UPDATE or DELETE of a view the
    // catalogue knows. A view that cannot be changed so fails with SQL Server's error (4405, 4403,
    // 4406).
    static EngineResult<std::optional<TokenList>> rewrite(const TokenList& tokens, Catalogue& catalogue);
};

} // namespace nerin::tsql
