#pragma once

#include "server/tsql/NestedTokens.h"

#include <QList>

namespace nerin::tsql {

// What the translator tells of an operand's type from its tokens alone, where the target's text
// depends on it.
class OperandKind {
public:
    // A date operand of "-": GETDATE(), DATEADD(...), CURRENT_TIMESTAMP, or a CAST or CONVERT to a
    // date type, in any number of parentheses.
    static bool isDate(const NestedTokens& t, TokenRange term);
    // Whether `terms` joined by `operators` are known to be a text: a string, or a call of a function
    // that gives a text or converts to a text type, joined by "+" to anything.
    static bool isText(const NestedTokens& t, const QList<TokenRange>& terms, const QList<int>& operators);
};

} // namespace nerin::tsql
