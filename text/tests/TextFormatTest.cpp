#include "text/TextFormat.h"

#include "TextPrinters.h"
#include "text/SpanishNames.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using nerin::Currency;
using nerin::SpanishNames;
using nerin::TextFormat;
using namespace Qt::StringLiterals;

namespace {

Currency money(const char* text) {
    const auto value = Currency::parse(QString::fromLatin1(text));
    EXPECT_TRUE(value.has_value()) << text;
    return value.value_or(Currency());
}

// Sunday 6 December 2026, 14:05:09.
const QDateTime kSunday(QDate(2026, 12, 6), QTime(14, 5, 9));

} // namespace

TEST(TextFormatNumber, EachPatternWithSignsZeroHalvesAndThousands) {
    struct Case {
        const char* pattern;
        const char* amount;
        const char* expected;
    };
    const Case cases[] = {{"#,##0.00", "1234.5", "1,234.50"},
                          {"#,##0.00", "-1234.5", "-1,234.50"},
                          {"#,##0.00", "0", "0.00"},
                          {"#,##0.00", "0.5", "0.50"},
                          {"#,##0.00", "100", "100.00"},
                          {"#,##0.00", "999", "999.00"},
                          {"#,##0.00", "1234567.891", "1,234,567.89"},
                          {"#,##0.00", "0.005", "0.01"},
                          {"#,##0.00", "-0.005", "-0.01"},
                          {"#,##0.00", "0.025", "0.03"},
                          {"#,##0.00", "0.0049", "0.00"},
                          {"#,##0.00", "-0.0049", "0.00"},
                          {"#,##0.00", "999.995", "1,000.00"},
                          {"#,##0.00", "922337203685477.5807", "922,337,203,685,477.58"},
                          {"#,##0.00", "-922337203685477.5808", "-922,337,203,685,477.58"},
                          {"$#,##0.00", "1234.5", "$1,234.50"},
                          {"$#,##0.00", "-1234.5", "-$1,234.50"},
                          {"$#,##0.00", "0", "$0.00"},
                          {"$#,##0.00", "12.345", "$12.35"},
                          {"$#,0.00", "1234567.5", "$1,234,567.50"},
                          {"$#,0.00", "12", "$12.00"},
                          {"$#,0.00", "-0.125", "-$0.13"},
                          {"#,0.00", "1000", "1,000.00"},
                          {"#,0.00", "0.5", "0.50"},
                          {"#,0.00", "-100000", "-100,000.00"},
                          {"0.00", "1234.5", "1234.50"},
                          {"0.00", "-0.125", "-0.13"},
                          {"0.00", "0", "0.00"},
                          {".00", "0.5", ".50"},
                          {".00", "0", ".00"},
                          {".00", "12.3", "12.30"},
                          {".00", "-0.5", "-.50"},
                          {".00", "1234", "1234.00"},
                          {".00", "0.995", "1.00"},
                          {".00", "0.004", ".00"},
                          {"$#,##0.00 M.N.", "1234.5", "$1,234.50 M.N."},
                          {"$#,##0.00 M.N.", "-3", "-$3.00 M.N."},
                          {"$#,##0.00 M.N.", "0", "$0.00 M.N."},
                          {"$#,##0.00 U.S.", "12.5", "$12.50 U.S."},
                          {"$#,##0.00 U.S.", "-1000", "-$1,000.00 U.S."},
                          {"#,##0.##", "5", "5."},
                          {"#,##0.##", "5.105", "5.11"},
                          {"#,##0", "1234.5", "1,235"},
                          {"", "-12.50", "-12.5"}};
    for (const Case& c : cases) {
        EXPECT_EQ(TextFormat::number(money(c.amount), QString::fromLatin1(c.pattern)),
                  QString::fromLatin1(c.expected))
            << c.pattern << " " << c.amount;
    }
}

TEST(TextFormatNumber, DoublesAreWrittenAsTheDecimalTheyStandFor) {
    EXPECT_EQ(TextFormat::number(1.005, u"0.00"), u"1.01");
    EXPECT_EQ(TextFormat::number(2.675, u"$#,##0.00"), u"$2.68");
    EXPECT_EQ(TextFormat::number(0.1 + 0.2, u"0.00"), u"0.30");
    EXPECT_EQ(TextFormat::number(-1234.5, u"$#,##0.00 M.N."), u"-$1,234.50 M.N.");
    EXPECT_EQ(TextFormat::number(-0.0, u"0.00"), u"0.00");
    EXPECT_EQ(TextFormat::number(1e20, u"#,##0.00"), u"100,000,000,000,000,000,000.00");
    EXPECT_EQ(TextFormat::number(1e-300, u".00"), u".00");
    EXPECT_EQ(TextFormat::number(std::nan(""), u"0.00"), u"");
    EXPECT_EQ(TextFormat::number(HUGE_VAL, u"0.00"), u"");
}

