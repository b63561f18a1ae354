#pragma once

#include "server/tsql/RewriteContext.h"

namespace nerin::tsql {

class FromClause;

// Writes INSERT, UPDATE and DELETE in the target's dialect: INSERT always with INTO; UPDATE with the
// table qualifier of its SET columns dropped and a FROM that names the target table rewritten so the
// standard UPDATE ... FROM sees it once; DELETE with a FROM of its own as a subquery on the dialect's
// row identifier.
class ChangeRewriter {
public:
    explicit ChangeRewriter(RewriteContext& context) : m_c(context), m_t(context.tokens) {}

    EngineStatus renderInsert();
    EngineStatus renderUpdate();
    EngineStatus renderDelete();

private:
    EngineResult<int> renderTarget(int i);
    void renderColumnsBesideIdentity(const QString& table);
    int skipHints(int i) const;
    EngineStatus renderValues(int i);
    EngineStatus renderAssignments(TokenRange set);
    EngineStatus renderConditions(const QList<TokenRange>& conditions);
    int findTarget(const FromClause& from, const QString& target) const;

    RewriteContext& m_c;
    const NestedTokens& m_t;
};

} // namespace nerin::tsql
