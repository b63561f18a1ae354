#pragma once

#include "base/Status.h"
#include "data/DbError.h"

namespace nerin {

// A failure reported by the PostgreSQL server or by libpq: the class the terminal's error reporting
// tells apart, what the server said (a native number in the terminal's numbering, the SQLSTATE and
// the message), and whether running the same work again may succeed.
struct PgError {
    Status::Code code = Status::Code::DatabaseError;
    DbError detail;
    // A serialization failure or a deadlock: the server undid the transaction so that another could
    // go on, and the same transaction run again from its start may succeed.
    bool retryable = false;

    Status toStatus() const { return Status::error(code, detail.description); }
};

} // namespace nerin