TEST(TextFormatNumber, NoValueGivesEmptyText) {
    EXPECT_EQ(TextFormat::number(std::optional<Currency>(), u"#,##0.00"), u"");
    EXPECT_EQ(TextFormat::number(std::optional<Currency>(money("7")), u"#,##0.00"), u"7.00");
}

TEST(TextFormatDate, PatternsOfTheSystem) {
    struct Case {
        const char* pattern;
        QString expected;
    };
    const Case cases[] = {{"dd/mm/yyyy hh:mm:ss", u"06/12/2026 14:05:09"_s},
                          {"dd/mm/yyyy hh:mm", u"06/12/2026 14:05"_s},
                          {"ddmmyyyy", u"06122026"_s},
                          {"dd mmm yy", u"06 dic 26"_s},
                          {"dd mmm yy   hh:mm", u"06 dic 26   14:05"_s},
                          {"dd/mmm/yyyy", u"06/dic/2026"_s},
                          {"dddd, d mmm yyyy", u"domingo, 6 dic 2026"_s},
                          {"hh:mm", u"14:05"_s},
                          {"hh:mm AMPM", u"02:05 PM"_s},
                          {"hh:mm:ss AMPM", u"02:05:09 PM"_s},
                          {"mmddhh", u"120614"_s},
                          {"ddd d/m/yy h:n:s", u"dom 6/12/26 14:5:9"_s},
                          {"[dddd] mmmm", u"[domingo] diciembre"_s},
                          {"DD/MM/YYYY HH:NN", u"06/12/2026 14:05"_s},
                          {"h:nn am/pm", u"2:05 PM"_s},
                          {"yyyy-y", u"2026-340"_s},
                          {"", u""_s}};
    for (const Case& c : cases)
        EXPECT_EQ(TextFormat::dateTime(kSunday, QString::fromLatin1(c.pattern)), c.expected) << c.pattern;
}

TEST(TextFormatDate, TwelveHourClockAroundMidnightAndNoon) {
    struct Case {
        int hour;
        int minute;
        const char* expected;
    };
    const Case cases[] = {{0, 0, "12:00 AM"},   {0, 5, "12:05 AM"},  {1, 0, "01:00 AM"},
                          {11, 59, "11:59 AM"}, {12, 0, "12:00 PM"}, {12, 30, "12:30 PM"},
                          {13, 1, "01:01 PM"},  {23, 59, "11:59 PM"}};
    for (const Case& c : cases)
        EXPECT_EQ(TextFormat::time(QTime(c.hour, c.minute), u"hh:mm AMPM"), QString::fromLatin1(c.expected))
            << c.hour;
    EXPECT_EQ(TextFormat::time(QTime(0, 5), u"h:mm AM/PM"), u"12:05 AM");
    EXPECT_EQ(TextFormat::time(QTime(0, 5), u"hh:mm"), u"00:05");
}

TEST(TextFormatDate, MonthOrMinutesDependsOnTheNeighbouringTokens) {
    const QDateTime value(QDate(2026, 3, 4), QTime(10, 7, 8));
    struct Case {
        const char* pattern;
        QString expected;
    };
    const Case cases[] = {{"mm", u"03"_s},
                          {"m/d", u"3/4"_s},
                          {"hh mm", u"10 07"_s},
                          {"h:m", u"10:7"_s},
                          {"mm:ss", u"07:08"_s},
                          {"m s", u"7 8"_s},
                          {"dd/mm hh", u"04/03 10"_s},
                          {"hh dd mm", u"10 04 03"_s},
                          {"mmm hh:mm", u"mar 10:07"_s},
                          {"hh:mmm", u"10:mar"_s},
                          {"nn:ss", u"07:08"_s},
                          {"mm yyyy ss", u"03 2026 08"_s}};
    for (const Case& c : cases)
        EXPECT_EQ(TextFormat::dateTime(value, QString::fromLatin1(c.pattern)), c.expected) << c.pattern;
}

TEST(TextFormatDate, DateOnlyAndTimeOnlyValues) {
    EXPECT_EQ(TextFormat::date(QDate(2026, 12, 6), u"dd/mm/yyyy hh:mm"), u"06/12/2026 00:00");
    EXPECT_EQ(TextFormat::time(QTime(9, 5, 3), u"hh:mm:ss"), u"09:05:03");
    EXPECT_EQ(TextFormat::time(QTime(9, 5), u"dd/mm/yyyy"), u"30/12/1899");
}

