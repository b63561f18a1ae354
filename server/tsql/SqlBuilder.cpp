#include "server/tsql/SqlBuilder.h"

#include "server/tsql/DateTimeText.h"

namespace nerin::tsql {

void SqlBuilder::word(QStringView text) {
    if (text.isEmpty())
        return;
    if (!m_sql.isEmpty()) {
        const QChar last = m_sql.back();
        if (last != u'(' && last != u'.' && last != u' ')
            m_sql += u' ';
    }
    m_sql += text;
}

void SqlBuilder::literal(int index) {
    if (m_literals == Literals::Inline) {
        inlineLiteral(index);
        return;
    }
    m_literalTokens.append(index);
    if (m_variableWritten)
        m_variableBeforeLiteral = true;
    word(m_dialect.literalMarker(static_cast<int>(m_literalTokens.size())));
}

void SqlBuilder::inlineLiteral(int index) {
    recordInlined(index);
    word(literalText(m_tokens[index]));
}

void SqlBuilder::recordInlined(int index) {
    m_inlined.append({index, m_tokens[index].text});
}

void SqlBuilder::name(const Token& token) {
    if (token.kind == Token::Kind::Word && !m_dialect.needsQuotes(token.text))
        word(token.text);
    else
        quotedName(token.text);
}

void SqlBuilder::variable(const QString& parameter) {
    m_variableWritten = true;
    word(m_dialect.variableMarker(parameter));
}

Translation SqlBuilder::finish(Translation::Kind kind, const QString& touchedTable) {
    Translation t;
    t.kind = kind;
    if (m_variableBeforeLiteral) {
        const QString prologue = m_dialect.parameterPrologue(static_cast<int>(m_literalTokens.size()));
        if (!prologue.isEmpty())
            m_sql.insert(m_bodyStart, m_bodyStart == 0 ? prologue + u' ' : u' ' + prologue);
    }
    t.sql = std::move(m_sql);
    t.literalTokens = std::move(m_literalTokens);
    t.inlinedTokens = std::move(m_inlined);
    t.touchedTable = touchedTable;
    return t;
}

QString SqlBuilder::doubleQuoted(QStringView name) {
    QString quoted = name.toString();
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString SqlBuilder::quotedString(QStringView text) {
    QString quoted = text.toString();
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + u'\'';
}

QString SqlBuilder::literalText(const Token& token) {
    if (token.isBinary()) // SQLite's blob literal, with the leading zero of an odd digit count
        return QStringLiteral("X'%1%2'").arg(token.text.size() % 2 != 0 ? u"0" : u"", token.text.sliced(2));
    if (token.kind == Token::Kind::Number)
        return token.text;
    if (auto stored = canonicalize(token.text))
        return quotedString(*stored);
    return quotedString(token.text);
}

} // namespace nerin::tsql
