#include "server/tsql/ViewChange.h"

#include "server/tsql/Keywords.h"
#include "server/tsql/Lexer.h"

#include <QHash>

namespace nerin::tsql {

namespace {

struct Column {
    TokenList tokens;   // what it stands for in the base table
    bool plain = false; // one column of the base table, so it can be assigned
};

// What an updatable view selects.
struct ViewShape {
    QString name;
    TokenList base;                 // the base table's name, without schema
    QStringList qualifiers;         // the names its columns may be qualified with in the view
    QHash<QString, Column> columns; // by lower-case name
    bool star = false;              // SELECT *: every base column under its own name
    TokenList where;
};

EngineError notUpdatable(int native, const QString& view) {
    QString text;
    if (native == 4403)
        text = QStringLiteral("Cannot update the view or function '%1' because it contains aggregates, or a "
                              "DISTINCT or GROUP BY clause, or PIVOT or UNPIVOT operator.");
    else if (native == 4406)
        text =
            QStringLiteral("Update or insert of view or function '%1' failed because it contains a derived "
                           "or constant field.");
    else
        text = QStringLiteral("View or function '%1' is not updatable because the modification affects "
                              "multiple base tables.");
    return EngineError::commandText(text.arg(view), native);
}

Token synthetic(Token::Kind kind, const QString& text, int line) {
    return Token{kind, text, 0, 0, line};
}

bool isNameToken(const Token& t) {
    return t.kind == Token::Kind::QuotedName || (t.isWord() && !Keywords::isReserved(t.text));
}

// The end of a dotted name starting at `i`; `last` receives its last part.
qsizetype nameEnd(const TokenList& t, qsizetype i, QString* last = nullptr) {
    while (i < t.size() && t[i].isName()) {
        if (last)
            *last = t[i].text;
        if (i + 1 < t.size() && t[i + 1].kind == Token::Kind::Dot)
            i += 2;
        else
            return i + 1;
    }
    return i;
}

// Where the first of `words` stands at parenthesis depth zero in [from, to), or `to`.
qsizetype findTop(const TokenList& t, qsizetype from, qsizetype to,
                  std::initializer_list<const char16_t*> words) {
    int depth = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (t[i].kind == Token::Kind::LParen)
            ++depth;
        else if (t[i].kind == Token::Kind::RParen)
            --depth;
        else if (depth == 0) {
            for (const char16_t* w : words) {
                if (QStringView(w) == u"," ? t[i].kind == Token::Kind::Comma : t[i].is(w))
                    return i;
            }
        }
    }
    return to;
}

QList<QPair<qsizetype, qsizetype>> splitTop(const TokenList& t, qsizetype from, qsizetype to) {
    QList<QPair<qsizetype, qsizetype>> parts;
    while (from < to) {
        const qsizetype comma = findTop(t, from, to, {u","});
        parts.append({from, comma});
        from = comma + 1;
    }
    return parts;
}

bool isAggregate(const Token& t) {
    for (const char16_t* f : {u"COUNT", u"SUM", u"AVG", u"MIN", u"MAX", u"COUNT_BIG", u"STDEV", u"VAR"}) {
        if (t.is(f))
            return true;
    }
    return false;
}

// Reads the view's definition; a view that is not updatable gives its error number.
std::variant<ViewShape, int> readView(const QString& viewName, const QString& definition) {
    auto lexed = Lexer::tokenize(definition);
    if (!lexed)
        return 4405;
    TokenList t = *lexed;
    if (!t.isEmpty() && t.last().kind == Token::Kind::Semicolon)
        t.removeLast();
    qsizetype end = t.size();
    if (end > 3 && t[end - 3].is(u"WITH") && t[end - 2].is(u"CHECK") && t[end - 1].is(u"OPTION"))
        end -= 3;
    ViewShape view;
    view.name = viewName;
    QStringList header;
    qsizetype i = nameEnd(t, 2);
    if (i < end && t[i].kind == Token::Kind::LParen) {
        qsizetype close = i + 1;
        while (close < end && t[close].kind != Token::Kind::RParen) {
            if (t[close].isName())
                header.append(t[close].text.toLower());
            ++close;
        }
        i = close + 1;
    }
    i = findTop(t, i, end, {u"AS"}) + 1;
    if (i >= end || !t[i].is(u"SELECT"))
        return 4405;
    ++i;
    if (i < end && (t[i].is(u"DISTINCT") || t[i].is(u"TOP")))
        return 4403;
    if (i < end && t[i].is(u"ALL"))
        ++i;
    if (findTop(t, i, end, {u"UNION", u"INTERSECT", u"EXCEPT"}) < end)
        return 4405;
    if (findTop(t, i, end, {u"GROUP", u"HAVING"}) < end)
        return 4403;
    const qsizetype from = findTop(t, i, end, {u"FROM"});
    const qsizetype where = findTop(t, from, end, {u"WHERE"});
    if (from >= end || findTop(t, from + 1, where, {u",", u"JOIN", u"APPLY"}) < where)
        return 4405;
    // FROM table [AS] [alias]
    qsizetype k = from + 1;
    QString baseName;
    const qsizetype baseEnd = nameEnd(t, k, &baseName);
    if (baseEnd == k)
        return 4405;
    view.base = {t[baseEnd - 1]};
    view.qualifiers = {baseName.toLower(), viewName.toLower()};
    k = baseEnd;
    if (k < where && t[k].is(u"AS"))
        ++k;
    if (k < where && t[k].isName())
        view.qualifiers.append(t[k++].text.toLower());
    if (k != where && !(k < where && t[k].is(u"WITH"))) // table hints
        return 4405;
    if (where < end)
        view.where = t.mid(where + 1, end - where - 1);

    const auto items = splitTop(t, i, from);
    for (qsizetype n = 0; n < items.size(); ++n) {
        auto [b, e] = items[n];
        if (e - b == 1 && t[b].isOperator(u"*")) {
            view.star = true;
            continue;
        }
        if (e - b == 3 && t[b + 2].isOperator(u"*")) {
            view.star = true;
            continue;
        }
        QString name;
        if (e - b > 2 && (t[b].isName() || t[b].kind == Token::Kind::String) && t[b + 1].isOperator(u"=")) {
            name = t[b].text; // alias = expression
            b += 2;
        } else if (e - b > 2 && t[e - 2].is(u"AS")) {
            name = t[e - 1].text;
            e -= 2;
        } else if (e - b > 1 && (isNameToken(t[e - 1]) || t[e - 1].kind == Token::Kind::String) &&
                   t[e - 2].kind != Token::Kind::Dot) {
            name = t[e - 1].text; // expression alias
            --e;
        }
        Column column;
        column.tokens = t.mid(b, e - b);
        for (const Token& token : std::as_const(column.tokens)) {
            if (isAggregate(token))
                return 4403;
        }
        QString last;
        column.plain = nameEnd(t, b, &last) == e && t[b].isName();
        if (column.plain)
            column.tokens = {t[e - 1]};
        if (name.isEmpty())
            name = last;
        if (n < header.size())
            name = header[n];
        view.columns.insert(name.toLower(), column);
    }
    return view;
}

class Rewriter {
public:
    explicit Rewriter(const ViewShape& view) : m_view(view) {}

