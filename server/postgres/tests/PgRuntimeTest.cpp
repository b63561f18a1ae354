#include "server/postgres/PgRuntime.h"

#include "base/tests/QtPrinters.h"
#include "server/postgres/PgConnection.h"
#include "server/postgres/testing/PgTestFixtures.h"
#include "server/tsql/SqlFunctions.h"
#include "server/tsql/SqliteValues.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using nerin::DbValue;
using nerin::PgConnection;
using nerin::PgRuntime;
using nerin::Status;
using nerin::testing::PgTestDatabase;

namespace {

// A value as the table below writes it: NULL; numbers, money included, to 15 significant digits;
// 'texts' in quotes; dates to the millisecond; "error: " and the message.
QString shown(const DbValue& value) {
    switch (value.type()) {
    case DbValue::Type::Null:
        return QStringLiteral("NULL");
    case DbValue::Type::Integer:
        return QString::number(value.toInt());
    case DbValue::Type::Double:
        return QString::number(value.toDouble(), 'g', 15);
    case DbValue::Type::Currency:
        return value.toCurrency().toPlainText();
    case DbValue::Type::Text:
        return u'\'' + value.toString() + u'\'';
    case DbValue::Type::DateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    }
    return {};
}

// The first value of "SELECT <expression>" on SQLite with the engine's run-time functions.
QString sqliteValue(sqlite3* db, const QString& expression) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = ("SELECT " + expression).toUtf8();
    QString result;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        result = shown(nerin::tsql::readRow(statement).value(0));
    else
        result = QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(statement);
    return result;
}

class PgRuntimeTest : public nerin::testing::PgRuntimeDatabaseTest {
protected:
    QString pgValue(const QString& expression) {
        const auto read = m_link.query(QStringLiteral("SELECT ") + expression);
        if (!read)
            return QStringLiteral("error: ") + read.status().message();
        return read->eof() ? QStringLiteral("no row") : shown(read->value(0));
    }
};

