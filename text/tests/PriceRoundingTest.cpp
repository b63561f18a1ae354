#include "text/PriceRounding.h"

#include "TextPrinters.h"

#include <gtest/gtest.h>

using nerin::Currency;
using nerin::redondearPrecio;

namespace {

Currency money(const char* text) {
    const auto value = Currency::parse(QString::fromLatin1(text));
    EXPECT_TRUE(value.has_value()) << text;
    return value.value_or(Currency());
}

} // namespace

TEST(PriceRounding, FractionsNearWholeUnitsSnapAndTheRestGoToCents) {
    struct Case {
        const char* amount;
        const char* expected;
    };
    // Whole amounts, then around .10 (below drops, exactly .10 stays), around .90 (above goes up, exactly
    // .90 stays), cents with halves to even in between, and the mirror image for negative amounts.
    const Case cases[] = {{"99.95", "100"},    {"100.05", "100"},  {"100.45", "100.45"}, {"0", "0"},
                          {"7", "7"},          {"5.0999", "5"},    {"0.0999", "0"},      {"5.1", "5.1"},
                          {"5.1001", "5.1"},   {"5.9", "5.9"},     {"5.9001", "6"},      {"5.8999", "5.9"},
                          {"0.95", "1"},       {"5.905", "6"},     {"5.915", "6"},       {"1.125", "1.12"},
                          {"1.135", "1.14"},   {"5.895", "5.9"},   {"5.885", "5.88"},    {"5.8951", "5.9"},
                          {"5.1049", "5.1"},   {"5.105", "5.1"},   {"5.115", "5.12"},    {"-99.95", "-100"},
                          {"-100.05", "-100"}, {"-0.95", "-1"},    {"-0.05", "0"},       {"-5.9", "-5.9"},
                          {"-5.9001", "-6"},   {"-5.0999", "-5"},  {"-1.125", "-1.12"},  {"-1.135", "-1.14"},
                          {"-5.905", "-6"},    {"-5.885", "-5.88"}};
    for (const Case& c : cases)
        EXPECT_EQ(redondearPrecio(money(c.amount)), money(c.expected)) << c.amount;
}

TEST(PriceRounding, IsSymmetricStableAndStaysWithinTenCents) {
    for (qint64 raw = -30000; raw <= 30000; raw += 7) {
        const Currency x = Currency::fromRaw(raw);
        const Currency rounded = redondearPrecio(x);
        EXPECT_EQ(redondearPrecio(-x), -rounded) << raw;
        EXPECT_EQ(redondearPrecio(rounded), rounded) << raw;
        EXPECT_EQ(rounded.raw() % 100, 0) << raw;
        EXPECT_LE(std::abs(rounded.raw() - raw), 1000) << raw;
    }
}
