#pragma once

#include "base/Status.h"
#include "data/DbError.h"

#include <QStringView>

namespace nerin {

// How the terminal classifies one ODBC diagnostic record: the Status code a call fails with and the
// failure number its error reporting receives.
struct OdbcErrorClass {
    Status::Code code = Status::Code::DatabaseError;
    qint64 number = 0;

    bool operator==(const OdbcErrorClass&) const = default;
};

// Classifies a diagnostic by its SQLSTATE and the server's native error number, as SQL Server reports
// them through its ODBC drivers, first rule that applies:
//   08xxx (connection)                                          LostLink          generic failure
//   HYT00, HYT01 (time-out)                                     DatabaseError     generic failure
//   42S02, 42S22, 42S12, or native 208, 207, 2812 (missing
//     table, column, index or procedure)                        NotFound          object not found
//   42000, 37000, 22xxx, 23000, or native 102, 156, 170
//     (syntax, access, data and constraint errors)              CommandTextError  command text
//   anything else                                               DatabaseError     generic failure
// The native numbers are checked whatever the SQLSTATE, because drivers differ in the state they give
// the same server message (2812 comes as 42000, syntax errors sometimes as HY000).
OdbcErrorClass classifyOdbcError(QStringView sqlState, qint64 nativeError);

// The record a failure is described and classified by: the first one that is not a warning (class 01,
// such as a message the batch printed before failing), or the first one when all are warnings. Null for
// an empty list.
const DbError* decisiveOdbcError(const DbErrorList& errors);

} // namespace nerin