    // `tokens` with the view's names turned into the base table's; `assigned` when they are the
    // target of a SET, which must be a plain column.
    EngineStatus map(const TokenList& t, qsizetype from, qsizetype to, TokenList& out,
                     bool assigned = false) const {
        qsizetype freed = -1; // a column whose qualifier, the view's name, was dropped
        for (qsizetype i = from; i < to; ++i) {
            const Token& token = t[i];
            const bool qualifier = i + 2 < to && t[i + 1].kind == Token::Kind::Dot;
            const bool qualified = i > from && t[i - 1].kind == Token::Kind::Dot && freed != i;
            if (qualifier && !qualified && t[i + 2].isName() &&
                m_view.qualifiers.contains(token.text.toLower())) {
                freed = i + 2;
                ++i;
                continue;
            }
            const bool call = i + 1 < t.size() && t[i + 1].kind == Token::Kind::LParen;
            const auto found = isNameToken(token) && !call && !qualifier && !qualified
                                   ? m_view.columns.constFind(token.text.toLower())
                                   : m_view.columns.constEnd();
            if (found == m_view.columns.constEnd()) {
                out.append(token);
                continue;
            }
            if (assigned && !found->plain)
                return notUpdatable(4406, m_view.name);
            if (found->plain) {
                out.append(found->tokens);
            } else {
                out.append(synthetic(Token::Kind::LParen, QStringLiteral("("), token.line));
                out.append(stripQualifiers(found->tokens));
                out.append(synthetic(Token::Kind::RParen, QStringLiteral(")"), token.line));
            }
        }
        return EngineStatus::ok();
    }

