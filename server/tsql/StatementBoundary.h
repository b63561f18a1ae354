#pragma once

#include "server/tsql/EngineResult.h"
#include "server/tsql/Token.h"

namespace nerin::tsql {

// Where statements begin and end in a run of T-SQL tokens that has no ";" between them.
class StatementBoundary {
public:
    // Parentheses nested deeper than this are refused rather than followed.
    static constexpr int kMaxNesting = 200;

    // A word that begins a statement (SELECT, SET, IF, END, EXEC...). At the outer level of a
    // statement it ends the one before, unless it can continue it.
    static bool startsStatement(const Token& token);

    // The end (exclusive) of the expression or SQL statement that starts at `from`: the first token at
    // the outer level that starts another statement, a ";", or the end of the tokens. `kind` is the
    // first word of a SQL statement in upper case ("INSERT", "UPDATE"...), which decides what may
    // continue it (INSERT ... SELECT, UPDATE ... SET, ... UNION SELECT); empty for an expression.
    // Unbalanced or too deeply nested parentheses fail.
    static EngineResult<qsizetype> end(const TokenList& tokens, qsizetype from, const QString& kind);
};

} // namespace nerin::tsql
