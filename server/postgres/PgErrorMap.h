#pragma once

#include "server/postgres/PgError.h"

namespace nerin {

// How the server's SQLSTATEs map to the classes, native numbers and texts the terminal's error
// reporting knows, the numbers and texts being those SQL Server (and the embedded back-end) gives for
// the same failures: "Invalid object name 'x'." rather than the server's own words.
class PgErrorMap {
public:
    // What the server said of a failure besides its state and message, from its error fields.
    struct Details {
        QString table;      // the table of a violated constraint, or of a missing column
        QString column;     // the column of a missing value
        QString constraint; // the constraint or unique index violated
        QString verb;       // the failed statement's first word, upper case: INSERT, UPDATE, DELETE
        QString database;   // the database the connection is on
    };

    // The error for a failure with `sqlState` (empty when libpq gave none) and the server's message.
    // `linkLost` says the connection is gone afterwards, which makes it a lost link whatever the state.
    // A failure the terminal's numbering does not know keeps the server's message.
    static PgError classify(const QString& sqlState, const QString& message, bool linkLost,
                            const Details& details = {});
};

} // namespace nerin
