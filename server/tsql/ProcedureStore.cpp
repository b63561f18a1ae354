#include "server/tsql/ProcedureStore.h"

#include "server/tsql/Lexer.h"
#include "server/tsql/Parser.h"
#include "server/tsql/Target.h"

namespace nerin::tsql {

EngineStatus ProcedureStore::create(const QString& name, const QString& text) {
    RecordSet existing;
    if (EngineStatus failure = m_target.runNative(
            QStringLiteral("SELECT 1 FROM nerin_procedures WHERE name = $1"), {DbValue(name)}, &existing);
        !failure.isOk())
        return failure;
    if (!existing.eof())
        return EngineError::commandText(
            QStringLiteral("There is already an object named '%1' in the database.").arg(name), 2714);
    return m_target.runNative(
        QStringLiteral("INSERT INTO nerin_procedures (name, definition) VALUES ($1, $2)"),
        {DbValue(name), DbValue(text)});
}

EngineStatus ProcedureStore::drop(const QString& name) {
    RecordSet existing;
    if (EngineStatus failure = m_target.runNative(
            QStringLiteral("SELECT 1 FROM nerin_procedures WHERE name = $1"), {DbValue(name)}, &existing);
        !failure.isOk())
        return failure;
    if (existing.eof())
        return EngineError::notFound(
            QStringLiteral("Cannot drop the procedure '%1', because it does not exist or you do not have "
                           "permission.")
                .arg(name),
            3701);
    return m_target.runNative(QStringLiteral("DELETE FROM nerin_procedures WHERE name = $1"),
                              {DbValue(name)});
}

EngineResult<std::shared_ptr<const ProcedureDefinition>> ProcedureStore::find(const QString& name) {
    RecordSet found;
    if (EngineStatus read =
            m_target.runNative(QStringLiteral("SELECT definition FROM nerin_procedures WHERE name = $1"),
                               {DbValue(name)}, &found);
        !read.isOk())
        return read;
    if (found.eof())
        return EngineError::notFound(QStringLiteral("Could not find stored procedure '%1'.").arg(name), 2812);
    // The text is read on every call, so a procedure changed by another terminal is seen at once;
    // only parsing is saved.
    const QString text = found.value(0).toString();
    if (auto cached = m_parsed.constFind(text); cached != m_parsed.constEnd())
        return *cached;
    auto parsed = parse(text);
    if (!parsed)
        return parsed.status();
    if (m_parsed.size() > 500)
        m_parsed.clear();
    m_parsed.insert(text, *parsed);
    return parsed;
}

EngineResult<std::shared_ptr<const ProcedureDefinition>> ProcedureStore::parse(const QString& text) {
    auto tokens = Lexer::tokenize(text);
    if (!tokens)
        return tokens.status();
    auto statements = Parser::parseBatch(*tokens);
    if (!statements)
        return statements.status();
    if (statements->size() != 1 || statements->front().kind != Statement::Kind::CreateProcedure)
        return EngineError::commandText(QStringLiteral("El texto guardado no es un CREATE PROCEDURE"));
    Statement& statement = statements->front();
    auto definition = std::make_shared<ProcedureDefinition>();
    definition->name = statement.name;
    definition->parameters = std::move(statement.declarations);
    definition->body = std::move(statement.children);
    return std::shared_ptr<const ProcedureDefinition>(std::move(definition));
}

} // namespace nerin::tsql
