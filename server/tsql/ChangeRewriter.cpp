#include "server/tsql/ChangeRewriter.h"

#include "server/tsql/ExpressionRewriter.h"
#include "server/tsql/FromClause.h"
#include "server/tsql/ObjectName.h"
#include "server/tsql/SelectRewriter.h"

namespace nerin::tsql {

namespace {

// The clauses after the SET of an UPDATE or the target of a DELETE.
struct Tail {
    TokenRange from;
    TokenRange where;
};

EngineResult<Tail> readTail(const NestedTokens& t, int i, int end, TokenRange* set) {
    Tail tail;
    TokenRange* current = set;
    int keyword = i - 1; // the keyword of the current clause
    // A clause keyword with nothing after it ("DELETE t WHERE") is an error, not a clause left out.
    auto close = [&](int at) {
        current->end = at;
        return current->isEmpty()
                   ? malformed(QStringLiteral("%1 sin contenido").arg(t[keyword].text.toUpper()))
                   : EngineStatus::ok();
    };
    if (current)
        current->begin = i;
    for (; i < end; i = t.next(i)) {
        TokenRange* next = nullptr;
        if (t.is(i, u"FROM")) {
            next = &tail.from;
        } else if (t.is(i, u"WHERE")) {
            if (t.is(i + 1, u"CURRENT") && t.is(i + 2, u"OF"))
                return unsupported(QStringLiteral("cursores (WHERE CURRENT OF)"));
            next = &tail.where;
        } else if (t.is(i, u"OUTPUT")) {
            return unsupported(QStringLiteral("la cláusula OUTPUT"));
        } else if (t.is(i, u"OPTION")) { // query hints: SQLite plans by itself
            end = i;
            break;
        } else if (current) {
            continue;
        } else {
            return malformed(QStringLiteral("No se esperaba \"%1\"").arg(t[i].text));
        }
        if (current) {
            if (EngineStatus s = close(i); !s)
                return s;
        }
        current = next;
        current->begin = i + 1;
        keyword = i;
    }
    if (current) {
        if (EngineStatus s = close(end); !s)
            return s;
    }
    return tail;
}

} // namespace

// Writes the target table of INSERT, UPDATE or DELETE starting at `i`; returns what follows it.
EngineResult<int> ChangeRewriter::renderTarget(int i) {
    if (!m_t.isName(i))
        return malformed(QStringLiteral("Se esperaba el nombre de una tabla"));
    auto name = ObjectName::read(m_t, i, ObjectName::Role::Object);
    if (!name)
        return name.status();
    name->render(m_c.out);
    return skipHints(name->end());
}

int ChangeRewriter::skipHints(int i) const {
    if (m_t.is(i, u"WITH") && m_t.isKind(i + 1, Token::Kind::LParen))
        return m_t.next(i + 1);
    return i;
}

EngineStatus ChangeRewriter::renderInsert() {
    SqlBuilder& out = m_c.out;
    int i = 1;
    if (m_t.is(i, u"TOP"))
        return unsupported(QStringLiteral("INSERT TOP"));
    if (m_t.is(i, u"INTO"))
        ++i;
    out.word(u"INSERT INTO");
    const auto target = ObjectName::read(m_t, i, ObjectName::Role::Object);
    auto after = renderTarget(i);
    if (!after)
        return after.status();
    i = *after;
    if (m_t.isKind(i, Token::Kind::LParen) && !m_t.isSubquery(i)) {
        out.word(u"(");
        const QList<TokenRange> columns = m_t.split(m_t.inside(i));
        for (qsizetype k = 0; k < columns.size(); ++k) {
            if (columns[k].size() != 1 || !m_t.isName(columns[k].begin))
                return malformed(QStringLiteral("INSERT: lista de columnas no válida"));
            if (k > 0)
                out.glue(u",");
            out.name(m_t[columns[k].begin]);
        }
        out.glue(u")");
        i = m_t.next(i);
    } else if (target) {
        renderColumnsBesideIdentity(target->last());
    }
    const int end = m_t.size();
    if (m_t.is(i, u"OUTPUT"))
        return unsupported(QStringLiteral("la cláusula OUTPUT"));
    if (m_t.is(i, u"EXEC") || m_t.is(i, u"EXECUTE"))
        return unsupported(QStringLiteral("INSERT ... EXEC"));
    if (m_t.is(i, u"DEFAULT") && m_t.is(i + 1, u"VALUES") && i + 2 == end) {
        out.word(u"DEFAULT VALUES");
        return EngineStatus::ok();
    }
    if (m_t.is(i, u"VALUES"))
        return renderValues(i + 1);
    if (m_t.is(i, u"SELECT"))
        return SelectRewriter(m_c).renderQuery({i, end});
    if (m_t.isSubquery(i) && m_t.next(i) == end)
        return SelectRewriter(m_c).renderQuery(m_t.inside(i));
    return malformed(QStringLiteral("INSERT: se esperaba VALUES o SELECT"));
}

// Without a column list, T-SQL fills every column but the identity, which the server numbers.
void ChangeRewriter::renderColumnsBesideIdentity(const QString& table) {
    const QString identity = m_c.catalogue.identityColumnOf(table);
    if (identity.isEmpty())
        return;
    SqlBuilder& out = m_c.out;
    out.word(u"(");
    bool first = true;
    for (const QString& column : m_c.catalogue.columnsOf(table)) {
        if (column.compare(identity, Qt::CaseInsensitive) == 0)
            continue;
        if (!first)
            out.glue(u",");
        out.quotedName(column);
        first = false;
    }
    out.glue(u")");
}

EngineStatus ChangeRewriter::renderValues(int i) {
    SqlBuilder& out = m_c.out;
    ExpressionRewriter expression(m_c);
    out.word(u"VALUES");
    while (true) {
        if (!m_t.isKind(i, Token::Kind::LParen))
            return malformed(QStringLiteral("VALUES: se esperaba \"(\""));
        const TokenRange row = m_t.inside(i);
        for (TokenRange value : m_t.split(row)) {
            if (value.size() == 1 && m_t.is(value.begin, u"DEFAULT"))
                return unsupported(QStringLiteral("DEFAULT dentro de VALUES (omita la columna)"));
        }
        out.word(u"(");
        if (EngineStatus s = expression.render(row); !s)
            return s;
        out.glue(u")");
        i = m_t.next(i);
        if (i >= m_t.size())
            return EngineStatus::ok();
        if (m_t[i].kind != Token::Kind::Comma)
            return malformed(QStringLiteral("VALUES: no se esperaba \"%1\"").arg(m_t[i].text));
        out.glue(u",");
        ++i;
    }
}

EngineStatus ChangeRewriter::renderUpdate() {
    SqlBuilder& out = m_c.out;
    if (m_t.is(1, u"TOP"))
        return unsupported(QStringLiteral("UPDATE TOP"));
    if (!m_t.isName(1))
        return malformed(QStringLiteral("UPDATE: se esperaba el nombre de una tabla"));
    auto target = ObjectName::read(m_t, 1, ObjectName::Role::Object);
    if (!target)
        return target.status();
    const int set = skipHints(target->end());
    if (!m_t.is(set, u"SET"))
        return malformed(QStringLiteral("UPDATE sin SET"));
    TokenRange assignments;
    auto tail = readTail(m_t, set + 1, m_t.size(), &assignments);
    if (!tail)
        return tail.status();

    if (tail->from.isEmpty()) {
        out.word(u"UPDATE");
        target->render(out);
        if (EngineStatus s = renderAssignments(assignments); !s)
            return s;
        return renderConditions({tail->where});
    }
    auto from = FromClause::read(m_t, tail->from);
    if (!from)
        return from.status();
    const int k = findTarget(*from, target->last());
    out.word(u"UPDATE");
    if (k < 0) {
        // The target is not among the FROM tables: SQLite's UPDATE ... FROM means the same.
        target->render(out);
        if (EngineStatus s = renderAssignments(assignments); !s)
            return s;
        out.word(u"FROM");
        if (EngineStatus s = from->render(m_c); !s)
            return s;
        return renderConditions({tail->where});
    }
    // The target is one of the FROM tables, by its alias: SQLite joins the target to its FROM, so
    // it names the table after UPDATE and leaves it out of FROM; inner joins keep their meaning when
    // their ON conditions move to the WHERE.
    const QList<TableSource>& sources = from->sources();
    for (const TableSource& s : sources) {
        if (s.join == TableSource::Join::Left || s.join == TableSource::Join::Right ||
            s.join == TableSource::Join::Full)
            return unsupported(QStringLiteral("UPDATE ... FROM con LEFT, RIGHT o FULL JOIN"));
    }
    if (m_t.isKind(sources[k].object, Token::Kind::LParen))
        return unsupported(QStringLiteral("UPDATE de una tabla derivada"));
    auto table = ObjectName::read(m_t, sources[k].object, ObjectName::Role::Object);
    if (!table)
        return table.status();
    table->render(out);
    if (sources[k].alias >= 0) {
        out.word(u"AS");
        out.name(m_t[sources[k].alias]);
    }
    if (EngineStatus s = renderAssignments(assignments); !s)
        return s;
    QList<TokenRange> conditions;
    bool first = true;
    for (int j = 0; j < sources.size(); ++j) {
        if (!sources[j].on.isEmpty())
            conditions.append(sources[j].on);
        if (j == k)
            continue;
        out.word(first ? u"FROM" : u",");
        first = false;
        if (EngineStatus s = from->renderSource(m_c, j); !s)
            return s;
    }
    conditions.append(tail->where);
    return renderConditions(conditions);
}

EngineStatus ChangeRewriter::renderAssignments(TokenRange set) {
    SqlBuilder& out = m_c.out;
    ExpressionRewriter expression(m_c);
    out.word(u"SET");
    const QList<TokenRange> items = m_t.split(set);
    for (qsizetype k = 0; k < items.size(); ++k) {
        const TokenRange item = items[k];
        if (m_t.isKind(item.begin, Token::Kind::Variable))
            return unsupported(QStringLiteral("asignar variables en UPDATE"));
        if (!m_t.isName(item.begin))
            return malformed(QStringLiteral("SET: se esperaba una columna"));
        auto column = ObjectName::read(m_t, item.begin, ObjectName::Role::Column);
        if (!column)
            return column.status();
        if (!m_t.isOperator(column->end(), u"=") || column->end() + 1 >= item.end)
            return malformed(QStringLiteral("SET: se esperaba \"columna = valor\""));
        if (k > 0)
            out.glue(u",");
        // SQLite takes the bare column name: the table is the target's.
        out.name(m_t[column->parts().last()]);
        out.word(u"=");
        if (EngineStatus s = expression.render({column->end() + 1, item.end}); !s)
            return s;
    }
    return EngineStatus::ok();
}

// WHERE with every non-empty condition, each in parentheses when there are several.
EngineStatus ChangeRewriter::renderConditions(const QList<TokenRange>& conditions) {
    SqlBuilder& out = m_c.out;
    ExpressionRewriter expression(m_c);
    QList<TokenRange> present;
    for (TokenRange c : conditions) {
        if (!c.isEmpty())
            present.append(c);
    }
    for (qsizetype k = 0; k < present.size(); ++k) {
        out.word(k == 0 ? u"WHERE" : u"AND");
        if (present.size() > 1)
            out.word(u"(");
        if (EngineStatus s = expression.render(present[k]); !s)
            return s;
        if (present.size() > 1)
            out.glue(u")");
    }
    return EngineStatus::ok();
}

// The FROM table that is the target: the one named so by its alias or, when it has none, by its
// name; or else the only occurrence of the target table, whatever its alias.
int ChangeRewriter::findTarget(const FromClause& from, const QString& target) const {
    const int count = static_cast<int>(from.sources().size());
    for (int k = 0; k < count; ++k) {
        if (from.qualifier(k).compare(target, Qt::CaseInsensitive) == 0)
            return k;
    }
    int found = -1;
    for (int k = 0; k < count; ++k) {
        if (from.tableName(k).compare(target, Qt::CaseInsensitive) == 0) {
            if (found >= 0)
                return -1;
            found = k;
        }
    }
    return found;
}

EngineStatus ChangeRewriter::renderDelete() {
    SqlBuilder& out = m_c.out;
    int i = 1;
    if (m_t.is(i, u"TOP"))
        return unsupported(QStringLiteral("DELETE TOP"));
    if (m_t.is(i, u"FROM"))
        ++i;
    if (!m_t.isName(i))
        return malformed(QStringLiteral("DELETE: se esperaba el nombre de una tabla"));
    auto target = ObjectName::read(m_t, i, ObjectName::Role::Object);
    if (!target)
        return target.status();
    auto tail = readTail(m_t, skipHints(target->end()), m_t.size(), nullptr);
    if (!tail)
        return tail.status();
    if (tail->from.isEmpty()) {
        out.word(u"DELETE FROM");
        target->render(out);
        return renderConditions({tail->where});
    }
    auto from = FromClause::read(m_t, tail->from);
    if (!from)
        return from.status();
    const int k = findTarget(*from, target->last());
    out.word(u"DELETE FROM");
    if (k < 0) {
        // The target is not among the FROM tables: the FROM only says which of its rows go.
        target->render(out);
        out.word(u"WHERE EXISTS (SELECT 1 FROM");
    } else {
        const TableSource& s = from->sources()[k];
        if (m_t.isKind(s.object, Token::Kind::LParen))
            return unsupported(QStringLiteral("DELETE de una tabla derivada"));
        auto table = ObjectName::read(m_t, s.object, ObjectName::Role::Object);
        if (!table)
            return table.status();
        table->render(out);
        const QString row = m_c.dialect.rowIdentifier();
        out.word(u"WHERE");
        out.word(row);
        out.word(u"IN (SELECT");
        out.name(m_t[s.alias >= 0 ? s.alias : s.objectEnd - 1]);
        out.glue(u".");
        out.glue(row);
        out.word(u"FROM");
    }
    if (EngineStatus s = from->render(m_c); !s)
        return s;
    if (EngineStatus s = renderConditions({tail->where}); !s)
        return s;
    out.glue(u")");
    return EngineStatus::ok();
}

} // namespace nerin::tsql
