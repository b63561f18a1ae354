#include "server/tsql/ObjectName.h"

#include "server/tsql/RewriteContext.h"

namespace nerin::tsql {

EngineResult<ObjectName> ObjectName::read(const NestedTokens& tokens, int start, Role role) {
    ObjectName name(tokens);
    // The name as written, for messages.
    auto written = [&](int end) {
        QString text;
        for (int k = start; k < end; ++k)
            text += tokens[k].text;
        return text;
    };
    int i = start;
    while (true) {
        if (tokens.isName(i)) {
            name.m_parts.append(i++);
        } else if (role == Role::Column && !name.m_parts.isEmpty() && tokens.isOperator(i, u"*")) {
            name.m_parts.append(i++);
            break;
        } else {
            // "db..t" leaves out the schema: a name of another database.
            return unsupported(QStringLiteral("nombre incompleto \"%1\"").arg(written(i)));
        }
        if (!tokens.isKind(i, Token::Kind::Dot))
            break;
        ++i;
    }
    name.m_end = i;
    if (name.m_parts.size() > 1 &&
        tokens[name.m_parts.first()].text.compare(u"dbo", Qt::CaseInsensitive) == 0)
        name.m_parts.removeFirst();
    // SQL Server's catalogue views are the connection's views of that name.
    if (role == Role::Object && name.m_parts.size() == 2 &&
        tokens[name.m_parts.first()].text.compare(u"INFORMATION_SCHEMA", Qt::CaseInsensitive) == 0) {
        name.m_system = QStringLiteral("INFORMATION_SCHEMA.") + tokens[name.m_parts.last()].text.toUpper();
        name.m_parts.removeFirst();
    }
    const int allowed = role == Role::Object ? 1 : 2;
    if (name.m_parts.size() > allowed) {
        return unsupported(
            role == Role::Object && name.m_parts.size() == 2
                ? QStringLiteral("el esquema \"%1\" (solo dbo)").arg(tokens[name.m_parts[0]].text)
                : QStringLiteral("nombres de tres o más partes (%1)").arg(written(i)));
    }
    return name;
}

QString ObjectName::last() const {
    if (!m_system.isEmpty())
        return m_system;
    return (*m_tokens)[m_parts.last()].text;
}

QString ObjectName::qualifier() const {
    return m_parts.size() > 1 ? (*m_tokens)[m_parts[m_parts.size() - 2]].text : QString();
}

void ObjectName::render(SqlBuilder& out) const {
    if (!m_system.isEmpty()) {
        out.catalogueView(QStringView(m_system).sliced(m_system.indexOf(u'.') + 1));
        return;
    }
    for (int k = 0; k < m_parts.size(); ++k) {
        if (k > 0)
            out.glue(u".");
        const Token& part = (*m_tokens)[m_parts[k]];
        if (part.kind == Token::Kind::Operator)
            out.glue(u"*");
        else
            out.name(part);
    }
}

} // namespace nerin::tsql
