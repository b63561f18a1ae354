#include "server/tsql/SqlServerRewrite.h"

#include "server/tsql/Lexer.h"
#include "server/tsql/NestedTokens.h"
#include "server/tsql/OuterJoinRewriter.h"
#include "server/tsql/Parser.h"

#include <QScopeGuard>
#include <algorithm>

namespace nerin::tsql {

namespace {

bool isNameCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

// Whether the word `upper` (ASCII capitals) is written at `i`, in any case, as a whole word.
bool wordAt(QStringView text, qsizetype i, QStringView upper) {
    const qsizetype end = i + upper.size();
    if (end > text.size() || (end < text.size() && isNameCharacter(text[end])))
        return false;
    return text.sliced(i, upper.size()).compare(upper, Qt::CaseInsensitive) == 0;
}

bool isOuterJoinOperator(const Token& t) {
    return t.isOperator(u"*=") || t.isOperator(u"=*");
}

// A piece of the batch's text, [begin, end), and what replaces it.
struct Edit {
    qsizetype begin = 0;
    qsizetype end = 0;
    QString text;
};

// Finds the queries of one statement whose WHERE holds an old outer join and writes their FROM and
// WHERE again, every piece of them copied from the batch as it was written.
class StatementRewriter {
public:
    StatementRewriter(QStringView batch, const NestedTokens& tokens, Catalogue& catalogue)
        : m_batch(batch), m_t(tokens), m_catalogue(catalogue) {}

    // Adds the edits of the queries in `range`, in the order of the text.
    EngineStatus collect(TokenRange range, QList<Edit>& edits) {
        int i = range.begin;
        while (i < range.end) {
            if (m_t.is(i, u"SELECT")) {
                int end = i + 1;
                while (end < range.end && !m_t.is(end, u"UNION") && !m_t.is(end, u"EXCEPT") &&
                       !m_t.is(end, u"INTERSECT"))
                    end = m_t.next(end);
                if (EngineStatus s = collectQuery({i, end}, edits); !s)
                    return s;
                i = end;
            } else if (m_t.partner(i) > i) {
                if (EngineStatus s = collect({i + 1, m_t.partner(i)}, edits); !s)
                    return s;
                i = m_t.next(i);
            } else {
                ++i;
            }
        }
        return EngineStatus::ok();
    }

private:
    // One SELECT, up to the end of its statement or group or to its UNION.
    EngineStatus collectQuery(TokenRange query, QList<Edit>& edits) {
        const int from = m_t.find({query.begin + 1, query.end}, u"FROM");
        const int where = m_t.find({from, query.end}, u"WHERE");
        if (where >= query.end)
            return collect({query.begin + 1, query.end}, edits);
        int whereEnd = where + 1;
        while (whereEnd < query.end && !endsWhere(whereEnd))
            whereEnd = m_t.next(whereEnd);
        if (!OuterJoinRewriter::applies(m_t, {where + 1, whereEnd}))
            return collect({query.begin + 1, query.end}, edits);

        if (EngineStatus s = collect({query.begin + 1, from}, edits); !s)
            return s;
        auto joins = writeJoins({from + 1, where}, {where + 1, whereEnd});
        if (!joins)
            return joins.status();
        edits.append({m_t[from].offset, endOf(whereEnd - 1), std::move(joins).value()});
        return collect({whereEnd, query.end}, edits);
    }

    bool endsWhere(int i) const {
        return ((m_t.is(i, u"GROUP") || m_t.is(i, u"ORDER")) && m_t.is(i + 1, u"BY")) ||
               m_t.is(i, u"HAVING") || m_t.is(i, u"OPTION") || m_t.is(i, u"FOR") || m_t.is(i, u"COMPUTE");
    }

