#pragma once

#include <QStringView>

namespace nerin::tsql {

// Which words are keywords in each dialect, compared without regard to case.
class Keywords {
public:
    // A T-SQL reserved word: never a plain name in a statement, so never an operand or an alias.
    static bool isReserved(QStringView word);
    // A word SQLite reads as a keyword: a name spelled so must be quoted in the SQLite text.
    static bool isSqliteKeyword(QStringView word);
    // A word PostgreSQL reserves, or takes as a type or function name: a name spelled so must be
    // quoted in the PostgreSQL text.
    static bool isPostgresKeyword(QStringView word);
};

} // namespace nerin::tsql
