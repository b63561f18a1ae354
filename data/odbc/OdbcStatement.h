#pragma once

#include "data/RecordSet.h"
#include "data/odbc/OdbcSupport.h"

#include <QString>

namespace nerin {

// One ODBC statement handle on an open connection, freed when the object goes out of scope, whatever
// path the caller leaves by. Calls answer with the driver's return code; after a failure the handle's
// diagnostics say why (a failed allocation leaves them on the connection handle instead).
class OdbcStatement {
public:
    explicit OdbcStatement(SQLHDBC connection);
    ~OdbcStatement();
    OdbcStatement(const OdbcStatement&) = delete;
    OdbcStatement& operator=(const OdbcStatement&) = delete;

    bool isAllocated() const { return m_handle != SQL_NULL_HSTMT; }
    SQLHSTMT handle() const { return m_handle; }

    // The seconds a statement may run before the driver cancels it; 0 waits as long as it takes.
    // Best effort: a driver that cannot honour it keeps its own time-out.
    void setTimeout(int seconds);
    SQLRETURN execute(const QString& sql);
    SQLRETURN moreResults();
    // The columns of the current result: 0 for a result that is only a row count.
    SQLRETURN columnCount(SQLSMALLINT& count);
    SQLRETURN rowCount(SQLLEN& count);

    // Reads the current result (which has columns) to its end. Values take their kind from the
    // column's SQL type: integers and bits as integers, approximate numbers as doubles, decimals as
    // money (as doubles when they do not fit it), dates and times as date-times (a time of day on day
    // zero, 30 Dec 1899), everything else as text; NULL as a null value. False on failure.
    bool readResult(RecordSet& result);

private:
    enum class FetchAs { Integer, Double, Decimal, DateTime, TimeOfDay, Text };

    static FetchAs fetchKind(SQLSMALLINT sqlType);
    bool describeColumn(SQLUSMALLINT column, QString& name, SQLSMALLINT& sqlType);
    bool readValue(SQLUSMALLINT column, FetchAs kind, DbValue& value);
    bool readText(SQLUSMALLINT column, DbValue& value);

    SQLHSTMT m_handle = SQL_NULL_HSTMT;
};

} // namespace nerin
