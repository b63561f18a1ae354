#pragma once

#include "server/tsql/RewriteContext.h"

namespace nerin::tsql {

// Writes T-SQL expressions in the target's dialect: names, literals, variables and function calls,
// "+" as the dialect's Add function (T-SQL's "+" both adds and concatenates), "-" on dates as its
// SubtractDates function, CAST and CONVERT as calls, "!<" and "!>". It reads only as much grammar as these
// need: runs of operands joined by arithmetic operators, anything else (comparisons, AND, LIKE, commas...)
// written as it comes.
class ExpressionRewriter {
public:
    explicit ExpressionRewriter(RewriteContext& context)
        : m_c(context), m_t(context.tokens), m_out(context.out) {}

    // A run of expressions, keywords and commas: a condition, a select item, a list of arguments.
    EngineStatus render(TokenRange range);

    // Whether `i` ends an operand, so that a string after it is a column alias ("SELECT x 'Total'").
    bool endsOperand(int i) const;

private:
    int primaryEnd(int i, int end) const;
    int termEnd(int i, int end) const;
    int chainEnd(int i, int end) const;
    bool isPlainColumn(TokenRange chain) const;
    bool comparesAsText(TokenRange chain, TokenRange range) const;

    bool renderLike(int& i, int end);
    EngineStatus renderChain(const QList<TokenRange>& terms, const QList<int>& operators);
    EngineStatus renderTerm(TokenRange term);
    EngineStatus renderPrimary(int i, int end);
    EngineResult<int> renderOther(int i, int end);
    EngineStatus renderVariable(const Token& token);

    RewriteContext& m_c;
    const NestedTokens& m_t;
    SqlBuilder& m_out;
};

} // namespace nerin::tsql
