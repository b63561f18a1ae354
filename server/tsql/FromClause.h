#pragma once

#include "server/tsql/RewriteContext.h"

namespace nerin::tsql {

// One table of a FROM list: a table or view, a derived table "(SELECT ...)" or a parenthesised join,
// with its alias and the join that brings it in.
struct TableSource {
    enum class Join { First, Comma, Inner, Left, Right, Full, Cross };

    Join join = Join::First;
    int object = 0;    // its first token: a name, or the "(" of a derived table or nested join
    int objectEnd = 0; // just after the name or the ")"
    int alias = -1;    // the alias token, or -1
    TokenRange on;     // the ON condition; empty when there is none
};

// A FROM list read into its tables, with table hints (WITH (NOLOCK), (NOLOCK)) and join hints (LOOP,
// HASH, MERGE, REMOTE) left out.
class FromClause {
public:
    static EngineResult<FromClause> read(const NestedTokens& tokens, TokenRange range);

    const QList<TableSource>& sources() const { return m_sources; }
    // Whether any table comes in by JOIN rather than by a comma.
    bool hasJoins() const;
    // The table or view name the catalogue knows; empty for a derived table or nested join.
    QString tableName(int k) const;
    // What qualifies the table's columns: its alias, or its name.
    QString qualifier(int k) const;
    // The source whose alias, or whose name when it has none, is `name` (any case); -1 when none.
    int findByQualifier(const QString& name) const;

    // The whole list as written, joins and ON conditions included.
    EngineStatus render(RewriteContext& context) const;
    // One table with its alias, without the join that brings it in.
    EngineStatus renderSource(RewriteContext& context, int k) const;

private:
    explicit FromClause(const NestedTokens& tokens) : m_tokens(&tokens) {}
    EngineResult<int> readSource(int i, int end, TableSource& source) const;
    int skipHints(int i, int end) const;
    int joinStart(int i, int end, TableSource::Join& join) const;

    const NestedTokens* m_tokens;
    QList<TableSource> m_sources;
};

} // namespace nerin::tsql
