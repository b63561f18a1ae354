#include "text/Currency.h"

#include "TextPrinters.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <utility>

using nerin::Currency;
using nerin::RoundingMode;

namespace {

constexpr qint64 kMaxRaw = std::numeric_limits<qint64>::max();
constexpr qint64 kMinRaw = std::numeric_limits<qint64>::min();
constexpr RoundingMode kEven = RoundingMode::HalfEven;
constexpr RoundingMode kAway = RoundingMode::HalfAwayFromZero;
constexpr RoundingMode kTruncate = RoundingMode::TowardZero;

Currency money(const char* text) {
    const auto value = Currency::parse(QString::fromLatin1(text));
    EXPECT_TRUE(value.has_value()) << text;
    return value.value_or(Currency());
}

} // namespace

TEST(Currency, DecimalSumsAreExact) {
    EXPECT_EQ(money("0.10") + money("0.20"), money("0.30"));
    EXPECT_EQ(*Currency::fromDouble(0.1) + *Currency::fromDouble(0.2), money("0.3"));
    EXPECT_EQ(Currency::fromRaw(999500).toDouble(), 99.95);
}

TEST(Currency, ParseReadsDecimalTextRoundingExtraDecimalsHalfToEven) {
    struct Case {
        const char* text;
        qint64 raw;
    };
    // Past the fourth decimal, halves go to even and anything past a half away from it.
    const Case cases[] = {{"12", 120000},
                          {"-0.5", -5000},
                          {"1234.5678", 12345678},
                          {" 99.95 ", 999500},
                          {"1,234.50", 12345000},
                          {"-1,234,567", -12345670000},
                          {"999,999", 9999990000},
                          {".5", 5000},
                          {"7.", 70000},
                          {"+3", 30000},
                          {"-0", 0},
                          {"000000000000000000000012.5", 125000},
                          {"0.00005", 0},
                          {"0.00015", 2},
                          {"0.00025", 2},
                          {"0.000250001", 3},
                          {"-0.00015", -2},
                          {"-0.00025", -2},
                          {"1.00004999999999999999999999999", 10000},
                          {"1.00005000000000000000000000001", 10001},
                          {"922337203685477.5807", kMaxRaw},
                          {"-922337203685477.5808", kMinRaw}};
    for (const Case& c : cases) {
        const auto value = Currency::parse(QString::fromLatin1(c.text));
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_EQ(value->raw(), c.raw) << c.text;
    }
}

TEST(Currency, ParseRefusesMalformedAndOutOfRangeText) {
    // Commas only group the whole part in threes.
    const char* const refused[] = {"",
                                   "   ",
                                   "-",
                                   "+",
                                   ".",
                                   "-.",
                                   "abc",
                                   "12a",
                                   "1.2.3",
                                   "1..2",
                                   "--1",
                                   "- 1",
                                   "1e5",
                                   "1 000",
                                   "0x10",
                                   "1,23",
                                   "12,34.5",
                                   "1234,567",
                                   ",123",
                                   "1,,234",
                                   "1,234,",
                                   "1,2345",
                                   "1.2,3",
                                   ",",
                                   "922337203685477.5808",
                                   "-922337203685477.5809",
                                   "99999999999999999999",
                                   "1,000,000,000,000,000"};
    for (const char* text : refused)
        EXPECT_FALSE(Currency::parse(QString::fromLatin1(text)).has_value()) << text;
}

TEST(Currency, FromDoubleTakesTheDecimalTheDoubleWasWrittenAs) {
    struct Case {
        double value;
        RoundingMode mode;
        qint64 raw;
    };
    // 1.15 * 100 is 114.99999999999999.
    const Case cases[] = {
        {99.95, kEven, 999500}, {-99.95, kTruncate, -999500}, {1.15 * 100, kEven, 1150000},
        {0.00005, kEven, 0},    {0.00005, kAway, 1},          {-0.00005, kAway, -1},
        {0.00015, kEven, 2},    {2.99999, kTruncate, 29999},  {2.99999, kEven, 30000},
        {-0.0, kEven, 0},       {1e-300, kAway, 0},           {9e14, kEven, 9000000000000000000}};
    for (const Case& c : cases) {
        const auto value = Currency::fromDouble(c.value, c.mode);
        ASSERT_TRUE(value.has_value()) << c.value;
        EXPECT_EQ(value->raw(), c.raw) << c.value;
    }
    for (double refused : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e15, -9.3e14, 1e300})
        EXPECT_FALSE(Currency::fromDouble(refused).has_value()) << refused;
}

TEST(Currency, PlainTextHasNoSeparatorsNorTrailingZeros) {
    struct Case {
        qint64 raw;
        const char* text;
    };
    const Case cases[] = {{215000, "21.5"},
                          {1000000, "100"},
                          {1150700, "115.07"},
                          {-1, "-0.0001"},
                          {0, "0"},
                          {-123000, "-12.3"},
                          {5000, "0.5"},
                          {10000000000, "1000000"},
                          {kMaxRaw, "922337203685477.5807"},
                          {kMinRaw, "-922337203685477.5808"}};
    for (const Case& c : cases)
        EXPECT_EQ(Currency::fromRaw(c.raw).toPlainText(), QString::fromLatin1(c.text)) << c.raw;
}

