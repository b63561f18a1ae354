#pragma once

#include "server/tsql/EngineResult.h"
#include "server/tsql/Statement.h"

#include <QHash>
#include <memory>

namespace nerin::tsql {

class Target;

// A procedure as the engine runs it: its parameters and its parsed body.
struct ProcedureDefinition {
    QString name;
    std::vector<VariableDeclaration> parameters;
    std::vector<Statement> body;
};

// The procedures of the database, kept as their CREATE PROCEDURE text in the table nerin_procedures so
// that every connection, in any process, runs the same ones. Parsed bodies are remembered by text.
class ProcedureStore {
public:
    explicit ProcedureStore(Target& target) : m_target(target) {}

    EngineStatus create(const QString& name, const QString& text);
    EngineStatus drop(const QString& name);
    EngineResult<std::shared_ptr<const ProcedureDefinition>> find(const QString& name);

    // Parses a CREATE PROCEDURE text.
    static EngineResult<std::shared_ptr<const ProcedureDefinition>> parse(const QString& text);

private:
    Target& m_target;
    QHash<QString, std::shared_ptr<const ProcedureDefinition>> m_parsed; // by text
};

} // namespace nerin::tsql
