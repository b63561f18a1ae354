#pragma once

#include "server/tsql/EngineResult.h"
#include "server/tsql/Token.h"

namespace nerin::tsql {

// Splits a T-SQL text into tokens as SQL Server reads it: quotes with doubled quotes inside, N'...'
// literals, [bracketed] and "quoted" names, -- and /* */ comments (nested), @variables, #temporary
// names, and a number run directly into a keyword ("1AND" is 1 then AND). Comments and white space
// are dropped. Binary literals (0x0A0b) are numbers written with their "0x". A quote, bracket or
// comment left open or a character that T-SQL has no use for fails with a CommandTextError naming the
// line.
class Lexer {
public:
    static EngineResult<TokenList> tokenize(QStringView text);
};

} // namespace nerin::tsql