TEST(Currency, AddsSubtractsComparesAndTruncatesExactly) {
    Currency total;
    total += money("45.50");
    total += money("54.45");
    EXPECT_EQ(total, money("99.95"));
    total -= money("0.95");
    EXPECT_EQ(total, Currency::fromUnits(99));
    EXPECT_EQ(-total, Currency::fromUnits(-99));
    EXPECT_EQ(money("1") - money("1.0001"), Currency::fromRaw(-1));
    EXPECT_LT(money("-0.0001"), Currency());
    EXPECT_GT(money("100"), money("99.9999"));
    // The whole part truncates toward zero.
    const std::pair<const char*, qint64> wholeParts[] = {
        {"2.75", 2}, {"-2.75", -2}, {"0.9999", 0}, {"-0.9999", 0}};
    for (const auto& [text, whole] : wholeParts)
        EXPECT_EQ(money(text).wholePart(), whole) << text;
}

TEST(Currency, MultipliesByCountsAndByDecimalFactors) {
    EXPECT_EQ(money("19.99").multiply(3), money("59.97"));
    EXPECT_EQ(money("19.99").multiply(-2), money("-39.98"));
    EXPECT_EQ(money("19.99").multiply(0), Currency());

    EXPECT_EQ(Currency::fromUnits(1).multipliedBy(1.15), money("1.15"));
    EXPECT_EQ(money("100").multipliedBy(0.16), money("16"));
    EXPECT_EQ(money("10").multipliedBy(-0.5), money("-5"));
    // 30 ten-thousandths × 1.15 is exactly 34.5 of them: the halves are real ones, not 34.4999...
    struct Case {
        qint64 raw;
        RoundingMode mode;
        qint64 expected;
    };
    const Case cases[] = {{30, kEven, 34},       {30, kAway, 35}, {30, kTruncate, 34}, {-30, kAway, -35},
                          {-30, kTruncate, -34}, {10, kEven, 12}, {1, kEven, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(Currency::fromRaw(c.raw).multipliedBy(1.15, c.mode), Currency::fromRaw(c.expected))
            << c.raw;

    EXPECT_EQ(money("10").multipliedBy(1e-300), Currency());
    EXPECT_FALSE(money("10").multipliedBy(std::nan("")).has_value());
    EXPECT_FALSE(money("10").multipliedBy(HUGE_VAL).has_value());
    EXPECT_FALSE(money("100000000000000").multipliedBy(100.0).has_value());
    EXPECT_FALSE(Currency::fromRaw(kMinRaw).multipliedBy(-1.0).has_value());
}

TEST(Currency, DividesWithTheChosenRoundingAndRefusesWhatHasNoValue) {
    struct Case {
        const char* amount;
        qint64 divisor;
        RoundingMode mode;
        const char* expected;
    };
    const Case cases[] = {
        {"100", 3, kEven, "33.3333"},   {"200", 3, kEven, "66.6667"},       {"200", 3, kTruncate, "66.6666"},
        {"-200", 3, kAway, "-66.6667"}, {"200", -3, kTruncate, "-66.6666"}, {"0.0001", 2, kEven, "0"},
        {"0.0003", 2, kEven, "0.0002"}, {"0.0001", 2, kAway, "0.0001"},     {"-0.0001", -2, kAway, "0.0001"}};
    for (const Case& c : cases)
        EXPECT_EQ(money(c.amount).dividedBy(c.divisor, c.mode), money(c.expected))
            << c.amount << "/" << c.divisor;

    EXPECT_EQ(money("100").dividedBy(1.16), money("86.2069"));
    EXPECT_EQ(money("11.5").dividedBy(0.1), money("115"));
    EXPECT_EQ(money("0.0003").dividedBy(0.2, kAway), money("0.0015"));
    EXPECT_EQ(Currency::fromRaw(1).dividedBy(1e-18), Currency::fromRaw(1000000000000000000));
    EXPECT_EQ(money("5").dividedBy(1e300), Currency());
    EXPECT_EQ(Currency().dividedBy(1e-300), Currency());

    // Zero, non-finite divisors and results out of range are refused.
    for (const double divisor : {0.0, -0.0, std::nan(""), HUGE_VAL, 1e-300})
        EXPECT_FALSE(money("1").dividedBy(divisor).has_value()) << divisor;
    EXPECT_FALSE(money("1").dividedBy(qint64{0}).has_value());
    EXPECT_FALSE(Currency::fromRaw(kMinRaw).dividedBy(qint64{-1}).has_value());
    EXPECT_FALSE(Currency::fromRaw(10).dividedBy(1e-18).has_value());
}

TEST(Currency, RoundsToFewerDecimals) {
    struct Case {
        const char* amount;
        int decimals;
        RoundingMode mode;
        const char* expected;
    };
    const Case cases[] = {{"1.125", 2, kEven, "1.12"},
                          {"1.135", 2, kEven, "1.14"},
                          {"-1.125", 2, kEven, "-1.12"},
                          {"-1.125", 2, kAway, "-1.13"},
                          {"1.1251", 2, kEven, "1.13"},
                          {"1.129", 2, kTruncate, "1.12"},
                          {"-1.129", 2, kTruncate, "-1.12"},
                          {"2.5", 0, kEven, "2"},
                          {"3.5", 0, kEven, "4"},
                          {"-2.5", 0, kAway, "-3"},
                          {"0.05", 1, kEven, "0"},
                          {"1.2345", 3, kEven, "1.234"},
                          {"1.2345", 4, kTruncate, "1.2345"},
                          {"1.2345", 9, kTruncate, "1.2345"},
                          {"1.5", -1, kEven, "2"},
                          // Rounding up would leave the range: the nearest whole unit toward zero instead.
                          {"922337203685477.5807", 0, kAway, "922337203685477"},
                          {"-922337203685477.5808", 0, kEven, "-922337203685477"}};
    for (const Case& c : cases)
        EXPECT_EQ(money(c.amount).roundedTo(c.decimals, c.mode), money(c.expected)) << c.amount;
}
