#include "data/odbc/OdbcErrorMap.h"

#include "data/Connection.h"

#include <algorithm>
#include <array>

namespace nerin {

namespace {

constexpr std::array kNotFoundNatives{qint64{208}, qint64{207}, qint64{2812}};
constexpr std::array kSyntaxNatives{qint64{102}, qint64{156}, qint64{170}};

template <typename Array> bool contains(const Array& values, qint64 value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

bool isOneOf(QStringView state, std::initializer_list<const char16_t*> states) {
    return std::any_of(states.begin(), states.end(), [state](const char16_t* s) {
        return state.compare(QStringView(s), Qt::CaseInsensitive) == 0;
    });
}

} // namespace

OdbcErrorClass classifyOdbcError(QStringView sqlState, qint64 nativeError) {
    const QStringView stateClass = sqlState.left(2);
    if (stateClass == u"08")
        return {Status::Code::LostLink, DbErrorNumber::kGenericFailure};
    if (isOneOf(sqlState, {u"HYT00", u"HYT01"}))
        return {Status::Code::DatabaseError, DbErrorNumber::kGenericFailure};
    if (isOneOf(sqlState, {u"42S02", u"42S22", u"42S12"}) || contains(kNotFoundNatives, nativeError))
        return {Status::Code::NotFound, DbErrorNumber::kObjectNotFound};
    if (isOneOf(sqlState, {u"42000", u"37000", u"23000"}) || stateClass == u"22" ||
        contains(kSyntaxNatives, nativeError))
        return {Status::Code::CommandTextError, DbErrorNumber::kCommandText};
    return {Status::Code::DatabaseError, DbErrorNumber::kGenericFailure};
}

const DbError* decisiveOdbcError(const DbErrorList& errors) {
    for (const DbError& error : errors) {
        if (!error.sqlState.startsWith(u"01"))
            return &error;
    }
    return errors.isEmpty() ? nullptr : &errors.first();
}

} // namespace nerin
