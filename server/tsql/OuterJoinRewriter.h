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
    // A condition of the WHERE where it ends up. `op` is the *= or =* of a join condition, which
    // becomes "=", or -1 for any other condition.
    struct Condition {
        TokenRange range;
        int op = -1;
    };
    // An inner table, by its place in the FROM list, with its ON: its join conditions, then the
    // conditions that name it alone.
    struct Join {
        int table = -1;
        QList<Condition> on;
    };
    // The FROM and WHERE rearranged: the tables that keep every row, in the order of the FROM; each
    // inner table as a LEFT JOIN after the tables its rows hang from; the other conditions, in their
    // order, stay in the WHERE.
    struct Plan {
        FromClause from;
        QList<int> kept;
        QList<Join> joins;
        QList<TokenRange> where;
    };

    // Both references must outlive the rewriter.
    OuterJoinRewriter(const NestedTokens& tokens, Catalogue& catalogue)
        : m_t(tokens), m_catalogue(catalogue) {}

    // Whether `where` holds *= or =* outside its subqueries.
    static bool applies(const NestedTokens& tokens, TokenRange where);

    // The plan for a FROM list of tables separated by commas and a WHERE for which applies() holds.
    // Fails with a CommandTextError when the joins have no meaning SQL Server would have given them
    // (OR, a cycle, an inner table compared with others) or a column cannot be placed.
    EngineResult<Plan> plan(TokenRange from, TokenRange where);

    // Writes "FROM <outer tables> LEFT JOIN <inner table> ON ... [WHERE ...]" for the plan of `from`
    // and `where` in the context's dialect.
    EngineStatus render(RewriteContext& context, TokenRange from, TokenRange where);

private:
    struct Conjunct {
        TokenRange range;
        int op = -1;       // the *= or =* of a join condition, or -1
        int outer = -1;    // join condition: the table all of whose rows are kept
        int inner = -1;    // join condition: the table joined to it
        QList<int> tables; // any other condition: the tables it names
    };

    EngineResult<QList<TokenRange>> conjuncts(TokenRange where) const;
    EngineResult<Conjunct> readConjunct(TokenRange range);
    EngineStatus tablesIn(TokenRange range, QList<int>& tables);
    EngineStatus addColumn(const QString& column, QList<int>& tables);
    const QSet<QString>* columnsOf(int k);

    const NestedTokens& m_t;
    Catalogue& m_catalogue;
    std::optional<FromClause> m_from;
    QList<std::optional<QSet<QString>>> m_columns; // per table, read when first needed
};

} // namespace nerin::tsql
