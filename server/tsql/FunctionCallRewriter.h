#pragma once

#include "server/tsql/RewriteContext.h"

namespace nerin::tsql {

// Writes a call of a T-SQL function as FunctionMap says: renamed by the dialect, with the date part of
// DATEADD, DATEDIFF and DATEPART and the type of CAST and CONVERT as quoted texts in front of the arguments.
class FunctionCallRewriter {
public:
    explicit FunctionCallRewriter(RewriteContext& context)
        : m_c(context), m_t(context.tokens), m_out(context.out) {}

    // The call of the function named at `nameIndex` with its arguments in the group at `group`.
    EngineStatus render(int nameIndex, int group);

    // The text of a T-SQL type as the dialect's CAST and CONVERT functions take it ("varchar(10)",
    // "decimal(10,2)"), in lower case; its lengths are recorded as inlined literals.
    EngineResult<QString> typeText(TokenRange range);

    // A CommandTextError naming a function the translator does not support, numbered as the server
    // numbers a name it does not know as a function.
    static EngineError unsupportedFunction(const QString& name);

private:
    RewriteContext& m_c;
    const NestedTokens& m_t;
    SqlBuilder& m_out;
};

} // namespace nerin::tsql
