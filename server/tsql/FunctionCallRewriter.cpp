#include "server/tsql/FunctionCallRewriter.h"

#include "server/tsql/ExpressionRewriter.h"
#include "server/tsql/FunctionMap.h"

namespace nerin::tsql {

EngineError FunctionCallRewriter::unsupportedFunction(const QString& name) {
    return EngineError::commandText(QStringLiteral("Función no soportada: ") + name.toUpper(), 195);
}

EngineStatus FunctionCallRewriter::render(int nameIndex, int group) {
    const Token& name = m_t[nameIndex];
    const FunctionMap::Entry* entry = FunctionMap::find(name.text);
    if (!entry)
        return unsupportedFunction(name.text);
    const TokenRange inside = m_t.inside(group);
    // A conversion's name depends on the type it converts to, known once the type is read.
    auto open = [&](const QString& function) {
        m_out.word(function);
        m_out.glue(u"(");
    };
    if (entry->shape != FunctionMap::Shape::Convert && entry->shape != FunctionMap::Shape::Cast)
        open(m_c.dialect.functionName(*entry));
    switch (entry->shape) {
    case FunctionMap::Shape::Call:
        if (EngineStatus s = ExpressionRewriter(m_c).render(inside); !s)
            return s;
        break;
    case FunctionMap::Shape::DatePart:
    case FunctionMap::Shape::Convert: {
        const QList<TokenRange> args = m_t.split(inside);
        if (args.size() < 2 || args[0].isEmpty())
            return malformed(QStringLiteral("Faltan argumentos en %1").arg(name.text.toUpper()));
        if (entry->shape == FunctionMap::Shape::DatePart) {
            if (args[0].size() != 1 || !m_t.isName(args[0].begin))
                return malformed(
                    QStringLiteral("%1: se esperaba una parte de fecha").arg(name.text.toUpper()));
            m_out.word(SqlBuilder::quotedString(m_t[args[0].begin].text.toLower()));
        } else {
            auto type = typeText(args[0]);
            if (!type)
                return type.status();
            open(m_c.dialect.conversionFunction(*type));
            m_out.word(SqlBuilder::quotedString(*type));
        }
        for (qsizetype k = 1; k < args.size(); ++k) {
            m_out.glue(u",");
            if (EngineStatus s = ExpressionRewriter(m_c).render(args[k]); !s)
                return s;
        }
        break;
    }
    case FunctionMap::Shape::Cast: {
        const int as = m_t.find(inside, u"AS");
        if (as == inside.begin || as >= inside.end)
            return malformed(QStringLiteral("CAST sin AS"));
        auto type = typeText({as + 1, inside.end});
        if (!type)
            return type.status();
        open(m_c.dialect.conversionFunction(*type));
        m_out.word(SqlBuilder::quotedString(*type));
        m_out.glue(u",");
        if (EngineStatus s = ExpressionRewriter(m_c).render({inside.begin, as}); !s)
            return s;
        break;
    }
    }
    m_out.glue(u")");
    return EngineStatus::ok();
}

EngineResult<QString> FunctionCallRewriter::typeText(TokenRange range) {
    auto invalid = [&] { return malformed(QStringLiteral("Tipo de dato no válido en CAST o CONVERT")); };
    if (range.isEmpty() || !m_t.isName(range.begin))
        return invalid();
    QString text = m_t[range.begin].text.toLower();
    if (range.size() == 1)
        return text;
    if (!m_t.isKind(range.begin + 1, Token::Kind::LParen) || m_t.next(range.begin + 1) != range.end)
        return invalid();
    text += u'(';
    const TokenRange inside = m_t.inside(range.begin + 1);
    for (int i = inside.begin; i < inside.end; ++i) {
        const Token& t = m_t[i];
        if (t.kind == Token::Kind::Number) {
            m_out.recordInlined(i);
            text += t.text;
        } else if (t.kind == Token::Kind::Comma) {
            text += u',';
        } else if (t.is(u"max")) {
            text += QStringLiteral("max");
        } else {
            return invalid();
        }
    }
    return text + u')';
}

} // namespace nerin::tsql
