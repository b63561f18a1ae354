#pragma once

#include "server/postgres/PgError.h"

namespace nerin {

// How the server's SQLSTATEs map to the classes and native numbers the terminal's error reporting
// knows, the numbers being those the embedded back-end gives for the same failures.
class PgErrorMap {
public:
    // The error for a failure with `sqlState` (empty when libpq gave none) and the server's message.
    // `linkLost` says the connection is gone afterwards, which makes it a lost link whatever the state.
    static PgError classify(const QString& sqlState, const QString& message, bool linkLost);
};

} // namespace nerin
