#include "server/tsql/SqliteValues.h"
#include "server/tsql/Target.h"

namespace nerin::tsql {

const Token* StatementValues::literal(qsizetype slot) const {
    if (slot < 1 || slot > m_translation.literalTokens.size())
        return nullptr;
    return &m_tokens[m_translation.literalTokens[slot - 1]];
}

DbValue StatementValues::literalValue(const Token& literal) {
    return tsql::literalValue(literal);
}

QByteArray StatementValues::binaryLiteralBytes(const Token& literal) {
    return tsql::binaryLiteralBytes(literal);
}

EngineStatus StatementValues::variable(const QString& name, DbValue& value) const {
    if (name == QStringLiteral("@__rowcount")) {
        value = DbValue(m_rowCount);
        return EngineStatus::ok();
    }
    if (name == QStringLiteral("@__trancount")) {
        value = DbValue(qint64{m_tranCount});
        return EngineStatus::ok();
    }
    std::optional<DbValue> found = m_variables ? m_variables(name) : std::nullopt;
    if (!found)
        return EngineError::commandText(QStringLiteral("Debe declarar la variable escalar \"%1\".").arg(name),
                                        137);
    value = std::move(*found);
    return EngineStatus::ok();
}

} // namespace nerin::tsql
