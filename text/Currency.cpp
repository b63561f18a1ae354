#include "text/Currency.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <limits>

namespace nerin {

namespace {

__extension__ typedef __int128 Int128;

constexpr Int128 kInt64Max = std::numeric_limits<qint64>::max();
constexpr Int128 kInt64Min = std::numeric_limits<qint64>::min();
// Powers of ten up to this one fit in Int128.
constexpr int kMaxPow10 = 38;

constexpr Int128 pow10(int exponent) {
    Int128 result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

constexpr bool fitsInt64(Int128 value) {
    return value >= kInt64Min && value <= kInt64Max;
}

constexpr Int128 magnitude(Int128 value) {
    return value < 0 ? -value : value;
}

// numerator / denominator brought to an integer by the mode; denominator > 0.
Int128 divideRounded(Int128 numerator, Int128 denominator, RoundingMode mode) {
    assert(denominator > 0);
    Int128 quotient = numerator / denominator;
    const Int128 remainder = magnitude(numerator % denominator);
    if (remainder == 0)
        return quotient;
    // Comparing the remainder with what is left to the next multiple avoids doubling it, which could
    // overflow for the largest denominators.
    const Int128 rest = denominator - remainder;
    bool awayFromZero = false;
    switch (mode) {
    case RoundingMode::HalfEven:
        awayFromZero = remainder > rest || (remainder == rest && quotient % 2 != 0);
        break;
    case RoundingMode::HalfAwayFromZero:
        awayFromZero = remainder >= rest;
        break;
    case RoundingMode::TowardZero:
        break;
    }
    if (awayFromZero)
        quotient += numerator < 0 ? -1 : 1;
    return quotient;
}

// mantissa × 10^exponent rounded to an integer by the mode, or no value outside the 64-bit range.
// The caller keeps |mantissa| below 10^37, so that a value scaled down by more than 10^38 is below
// one tenth and rounds to zero in every mode.
std::optional<qint64> scaleRounded(Int128 mantissa, int exponent, RoundingMode mode) {
    assert(magnitude(mantissa) < pow10(37));
    if (exponent >= 0) {
        for (int i = 0; i < exponent && mantissa != 0; ++i) {
            if (!fitsInt64(mantissa))
                return std::nullopt;
            mantissa *= 10;
        }
    } else if (-exponent > kMaxPow10) {
        mantissa = 0;
    } else {
        mantissa = divideRounded(mantissa, pow10(-exponent), mode);
    }
    if (!fitsInt64(mantissa))
        return std::nullopt;
    return static_cast<qint64>(mantissa);
}

// A finite double as the shortest decimal that reads back as it: value = mantissa × 10^exponent,
// with at most 17 significant digits in the mantissa.
struct ShortestDecimal {
    Int128 mantissa = 0;
    int exponent = 0;
};

std::optional<ShortestDecimal> shortestDecimal(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    // Scientific form: "-d.ddddde+xxx".
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    assert(written.ec == std::errc());
    const char* p = buffer;
    const char* const end = written.ptr;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    ShortestDecimal result;
    int fractionDigits = 0;
    bool inFraction = false;
    for (; p != end && *p != 'e'; ++p) {
        if (*p == '.') {
            inFraction = true;
            continue;
        }
        result.mantissa = result.mantissa * 10 + (*p - '0');
        if (inFraction)
            ++fractionDigits;
    }
    int exponent = 0;
    if (p != end) {
        ++p;
        [[maybe_unused]] const auto parsed = std::from_chars(*p == '+' ? p + 1 : p, end, exponent);
        assert(parsed.ec == std::errc());
    }
    result.exponent = exponent - fractionDigits;
    if (negative)
        result.mantissa = -result.mantissa;
    return result;
}

constexpr bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

std::optional<Currency> Currency::parse(QStringView text) {
    // Whole parts of 17 digits are out of range whatever follows; stopping there keeps the mantissa
    // small. Fraction digits past the twentieth only matter as a sticky "something nonzero follows".
    constexpr int kMaxWholeDigits = 16;
    constexpr int kMaxFractionDigits = 20;

    const QStringView s = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
        negative = s[i] == u'-';
        ++i;
    }

    Int128 mantissa = 0;
    int significantWholeDigits = 0;
    int wholeDigits = 0;
    // Digits since the last comma, or -1 before the first comma.
    int groupDigits = -1;
    for (; i < s.size() && (isDigit(s[i]) || s[i] == u','); ++i) {
        if (s[i] == u',') {
            const bool firstGroupOk = groupDigits < 0 && wholeDigits >= 1 && wholeDigits <= 3;
            if (!firstGroupOk && groupDigits != 3)
                return std::nullopt;
            groupDigits = 0;
            continue;
        }
        ++wholeDigits;
        if (groupDigits >= 0)
            ++groupDigits;
        const int digit = s[i].unicode() - u'0';
        if (mantissa == 0 && digit == 0)
            continue;
        if (++significantWholeDigits > kMaxWholeDigits)
            return std::nullopt;
        mantissa = mantissa * 10 + digit;
    }
    if (groupDigits >= 0 && groupDigits != 3)
        return std::nullopt;

    int fractionDigits = 0;
    bool stickyNonzero = false;
    if (i < s.size() && s[i] == u'.') {
        for (++i; i < s.size() && isDigit(s[i]); ++i) {
            const int digit = s[i].unicode() - u'0';
            if (fractionDigits < kMaxFractionDigits) {
                mantissa = mantissa * 10 + digit;
                ++fractionDigits;
            } else if (digit != 0) {
                stickyNonzero = true;
            }
        }
    }
    if (i != s.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;

    int exponent = kDecimals - fractionDigits;
    if (stickyNonzero) {
        // One more digit below the kept ones breaks any tie without changing which side of it we are.
        mantissa = mantissa * 10 + 1;
        --exponent;
    }
    const auto raw = scaleRounded(negative ? -mantissa : mantissa, exponent, RoundingMode::HalfEven);
    if (!raw)
        return std::nullopt;
    return fromRaw(*raw);
}

std::optional<Currency> Currency::fromDouble(double value, RoundingMode mode) {
    const auto decimal = shortestDecimal(value);
    if (!decimal)
        return std::nullopt;
    const auto raw = scaleRounded(decimal->mantissa, decimal->exponent + kDecimals, mode);
    if (!raw)
        return std::nullopt;
    return fromRaw(*raw);
}

double Currency::toDouble() const {
    return static_cast<double>(m_raw) / static_cast<double>(kScale);
}

QString Currency::toPlainText() const {
    const quint64 magnitudeRaw = m_raw < 0 ? 0 - static_cast<quint64>(m_raw) : static_cast<quint64>(m_raw);
    const quint64 scale = static_cast<quint64>(kScale);
    QString text = QString::number(magnitudeRaw / scale);
    if (m_raw < 0)
        text.prepend(u'-');
    quint64 fraction = magnitudeRaw % scale;
    if (fraction == 0)
        return text;
    int digits = kDecimals;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --digits;
    }
    text += u'.';
    text += QString::number(fraction).rightJustified(digits, u'0');
    return text;
}

Currency Currency::multiply(qint64 count) const {
    qint64 product = 0;
    [[maybe_unused]] const bool overflow = __builtin_mul_overflow(m_raw, count, &product);
    assert(!overflow && "Currency::multiply out of range");
    return fromRaw(product);
}

std::optional<Currency> Currency::multipliedBy(double factor, RoundingMode mode) const {
    const auto decimal = shortestDecimal(factor);
    if (!decimal)
        return std::nullopt;
    // |raw| < 2^63 and the mantissa has at most 17 digits: the product stays below 10^37.
    const auto raw = scaleRounded(Int128(m_raw) * decimal->mantissa, decimal->exponent, mode);
    if (!raw)
        return std::nullopt;
    return fromRaw(*raw);
}

std::optional<Currency> Currency::dividedBy(qint64 divisor, RoundingMode mode) const {
    if (divisor == 0)
        return std::nullopt;
    Int128 numerator = m_raw;
    Int128 denominator = divisor;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const Int128 quotient = divideRounded(numerator, denominator, mode);
    if (!fitsInt64(quotient))
        return std::nullopt;
    return fromRaw(static_cast<qint64>(quotient));
}

std::optional<Currency> Currency::dividedBy(double divisor, RoundingMode mode) const {
    const auto decimal = shortestDecimal(divisor);
    if (!decimal || decimal->mantissa == 0)
        return std::nullopt;
    if (m_raw == 0)
        return Currency();
    // A quotient estimated above 10^19 is out of range whatever the rounding (the estimate is off by
    // far less than the gap down to 2^63). Below it, raw × 10^k = quotient × mantissa < 10^37.
    if (std::fabs(static_cast<double>(m_raw) / divisor) > 1e19)
        return std::nullopt;
    Int128 numerator = m_raw;
    Int128 denominator = decimal->mantissa;
    if (decimal->exponent < 0) {
        numerator *= pow10(-decimal->exponent);
    } else if (decimal->exponent > 20) {
        // |divisor| > 10^20 and |raw| < 10^19: the quotient is below a tenth of a raw unit.
        return Currency();
    } else {
        denominator *= pow10(decimal->exponent);
    }
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const Int128 quotient = divideRounded(numerator, denominator, mode);
    if (!fitsInt64(quotient))
        return std::nullopt;
    return fromRaw(static_cast<qint64>(quotient));
}

Currency Currency::roundedTo(int decimals, RoundingMode mode) const {
    const int clamped = decimals < 0 ? 0 : (decimals > kDecimals ? kDecimals : decimals);
    const Int128 step = pow10(kDecimals - clamped);
    Int128 result = divideRounded(m_raw, step, mode) * step;
    if (result > kInt64Max)
        result -= step;
    else if (result < kInt64Min)
        result += step;
    return fromRaw(static_cast<qint64>(result));
}

} // namespace nerin