    // The view's own tokens without the qualifiers naming its base table.
    TokenList stripQualifiers(const TokenList& t) const {
        TokenList out;
        for (qsizetype i = 0; i < t.size(); ++i) {
            if (i + 2 < t.size() && t[i + 1].kind == Token::Kind::Dot && t[i + 2].isName() &&
                m_view.qualifiers.contains(t[i].text.toLower())) {
                ++i;
                continue;
            }
            out.append(t[i]);
        }
        return out;
    }

    // WHERE (view's condition) AND (the statement's), or whichever there is.
    void appendWhere(const TokenList& t, qsizetype where, qsizetype end, TokenList& out, int line) const {
        TokenList own;
        if (where < end) {
            if (!map(t, where + 1, end, own).isOk())
                return;
        }
        const TokenList viewWhere = stripQualifiers(m_view.where);
        if (own.isEmpty() && viewWhere.isEmpty())
            return;
        out.append(synthetic(Token::Kind::Word, QStringLiteral("WHERE"), line));
        auto group = [&](const TokenList& part) {
            out.append(synthetic(Token::Kind::LParen, QStringLiteral("("), line));
            out.append(part);
            out.append(synthetic(Token::Kind::RParen, QStringLiteral(")"), line));
        };
        if (!viewWhere.isEmpty())
            group(viewWhere);
        if (!viewWhere.isEmpty() && !own.isEmpty())
            out.append(synthetic(Token::Kind::Word, QStringLiteral("AND"), line));
        if (!own.isEmpty())
            group(own);
    }

private:
    const ViewShape& m_view;
};

} // namespace

EngineResult<std::optional<TokenList>> ViewChange::rewrite(const TokenList& tokens, Catalogue& catalogue) {
    const std::optional<TokenList> unchanged;
    if (tokens.size() < 2)
        return unchanged;
    const bool update = tokens[0].is(u"UPDATE");
    if (!update && !tokens[0].is(u"DELETE"))
        return unchanged;
    qsizetype i = !update && tokens[1].is(u"FROM") ? 2 : 1;
    QString name;
    const qsizetype target = nameEnd(tokens, i, &name);
    if (target == i)
        return unchanged;
    const QString definition = catalogue.viewDefinition(name);
    if (definition.isEmpty())
        return unchanged;
    qsizetype end = tokens.size();
    if (tokens.last().kind == Token::Kind::Semicolon)
        --end;
    const int line = tokens[0].line;
    if (update ? (target >= end || !tokens[target].is(u"SET"))
               : (target < end && !tokens[target].is(u"WHERE")))
        return unchanged; // hints, FROM or OUTPUT: left to the translator, which refuses what it cannot do
    const qsizetype where = findTop(tokens, target, end, {u"WHERE"});
    if (update && findTop(tokens, target, where, {u"FROM", u"OUTPUT"}) < where)
        return unchanged;

    auto shape = readView(name, definition);
    if (const int* error = std::get_if<int>(&shape))
        return notUpdatable(*error, name);
    const ViewShape& view = std::get<ViewShape>(shape);
    const Rewriter rewriter(view);
    TokenList out;
    out.append(tokens[0]);
    if (!update)
        out.append(synthetic(Token::Kind::Word, QStringLiteral("FROM"), line));
    out.append(view.base);
    if (update) {
        out.append(tokens[target]); // SET
        const auto items = splitTop(tokens, target + 1, where);
        for (qsizetype n = 0; n < items.size(); ++n) {
            const auto [b, e] = items[n];
            if (n > 0)
                out.append(synthetic(Token::Kind::Comma, QStringLiteral(","), line));
            qsizetype equals = b;
            while (equals < e && !tokens[equals].isOperator(u"="))
                ++equals;
            if (EngineStatus mapped = rewriter.map(tokens, b, equals, out, true); !mapped.isOk())
                return mapped;
            if (EngineStatus mapped = rewriter.map(tokens, equals, e, out); !mapped.isOk())
                return mapped;
        }
    }
    rewriter.appendWhere(tokens, where, end, out, line);
    return std::optional<TokenList>(std::move(out));
}

} // namespace nerin::tsql
