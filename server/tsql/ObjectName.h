#pragma once

#include "server/tsql/EngineResult.h"
#include "server/tsql/NestedTokens.h"
#include "server/tsql/SqlBuilder.h"

namespace nerin::tsql {

// A dotted name as written (Producto, dbo.Producto, [dbo].[Producto], p.ID, #Tmp, t.*), with the
// schema "dbo" left out: SQLite has one schema per database, so only dbo is accepted as one, and
// INFORMATION_SCHEMA for the catalogue views (INFORMATION_SCHEMA.TABLES is one name).
class ObjectName {
public:
    enum class Role {
        Object, // a table, view or index: one part
        Column, // a column, optionally qualified by its table or alias, or "t.*"
    };

    // The name starting at `start`, which must be a name token.
    static EngineResult<ObjectName> read(const NestedTokens& tokens, int start, Role role);

    // Just after the last token of the name.
    int end() const { return m_end; }
    // The parts left after dropping the schema; for "t.*" the last part is the "*" token.
    const QList<int>& parts() const { return m_parts; }
    // The last part without quotes: the table name the catalogue knows, or the column name.
    QString last() const;
    // The part before the last one ("p" of "p.ID"), or empty.
    QString qualifier() const;
    bool isTemporary() const { return last().startsWith(u'#'); }

    void render(SqlBuilder& out) const;

private:
    ObjectName(const NestedTokens& tokens) : m_tokens(&tokens) {}

    const NestedTokens* m_tokens;
    QList<int> m_parts;
    int m_end = 0;
    QString m_system; // "INFORMATION_SCHEMA.TABLES" for a catalogue view
};

} // namespace nerin::tsql
