#include "server/tsql/FromClause.h"

#include "server/tsql/ExpressionRewriter.h"
#include "server/tsql/ObjectName.h"
#include "server/tsql/SelectRewriter.h"

namespace nerin::tsql {

namespace {

bool isTableHint(const Token& t) {
    for (const char16_t* hint :
         {u"NOLOCK", u"HOLDLOCK", u"UPDLOCK", u"ROWLOCK", u"PAGLOCK", u"TABLOCK", u"TABLOCKX", u"READPAST",
          u"READUNCOMMITTED", u"READCOMMITTED", u"REPEATABLEREAD", u"SERIALIZABLE", u"NOWAIT", u"XLOCK",
          u"INDEX", u"FASTFIRSTROW", u"NOEXPAND"}) {
        if (t.is(hint))
            return true;
    }
    return false;
}

bool isJoinHint(const Token& t) {
    return t.is(u"LOOP") || t.is(u"HASH") || t.is(u"MERGE") || t.is(u"REMOTE");
}

} // namespace

EngineResult<FromClause> FromClause::read(const NestedTokens& t, TokenRange range) {
    FromClause from(t);
    if (range.isEmpty())
        return malformed(QStringLiteral("FROM sin tablas"));
    int i = range.begin;
    TableSource::Join join = TableSource::Join::First;
    while (true) {
        TableSource source;
        source.join = join;
        auto after = from.readSource(i, range.end, source);
        if (!after)
            return after.status();
        i = *after;
        const bool needsOn = join == TableSource::Join::Inner || join == TableSource::Join::Left ||
                             join == TableSource::Join::Right || join == TableSource::Join::Full;
        if (needsOn) {
            if (!t.is(i, u"ON") || i >= range.end)
                return malformed(QStringLiteral("JOIN sin ON"));
            TableSource::Join ignored;
            int end = i + 1;
            while (end < range.end && t[end].kind != Token::Kind::Comma &&
                   from.joinStart(end, range.end, ignored) < 0)
                end = t.next(end);
            source.on = {i + 1, end};
            i = end;
        }
        from.m_sources.append(source);
        if (i >= range.end)
            break;
        if (t[i].kind == Token::Kind::Comma) {
            join = TableSource::Join::Comma;
            ++i;
            continue;
        }
        if ((t.is(i, u"CROSS") || t.is(i, u"OUTER")) && t.is(i + 1, u"APPLY"))
            return unsupported(t[i].text.toUpper() + QStringLiteral(" APPLY"));
        for (const char16_t* word : {u"PIVOT", u"UNPIVOT", u"TABLESAMPLE"}) {
            if (t.is(i, word))
                return unsupported(QString::fromUtf16(word));
        }
        const int next = from.joinStart(i, range.end, join);
        if (next < 0)
            return malformed(QStringLiteral("FROM: no se esperaba \"%1\"").arg(t[i].text));
        i = next;
    }
    return from;
}

// Reads the table at `i`; returns where what follows it starts.
EngineResult<int> FromClause::readSource(int i, int end, TableSource& source) const {
    const NestedTokens& t = *m_tokens;
    source.object = i;
    if (i >= end) {
        return malformed(QStringLiteral("FROM: falta una tabla"));
    } else if (t.isKind(i, Token::Kind::LParen)) {
        source.objectEnd = t.next(i);
    } else if (t.isName(i)) {
        auto name = ObjectName::read(t, i, ObjectName::Role::Object);
        if (!name)
            return name.status();
        source.objectEnd = name->end();
        if (source.objectEnd < end && t.isKind(source.objectEnd, Token::Kind::LParen) &&
            !isTableHint(t[source.objectEnd + 1]))
            return unsupported(QStringLiteral("funciones que devuelven tablas (%1)").arg(name->last()));
    } else {
        return malformed(QStringLiteral("FROM: se esperaba una tabla en lugar de \"%1\"").arg(t[i].text));
    }
    int j = skipHints(source.objectEnd, end);
    if (t.is(j, u"AS") && t.isName(j + 1) && j + 1 < end) {
        source.alias = j + 1;
        j += 2;
    } else if (t.isPlainName(j) && j < end) {
        source.alias = j++;
    }
    return skipHints(j, end);
}

int FromClause::skipHints(int i, int end) const {
    const NestedTokens& t = *m_tokens;
    if (t.is(i, u"WITH") && t.isKind(i + 1, Token::Kind::LParen) && i + 1 < end)
        return t.next(i + 1);
    if (t.isKind(i, Token::Kind::LParen) && i < end && i + 1 < t.size() && isTableHint(t[i + 1]))
        return t.next(i);
    return i;
}

// When a join begins at `i` (INNER JOIN, LEFT OUTER JOIN, CROSS JOIN, JOIN...), sets `join` and
// returns where its table starts; otherwise -1.
int FromClause::joinStart(int i, int end, TableSource::Join& join) const {
    const NestedTokens& t = *m_tokens;
    int j = i;
    if (t.is(j, u"INNER")) {
        join = TableSource::Join::Inner;
        ++j;
    } else if (t.is(j, u"CROSS")) {
        join = TableSource::Join::Cross;
        ++j;
    } else if (t.is(j, u"LEFT") || t.is(j, u"RIGHT") || t.is(j, u"FULL")) {
        join = t.is(j, u"LEFT") ? TableSource::Join::Left
                                : (t.is(j, u"RIGHT") ? TableSource::Join::Right : TableSource::Join::Full);
        ++j;
        if (t.is(j, u"OUTER"))
            ++j;
    } else {
        join = TableSource::Join::Inner;
    }
    if (j < end && j < t.size() && isJoinHint(t[j]))
        ++j;
    if (!t.is(j, u"JOIN") || j >= end)
        return -1;
    return j + 1;
}

bool FromClause::hasJoins() const {
    for (const TableSource& s : m_sources) {
        if (s.join != TableSource::Join::First && s.join != TableSource::Join::Comma)
            return true;
    }
    return false;
}

QString FromClause::tableName(int k) const {
    const TableSource& s = m_sources[k];
    if (m_tokens->isKind(s.object, Token::Kind::LParen))
        return {};
    return (*m_tokens)[s.objectEnd - 1].text;
}

QString FromClause::qualifier(int k) const {
    const TableSource& s = m_sources[k];
    return s.alias >= 0 ? (*m_tokens)[s.alias].text : tableName(k);
}

int FromClause::findByQualifier(const QString& name) const {
    for (int k = 0; k < m_sources.size(); ++k) {
        if (qualifier(k).compare(name, Qt::CaseInsensitive) == 0)
            return k;
    }
    return -1;
}

EngineStatus FromClause::render(RewriteContext& context) const {
    SqlBuilder& out = context.out;
    for (int k = 0; k < m_sources.size(); ++k) {
        const TableSource& s = m_sources[k];
        switch (s.join) {
        case TableSource::Join::First:
            break;
        case TableSource::Join::Comma:
            out.glue(u",");
            break;
        case TableSource::Join::Inner:
            out.word(u"INNER JOIN");
            break;
        case TableSource::Join::Left:
            out.word(u"LEFT JOIN");
            break;
        case TableSource::Join::Right:
            out.word(u"RIGHT JOIN");
            break;
        case TableSource::Join::Full:
            out.word(u"FULL JOIN");
            break;
        case TableSource::Join::Cross:
            out.word(u"CROSS JOIN");
            break;
        }
        if (EngineStatus st = renderSource(context, k); !st)
            return st;
        if (!s.on.isEmpty()) {
            out.word(u"ON");
            if (EngineStatus st = ExpressionRewriter(context).render(s.on); !st)
                return st;
        }
    }
    return EngineStatus::ok();
}

EngineStatus FromClause::renderSource(RewriteContext& context, int k) const {
    const NestedTokens& t = *m_tokens;
    const TableSource& s = m_sources[k];
    SqlBuilder& out = context.out;
    if (t.isKind(s.object, Token::Kind::LParen)) {
        out.word(u"(");
        EngineStatus st;
        if (t.isSubquery(s.object)) {
            st = SelectRewriter(context).renderQuery(t.inside(s.object));
        } else {
            auto nested = FromClause::read(t, t.inside(s.object));
            st = nested ? nested->render(context) : nested.status();
        }
        if (!st)
            return st;
        out.glue(u")");
    } else {
        auto name = ObjectName::read(t, s.object, ObjectName::Role::Object);
        if (!name)
            return name.status();
        name->render(out);
    }
    if (s.alias >= 0)
        out.name(t[s.alias]);
    return EngineStatus::ok();
}

} // namespace nerin::tsql
