#pragma once

#include "text/RoundingMode.h"

#include <QString>
#include <QStringView>
#include <compare>
#include <optional>

namespace nerin {

// An amount of money: a signed 64-bit count of ten-thousandths of a unit (four decimals), so that sums
// and differences are exact and money never passes through binary floating point on its way to a total.
//
// The representable range is ±922,337,203,685,477.5807. fromUnits(), +, -, unary - and multiply() do
// not check it: amounts of this system stay below 10^14 units, far from the limits, and leaving the
// range is a programming error (undefined for the operators, asserted for multiply()). The operations
// whose operand may come from outside (parsing, doubles, division) check it and return no value
// instead.
//
// Conversions from double take the shortest decimal text that reads back as that double, which is
// the number the person or program that wrote the double meant: 0.1 is one tenth, 99.95 is 99.95.
class Currency {
public:
    static constexpr qint64 kScale = 10000;
    static constexpr int kDecimals = 4;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(qint64 tenThousandths) { return Currency(tenThousandths); }
    static constexpr Currency fromUnits(qint64 wholeUnits) { return Currency(wholeUnits * kScale); }

    // Decimal text: optional surrounding spaces, an optional sign, digits with an optional "." and
    // fraction ("12", "-0.5", ".5", "7."). Commas are accepted as thousands separators only where they
    // group the whole part in threes ("1,234,567.5"); a comma elsewhere ("1,23") is refused, as it is
    // more likely a decimal comma than a typo. Fraction digits beyond the fourth are rounded half to
    // even. Anything else, or a value outside the range, gives no value.
    static std::optional<Currency> parse(QStringView text);
    // No value for NaN, infinities and values outside the range.
    static std::optional<Currency> fromDouble(double value, RoundingMode mode = RoundingMode::HalfEven);

    constexpr qint64 raw() const { return m_raw; }
    // The nearest double; exact to the cent and beyond for amounts below 2^53 ten-thousandths.
    double toDouble() const;
    // The whole units, truncated toward zero: -2.75 gives -2.
    constexpr qint64 wholePart() const { return m_raw / kScale; }
    // "-1234.5": no thousands separators, "." as decimal point, no trailing zeros and no trailing ".".
    QString toPlainText() const;

    constexpr Currency operator-() const { return Currency(-m_raw); }
    constexpr Currency& operator+=(Currency other) {
        m_raw += other.m_raw;
        return *this;
    }
    constexpr Currency& operator-=(Currency other) {
        m_raw -= other.m_raw;
        return *this;
    }
    friend constexpr Currency operator+(Currency a, Currency b) { return a += b; }
    friend constexpr Currency operator-(Currency a, Currency b) { return a -= b; }

    // The exact product with a count (a quantity of items).
    [[nodiscard]] Currency multiply(qint64 count) const;
    // The product rounded to four decimals, taking the factor as the decimal it was written as (1.15 is
    // exactly 115/100). No value for a non-finite factor or a result out of range.
    [[nodiscard]] std::optional<Currency> multipliedBy(double factor,
                                                       RoundingMode mode = RoundingMode::HalfEven) const;
    // The quotient rounded to four decimals. No value for a zero divisor or a result out of range.
    [[nodiscard]] std::optional<Currency> dividedBy(qint64 divisor,
                                                    RoundingMode mode = RoundingMode::HalfEven) const;
    // As above with the divisor taken as the decimal it was written as; also no value for NaN and
    // infinities.
    [[nodiscard]] std::optional<Currency> dividedBy(double divisor,
                                                    RoundingMode mode = RoundingMode::HalfEven) const;
    // Rounded to 0..4 decimals (other counts are clamped to that span). Where rounding away from zero
    // would leave the range, the result is the nearest multiple toward zero instead.
    [[nodiscard]] Currency roundedTo(int decimals, RoundingMode mode = RoundingMode::HalfEven) const;

    friend constexpr auto operator<=>(Currency, Currency) = default;
    friend constexpr bool operator==(Currency, Currency) = default;

private:
    constexpr explicit Currency(qint64 raw) : m_raw(raw) {}

    qint64 m_raw = 0;
};

} // namespace nerin
