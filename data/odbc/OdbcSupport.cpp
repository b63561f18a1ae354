#include "data/odbc/OdbcSupport.h"

#include <algorithm>

namespace nerin {

namespace {

// A driver that keeps answering with records is not followed further than this.
constexpr SQLSMALLINT kMaxDiagnosticRecords = 100;

qsizetype stateLength(const SQLWCHAR (&state)[SQL_SQLSTATE_SIZE + 1]) {
    qsizetype length = 0;
    while (length < SQL_SQLSTATE_SIZE && state[length] != 0)
        ++length;
    return length;
}

} // namespace

std::vector<SQLWCHAR> toSqlWide(const QString& text) {
    std::vector<SQLWCHAR> wide(static_cast<size_t>(text.size()) + 1, 0);
    for (qsizetype i = 0; i < text.size(); ++i)
        wide[static_cast<size_t>(i)] = text[i].unicode();
    return wide;
}

QString fromSqlWide(const SQLWCHAR* text, qsizetype length) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), length);
}

DbErrorList readOdbcDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle) {
    DbErrorList errors;
    if (handle == SQL_NULL_HANDLE)
        return errors;
    for (SQLSMALLINT record = 1; record <= kMaxDiagnosticRecords; ++record) {
        SQLWCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER native = 0;
        std::vector<SQLWCHAR> message(SQL_MAX_MESSAGE_LENGTH + 1, 0);
        SQLSMALLINT messageLength = 0;
        SQLRETURN rc = SQLGetDiagRecW(handleType, handle, record, state, &native, message.data(),
                                      static_cast<SQLSMALLINT>(message.size()), &messageLength);
        if (rc == SQL_SUCCESS_WITH_INFO && messageLength >= static_cast<SQLSMALLINT>(message.size())) {
            // The message did not fit: ask again with room for all of it.
            message.assign(static_cast<size_t>(messageLength) + 1, 0);
            rc = SQLGetDiagRecW(handleType, handle, record, state, &native, message.data(),
                                static_cast<SQLSMALLINT>(message.size()), &messageLength);
        }
        if (!odbcSucceeded(rc))
            break;
        const qsizetype length =
            std::min<qsizetype>(messageLength, static_cast<qsizetype>(message.size()) - 1);
        errors.append(DbError{native, fromSqlWide(message.data(), std::max<qsizetype>(length, 0)),
                              fromSqlWide(state, stateLength(state))});
    }
    return errors;
}

} // namespace nerin
