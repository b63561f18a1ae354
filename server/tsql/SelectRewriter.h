#pragma once

#include "server/tsql/RewriteContext.h"

namespace nerin::tsql {

// Writes a T-SQL query in the target's dialect: TOP as its row limit, "alias = expr" select
// items as "expr AS alias", string aliases as names, ORDER BY ordinals written out, table hints and
// OPTION (...) dropped, old outer joins (*=, =*) as LEFT JOIN, UNION kept.
class SelectRewriter {
public:
    explicit SelectRewriter(RewriteContext& context) : m_c(context), m_t(context.tokens) {}

    // A whole SELECT statement, which may create a table with INTO: then the dialect's CREATE TABLE
    // for it and "x AS" come first and `createdTable` receives the table's name.
    EngineStatus renderStatement(TokenRange range, QString& createdTable);
    // A query inside another statement: a subquery, INSERT ... SELECT, a view. INTO is refused.
    EngineStatus renderQuery(TokenRange range) { return render(range, nullptr); }

private:
    // The clauses of one SELECT of a UNION, as ranges without their keywords; -1 / empty when absent.
    struct Clauses {
        int quantifier = -1; // ALL or DISTINCT
        TokenRange top;      // the row count of TOP, without parentheses
        TokenRange list;
        TokenRange into;
        TokenRange from;
        TokenRange where;
        TokenRange groupBy;
        TokenRange having;
        TokenRange orderBy;
    };

    EngineStatus render(TokenRange range, QString* createdTable);
    EngineResult<Clauses> readClauses(TokenRange part) const;
    EngineStatus renderInto(TokenRange into, QString& createdTable);
    EngineStatus renderPart(const Clauses& clauses);
    EngineStatus renderSelectItem(TokenRange item);
    EngineStatus renderOrderBy(TokenRange range);
    EngineStatus renderRowLimit(const Dialect::RowLimit& limit, TokenRange rows);

    RewriteContext& m_c;
    const NestedTokens& m_t;
};

} // namespace nerin::tsql