TEST(TextFormatDate, InvalidValuesGiveEmptyText) {
    EXPECT_EQ(TextFormat::dateTime(QDateTime(), u"dd/mm/yyyy"), u"");
    EXPECT_EQ(TextFormat::date(QDate(), u"dd/mm/yyyy"), u"");
    EXPECT_EQ(TextFormat::date(QDate(2026, 2, 30), u"dd/mm/yyyy"), u"");
    EXPECT_EQ(TextFormat::time(QTime(), u"hh:mm"), u"");
    EXPECT_EQ(TextFormat::time(QTime(25, 0), u"hh:mm"), u"");
}

TEST(TextFormatDate, SpanishNamesOfEveryDayAndMonth) {
    const char16_t* const days[] = {u"lunes",   u"martes", u"miércoles", u"jueves",
                                    u"viernes", u"sábado", u"domingo"};
    const char16_t* const dayAbbreviations[] = {u"lun", u"mar", u"mié", u"jue", u"vie", u"sáb", u"dom"};
    // Monday 7 December 2026 onwards.
    for (int i = 0; i < 7; ++i) {
        const QDate day(2026, 12, 7 + i);
        EXPECT_EQ(TextFormat::date(day, u"dddd"), QStringView(days[i]));
        EXPECT_EQ(TextFormat::date(day, u"ddd"), QStringView(dayAbbreviations[i]));
    }
    const char16_t* const months[] = {u"enero",      u"febrero", u"marzo",     u"abril",
                                      u"mayo",       u"junio",   u"julio",     u"agosto",
                                      u"septiembre", u"octubre", u"noviembre", u"diciembre"};
    const char16_t* const monthAbbreviations[] = {u"ene", u"feb", u"mar", u"abr", u"may", u"jun",
                                                  u"jul", u"ago", u"sep", u"oct", u"nov", u"dic"};
    for (int month = 1; month <= 12; ++month) {
        const QDate first(2026, month, 1);
        EXPECT_EQ(TextFormat::date(first, u"mmmm"), QStringView(months[month - 1]));
        EXPECT_EQ(TextFormat::date(first, u"mmm"), QStringView(monthAbbreviations[month - 1]));
    }
    for (int outOfRange : {0, -1, 13}) {
        EXPECT_EQ(SpanishNames::monthName(outOfRange), u"");
        EXPECT_EQ(SpanishNames::monthAbbreviation(outOfRange), u"");
    }
    for (int outOfRange : {0, 8}) {
        EXPECT_EQ(SpanishNames::dayName(outOfRange), u"");
        EXPECT_EQ(SpanishNames::dayAbbreviation(outOfRange), u"");
    }
}

TEST(TextFormatParse, WorkingDateIsEightDigitsOfARealDate) {
    EXPECT_EQ(TextFormat::parseWorkingDate(u"06122026"), QDate(2026, 12, 6));
    EXPECT_EQ(TextFormat::parseWorkingDate(u"29022024"), QDate(2024, 2, 29));
    const char16_t* const refused[] = {u"29022026",  u"31042026", u"00012026", u"06132026", u"0612202",
                                       u"061220261", u"06-12-26", u"",         u"0612202a", u"０6122026"};
    for (const char16_t* text : refused)
        EXPECT_FALSE(TextFormat::parseWorkingDate(text).has_value())
            << QString::fromUtf16(text).toStdString();
}

TEST(TextFormatParse, DateTimeTextsOfTheSystem) {
    struct Case {
        const char* text;
        QDateTime expected;
    };
    const Case cases[] = {{"06/12/2026 14:05:09", kSunday},
                          {" 06/12/2026 14:05:09 ", kSunday},
                          {"06/12/2026 14:05", QDateTime(QDate(2026, 12, 6), QTime(14, 5))},
                          {"06/12/2026", QDateTime(QDate(2026, 12, 6), QTime(0, 0))},
                          {"6/1/2026 9:05", QDateTime(QDate(2026, 1, 6), QTime(9, 5))},
                          {"29/02/2024 23:59:59", QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59))}};
    for (const Case& c : cases)
        EXPECT_EQ(TextFormat::parseDateTime(QString::fromLatin1(c.text)), c.expected) << c.text;

    const char* const refused[] = {"31/02/2026",           "06/12/26",
                                   "06/12/2026 24:00",     "06/12/2026 14:60",
                                   "06/12/2026 14:05:60",  "06/12/2026 14",
                                   "06/12/2026T14:05",     "06/12/2026 14:5",
                                   "06.12.2026",           "",
                                   "06/12/2026 14:05:09x", "006/12/2026",
                                   "06/12/2026 14:05:"};
    for (const char* text : refused)
        EXPECT_FALSE(TextFormat::parseDateTime(QString::fromLatin1(text)).has_value()) << text;
}
