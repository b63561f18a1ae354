#include "data/odbc/OdbcStatement.h"

#include <QDateTime>
#include <algorithm>
#include <string>
#include <vector>

namespace nerin {

namespace {

// SQL Server's own types for time(n) and datetimeoffset(n), which its drivers report as they are.
constexpr SQLSMALLINT kSqlServerTime = -154;
constexpr SQLSMALLINT kSqlServerDateTimeOffset = -155;

// Long texts are read in pieces of this many characters.
constexpr SQLLEN kTextChunkChars = 2048;

QDateTime toDateTime(const SQL_TIMESTAMP_STRUCT& stamp, bool timeOfDay) {
    const QDate date = timeOfDay ? QDate(1899, 12, 30) : QDate(stamp.year, stamp.month, stamp.day);
    // The fraction is in nanoseconds; QTime keeps milliseconds.
    const QTime time(stamp.hour, stamp.minute, stamp.second, static_cast<int>(stamp.fraction / 1000000));
    return QDateTime(date, time);
}

DbValue decimalValue(const QString& text) {
    if (const auto money = Currency::parse(text))
        return DbValue(*money);
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    return ok ? DbValue(number) : DbValue(text);
}

} // namespace

OdbcStatement::OdbcStatement(SQLHDBC connection) {
    if (!odbcSucceeded(SQLAllocHandle(SQL_HANDLE_STMT, connection, &m_handle)))
        m_handle = SQL_NULL_HSTMT;
}

OdbcStatement::~OdbcStatement() {
    if (isAllocated())
        SQLFreeHandle(SQL_HANDLE_STMT, m_handle);
}

void OdbcStatement::setTimeout(int seconds) {
    const auto value = static_cast<SQLULEN>(seconds > 0 ? seconds : 0);
    SQLSetStmtAttr(m_handle, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(value), SQL_IS_UINTEGER);
}

SQLRETURN OdbcStatement::execute(const QString& sql) {
    std::vector<SQLWCHAR> text = toSqlWide(sql);
    return SQLExecDirectW(m_handle, text.data(), static_cast<SQLINTEGER>(sql.size()));
}

SQLRETURN OdbcStatement::moreResults() {
    return SQLMoreResults(m_handle);
}

SQLRETURN OdbcStatement::columnCount(SQLSMALLINT& count) {
    count = 0;
    return SQLNumResultCols(m_handle, &count);
}

SQLRETURN OdbcStatement::rowCount(SQLLEN& count) {
    count = -1;
    return SQLRowCount(m_handle, &count);
}

OdbcStatement::FetchAs OdbcStatement::fetchKind(SQLSMALLINT sqlType) {
    switch (sqlType) {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
        return FetchAs::Integer;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return FetchAs::Double;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return FetchAs::Decimal;
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIMESTAMP:
    case SQL_DATE:
    case SQL_TIMESTAMP:
    case kSqlServerDateTimeOffset:
        return FetchAs::DateTime;
    case SQL_TYPE_TIME:
    case SQL_TIME:
    case kSqlServerTime:
        return FetchAs::TimeOfDay;
    default:
        return FetchAs::Text;
    }
}

bool OdbcStatement::describeColumn(SQLUSMALLINT column, QString& name, SQLSMALLINT& sqlType) {
    std::vector<SQLWCHAR> buffer(256, 0);
    for (int attempt = 0; attempt < 2; ++attempt) {
        SQLSMALLINT nameLength = 0;
        SQLULEN size = 0;
        SQLSMALLINT digits = 0;
        SQLSMALLINT nullable = 0;
        const SQLRETURN rc =
            SQLDescribeColW(m_handle, column, buffer.data(), static_cast<SQLSMALLINT>(buffer.size()),
                            &nameLength, &sqlType, &size, &digits, &nullable);
        if (!odbcSucceeded(rc))
            return false;
        if (nameLength < static_cast<SQLSMALLINT>(buffer.size())) {
            name = fromSqlWide(buffer.data(), nameLength);
            return true;
        }
        buffer.assign(static_cast<size_t>(nameLength) + 1, 0);
    }
    return false;
}

bool OdbcStatement::readResult(RecordSet& result) {
    SQLSMALLINT count = 0;
    if (!odbcSucceeded(columnCount(count)))
        return false;
    QStringList names;
    std::vector<FetchAs> kinds;
    for (SQLUSMALLINT column = 1; column <= static_cast<SQLUSMALLINT>(count); ++column) {
        QString name;
        SQLSMALLINT sqlType = 0;
        if (!describeColumn(column, name, sqlType))
            return false;
        names.append(name);
        kinds.push_back(fetchKind(sqlType));
    }
    result = RecordSet(names);
    for (;;) {
        const SQLRETURN rc = SQLFetch(m_handle);
        if (rc == SQL_NO_DATA)
            return true;
        if (!odbcSucceeded(rc))
            return false;
        QList<DbValue> row;
        row.reserve(count);
        for (SQLUSMALLINT column = 1; column <= static_cast<SQLUSMALLINT>(count); ++column) {
            DbValue value;
            if (!readValue(column, kinds[column - 1], value))
                return false;
            row.append(std::move(value));
        }
        result.addRow(std::move(row));
    }
}

bool OdbcStatement::readValue(SQLUSMALLINT column, FetchAs kind, DbValue& value) {
    SQLLEN indicator = 0;
    SQLRETURN rc = SQL_SUCCESS;
    switch (kind) {
    case FetchAs::Integer: {
        SQLBIGINT number = 0;
        rc = SQLGetData(m_handle, column, SQL_C_SBIGINT, &number, sizeof number, &indicator);
        value = DbValue(static_cast<qint64>(number));
        break;
    }
    case FetchAs::Double: {
        SQLDOUBLE number = 0;
        rc = SQLGetData(m_handle, column, SQL_C_DOUBLE, &number, sizeof number, &indicator);
        value = DbValue(number);
        break;
    }
    case FetchAs::DateTime:
    case FetchAs::TimeOfDay: {
        SQL_TIMESTAMP_STRUCT stamp = {};
        rc = SQLGetData(m_handle, column, SQL_C_TYPE_TIMESTAMP, &stamp, sizeof stamp, &indicator);
        value = DbValue(toDateTime(stamp, kind == FetchAs::TimeOfDay));
        break;
    }
    case FetchAs::Decimal:
        if (!readText(column, value))
            return false;
        if (!value.isNull())
            value = decimalValue(value.toString());
        return true;
    case FetchAs::Text:
        return readText(column, value);
    }
    if (!odbcSucceeded(rc))
        return false;
    if (indicator == SQL_NULL_DATA)
        value = DbValue();
    return true;
}

bool OdbcStatement::readText(SQLUSMALLINT column, DbValue& value) {
    constexpr SQLLEN kChunkBytes = kTextChunkChars * static_cast<SQLLEN>(sizeof(SQLWCHAR));
    std::vector<SQLWCHAR> buffer(static_cast<size_t>(kTextChunkChars) + 1, 0);
    QString text;
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(m_handle, column, SQL_C_WCHAR, buffer.data(),
                                        kChunkBytes + static_cast<SQLLEN>(sizeof(SQLWCHAR)), &indicator);
        // No data after a first piece means the previous piece was the last.
        if (rc == SQL_NO_DATA)
            break;
        if (!odbcSucceeded(rc))
            return false;
        if (indicator == SQL_NULL_DATA) {
            value = DbValue();
            return true;
        }
        // A piece that filled the buffer (or of unknown total) has more behind it: it holds as many
        // characters as fit before the terminator the driver adds.
        const bool more =
            rc == SQL_SUCCESS_WITH_INFO && (indicator == SQL_NO_TOTAL || indicator > kChunkBytes);
        qsizetype length = kTextChunkChars;
        if (!more && indicator == SQL_NO_TOTAL)
            length = static_cast<qsizetype>(
                std::char_traits<char16_t>::length(reinterpret_cast<const char16_t*>(buffer.data())));
        else if (!more)
            length = static_cast<qsizetype>(std::min(indicator, kChunkBytes)) /
                     static_cast<qsizetype>(sizeof(SQLWCHAR));
        text.append(fromSqlWide(buffer.data(), length));
        if (!more)
            break;
    }
    value = DbValue(std::move(text));
    return true;
}

} // namespace nerin
