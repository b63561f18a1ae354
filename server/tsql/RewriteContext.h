#pragma once

#include "server/tsql/Catalogue.h"
#include "server/tsql/Dialect.h"
#include "server/tsql/NestedTokens.h"
#include "server/tsql/SqlBuilder.h"

namespace nerin::tsql {

// What every rewriter of one statement shares: the tokens read, the text written, the catalogue,
// and the dialect of the target that the text is written in.
struct RewriteContext {
    const NestedTokens& tokens;
    SqlBuilder& out;
    Catalogue& catalogue;
    const Dialect& dialect;
};

// A CommandTextError for something T-SQL has that the translator does not.
inline EngineError unsupported(const QString& what) {
    return EngineError::commandText(QStringLiteral("No soportado: ") + what);
}

// A CommandTextError for a statement that cannot be read.
inline EngineError malformed(const QString& what) {
    return EngineError::commandText(what);
}

} // namespace nerin::tsql
