#pragma once

#include "server/tsql/EngineStatus.h"
#include "server/tsql/Token.h"

namespace nerin::tsql {

class Target;

// Notes, on a target that forgets them (Dialect::forgetsDeclaredNames()), how a CREATE TABLE or
// ALTER TABLE ADD wrote the table's name and each column's name, T-SQL type and default, and how a
// CREATE VIEW spelled its columns, so that INFORMATION_SCHEMA gives them back as written. Temporary tables
// are not noted. The target keeps the notes with the objects (the run-time library's
// nerin_note_definition()), dropped with them.
class DeclaredNames {
public:
    // After `tokens` ran successfully; does nothing for any other statement.
    static EngineStatus note(Target& target, const TokenList& tokens);
};

} // namespace nerin::tsql
