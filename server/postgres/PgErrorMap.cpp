#include "server/postgres/PgErrorMap.h"

namespace nerin {

namespace {

PgError make(Status::Code code, qint64 native, const QString& sqlState, const QString& message) {
    return PgError{code, DbError{native, message, sqlState}, false};
}

} // namespace

PgError PgErrorMap::classify(const QString& sqlState, const QString& message, bool linkLost) {
    const QStringView category = QStringView(sqlState).left(2);
    // A connection that is gone, or that the server is ending (shutdown, crash, an administrator),
    // cannot be used again: the terminal has to reconnect.
    if (linkLost || category == u"08" || sqlState.startsWith(u"57P0"))
        return make(Status::Code::LostLink, 0, sqlState.isEmpty() ? QStringLiteral("08S01") : sqlState,
                    message);
    if (sqlState == u"40001" || sqlState == u"40P01") {
        PgError error =
            make(Status::Code::DatabaseError, sqlState == u"40P01" ? 1205 : 3960, sqlState, message);
        error.retryable = true;
        return error;
    }
    if (sqlState == u"42P01")
        return make(Status::Code::NotFound, 208, sqlState, message);
    if (sqlState == u"42703")
        return make(Status::Code::NotFound, 207, sqlState, message);
    if (sqlState == u"42883")
        return make(Status::Code::NotFound, 2812, sqlState, message);
    if (sqlState == u"42501")
        return make(Status::Code::CommandTextError, 229, sqlState, message);
    if (category == u"42")
        return make(Status::Code::CommandTextError, 102, sqlState, message);
    // Constraint violations are plain database errors shown to the person, numbered as the embedded
    // back-end numbers them: a missing value, a key another row holds, a broken reference or check.
    if (sqlState == u"23502")
        return make(Status::Code::DatabaseError, 515, sqlState, message);
    if (sqlState == u"23503" || sqlState == u"23514")
        return make(Status::Code::DatabaseError, 547, sqlState, message);
    if (category == u"23")
        return make(Status::Code::DatabaseError, 2627, sqlState, message);
    if (sqlState == u"22012")
        return make(Status::Code::CommandTextError, 8134, sqlState, message);
    if (category == u"22")
        return make(Status::Code::CommandTextError, 245, sqlState, message);
    return make(Status::Code::DatabaseError, 50000, sqlState, message);
}

} // namespace nerin
