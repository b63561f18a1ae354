#include "server/tsql/StatementBoundary.h"

#include <string_view>

namespace nerin::tsql {

bool StatementBoundary::startsStatement(const Token& t) {
    static constexpr std::u16string_view keywords[] = {
        u"SELECT", u"INSERT",   u"UPDATE",    u"DELETE",   u"DECLARE", u"SET",    u"IF",
        u"ELSE",   u"WHILE",    u"BEGIN",     u"END",      u"RETURN",  u"EXEC",   u"EXECUTE",
        u"CREATE", u"DROP",     u"ALTER",     u"TRUNCATE", u"PRINT",   u"COMMIT", u"ROLLBACK",
        u"BREAK",  u"CONTINUE", u"RAISERROR", u"GOTO",     u"USE",     u"SAVE"};
    if (t.kind != Token::Kind::Word || t.text.size() > 9)
        return false;
    for (const std::u16string_view keyword : keywords) {
        if (QStringView(t.text).compare(QStringView(keyword.data(), static_cast<qsizetype>(keyword.size())),
                                        Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

EngineResult<qsizetype> StatementBoundary::end(const TokenList& tokens, qsizetype from, const QString& kind) {
    int depth = 0;
    int caseDepth = 0;
    bool insertHasSource = false;
    bool updateHasSet = false;
    for (qsizetype i = from; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Kind::LParen) {
            if (++depth > kMaxNesting)
                return EngineError::commandText(
                    QStringLiteral("Línea %1: demasiados paréntesis anidados").arg(t.line));
            continue;
        }
        if (t.kind == Token::Kind::RParen) {
            if (--depth < 0)
                return EngineError::commandText(QStringLiteral("Línea %1: sobra un \")\"").arg(t.line));
            continue;
        }
        if (depth > 0)
            continue;
        if (t.kind == Token::Kind::Semicolon)
            return i;
        if (t.is(u"CASE")) {
            ++caseDepth;
            continue;
        }
        if (caseDepth > 0) {
            if (t.is(u"END"))
                --caseDepth;
            continue;
        }
        if (t.is(u"VALUES") && kind == QStringLiteral("INSERT"))
            insertHasSource = true;
        if ((i == from && !kind.isEmpty()) || !startsStatement(t))
            continue;
        const Token& previous = tokens[i - 1];
        if (t.is(u"SELECT")) {
            if (previous.is(u"UNION") || previous.is(u"ALL") || previous.is(u"EXCEPT") ||
                previous.is(u"INTERSECT") || previous.is(u"AS"))
                continue;
            if (kind == QStringLiteral("INSERT") && !insertHasSource) {
                insertHasSource = true;
                continue;
            }
        }
        if (t.is(u"SET") && kind == QStringLiteral("UPDATE") && !updateHasSet) {
            updateHasSet = true;
            continue;
        }
        // "DROP TABLE IF EXISTS": the IF is the DROP's own.
        if (t.is(u"IF") && kind == QStringLiteral("DROP") && i == from + 2)
            continue;
        // "ON DELETE CASCADE" and "ON UPDATE ..." of a foreign key.
        if ((t.is(u"DELETE") || t.is(u"UPDATE")) && previous.is(u"ON"))
            continue;
        return i;
    }
    if (depth > 0)
        return EngineError::commandText(QStringLiteral("Falta cerrar un \"(\""));
    return tokens.size();
}

} // namespace nerin::tsql
