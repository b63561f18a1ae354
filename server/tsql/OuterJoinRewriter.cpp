#include "server/tsql/OuterJoinRewriter.h"

#include "server/tsql/ExpressionRewriter.h"
#include "server/tsql/FunctionMap.h"
#include "server/tsql/Keywords.h"
#include "server/tsql/ObjectName.h"

namespace nerin::tsql {

namespace {

bool isOuterJoinOperator(const Token& t) {
    return t.isOperator(u"*=") || t.isOperator(u"=*");
}

} // namespace

bool OuterJoinRewriter::applies(const NestedTokens& t, TokenRange where) {
    for (int i = where.begin; i < where.end;) {
        if (t.isSubquery(i)) {
            i = t.next(i);
            continue;
        }
        if (isOuterJoinOperator(t[i]))
            return true;
        ++i;
    }
    return false;
}

EngineResult<OuterJoinRewriter::Plan> OuterJoinRewriter::plan(TokenRange fromRange, TokenRange where) {
    auto from = FromClause::read(m_t, fromRange);
    if (!from)
        return from.status();
    if (from->hasJoins())
        return unsupported(QStringLiteral("*= o =* junto con JOIN en el mismo FROM"));
    m_from = std::move(from).value();
    const int count = static_cast<int>(m_from->sources().size());
    m_columns.fill(std::nullopt, count);

    auto parts = conjuncts(where);
    if (!parts)
        return parts.status();
    QList<Conjunct> list;
    QList<bool> isInner(count, false);
    for (TokenRange part : *parts) {
        auto conjunct = readConjunct(part);
        if (!conjunct)
            return conjunct.status();
        if (conjunct->op >= 0)
            isInner[conjunct->inner] = true;
        list.append(*conjunct);
    }
    // A condition on one inner table alone filters it before the join; one that ties an inner table
    // to others has no meaning SQL Server would have accepted.
    for (Conjunct& c : list) {
        if (c.op >= 0)
            continue;
        for (int k : std::as_const(c.tables)) {
            if (isInner[k] && c.tables.size() > 1) {
                return unsupported(
                    QStringLiteral("la tabla %1, interna de un *=, en una condición con otras tablas")
                        .arg(m_from->qualifier(k)));
            }
        }
    }

    // Each inner table joins after the tables its rows hang from.
    QList<int> order;
    QList<bool> placed(count);
    for (int k = 0; k < count; ++k)
        placed[k] = !isInner[k];
    while (order.size() < isInner.count(true)) {
        bool progress = false;
        for (int k = 0; k < count; ++k) {
            if (placed[k])
                continue;
            bool ready = true;
            for (const Conjunct& c : std::as_const(list))
                ready = ready && !(c.op >= 0 && c.inner == k && !placed[c.outer]);
            if (ready) {
                order.append(k);
                placed[k] = true;
                progress = true;
            }
        }
        if (!progress)
            return unsupported(QStringLiteral("*= o =* que forman un ciclo entre tablas"));
    }

    Plan plan{*m_from, {}, {}, {}};
    for (int k = 0; k < count; ++k) {
        if (!isInner[k])
            plan.kept.append(k);
    }
    for (int k : std::as_const(order)) {
        Join join{k, {}};
        for (const Conjunct& c : std::as_const(list)) {
            if (c.op >= 0 && c.inner == k)
                join.on.append({c.range, c.op});
        }
        for (const Conjunct& c : std::as_const(list)) {
            if (c.op < 0 && c.tables.size() == 1 && c.tables[0] == k)
                join.on.append({c.range, -1});
        }
        plan.joins.append(std::move(join));
    }
    for (const Conjunct& c : std::as_const(list)) {
        if (c.op < 0 && !(c.tables.size() == 1 && isInner[c.tables[0]]))
            plan.where.append(c.range);
    }
    return plan;
}

EngineStatus OuterJoinRewriter::render(RewriteContext& context, TokenRange fromRange, TokenRange where) {
    auto plan = this->plan(fromRange, where);
    if (!plan)
        return plan.status();
    SqlBuilder& out = context.out;
    ExpressionRewriter expression(context);
    out.word(u"FROM");
    bool first = true;
    for (int k : std::as_const(plan->kept)) {
        if (!first)
            out.glue(u",");
        first = false;
        if (EngineStatus s = plan->from.renderSource(context, k); !s)
            return s;
    }
    for (const Join& join : std::as_const(plan->joins)) {
        out.word(u"LEFT JOIN");
        if (EngineStatus s = plan->from.renderSource(context, join.table); !s)
            return s;
        out.word(u"ON");
        first = true;
        for (const Condition& c : join.on) {
            if (!first)
                out.word(u"AND");
            first = false;
            if (c.op < 0) {
                if (EngineStatus s = expression.render(c.range); !s)
                    return s;
                continue;
            }
            if (EngineStatus s = expression.render({c.range.begin, c.op}); !s)
                return s;
            out.word(u"=");
            if (EngineStatus s = expression.render({c.op + 1, c.range.end}); !s)
                return s;
        }
    }
    first = true;
    for (TokenRange c : std::as_const(plan->where)) {
        out.word(first ? u"WHERE" : u"AND");
        first = false;
        if (EngineStatus s = expression.render(c); !s)
            return s;
    }
    return EngineStatus::ok();
}

// The conditions joined by the top-level ANDs of `where`; the AND of a BETWEEN is not one of them.
EngineResult<QList<TokenRange>> OuterJoinRewriter::conjuncts(TokenRange where) const {
    QList<TokenRange> parts;
    int start = where.begin;
    int openBetweens = 0;
    for (int i = where.begin; i < where.end; i = m_t.next(i)) {
        if (m_t.is(i, u"BETWEEN")) {
            ++openBetweens;
        } else if (m_t.is(i, u"OR")) {
            return unsupported(QStringLiteral("OR en un WHERE con *= o =*"));
        } else if (m_t.is(i, u"AND")) {
            if (openBetweens > 0) {
                --openBetweens;
                continue;
            }
            parts.append({start, i});
            start = i + 1;
        }
    }
    parts.append({start, where.end});
    for (TokenRange part : std::as_const(parts)) {
        if (part.isEmpty())
            return malformed(QStringLiteral("WHERE: condición vacía junto a AND"));
    }
    return parts;
}

EngineResult<OuterJoinRewriter::Conjunct> OuterJoinRewriter::readConjunct(TokenRange range) {
    Conjunct c;
    c.range = range;
    for (int i = range.begin; i < range.end; i = m_t.next(i)) {
        if (isOuterJoinOperator(m_t[i])) {
            if (c.op >= 0)
                return unsupported(QStringLiteral("dos *= o =* en una misma condición"));
            c.op = i;
        }
    }
    if (c.op < 0) {
        if (EngineStatus s = tablesIn(range, c.tables); !s)
            return s;
        return c;
    }
    QList<int> left;
    QList<int> right;
    if (EngineStatus s = tablesIn({range.begin, c.op}, left); !s)
        return s;
    if (EngineStatus s = tablesIn({c.op + 1, range.end}, right); !s)
        return s;
    if (left.size() != 1 || right.size() != 1 || left[0] == right[0])
        return unsupported(QStringLiteral("%1 que no compara columnas de dos tablas").arg(m_t[c.op].text));
    const bool leftKept = m_t[c.op].isOperator(u"*=");
    c.outer = leftKept ? left[0] : right[0];
    c.inner = leftKept ? right[0] : left[0];
    return c;
}

// Adds to `tables` the FROM tables whose columns `range` names, leaving out its subqueries. A
// qualifier that is no table of this FROM and an unqualified column that none of them has belong to
// an enclosing query.
EngineStatus OuterJoinRewriter::tablesIn(TokenRange range, QList<int>& tables) {
    int i = range.begin;
    while (i < range.end) {
        const Token& t = m_t[i];
        if (m_t.isSubquery(i)) {
            i = m_t.next(i);
            continue;
        }
        if (isOuterJoinOperator(t))
            return unsupported(QStringLiteral("%1 dentro de paréntesis o de otra expresión").arg(t.text));
        if (t.is(u"AS")) { // the type of a CAST
            i += 2;
            continue;
        }
        const bool reserved = t.kind == Token::Kind::Word && Keywords::isReserved(t.text);
        const bool call = m_t.isKind(i + 1, Token::Kind::LParen);
        if (!m_t.isName(i) || (reserved && !call)) {
            ++i;
            continue;
        }
        if (call) {
            // The date part of DATEADD and the type of CONVERT are words, not columns.
            const FunctionMap::Entry* entry = FunctionMap::find(t.text);
            const int close = m_t.partner(i + 1);
            i += 2;
            if (entry && (entry->shape == FunctionMap::Shape::DatePart ||
                          entry->shape == FunctionMap::Shape::Convert)) {
                while (i < close && m_t[i].kind != Token::Kind::Comma)
                    i = m_t.next(i);
            }
            continue;
        }
        auto name = ObjectName::read(m_t, i, ObjectName::Role::Column);
        if (!name)
            return name.status();
        i = name->end();
        if (m_t.isKind(i, Token::Kind::LParen)) // a qualified function name: not a column
            continue;
        if (name->parts().size() == 2) {
            const int k = m_from->findByQualifier(name->qualifier());
            if (k >= 0 && !tables.contains(k))
                tables.append(k);
        } else if (EngineStatus s = addColumn(name->last(), tables); !s) {
            return s;
        }
    }
    return EngineStatus::ok();
}

EngineStatus OuterJoinRewriter::addColumn(const QString& column, QList<int>& tables) {
    const QString key = column.toLower();
    int found = -1;
    bool someUnknown = false;
    for (int k = 0; k < m_from->sources().size(); ++k) {
        const QSet<QString>* columns = columnsOf(k);
        if (!columns) {
            someUnknown = true;
        } else if (columns->contains(key)) {
            if (found >= 0)
                return EngineError::commandText(QStringLiteral("Columna ambigua: %1").arg(column), 209);
            found = k;
        }
    }
    if (found < 0 && someUnknown) {
        return malformed(
            QStringLiteral("No se sabe de qué tabla es la columna %1 (escríbala con su tabla)").arg(column));
    }
    if (found >= 0 && !tables.contains(found))
        tables.append(found);
    return EngineStatus::ok();
}

const QSet<QString>* OuterJoinRewriter::columnsOf(int k) {
    if (!m_columns[k]) {
        QSet<QString> set;
        const QString table = m_from->tableName(k);
        if (!table.isEmpty()) {
            const QStringList columns = m_catalogue.columnsOf(table);
            for (const QString& column : columns)
                set.insert(column.toLower());
        }
        m_columns[k] = std::move(set);
    }
    return m_columns[k]->isEmpty() ? nullptr : &*m_columns[k];
}

} // namespace nerin::tsql
