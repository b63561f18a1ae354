#pragma once

#include "server/tsql/SqlValueFunctions.h"

#include <span>

// T-SQL's text functions over UTF-8 texts, counting characters (code points), not bytes:
//   nerin_len(s)                  characters without trailing spaces
//   nerin_charindex(find, in [, start])   1-based position, case-insensitive, 0 when absent
//   nerin_left(s, n), nerin_right(s, n)
//   nerin_space(n), nerin_replicate(s, n)  NULL for n < 0; at most kMaxGeneratedCharacters
//   nerin_upper(s), nerin_lower(s)         Unicode-aware
//   nerin_substring(s, start, length)      characters start to start + length - 1 that s has
//   nerin_replace(s, find, with)           case-insensitive, as CHARINDEX finds
//   nerin_char(n)                          Windows-1252 character n; NULL outside 0 to 255
// Numbers count as their text (numberText()); NULL in any argument gives NULL.
namespace nerin::tsql {

// The longest text SPACE and REPLICATE build, as a varchar of T-SQL holds at most 8000 characters;
// longer results are cut there instead of letting a statement allocate without bound.
inline constexpr qint64 kMaxGeneratedCharacters = 8000;

std::span<const FunctionEntry> textFunctions();

} // namespace nerin::tsql