TEST_F(PgRuntimeTest, GivesWhatTheEmbeddedRunTimeGives) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    const Status registered = nerin::tsql::registerTsqlFunctions(db);
    ASSERT_TRUE(registered.isOk()) << qPrintable(registered.message());
    // The call on SQLite, the call on PostgreSQL where it is written otherwise, and the result.
    const struct {
        const char* sqlite;
        const char* pg;
        const char* expected;
    } cases[] = {
        {"nerin_year(nerin_getdate()) > 2000", nullptr, "1"},
        {"nerin_dateadd('month', 1, '2026-01-31')", nullptr, "2026-02-28 00:00:00.000"},
        {"nerin_dateadd('m', 1, '2024-01-31')", nullptr, "2024-02-29 00:00:00.000"},
        {"nerin_dateadd('yy', 1, '2024-02-29')", nullptr, "2025-02-28 00:00:00.000"},
        {"nerin_dateadd('day', 1, '06/12/2026 13:45')", nullptr, "2026-12-07 13:45:00.000"},
        {"nerin_dateadd('mi', -90, '2026-12-06 00:30')", nullptr, "2026-12-05 23:00:00.000"},
        {"nerin_dateadd('ms', 1500, '2026-12-06 23:59:59')", nullptr, "2026-12-07 00:00:00.500"},
        {"nerin_dateadd('d', 1.9, '2026-12-31')", nullptr, "2027-01-01 00:00:00.000"},
        {"nerin_dateadd('day', NULL, '2026-12-06')", nullptr, "NULL"},
        {"nerin_dateadd('fortnight', 1, '2026-12-06')", nullptr,
         "error: 'fortnight' is not a recognized dateadd option."},
        {"nerin_datediff('day', '2026-12-06 23:59', '2026-12-07 00:01')", nullptr, "1"},
        {"nerin_datediff('yyyy', '2026-12-31 23:59', '2027-01-01')", nullptr, "1"},
        {"nerin_datediff('month', '2026-01-31', '2026-02-01')", nullptr, "1"},
        {"nerin_datediff('q', '2025-12-31', '2026-01-01')", nullptr, "1"},
        {"nerin_datediff('week', '2026-12-05', '2026-12-06')", nullptr, "1"},
        {"nerin_datediff('hour', '2026-12-06 13:59:59.999', '2026-12-06 14:00')", nullptr, "1"},
        {"nerin_datediff('ms', '2026-12-06', '2027-12-06')", nullptr, "31536000000"},
        {"nerin_datediff('day', NULL, '2026-12-06')", nullptr, "NULL"},
        {"nerin_datepart('weekday', '2026-12-06')", nullptr, "1"},
        {"nerin_datepart('dw', '2026-12-12')", nullptr, "7"},
        {"nerin_datepart('wk', '2026-01-04')", nullptr, "2"},
        {"nerin_datepart('dy', '2024-12-31')", nullptr, "366"},
        {"nerin_datepart('ms', '2026-12-06 13:45:07.250')", nullptr, "250"},
        {"nerin_year('06/12/2026')", nullptr, "2026"},
        {"nerin_month('2026-12-06 13:45')", nullptr, "12"},
        {"nerin_day('20261206')", nullptr, "6"},
        {"nerin_len('ab  ')", nullptr, "2"},
        {"nerin_len('')", nullptr, "0"},
        {"nerin_len(NULL)", nullptr, "NULL"},
        {"nerin_charindex('B', 'abcb')", nullptr, "2"},
        {"nerin_charindex('b', 'abcb', 3)", nullptr, "4"},
        {"nerin_charindex('Á', 'cá')", nullptr, "2"},
        {"nerin_charindex('á', 'abc')", nullptr, "0"},
        {"nerin_charindex('', 'abc')", nullptr, "0"},
        {"nerin_charindex('a', NULL)", nullptr, "NULL"},
        {"nerin_left('Ñandú', 2)", nullptr, "'Ña'"},
        {"nerin_right('Ñandú', 3)", nullptr, "'ndú'"},
        {"nerin_left('abc', -1)", nullptr, "error: Invalid length parameter passed to the left function."},
        {"'[' || nerin_space(3) || ']'", nullptr, "'[   ]'"},
        {"nerin_replicate('ab', 3)", nullptr, "'ababab'"},
        {"nerin_replicate('ab', -1)", nullptr, "NULL"},
        {"nerin_upper('ñandú')", nullptr, "'ÑANDÚ'"},
        {"nerin_lower('ÑANDÚ')", nullptr, "'ñandú'"},
        {"nerin_substring('abcdef', 2, 3)", nullptr, "'bcd'"},
        {"nerin_substring('abcdef', -1, 3)", nullptr, "'a'"},
        {"nerin_replace('Hola hola', 'HO', 'x')", nullptr, "'xla xla'"},
        {"nerin_replace('Él', 'e', 'x')", nullptr, "'Él'"},
        {"nerin_char(128)", nullptr, "'€'"},
        {"nerin_char(256)", nullptr, "NULL"},
        {"nerin_isnumeric('12')", nullptr, "1"},
        {"nerin_isnumeric(' $1,000.5 ')", nullptr, "1"},
        {"nerin_isnumeric('1e5')", nullptr, "1"},
        {"nerin_isnumeric('e5')", nullptr, "0"},
        {"nerin_isnumeric('abc')", nullptr, "0"},
        {"nerin_isnumeric(NULL)", nullptr, "0"},
        {"nerin_isnumeric(5)", nullptr, "1"},
        {"nerin_round(2.675, 2)", nullptr, "2.68"},
        {"nerin_round(1250, -2)", nullptr, "1300"},
        {"nerin_round(2.679, 2, 1)", nullptr, "2.67"},
        {"nerin_round(-2.5, 0)", nullptr, "-3"},
        {"nerin_round(5.5, NULL)", nullptr, "NULL"},
        {"nerin_str(3.14159, 6, 2)", nullptr, "'  3.14'"},
        {"nerin_str(123.45)", nullptr, "'       123'"},
        {"nerin_str(123456, 3)", nullptr, "'***'"},
        {"nerin_str(-0.001, 6, 2)", nullptr, "'  0.00'"},
        {"nerin_convert('int', 2.7)", "nerin_convert_int('int', 2.7)", "2"},
        {"nerin_convert('int', ' 42 ')", "nerin_convert_int('int', ' 42 ')", "42"},
        {"nerin_convert('int', '')", "nerin_convert_int('int', '')", "0"},
        {"nerin_convert('int', '2026-12-06 12:00')", "nerin_convert_int('int', '2026-12-06 12:00')", "46361"},
        {"nerin_convert('int', '12.5')", "nerin_convert_int('int', '12.5')",
         "error: Conversion failed when converting the varchar value '12.5' to data type int."},
        {"nerin_convert('tinyint', 300)", "nerin_convert_int('tinyint', 300)",
         "error: Arithmetic overflow error converting expression to data type tinyint."},
        {"nerin_convert('bit', 'TRUE')", "nerin_convert_bit('bit', 'TRUE')", "1"},
        {"nerin_convert('bit', 5)", "nerin_convert_bit('bit', 5)", "1"},
        {"nerin_convert('money', '$1,234.5')", "nerin_convert_numeric('money', '$1,234.5')", "1234.5"},
        {"nerin_add(nerin_convert('money', 0.1), nerin_convert('money', 0.2))",
         "nerin_convert_numeric('money', 0.1) + nerin_convert_numeric('money', 0.2)", "0.3"},
        {"nerin_convert('decimal(5,2)', 2.675)", "nerin_convert_numeric('decimal(5,2)', 2.675)", "2.68"},
        {"nerin_convert('numeric(3,1)', 123.4)", "nerin_convert_numeric('numeric(3,1)', 123.4)",
         "error: Arithmetic overflow error converting float to data type numeric."},
        {"nerin_convert('float', '1.5')", "nerin_convert_float('float', '1.5')", "1.5"},
        {"nerin_convert('real', 0.1)", "nerin_convert_float('real', 0.1)", "0.100000001490116"},
        {"nerin_convert('varchar(3)', 'abcdef')", "nerin_convert_text('varchar(3)', 'abcdef')", "'abc'"},
        {"nerin_convert('char(5)', 'ab')", "nerin_convert_text('char(5)', 'ab')", "'ab   '"},
        {"nerin_convert('varchar(2)', 123)", "nerin_convert_text('varchar(2)', 123)", "'*'"},
        {"nerin_convert('varchar(10)', 12.5)", "nerin_convert_text('varchar(10)', 12.5)", "'12.5'"},
        {"nerin_convert('varchar(20)', 1234567.5, 1)", "nerin_convert_text('varchar(20)', 1234567.5, 1)",
         "'1,234,567.50'"},
        {"nerin_convert('varchar(30)', '2026-12-06 13:45:00.000')",
         "nerin_convert_text('varchar(30)', timestamp '2026-12-06 13:45')", "'Dec  6 2026  1:45PM'"},
        {"nerin_convert('varchar(10)', '2026-12-06 13:45:00.000', 103)",
         "nerin_convert_text('varchar(10)', timestamp '2026-12-06 13:45', 103)", "'06/12/2026'"},
        {"nerin_convert('varchar(8)', '2026-12-06 13:45:07.000', 108)",
         "nerin_convert_text('varchar(8)', timestamp '2026-12-06 13:45:07', 108)", "'13:45:07'"},
        {"nerin_convert('varchar(8)', '2026-12-06 13:45:00.000', 112)",
         "nerin_convert_text('varchar(8)', timestamp '2026-12-06 13:45', 112)", "'20261206'"},
        {"nerin_convert('varchar(19)', '2026-12-06 13:45:07.250', 120)",
         "nerin_convert_text('varchar(19)', timestamp '2026-12-06 13:45:07.25', 120)",
         "'2026-12-06 13:45:07'"},
        {"nerin_convert('datetime', '06/12/2026 13:45')",
         "nerin_convert_datetime('datetime', '06/12/2026 13:45')", "2026-12-06 13:45:00.000"},
        {"nerin_convert('datetime', '12/06/2026', 101)",
         "nerin_convert_datetime('datetime', '12/06/2026', 101)", "2026-12-06 00:00:00.000"},
        {"nerin_convert('smalldatetime', '2026-12-06 13:45:29.999')",
         "nerin_convert_datetime('smalldatetime', '2026-12-06 13:45:29.999')", "2026-12-06 13:46:00.000"},
        {"nerin_convert('date', '2026-12-06 13:45')", "nerin_convert_datetime('date', '2026-12-06 13:45')",
         "2026-12-06 00:00:00.000"},
        {"nerin_convert('datetime', 1.5)", "nerin_convert_datetime('datetime', 1.5)",
         "1900-01-02 12:00:00.000"},
        {"nerin_convert('datetime', '31/02/2026')", "nerin_convert_datetime('datetime', '31/02/2026')",
         "error: Conversion failed when converting date and/or time from character string."},
        {"nerin_convert('int', NULL)", "nerin_convert_int('int', NULL)", "NULL"},
        {"nerin_add('Mesa ', '12')", "'Mesa ' + '12'", "'Mesa 12'"},
        {"nerin_add(NULL, 'a')", "NULL + 'a'", "NULL"},
        {"nerin_add('2026-12-06 00:00:00.000', 1.5)", "timestamp '2026-12-06' + 1.5",
         "2026-12-07 12:00:00.000"},
        {"nerin_sub('2026-03-01 00:00:00.000', 1)", "nerin_sub(timestamp '2026-03-01', 1)",
         "2026-02-28 00:00:00.000"},
        {"nerin_sub('2026-12-07 12:00:00.000', '2026-12-06 00:00:00.000')",
         "nerin_sub(timestamp '2026-12-07 12:00', timestamp '2026-12-06')", "1900-01-02 12:00:00.000"},
        {"nerin_sub(NULL, 1)", "nerin_sub(NULL::timestamp, 1)", "NULL"},
    };
    for (const auto& c : cases) {
        const QString sqlite = QString::fromUtf8(c.sqlite);
        const QString pg = c.pg ? QString::fromUtf8(c.pg) : sqlite;
        EXPECT_EQ(sqliteValue(db, sqlite), QString::fromUtf8(c.expected)) << c.sqlite;
        EXPECT_EQ(pgValue(pg), QString::fromUtf8(c.expected)) << qPrintable(pg);
    }
    sqlite3_close(db);
}

