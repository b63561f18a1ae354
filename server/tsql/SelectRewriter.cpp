#include "server/tsql/SelectRewriter.h"

#include "server/tsql/ExpressionRewriter.h"
#include "server/tsql/FromClause.h"
#include "server/tsql/ObjectName.h"
#include "server/tsql/OuterJoinRewriter.h"

namespace nerin::tsql {

namespace {

// The clause keywords of a SELECT, in the order T-SQL wants them.
enum class Clause { Into, From, Where, GroupBy, Having, OrderBy, Compute, For, Option, None };

Clause clauseAt(const NestedTokens& t, int i) {
    const Token& token = t[i];
    if (token.kind != Token::Kind::Word)
        return Clause::None;
    if (token.is(u"INTO"))
        return Clause::Into;
    if (token.is(u"FROM"))
        return Clause::From;
    if (token.is(u"WHERE"))
        return Clause::Where;
    if (token.is(u"GROUP") && t.is(i + 1, u"BY"))
        return Clause::GroupBy;
    if (token.is(u"HAVING"))
        return Clause::Having;
    if (token.is(u"ORDER") && t.is(i + 1, u"BY"))
        return Clause::OrderBy;
    if (token.is(u"COMPUTE"))
        return Clause::Compute;
    if (token.is(u"FOR"))
        return Clause::For;
    if (token.is(u"OPTION"))
        return Clause::Option;
    return Clause::None;
}

bool isSetOperator(const Token& t) {
    return t.is(u"UNION") || t.is(u"EXCEPT") || t.is(u"INTERSECT");
}

} // namespace

EngineStatus SelectRewriter::renderStatement(TokenRange range, QString& createdTable) {
    return render(range, &createdTable);
}

EngineStatus SelectRewriter::render(TokenRange range, QString* createdTable) {
    // The SELECTs of a UNION, EXCEPT or INTERSECT, and the operator words between them.
    QList<TokenRange> parts;
    QList<TokenRange> operators;
    int start = range.begin;
    for (int i = range.begin; i < range.end; i = m_t.next(i)) {
        if (isSetOperator(m_t[i])) {
            parts.append({start, i});
            const int after = m_t.is(i + 1, u"ALL") ? i + 2 : i + 1;
            operators.append({i, after});
            start = after;
        }
    }
    parts.append({start, range.end});

    QList<Clauses> clauses;
    for (TokenRange part : parts) {
        // SQLite takes no parentheses around the SELECTs of a UNION; an ORDER BY after the last one
        // sorts the whole result either way.
        TokenRange orderBy;
        if (m_t.isSubquery(part.begin) && part.begin < part.end) {
            const int after = m_t.next(part.begin);
            if (after < part.end) {
                if (!m_t.is(after, u"ORDER") || !m_t.is(after + 1, u"BY"))
                    return malformed(QStringLiteral("No se esperaba \"%1\"").arg(m_t[after].text));
                orderBy = {after + 2, part.end};
            }
            part = m_t.inside(part.begin);
        }
        auto read = readClauses(part);
        if (!read)
            return read.status();
        if (!orderBy.isEmpty()) {
            if (!read->orderBy.isEmpty())
                return malformed(QStringLiteral("Dos ORDER BY para una misma consulta"));
            read->orderBy = orderBy;
        }
        if (parts.size() > 1 && !read->top.isEmpty())
            return unsupported(QStringLiteral("TOP dentro de un UNION"));
        if (!read->into.isEmpty() && (!createdTable || !clauses.isEmpty()))
            return unsupported(QStringLiteral("INTO en una subconsulta"));
        clauses.append(*read);
    }

    if (!clauses[0].into.isEmpty()) {
        if (EngineStatus s = renderInto(clauses[0].into, *createdTable); !s)
            return s;
    }
    // T-SQL evaluates INTERSECT before UNION and EXCEPT, SQLite all of them left to right: a run of
    // INTERSECTs after another operator is nested as a subquery, named since PostgreSQL wants every
    // subquery of a FROM named. The last SELECT's ORDER BY sorts the whole result, so it stays outside.
    const auto intersects = [&](qsizetype k) {
        return k >= 0 && k < operators.size() && m_t.is(operators[k].begin, u"INTERSECT");
    };
    bool nested = false;
    TokenRange wholeOrderBy;
    for (qsizetype k = 0; k < clauses.size(); ++k) {
        if (k > 0) {
            for (int i = operators[k - 1].begin; i < operators[k - 1].end; ++i)
                m_c.out.word(m_t[i].text);
        }
        if (k > 0 && !intersects(k - 1) && intersects(k)) {
            m_c.out.word(u"SELECT * FROM (");
            nested = true;
        }
        Clauses part = clauses[k];
        const bool closes = nested && !intersects(k);
        if (closes && k == clauses.size() - 1)
            std::swap(part.orderBy, wholeOrderBy);
        if (EngineStatus s = renderPart(part); !s)
            return s;
        if (closes) {
            m_c.out.glue(u")");
            m_c.out.word(u"AS nerin_intersect");
            nested = false;
        }
    }
    if (!wholeOrderBy.isEmpty())
        return renderOrderBy(wholeOrderBy);
    return EngineStatus::ok();
}

EngineResult<SelectRewriter::Clauses> SelectRewriter::readClauses(TokenRange part) const {
    if (part.isEmpty() || !m_t.is(part.begin, u"SELECT"))
        return malformed(QStringLiteral("Se esperaba SELECT"));
    Clauses c;
    int i = part.begin + 1;
    if (m_t.is(i, u"ALL") || m_t.is(i, u"DISTINCT"))
        c.quantifier = i++;
    if (m_t.is(i, u"TOP")) {
        ++i;
        if (m_t.isKind(i, Token::Kind::LParen) && i < part.end) {
            c.top = m_t.inside(i);
            i = m_t.next(i);
        } else if (m_t.isKind(i, Token::Kind::Number) || m_t.isKind(i, Token::Kind::Variable)) {
            c.top = {i, i + 1};
            ++i;
        } else {
            return malformed(QStringLiteral("TOP sin número de filas"));
        }
        if (c.top.isEmpty())
            return malformed(QStringLiteral("TOP sin número de filas"));
        if (m_t.is(i, u"PERCENT"))
            return unsupported(QStringLiteral("TOP ... PERCENT"));
        if (m_t.is(i, u"WITH") && m_t.is(i + 1, u"TIES"))
            return unsupported(QStringLiteral("TOP ... WITH TIES"));
    }

    TokenRange* ranges[] = {&c.into, &c.from, &c.where, &c.groupBy, &c.having, &c.orderBy};
    TokenRange* current = &c.list;
    current->begin = i;
    int keyword = part.begin; // the keyword of the current clause
    // A clause keyword with nothing after it ("SELECT 1 FROM") is an error, not a clause left out.
    auto close = [&](int end) -> EngineStatus {
        current->end = end;
        if (!current->isEmpty())
            return EngineStatus::ok();
        QStringList words;
        for (int k = keyword; k < current->begin; ++k)
            words.append(m_t[k].text.toUpper());
        return malformed(QStringLiteral("%1 sin contenido").arg(words.join(u' ')));
    };
    Clause last = Clause::None;
    bool seen = false;
    for (; i < part.end; i = m_t.next(i)) {
        const Clause clause = clauseAt(m_t, i);
        if (clause == Clause::None)
            continue;
        if (seen && clause <= last)
            return malformed(QStringLiteral("Cláusula %1 fuera de lugar").arg(m_t[i].text.toUpper()));
        if (EngineStatus s = close(i); !s)
            return s;
        switch (clause) {
        case Clause::Compute:
            return unsupported(QStringLiteral("COMPUTE"));
        case Clause::For:
            return unsupported(QStringLiteral("FOR ") +
                               (i + 1 < part.end ? m_t[i + 1].text.toUpper() : QString()));
        case Clause::Option: // query hints: SQLite plans by itself
            return c;
        default:
            break;
        }
        current = ranges[static_cast<int>(clause)];
        const bool twoWords = clause == Clause::GroupBy || clause == Clause::OrderBy;
        keyword = i;
        current->begin = i + (twoWords ? 2 : 1);
        last = clause;
        seen = true;
    }
    if (EngineStatus s = close(part.end); !s)
        return s;
    return c;
}

EngineStatus SelectRewriter::renderInto(TokenRange into, QString& createdTable) {
    if (into.isEmpty() || !m_t.isName(into.begin))
        return malformed(QStringLiteral("INTO sin tabla"));
    auto target = ObjectName::read(m_t, into.begin, ObjectName::Role::Object);
    if (!target)
        return target.status();
    if (target->end() != into.end)
        return malformed(QStringLiteral("INTO: se esperaba un solo nombre de tabla"));
    m_c.out.word(m_c.dialect.createTable(target->isTemporary()));
    target->render(m_c.out);
    m_c.out.word(u"AS");
    m_c.out.markBodyStart();
    createdTable = target->last();
    return EngineStatus::ok();
}

EngineStatus SelectRewriter::renderPart(const Clauses& c) {
    SqlBuilder& out = m_c.out;
    ExpressionRewriter expression(m_c);
    out.word(u"SELECT");
    if (c.quantifier >= 0)
        out.word(m_t[c.quantifier].text);
    const Dialect::RowLimit limit = m_c.dialect.rowLimit();
    if (!c.top.isEmpty() && limit.place == Dialect::LimitPlace::AfterSelect) {
        if (EngineStatus s = renderRowLimit(limit, c.top); !s)
            return s;
    }
    const QList<TokenRange> items = m_t.split(c.list);
    for (qsizetype k = 0; k < items.size(); ++k) {
        if (k > 0)
            out.glue(u",");
        if (EngineStatus s = renderSelectItem(items[k]); !s)
            return s;
    }

    bool whereDone = false;
    if (!c.from.isEmpty()) {
        if (OuterJoinRewriter::applies(m_t, c.where)) {
            if (EngineStatus s = OuterJoinRewriter(m_t, m_c.catalogue).render(m_c, c.from, c.where); !s)
                return s;
            whereDone = true;
        } else {
            auto from = FromClause::read(m_t, c.from);
            if (!from)
                return from.status();
            out.word(u"FROM");
            if (EngineStatus s = from->render(m_c); !s)
                return s;
        }
    }
    if (!c.where.isEmpty() && !whereDone) {
        out.word(u"WHERE");
        if (EngineStatus s = expression.render(c.where); !s)
            return s;
    }
    if (!c.groupBy.isEmpty()) {
        if (m_t.is(c.groupBy.begin, u"ALL"))
            return unsupported(QStringLiteral("GROUP BY ALL"));
        if (const int with = m_t.find(c.groupBy, u"WITH"); with < c.groupBy.end)
            return unsupported(QStringLiteral("GROUP BY ... WITH ") +
                               (with + 1 < c.groupBy.end ? m_t[with + 1].text.toUpper() : QString()));
        out.word(u"GROUP BY");
        if (EngineStatus s = expression.render(c.groupBy); !s)
            return s;
    }
    if (!c.having.isEmpty()) {
        out.word(u"HAVING");
        if (EngineStatus s = expression.render(c.having); !s)
            return s;
    }
    if (!c.orderBy.isEmpty()) {
        if (EngineStatus s = renderOrderBy(c.orderBy); !s)
            return s;
    }
    if (!c.top.isEmpty() && limit.place == Dialect::LimitPlace::AtEnd)
        return renderRowLimit(limit, c.top);
    return EngineStatus::ok();
}

EngineStatus SelectRewriter::renderRowLimit(const Dialect::RowLimit& limit, TokenRange rows) {
    m_c.out.word(limit.before);
    if (EngineStatus s = ExpressionRewriter(m_c).render(rows); !s)
        return s;
    if (!limit.after.isEmpty())
        m_c.out.glue(limit.after);
    return EngineStatus::ok();
}

EngineStatus SelectRewriter::renderSelectItem(TokenRange item) {
    if (item.isEmpty())
        return malformed(QStringLiteral("Elemento vacío en la lista del SELECT"));
    SqlBuilder& out = m_c.out;
    ExpressionRewriter expression(m_c);
    const int first = item.begin;
    if (item.size() > 2 && m_t.isOperator(first + 1, u"=")) {
        if (m_t.isKind(first, Token::Kind::Variable))
            return unsupported(QStringLiteral("asignar variables en un SELECT que también devuelve filas"));
        // "Total = expr": the alias comes first in T-SQL.
        const bool stringAlias = m_t.isKind(first, Token::Kind::String);
        if (stringAlias || m_t.isPlainName(first)) {
            if (EngineStatus s = expression.render({first + 2, item.end}); !s)
                return s;
            out.word(u"AS");
            if (stringAlias) {
                out.quotedName(m_t[first].text);
                out.recordInlined(first);
            } else {
                out.name(m_t[first]);
            }
            return EngineStatus::ok();
        }
    }
    // "expr 'Total'": a string right after an operand names the column.
    const int last = item.end - 1;
    if (item.size() > 1 && m_t.isKind(last, Token::Kind::String) && expression.endsOperand(last - 1)) {
        if (EngineStatus s = expression.render({first, last}); !s)
            return s;
        out.word(u"AS");
        out.quotedName(m_t[last].text);
        out.recordInlined(last);
        return EngineStatus::ok();
    }
    return expression.render(item);
}

EngineStatus SelectRewriter::renderOrderBy(TokenRange range) {
    SqlBuilder& out = m_c.out;
    ExpressionRewriter expression(m_c);
    out.word(u"ORDER BY");
    const QList<TokenRange> items = m_t.split(range);
    for (qsizetype k = 0; k < items.size(); ++k) {
        const TokenRange item = items[k];
        if (k > 0)
            out.glue(u",");
        // An ordinal names a column of the result: SQLite reads it so only when written out.
        if (!item.isEmpty() && m_t.isKind(item.begin, Token::Kind::Number) &&
            (item.size() == 1 ||
             (item.size() == 2 && (m_t.is(item.begin + 1, u"ASC") || m_t.is(item.begin + 1, u"DESC"))))) {
            out.inlineLiteral(item.begin);
            if (item.size() == 2)
                out.word(m_t[item.begin + 1].text);
        } else if (EngineStatus s = expression.render(item); !s) {
            return s;
        }
        out.word(m_c.dialect.nullsSortLowest(!item.isEmpty() && m_t.is(item.end - 1, u"DESC")));
    }
    return EngineStatus::ok();
}

} // namespace nerin::tsql
