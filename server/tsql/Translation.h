#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace nerin::tsql {

// One T-SQL statement turned into a SQLite statement, reusable for every statement of the same shape
// (the same tokens, whatever the values of its lifted literals).
struct Translation {
    enum class Kind {
        Query,  // returns rows: a SELECT
        Change, // changes rows: INSERT, UPDATE, DELETE, SELECT ... INTO
        Schema, // data definition: CREATE, DROP, ALTER, TRUNCATE
    };

    Kind kind = Kind::Query;
    // SQLite text. "?N" is the N-th lifted literal (1-based); "@name" (lower case, without the
    // T-SQL "@") is a variable or the value of a system function such as @@ROWCOUNT, bound by name.
    QString sql;
    // For each ?N in order: the index, in the statement's token list, of the literal it stands for.
    QList<int> literalTokens;
    // Literal tokens written into the SQL instead of lifted (ORDER BY ordinals, type lengths, data
    // definition): their indexes and texts. A statement of the same shape whose inlined literals
    // differ needs a translation of its own.
    QList<QPair<int, QString>> inlinedTokens;
    // The temporary table a SELECT ... INTO or CREATE TABLE #T creates, or a DROP TABLE #T drops; the
    // catalogue forgets what it knew of it.
    QString touchedTable;
};

} // namespace nerin::tsql