    EngineResult<QString> writeJoins(TokenRange from, TokenRange where) {
        auto plan = OuterJoinRewriter(m_t, m_catalogue).plan(from, where);
        if (!plan)
            return plan.status();
        const QList<TableSource>& sources = plan->from.sources();
        // A table as written, hints and alias included, up to the comma before the next one.
        const auto source = [&](int k) {
            const int end = k + 1 < sources.size() ? sources[k + 1].object - 1 : from.end;
            return copy({sources[k].object, end});
        };
        QString text = QStringLiteral("FROM ");
        for (qsizetype n = 0; n < plan->kept.size(); ++n) {
            auto table = source(plan->kept[n]);
            if (!table)
                return table.status();
            text += (n > 0 ? QStringLiteral(", ") : QString()) + *table;
        }
        for (const OuterJoinRewriter::Join& join : std::as_const(plan->joins)) {
            auto table = source(join.table);
            if (!table)
                return table.status();
            text += QStringLiteral(" LEFT JOIN ") + *table + QStringLiteral(" ON ");
            for (qsizetype n = 0; n < join.on.size(); ++n) {
                const OuterJoinRewriter::Condition& c = join.on[n];
                if (n > 0)
                    text += QStringLiteral(" AND ");
                if (c.op < 0) {
                    auto condition = copy(c.range);
                    if (!condition)
                        return condition.status();
                    text += *condition;
                    continue;
                }
                auto left = copy({c.range.begin, c.op});
                auto right = copy({c.op + 1, c.range.end});
                if (!left || !right)
                    return left ? right.status() : left.status();
                text += *left + QStringLiteral(" = ") + *right;
            }
        }
        for (qsizetype n = 0; n < plan->where.size(); ++n) {
            auto condition = copy(plan->where[n]);
            if (!condition)
                return condition.status();
            text += (n == 0 ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + *condition;
        }
        return text;
    }

    // The text of `range` as written, with the old outer joins of the queries inside it rewritten.
    EngineResult<QString> copy(TokenRange range) {
        QList<Edit> edits;
        if (EngineStatus s = collect(range, edits); !s)
            return s;
        qsizetype at = m_t[range.begin].offset;
        QString text;
        for (const Edit& edit : std::as_const(edits)) {
            text += m_batch.sliced(at, edit.begin - at);
            text += edit.text;
            at = edit.end;
        }
        text += m_batch.sliced(at, endOf(range.end - 1) - at);
        return text;
    }

    qsizetype endOf(int i) const { return m_t[i].offset + m_t[i].length; }

    QStringView m_batch;
    const NestedTokens& m_t;
    Catalogue& m_catalogue;
};

// Adds the edits of one run of tokens (a statement, a condition, an initial value); a run the engine
// cannot nest is left as written.
EngineStatus collectTokens(QStringView batch, const TokenList& tokens, Catalogue& catalogue,
                           QList<Edit>& edits) {
    qsizetype count = tokens.size();
    while (count > 0 && tokens[count - 1].kind == Token::Kind::Semicolon)
        --count;
    if (std::none_of(tokens.begin(), tokens.begin() + count, isOuterJoinOperator))
        return EngineStatus::ok();
    auto nested = NestedTokens::build(tokens, static_cast<int>(count));
    if (!nested)
        return EngineStatus::ok();
    return StatementRewriter(batch, *nested, catalogue).collect(nested->all(), edits);
}

EngineStatus collectStatements(QStringView batch, const std::vector<Statement>& statements,
                               Catalogue& catalogue, QList<Edit>& edits) {
    for (const Statement& statement : statements) {
        if (EngineStatus s = collectTokens(batch, statement.tokens, catalogue, edits); !s)
            return s;
        // A SELECT that assigns variables keeps their values among its tokens.
        if (statement.kind != Statement::Kind::SelectAssign) {
            for (const Assignment& assignment : statement.assignments) {
                if (EngineStatus s = collectTokens(batch, assignment.expression, catalogue, edits); !s)
                    return s;
            }
        }
        for (const VariableDeclaration& declaration : statement.declarations) {
            if (EngineStatus s = collectTokens(batch, declaration.initializer, catalogue, edits); !s)
                return s;
        }
        if (EngineStatus s = collectStatements(batch, statement.children, catalogue, edits); !s)
            return s;
    }
    return EngineStatus::ok();
}

} // namespace

SqlServerRewrite::Scan SqlServerRewrite::scan(QStringView text) {
    Scan scan;
    const qsizetype size = text.size();
    const auto at = [&](qsizetype i) { return i < size ? text[i].unicode() : u'\0'; };
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\'' || c == u'"' || c == u'[') {
            // A doubled closing character stands for itself inside.
            const char16_t close = c == u'[' ? u']' : c;
            for (++i; i < size; ++i) {
                if (text[i] == close) {
                    if (at(i + 1) != close)
                        break;
                    ++i;
                }
            }
        } else if (c == u'-' && at(i + 1) == u'-') {
            while (i < size && text[i] != u'\n')
                ++i;
        } else if (c == u'/' && at(i + 1) == u'*') {
            // Comments nest in T-SQL.
            int depth = 0;
            for (; i < size; ++i) {
                if (text[i] == u'/' && at(i + 1) == u'*') {
                    ++depth;
                    ++i;
                } else if (text[i] == u'*' && at(i + 1) == u'/') {
                    ++i;
                    if (--depth == 0)
                        break;
                }
            }
        } else if ((c == u'*' && at(i + 1) == u'=') || (c == u'=' && at(i + 1) == u'*')) {
            scan.outerJoinOperators = true;
        } else if ((c | 0x20) == u'd' || (c | 0x20) == u'a') {
            if ((i == 0 || !isNameCharacter(text[i - 1])) &&
                (wordAt(text, i, u"DROP") || wordAt(text, i, u"ALTER")))
                scan.changesSchema = true;
        }
    }
    return scan;
}

Result<QString> SqlServerRewrite::rewrite(const QString& batch, Catalogue& catalogue) {
    const Scan found = scan(batch);
    // What the catalogue read for this batch may not hold once the batch has run.
    const auto forget = qScopeGuard([&] {
        if (found.changesSchema)
            catalogue.forgetAll();
    });
    if (!found.outerJoinOperators)
        return batch;
    // What the engine cannot read, such as "SET @x *= 2" or a statement it does not know, goes to
    // the server as it is.
    auto tokens = Lexer::tokenize(batch);
    if (!tokens)
        return batch;
    auto statements = Parser::parseBatch(*tokens);
    if (!statements)
        return batch;
    QList<Edit> edits;
    if (EngineStatus s = collectStatements(batch, *statements, catalogue, edits); !s)
        return s.toStatus();
    if (edits.isEmpty())
        return batch;
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
    QString text;
    qsizetype at = 0;
    for (const Edit& edit : std::as_const(edits)) {
        if (edit.begin < at) // the same query reached twice
            continue;
        text += QStringView(batch).sliced(at, edit.begin - at);
        text += edit.text;
        at = edit.end;
    }
    text += QStringView(batch).sliced(at);
    return text;
}

} // namespace nerin::tsql
