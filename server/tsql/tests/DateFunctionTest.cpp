#include "FunctionTestDatabase.h"
#include "server/tsql/DateTimeText.h"

#include <QDateTime>

TEST(DateFunction, DateAddMovesByEachPartAndClampsTheDay) {
    expectValues({
        {"nerin_dateadd('day', 1, '2026-12-06 13:45')", "'2026-12-07 13:45:00.000'"},
        {"nerin_dateadd('DD', -6, '2026-12-06')", "'2026-11-30 00:00:00.000'"},
        {"nerin_dateadd('month', 1, '2026-01-31')", "'2026-02-28 00:00:00.000'"},
        {"nerin_dateadd('m', 1, '2024-01-31')", "'2024-02-29 00:00:00.000'"},
        {"nerin_dateadd('yy', 1, '2024-02-29')", "'2025-02-28 00:00:00.000'"},
        {"nerin_dateadd('quarter', 1, '2026-11-30')", "'2027-02-28 00:00:00.000'"},
        {"nerin_dateadd('wk', 2, '2026-12-06')", "'2026-12-20 00:00:00.000'"},
        {"nerin_dateadd('hh', 25, '2026-12-06 13:45')", "'2026-12-07 14:45:00.000'"},
        {"nerin_dateadd('mi', -90, '2026-12-06 00:30')", "'2026-12-05 23:00:00.000'"},
        {"nerin_dateadd('s', 3600, '2026-12-06 13:45')", "'2026-12-06 14:45:00.000'"},
        {"nerin_dateadd('ms', 1500, '2026-12-06 23:59:59')", "'2026-12-07 00:00:00.500'"},
        {"nerin_dateadd('dayofyear', 1, '2026-12-31')", "'2027-01-01 00:00:00.000'"},
        {"nerin_dateadd('d', 1.9, '2026-12-06')", "'2026-12-07 00:00:00.000'"},
        {"nerin_dateadd('day', 1, '06/12/2026 13:45')", "'2026-12-07 13:45:00.000'"},
        {"nerin_dateadd('day', 1, '20261206')", "'2026-12-07 00:00:00.000'"},
        {"nerin_dateadd('day', 1, 0)", "'1900-01-02 00:00:00.000'"},
        {"nerin_dateadd('day', NULL, '2026-12-06')", "NULL"},
        {"nerin_dateadd('day', 1, NULL)", "NULL"},
    });
}

TEST(DateFunction, DateDiffCountsBoundariesCrossed) {
    expectValues({
        {"nerin_datediff('day', '2026-12-06 23:59', '2026-12-07 00:01')", "1"},
        {"nerin_datediff('day', '2026-12-06 00:00', '2026-12-06 23:59')", "0"},
        {"nerin_datediff('day', '2026-12-07', '2026-12-06')", "-1"},
        {"nerin_datediff('month', '2026-01-31', '2026-02-01')", "1"},
        {"nerin_datediff('month', '2026-02-01', '2026-02-28')", "0"},
        {"nerin_datediff('yyyy', '2026-12-31', '2027-01-01')", "1"},
        {"nerin_datediff('quarter', '2026-03-31', '2026-04-01')", "1"},
        {"nerin_datediff('q', '2025-12-31', '2026-01-01')", "1"},
        // 5 December 2026 is a Saturday; weeks start on Sunday.
        {"nerin_datediff('week', '2026-12-05', '2026-12-06')", "1"},
        {"nerin_datediff('ww', '2026-12-06', '2026-12-12')", "0"},
        {"nerin_datediff('hour', '2026-12-06 13:59:59.999', '2026-12-06 14:00')", "1"},
        {"nerin_datediff('n', '2026-12-06 13:45:59', '2026-12-06 13:46:00')", "1"},
        {"nerin_datediff('ss', '2026-12-06 13:45:00.999', '2026-12-06 13:45:01.000')", "1"},
        {"nerin_datediff('ms', '2026-12-06 13:45:00', '2026-12-06 13:45:01.250')", "1250"},
        {"nerin_datediff('ms', '2026-12-06', '2027-12-06')", "31536000000"},
        {"nerin_datediff('dw', '2026-12-06', '2026-12-16')", "10"},
        {"nerin_datediff('day', NULL, '2026-12-06')", "NULL"},
    });
}

