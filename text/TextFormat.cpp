#include "text/TextFormat.h"

#include "text/DatePattern.h"
#include "text/NumberPattern.h"

#include <charconv>
#include <cmath>

namespace nerin {

namespace {

// The shortest fixed-point text that reads back as the double ("-0.1", "100000000000000000000").
// The largest doubles have 309 whole digits and the smallest some 330 fraction characters.
QString shortestFixed(double value) {
    char buffer[512];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, written.ptr - buffer);
}

// Reads minDigits..maxDigits ASCII digits at pos, advancing it.
std::optional<int> readNumber(QStringView text, qsizetype& pos, int minDigits, int maxDigits) {
    int value = 0;
    int digits = 0;
    while (digits < maxDigits && pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
        value = value * 10 + (text[pos].unicode() - u'0');
        ++digits;
        ++pos;
    }
    if (digits < minDigits)
        return std::nullopt;
    return value;
}

bool readChar(QStringView text, qsizetype& pos, QChar expected) {
    if (pos >= text.size() || text[pos] != expected)
        return false;
    ++pos;
    return true;
}

// "h:mm" or "h:mm:ss" from pos to the end of the text.
std::optional<QTime> readTime(QStringView text, qsizetype& pos) {
    const auto hour = readNumber(text, pos, 1, 2);
    if (!hour || !readChar(text, pos, u':'))
        return std::nullopt;
    const auto minute = readNumber(text, pos, 2, 2);
    if (!minute)
        return std::nullopt;
    std::optional<int> second = 0;
    if (readChar(text, pos, u':'))
        second = readNumber(text, pos, 2, 2);
    if (!second || pos != text.size() || !QTime::isValid(*hour, *minute, *second))
        return std::nullopt;
    return QTime(*hour, *minute, *second);
}

} // namespace

QString TextFormat::number(Currency value, QStringView pattern) {
    const auto parsed = NumberPattern::parse(pattern);
    if (!parsed)
        return value.toPlainText();
    const qint64 raw = value.raw();
    const quint64 magnitude = raw < 0 ? 0 - static_cast<quint64>(raw) : static_cast<quint64>(raw);
    const quint64 scale = static_cast<quint64>(Currency::kScale);
    return parsed->format(raw < 0, QString::number(magnitude / scale),
                          QString::number(magnitude % scale).rightJustified(Currency::kDecimals, u'0'));
}

QString TextFormat::number(double value, QStringView pattern) {
    if (!std::isfinite(value))
        return {};
    QString text = shortestFixed(value);
    const auto parsed = NumberPattern::parse(pattern);
    if (!parsed)
        return text;
    const bool negative = text.startsWith(u'-');
    if (negative)
        text.remove(0, 1);
    const qsizetype point = text.indexOf(u'.');
    if (point < 0)
        return parsed->format(negative, text, {});
    return parsed->format(negative, text.left(point), text.mid(point + 1));
}

QString TextFormat::number(const std::optional<Currency>& value, QStringView pattern) {
    return value ? number(*value, pattern) : QString();
}

QString TextFormat::dateTime(const QDateTime& value, QStringView pattern) {
    if (!value.isValid())
        return {};
    return DatePattern(pattern).format(value.date(), value.time());
}

QString TextFormat::date(const QDate& value, QStringView pattern) {
    if (!value.isValid())
        return {};
    return DatePattern(pattern).format(value, QTime(0, 0));
}

QString TextFormat::time(const QTime& value, QStringView pattern) {
    if (!value.isValid())
        return {};
    return DatePattern(pattern).format(QDate(1899, 12, 30), value);
}

std::optional<QDate> TextFormat::parseWorkingDate(QStringView ddmmyyyy) {
    if (ddmmyyyy.size() != 8)
        return std::nullopt;
    qsizetype pos = 0;
    const auto day = readNumber(ddmmyyyy, pos, 2, 2);
    const auto month = readNumber(ddmmyyyy, pos, 2, 2);
    const auto year = readNumber(ddmmyyyy, pos, 4, 4);
    if (!day || !month || !year)
        return std::nullopt;
    const QDate date(*year, *month, *day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QDateTime> TextFormat::parseDateTime(QStringView text) {
    const QStringView s = text.trimmed();
    qsizetype pos = 0;
    const auto day = readNumber(s, pos, 1, 2);
    if (!day || !readChar(s, pos, u'/'))
        return std::nullopt;
    const auto month = readNumber(s, pos, 1, 2);
    if (!month || !readChar(s, pos, u'/'))
        return std::nullopt;
    const auto year = readNumber(s, pos, 4, 4);
    if (!year)
        return std::nullopt;
    const QDate date(*year, *month, *day);
    if (!date.isValid())
        return std::nullopt;

    QTime time(0, 0);
    if (pos < s.size()) {
        if (!readChar(s, pos, u' '))
            return std::nullopt;
        while (readChar(s, pos, u' ')) {
        }
        const auto parsedTime = readTime(s, pos);
        if (!parsedTime)
            return std::nullopt;
        time = *parsedTime;
    }
    const QDateTime result(date, time);
    if (!result.isValid())
        return std::nullopt;
    return result;
}

} // namespace nerin
