#pragma once

#include "server/tsql/SqlValueFunctions.h"

#include <span>
#include <string>
#include <string_view>

// Text comparison as the terminal's database collation does it: case-insensitive by Unicode case
// folding, accent-sensitive, and blind to trailing spaces. Characters compare by their folded code
// points, so the order is total and stable, though not the dictionary order of any language ("ñ" sorts
// after "z").
namespace nerin::tsql {

inline constexpr const char* kCollationName = "NERIN_CI";

// Negative, zero or positive as `a` sorts before, equal to or after `b`.
int compareIgnoringCase(std::string_view a, std::string_view b);

// The collation callback of sqlite3_create_collation_v2() for UTF-8 texts.
int collateIgnoringCase(void* unused, int aLength, const void* a, int bLength, const void* b);

// The case-folded characters of UTF-8 text.
std::u32string foldedCharacters(std::string_view text);

// like(pattern, text) and like(pattern, text, escape), replacing SQLite's LIKE with T-SQL's: "%" any
// run, "_" any one character, "[abc]", "[a-z]" and "[^abc]" sets, and an optional escape character
// that makes the next one literal; a "[" that no "]" closes is literal. Ranges compare folded code
// points, so "[a-z]" takes no accented letter. Comparison as above, except that trailing spaces count in
// the pattern but not in the text.
std::span<const FunctionEntry> likeFunctions();

} // namespace nerin::tsql
