#include "data/odbc/OdbcErrorMap.h"

#include "data/Connection.h"

#include <gtest/gtest.h>

using nerin::classifyOdbcError;
using nerin::DbError;
using nerin::DbErrorList;
using nerin::OdbcErrorClass;
using nerin::Status;
namespace Number = nerin::DbErrorNumber;

namespace {

struct Case {
    const char16_t* sqlState;
    qint64 native;
    Status::Code code;
    qint64 number;
    const char* what;
};

// SQLSTATE and native pairs as SQL Server's drivers report them.
const Case kCases[] = {
    {u"08001", 0, Status::Code::LostLink, Number::kGenericFailure, "server not reachable"},
    {u"08S01", 10054, Status::Code::LostLink, Number::kGenericFailure, "link broken mid-statement"},
    {u"08S01", 208, Status::Code::LostLink, Number::kGenericFailure, "connection class wins over natives"},
    {u"HYT00", 0, Status::Code::DatabaseError, Number::kGenericFailure, "query time-out"},
    {u"HYT01", 0, Status::Code::DatabaseError, Number::kGenericFailure, "connection time-out"},
    {u"42S02", 208, Status::Code::NotFound, Number::kObjectNotFound, "invalid object name"},
    {u"42S22", 207, Status::Code::NotFound, Number::kObjectNotFound, "invalid column name"},
    {u"42S12", 0, Status::Code::NotFound, Number::kObjectNotFound, "index not found"},
    {u"42000", 2812, Status::Code::NotFound, Number::kObjectNotFound, "missing procedure comes as 42000"},
    {u"S0002", 208, Status::Code::NotFound, Number::kObjectNotFound, "ODBC 2 state, native decides"},
    {u"42000", 102, Status::Code::CommandTextError, Number::kCommandText, "incorrect syntax"},
    {u"37000", 156, Status::Code::CommandTextError, Number::kCommandText, "ODBC 2 syntax state"},
    {u"HY000", 170, Status::Code::CommandTextError, Number::kCommandText, "syntax reported as general error"},
    {u"42000", 229, Status::Code::CommandTextError, Number::kCommandText, "permission denied"},
    {u"22003", 8115, Status::Code::CommandTextError, Number::kCommandText, "arithmetic overflow"},
    {u"22001", 8152, Status::Code::CommandTextError, Number::kCommandText, "string truncated"},
    {u"23000", 2627, Status::Code::CommandTextError, Number::kCommandText, "primary key violation"},
    {u"23000", 547, Status::Code::CommandTextError, Number::kCommandText, "foreign key conflict"},
    {u"HY000", 0, Status::Code::DatabaseError, Number::kGenericFailure, "general error"},
    {u"40001", 1205, Status::Code::DatabaseError, Number::kGenericFailure, "deadlock victim"},
    {u"HY008", 0, Status::Code::DatabaseError, Number::kGenericFailure, "cancelled"},
    {u"", 0, Status::Code::DatabaseError, Number::kGenericFailure, "no state at all"},
    {u"42s02", 0, Status::Code::NotFound, Number::kObjectNotFound, "lower case reads as upper case"},
    {u"hyt00", 0, Status::Code::DatabaseError, Number::kGenericFailure, "lower-case time-out"},
};

} // namespace

TEST(OdbcErrorMap, ClassifiesSqlServerDiagnostics) {
    for (const Case& c : kCases) {
        const OdbcErrorClass expected{c.code, c.number};
        EXPECT_EQ(classifyOdbcError(c.sqlState, c.native), expected) << c.what;
    }
}

TEST(OdbcErrorMap, DecidesByFirstRecordThatIsNotAWarning) {
    EXPECT_EQ(nerin::decisiveOdbcError({}), nullptr);

    const DbErrorList printedThenFailed{
        {0, QStringLiteral("mensaje impreso"), QStringLiteral("01000")},
        {208, QStringLiteral("Invalid object name 'Mesas'."), QStringLiteral("42S02")},
        {8180, QStringLiteral("Statement(s) could not be prepared."), QStringLiteral("42000")}};
    ASSERT_NE(nerin::decisiveOdbcError(printedThenFailed), nullptr);
    EXPECT_EQ(nerin::decisiveOdbcError(printedThenFailed)->nativeError, 208);

    const DbErrorList onlyWarnings{{0, QStringLiteral("aviso"), QStringLiteral("01004")}};
    EXPECT_EQ(nerin::decisiveOdbcError(onlyWarnings), &onlyWarnings.first());
}
