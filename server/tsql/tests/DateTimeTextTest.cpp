#include "server/tsql/DateTimeText.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using nerin::tsql::canonicalDateTime;
using nerin::tsql::canonicalize;
using nerin::tsql::DateReading;
using nerin::tsql::parseAnyDateTime;
using nerin::tsql::parseDateTimeText;

namespace {

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int msec = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, msec));
}

} // namespace

TEST(DateTimeText, CanonicalTextAlwaysHasMilliseconds) {
    EXPECT_EQ(canonicalDateTime(at(2026, 12, 6, 13, 45)), QStringLiteral("2026-12-06 13:45:00.000"));
    EXPECT_EQ(canonicalDateTime(at(2026, 1, 2, 3, 4, 5, 7)), QStringLiteral("2026-01-02 03:04:05.007"));
    EXPECT_EQ(canonicalDateTime(at(999, 1, 1)), QStringLiteral("0999-01-01 00:00:00.000"));
    EXPECT_EQ(canonicalDateTime(QDateTime()), QStringLiteral(""));
    EXPECT_EQ(canonicalDateTime(at(10000, 1, 1)), QStringLiteral(""));
}

TEST(DateTimeText, ReadsEveryAcceptedForm) {
    struct Case {
        const char16_t* text;
        QDateTime expected;
    };
    const Case cases[] = {
        {u"2026-12-06 13:45:07.250", at(2026, 12, 6, 13, 45, 7, 250)},
        {u"2026-12-06 13:45:07", at(2026, 12, 6, 13, 45, 7)},
        {u"2026-12-06 13:45", at(2026, 12, 6, 13, 45)},
        {u"2026-12-06", at(2026, 12, 6)},
        {u"2026-1-6 9:05", at(2026, 1, 6, 9, 5)},
        {u"2026-12-06T13:45:07.5", at(2026, 12, 6, 13, 45, 7, 500)},
        {u"2026-12-06  13:45:07.25", at(2026, 12, 6, 13, 45, 7, 250)},
        {u"  2026-12-06 13:45  ", at(2026, 12, 6, 13, 45)},
        {u"06/12/2026", at(2026, 12, 6)},
        {u"6/12/2026 9:05", at(2026, 12, 6, 9, 5)},
        {u"06/12/2026 13:45:07", at(2026, 12, 6, 13, 45, 7)},
        {u"29/02/2024", at(2024, 2, 29)},
        {u"20261206", at(2026, 12, 6)},
        {u"20261206 13:45", at(2026, 12, 6, 13, 45)},
    };
    for (const Case& c : cases) {
        const auto parsed = parseAnyDateTime(c.text);
        ASSERT_TRUE(parsed.has_value()) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(*parsed, c.expected) << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(DateTimeText, RefusesMalformedTextsAndImpossibleDates) {
    const char16_t* const texts[] = {
        u"",
        u"abc",
        u"2026-02-30",
        u"31/02/2026",
        u"29/02/2026",
        u"2026-12-06 24:00",
        u"2026-12-06 13:60",
        u"2026-12-06 13:45:60",
        u"2026-12-06 13:5",
        u"06/12/26",
        u"2026/12/06",
        u"2026-12-06 13:45:00.1234",
        u"2026-12-06T",
        u"2026-12-06 13:45:00.",
        u"0000-01-01",
        u"202612061",
        u"2026-12-06x",
        u"06-12-2026",
        u"12/6/2026 1pm",
        u"2026-12-06T 13:45",
        u"2026-１2-06",
    };
    for (const char16_t* text : texts)
        EXPECT_FALSE(parseAnyDateTime(text).has_value()) << QString::fromUtf16(text).toStdString();
}

TEST(DateTimeText, ReadingsChooseOrderSeparatorAndShortYears) {
    struct Case {
        const char* text;
        DateReading reading;
        QDate expected;
    };
    const Case cases[] = {
        {"12/06/2026", {true, '/', false}, QDate(2026, 12, 6)},
        {"06.12.2026", {false, '.', false}, QDate(2026, 12, 6)},
        {"06-12-26", {false, '-', true}, QDate(2026, 12, 6)},
        {"01/01/49", {false, '/', true}, QDate(2049, 1, 1)},
        {"01/01/50", {false, '/', true}, QDate(1950, 1, 1)},
        {"01/01/2050", {false, '/', true}, QDate(2050, 1, 1)},
        {"2026-12-06", {true, '.', true}, QDate(2026, 12, 6)},
    };
    for (const Case& c : cases) {
        const auto parsed = parseDateTimeText(c.text, c.reading);
        ASSERT_TRUE(parsed.has_value()) << c.text;
        EXPECT_EQ(parsed->date, c.expected) << c.text;
    }
    EXPECT_FALSE(parseDateTimeText("06/12/2026", {false, '.', false}).has_value());
    EXPECT_FALSE(parseDateTimeText("13/06/2026", {true, '/', false}).has_value());
}

TEST(DateTimeText, CanonicalizeLeavesWorkingDatesAlone) {
    EXPECT_EQ(canonicalize(u"06/12/2026"), QStringLiteral("2026-12-06 00:00:00.000"));
    EXPECT_EQ(canonicalize(u" 6/12/2026 13:45 "), QStringLiteral("2026-12-06 13:45:00.000"));
    EXPECT_EQ(canonicalize(u"2026-12-06T13:45:07.5"), QStringLiteral("2026-12-06 13:45:07.500"));
    EXPECT_EQ(canonicalize(u"20261206 08:00"), QStringLiteral("2026-12-06 08:00:00.000"));
    EXPECT_FALSE(canonicalize(u"06122026").has_value());
    EXPECT_FALSE(canonicalize(u"20261206").has_value());
    EXPECT_FALSE(canonicalize(u"hola").has_value());
    EXPECT_FALSE(canonicalize(u"31/12/2026 25:00").has_value());
}

TEST(DateTimeText, TextOrderIsTimeOrderAndReadsBack) {
    std::vector<QDateTime> times = {
        at(2026, 12, 6, 13, 45), at(999, 1, 1),      at(2026, 12, 6, 13, 45, 0, 1),
        at(2026, 2, 1),          at(2026, 12, 6, 9), at(9999, 12, 31, 23, 59, 59, 999),
        at(2026, 10, 1)};
    std::vector<QString> texts;
    for (const QDateTime& time : times) {
        texts.push_back(canonicalDateTime(time));
        EXPECT_EQ(parseAnyDateTime(texts.back()), time) << texts.back().toStdString();
    }
    std::sort(times.begin(), times.end());
    std::sort(texts.begin(), texts.end());
    for (std::size_t i = 0; i < times.size(); ++i)
        EXPECT_EQ(canonicalDateTime(times[i]), texts[i]);
}