// Installing again over the library, as a newer program does, keeps what it installed.
TEST_F(PgRuntimeTest, IdentityValuesOfTheSessionAndOfEachTable) {
    ASSERT_TRUE(m_link.execute(QStringLiteral("DROP FUNCTION nerin_runtime_version()")).isOk());
    const Status again = PgRuntime::install(m_link);
    ASSERT_TRUE(again.isOk()) << qPrintable(again.message());
    ASSERT_TRUE(
        m_link
            .execute(QStringLiteral(
                "CREATE TABLE comanda (id integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, mesa int); "
                "CREATE TABLE nota (texto text)"))
            .isOk());
    EXPECT_EQ(pgValue(QStringLiteral("nerin_last_identity()")), QStringLiteral("NULL"));
    EXPECT_EQ(pgValue(QStringLiteral("nerin_ident_current('Comanda')")), QStringLiteral("1"));
    ASSERT_TRUE(m_link.execute(QStringLiteral("INSERT INTO comanda (mesa) VALUES (4), (5)")).isOk());
    ASSERT_TRUE(
        m_link
            .execute(QStringLiteral("CREATE TEMPORARY TABLE \"#t\" (n integer GENERATED BY DEFAULT AS "
                                    "IDENTITY, x int); INSERT INTO \"#t\" (x) VALUES (1)"))
            .isOk());
    const struct {
        const char* call;
        const char* expected;
    } cases[] = {
        {"nerin_last_identity()", "1"},
        {"nerin_ident_current('dbo.[COMANDA]')", "2"},
        {"nerin_ident_current('#T')", "1"},
        {"nerin_ident_current('nota')", "NULL"},
        {"nerin_ident_current('ninguna')", "NULL"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pgValue(QString::fromUtf8(c.call)), QString::fromUtf8(c.expected)) << c.call;
}

// A function of an older library that cannot be replaced stops the install, which names the file and
// leaves nothing of it behind.
TEST_F(PgRuntimeTest, AFailedInstallNamesItsFileAndLeavesNothing) {
    PgTestDatabase other;
    ASSERT_TRUE(other.create().isOk());
    PgConnection link;
    ASSERT_TRUE(link.open(other.connInfo(), QStringLiteral("nerin-pruebas")).isOk());
    ASSERT_TRUE(
        link.execute(QStringLiteral(
                         "CREATE FUNCTION nerin_trim(value text) RETURNS integer LANGUAGE sql AS 'SELECT 1'"))
            .isOk());
    const Status installed = PgRuntime::install(link);
    EXPECT_FALSE(installed.isOk());
    EXPECT_TRUE(installed.message().contains(QStringLiteral("support.sql")))
        << qPrintable(installed.message());
    const auto left = link.query(QStringLiteral("SELECT to_regproc('nerin_fail') IS NULL"));
    ASSERT_TRUE(left.isOk());
    EXPECT_EQ(left->value(0), DbValue(1));
}

} // namespace
