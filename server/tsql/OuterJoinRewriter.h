#pragma once

#include "server/tsql/FromClause.h"
#include "server/tsql/RewriteContext.h"

#include <QSet>
#include <optional>

namespace nerin::tsql {

// Rewrites the old outer joins of a WHERE clause (a.x *= b.y keeps every row of a, a.x =* b.y every
// row of b) into LEFT JOINs, with SQL Server's old meaning: every condition of the WHERE that names
// only the inner table (the one whose rows may be missing) filters that table before the join, so it
// goes into the ON of its LEFT JOIN. Columns written without their table are placed with the catalogue.
class OuterJoinRewriter {
public:
    explicit OuterJoinRewriter(RewriteContext& context) : m_c(context), m_t(context.tokens) {}

    // Whether `where` holds *= or =* outside its subqueries.
    static bool applies(const NestedTokens& tokens, TokenRange where);

    // Writes "FROM <outer tables> LEFT JOIN <inner table> ON ... [WHERE ...]" for a FROM list of
    // tables separated by commas and a WHERE for which applies() holds.
    Status render(TokenRange from, TokenRange where);

private:
    struct Conjunct {
        TokenRange range;
        int op = -1;       // the *= or =* of a join condition, or -1
        int outer = -1;    // join condition: the table all of whose rows are kept
        int inner = -1;    // join condition: the table joined to it
        QList<int> tables; // any other condition: the tables it names
    };

    Result<QList<TokenRange>> conjuncts(TokenRange where) const;
    Result<Conjunct> readConjunct(TokenRange range);
    Status tablesIn(TokenRange range, QList<int>& tables);
    Status addColumn(const QString& column, QList<int>& tables);
    const QSet<QString>* columnsOf(int k);
    Status renderJoin(int inner, const QList<Conjunct>& conjuncts);

    RewriteContext& m_c;
    const NestedTokens& m_t;
    std::optional<FromClause> m_from;
    QList<std::optional<QSet<QString>>> m_columns; // per table, read when first needed
};

} // namespace nerin::tsql
