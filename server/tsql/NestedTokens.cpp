#include "server/tsql/NestedTokens.h"

#include "server/tsql/Keywords.h"

namespace nerin::tsql {

namespace {

EngineStatus nestingError(const Token& token, const QString& what) {
    return EngineError::commandText(QStringLiteral("Línea %1: %2").arg(token.line).arg(what));
}

} // namespace

EngineResult<NestedTokens> NestedTokens::build(const TokenList& tokens, int count) {
    NestedTokens nested(tokens, count);
    nested.m_partner.fill(-1, count);
    QList<int> open; // "(" and CASE not yet closed, innermost last
    for (int i = 0; i < count; ++i) {
        const Token& t = tokens[i];
        const bool opens = t.kind == Token::Kind::LParen || t.is(u"CASE");
        if (opens) {
            if (open.size() >= kMaxDepth)
                return nestingError(
                    t, QStringLiteral("más de %1 niveles de paréntesis o CASE anidados").arg(kMaxDepth));
            open.append(i);
        } else if (t.kind == Token::Kind::RParen) {
            if (!open.isEmpty() && tokens[open.last()].is(u"CASE"))
                return nestingError(tokens[open.last()], QStringLiteral("CASE sin END"));
            if (open.isEmpty())
                return nestingError(t, QStringLiteral("\")\" sin \"(\""));
            nested.m_partner[open.last()] = i;
            nested.m_partner[i] = open.last();
            open.removeLast();
        } else if (t.is(u"END") && !open.isEmpty() && tokens[open.last()].is(u"CASE")) {
            nested.m_partner[open.last()] = i;
            nested.m_partner[i] = open.last();
            open.removeLast();
        } else if (t.kind == Token::Kind::Semicolon) {
            return nestingError(t, QStringLiteral("\";\" dentro de la instrucción"));
        }
    }
    if (!open.isEmpty()) {
        const Token& t = tokens[open.last()];
        return nestingError(t, t.is(u"CASE") ? QStringLiteral("CASE sin END")
                                             : QStringLiteral("\"(\" sin \")\""));
    }
    return nested;
}

bool NestedTokens::isPlainName(int i) const {
    if (i < 0 || i >= m_count)
        return false;
    const Token& t = at(i);
    return t.kind == Token::Kind::QuotedName ||
           (t.kind == Token::Kind::Word && !Keywords::isReserved(t.text));
}

int NestedTokens::find(TokenRange range, QStringView keyword) const {
    for (int i = range.begin; i < range.end; i = next(i)) {
        if (at(i).is(keyword))
            return i;
    }
    return range.end;
}

QList<TokenRange> NestedTokens::split(TokenRange range, Token::Kind separator) const {
    QList<TokenRange> parts;
    int start = range.begin;
    for (int i = range.begin; i < range.end; i = next(i)) {
        if (at(i).kind == separator) {
            parts.append({start, i});
            start = i + 1;
        }
    }
    parts.append({start, range.end});
    return parts;
}

} // namespace nerin::tsql
