#pragma once

#include "server/tsql/EngineResult.h"
#include "server/tsql/Target.h"
#include "server/tsql/Token.h"
#include "server/tsql/Translation.h"

#include <QHash>
#include <memory>

namespace nerin::tsql {

class Translator;

// Runs single SQL statements given as T-SQL tokens on a target. Translations are cached by statement
// shape (the tokens with literal values left out), so the same statement with other values is not
// translated again. A change through a view is run against the view's base table.
class StatementRunner {
public:
    using VariableLookup = StatementValues::VariableLookup;
    using Outcome = StatementOutcome;

    // `target` must outlive the runner.
    explicit StatementRunner(Target& target);
    ~StatementRunner();
    StatementRunner(const StatementRunner&) = delete;
    StatementRunner& operator=(const StatementRunner&) = delete;

    // `variables` resolves "@name" parameters; `system` values: @@ROWCOUNT and @@TRANCOUNT.
    EngineStatus run(const TokenList& tokens, const VariableLookup& variables, qint64 rowCount, int tranCount,
                     Outcome& outcome);

    Target& target() { return m_target; }

private:
    EngineResult<std::shared_ptr<const Translation>> translationFor(const TokenList& tokens);

    Target& m_target;
    std::unique_ptr<Translator> m_translator;
    QHash<QString, QList<std::shared_ptr<const Translation>>> m_translations;
};

} // namespace nerin::tsql