TEST(DateFunction, DatePartCountsWeekdaysFromSunday) {
    expectValues({
        {"nerin_datepart('weekday', '2026-12-06')", "1"},
        {"nerin_datepart('dw', '2026-12-07')", "2"},
        {"nerin_datepart('w', '2026-12-12')", "7"},
        {"nerin_datepart('week', '2026-01-03')", "1"},
        {"nerin_datepart('wk', '2026-01-04')", "2"},
        {"nerin_datepart('dy', '2026-12-31')", "365"},
        {"nerin_datepart('y', '2024-12-31')", "366"},
        {"nerin_datepart('qq', '2026-12-06')", "4"},
        {"nerin_datepart('hour', '2026-12-06 13:45:07.250')", "13"},
        {"nerin_datepart('mi', '2026-12-06 13:45:07.250')", "45"},
        {"nerin_datepart('ss', '2026-12-06 13:45:07.250')", "7"},
        {"nerin_datepart('millisecond', '2026-12-06 13:45:07.250')", "250"},
        {"nerin_year('06/12/2026')", "2026"},
        {"nerin_month('2026-12-06 13:45:00.000')", "12"},
        {"nerin_day('20261206')", "6"},
        {"nerin_year(0)", "1900"},
        {"nerin_day(NULL)", "NULL"},
    });
}

TEST(DateFunction, BadPartsDatesAndOverflowsAreErrors) {
    expectValues({
        {"nerin_dateadd('fortnight', 1, '2026-12-06')",
         "error: 'fortnight' is not a recognized dateadd option."},
        {"nerin_datediff('x', '2026-12-06', '2026-12-06')",
         "error: 'x' is not a recognized datediff option."},
        {"nerin_datepart('', '2026-12-06')", "error: '' is not a recognized datepart option."},
        {"nerin_dateadd('year', 9000, '2026-01-01')",
         "error: Adding a value to a 'datetime' column caused an overflow."},
        {"nerin_dateadd('ms', 9223372036854775807, '2026-01-01')",
         "error: Adding a value to a 'datetime' column caused an overflow."},
        {"nerin_dateadd('day', 1, 'mañana')",
         "error: Conversion failed when converting date and/or time from character string."},
        {"nerin_month('31/02/2026')",
         "error: Conversion failed when converting date and/or time from character string."},
        {"nerin_dateadd('day', 'x', '2026-12-06')",
         "error: Conversion failed when converting the varchar value 'x' to data type int."},
    });
}

TEST(DateFunction, GetDateIsTheLocalTimeNowInCanonicalText) {
    FunctionTestDatabase db;
    const QDateTime before = QDateTime::currentDateTime().addMSecs(-1);
    const std::string value = db.eval("nerin_getdate()");
    const QDateTime after = QDateTime::currentDateTime().addMSecs(1);
    ASSERT_EQ(value.size(), nerin::tsql::kCanonicalLength + 2) << value;
    const auto parsed =
        nerin::tsql::parseAnyDateTime(QString::fromStdString(value.substr(1, value.size() - 2)));
    ASSERT_TRUE(parsed.has_value()) << value;
    EXPECT_LE(before, *parsed);
    EXPECT_LE(*parsed, after);
}

TEST(DateFunction, OnlyDeterministicFunctionsAreAllowedInIndexes) {
    FunctionTestDatabase db;
    db.exec("CREATE TABLE t(d TEXT); CREATE INDEX by_year ON t(nerin_year(d));"
            "INSERT INTO t VALUES ('2026-12-06 00:00:00.000'), ('2025-01-01 00:00:00.000');");
    EXPECT_EQ(db.rows("SELECT d FROM t WHERE nerin_year(d) = 2025"), "'2025-01-01 00:00:00.000'");
    EXPECT_EQ(db.rows("CREATE INDEX now_index ON t(nerin_getdate())"),
              "error: non-deterministic functions prohibited in index expressions");
}
