#include "server/tsql/DateTimeText.h"

namespace nerin::tsql {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// A cursor over ASCII text.
struct Reader {
    std::string_view text;
    std::size_t pos = 0;

    bool atEnd() const { return pos == text.size(); }
    char peek() const { return atEnd() ? '\0' : text[pos]; }

    bool accept(char c) {
        if (peek() != c)
            return false;
        ++pos;
        return true;
    }

    // minDigits..maxDigits digits, as many as there are up to the maximum.
    std::optional<int> number(int minDigits, int maxDigits) {
        int value = 0;
        int digits = 0;
        while (digits < maxDigits && isDigit(peek())) {
            value = value * 10 + (text[pos] - '0');
            ++digits;
            ++pos;
        }
        if (digits < minDigits)
            return std::nullopt;
        return value;
    }

    // The number of digits that follow.
    std::size_t digitRun() const {
        std::size_t end = pos;
        while (end < text.size() && isDigit(text[end]))
            ++end;
        return end - pos;
    }
};

// "H:mm", "H:mm:ss" or "H:mm:ss.f" (one to three fraction digits) up to the end of the text.
std::optional<QTime> readTime(Reader& in) {
    const auto hour = in.number(1, 2);
    if (!hour || !in.accept(':'))
        return std::nullopt;
    const auto minute = in.number(2, 2);
    if (!minute)
        return std::nullopt;
    int second = 0;
    int msec = 0;
    if (in.accept(':')) {
        const auto parsedSecond = in.number(2, 2);
        if (!parsedSecond)
            return std::nullopt;
        second = *parsedSecond;
        if (in.accept('.')) {
            const std::size_t start = in.pos;
            const auto fraction = in.number(1, 3);
            if (!fraction)
                return std::nullopt;
            msec = *fraction;
            for (std::size_t digits = in.pos - start; digits < 3; ++digits)
                msec *= 10;
        }
    }
    if (!in.atEnd() || !QTime::isValid(*hour, *minute, second, msec))
        return std::nullopt;
    return QTime(*hour, *minute, second, msec);
}

// What follows a date: nothing, or separating spaces (or a "T" when allowed) and a time.
std::optional<QTime> readTimeAfterDate(Reader& in, bool allowT) {
    if (in.atEnd())
        return QTime(0, 0);
    if (!(allowT && in.accept('T'))) {
        if (!in.accept(' '))
            return std::nullopt;
        while (in.accept(' ')) {
        }
    }
    return readTime(in);
}

std::optional<LocalDateTime> combine(int year, int month, int day, std::optional<QTime> time) {
    if (!time || year < 1 || !QDate::isValid(year, month, day))
        return std::nullopt;
    return LocalDateTime{QDate(year, month, day), *time};
}

std::optional<LocalDateTime> readIso(Reader& in) {
    const auto year = in.number(4, 4);
    if (!year || !in.accept('-'))
        return std::nullopt;
    const auto month = in.number(1, 2);
    if (!month || !in.accept('-'))
        return std::nullopt;
    const auto day = in.number(1, 2);
    if (!day)
        return std::nullopt;
    return combine(*year, *month, *day, readTimeAfterDate(in, true));
}

std::optional<LocalDateTime> readEightDigits(Reader& in) {
    const int year = *in.number(4, 4);
    const int month = *in.number(2, 2);
    const int day = *in.number(2, 2);
    return combine(year, month, day, readTimeAfterDate(in, false));
}

std::optional<LocalDateTime> readSeparated(Reader& in, const DateReading& reading) {
    const auto first = in.number(1, 2);
    if (!first || !in.accept(reading.separator))
        return std::nullopt;
    const auto second = in.number(1, 2);
    if (!second || !in.accept(reading.separator))
        return std::nullopt;
    const std::size_t yearDigits = in.digitRun();
    int year = 0;
    if (yearDigits == 4) {
        year = *in.number(4, 4);
    } else if (yearDigits == 2 && reading.twoDigitYear) {
        const int shortYear = *in.number(2, 2);
        year = shortYear < 50 ? 2000 + shortYear : 1900 + shortYear;
    } else {
        return std::nullopt;
    }
    const int month = reading.monthFirst ? *first : *second;
    const int day = reading.monthFirst ? *second : *first;
    return combine(year, month, day, readTimeAfterDate(in, false));
}

void putDigits(CanonicalChars& out, std::size_t pos, int value, std::size_t width) {
    for (std::size_t i = width; i > 0; --i) {
        out[pos + i - 1] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

bool isEightDigits(std::string_view text) {
    if (text.size() != 8)
        return false;
    for (const char c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

// The ASCII text of a QStringView into `buffer`; no value when it is not ASCII or does not fit (no
// date text is that long).
std::optional<std::string_view> asciiText(QStringView text, std::array<char, 64>& buffer) {
    const QStringView s = text.trimmed();
    if (static_cast<std::size_t>(s.size()) > buffer.size())
        return std::nullopt;
    std::size_t length = 0;
    for (const QChar c : s) {
        if (c.unicode() > 127)
            return std::nullopt;
        buffer[length++] = static_cast<char>(c.unicode());
    }
    return std::string_view(buffer.data(), length);
}

} // namespace

std::optional<LocalDateTime> parseDateTimeText(std::string_view text, const DateReading& reading) {
    Reader in{trimmed(text)};
    const std::size_t leadingDigits = in.digitRun();
    if (leadingDigits == 4 && in.text.size() > 4 && in.text[4] == '-')
        return readIso(in);
    if (leadingDigits == 8)
        return readEightDigits(in);
    // A time alone is that time on the server's day zero, 1 January 1900, as a datetime column stores it.
    if ((leadingDigits == 1 || leadingDigits == 2) && in.text.size() > leadingDigits && in.text[leadingDigits] == ':')
        return combine(1900, 1, 1, readTime(in));
    return readSeparated(in, reading);
}

bool hasCanonicalShape(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    return text.size() >= 6 && isDigit(text[0]) && isDigit(text[1]) && isDigit(text[2]) && isDigit(text[3]) &&
           text[4] == '-' && isDigit(text[5]);
}

CanonicalChars canonicalChars(const LocalDateTime& value) {
    CanonicalChars out{};
    putDigits(out, 0, value.date.year(), 4);
    out[4] = '-';
    putDigits(out, 5, value.date.month(), 2);
    out[7] = '-';
    putDigits(out, 8, value.date.day(), 2);
    out[10] = ' ';
    putDigits(out, 11, value.time.hour(), 2);
    out[13] = ':';
    putDigits(out, 14, value.time.minute(), 2);
    out[16] = ':';
    putDigits(out, 17, value.time.second(), 2);
    out[19] = '.';
    putDigits(out, 20, value.time.msec(), 3);
    return out;
}

QString canonicalDateTime(const QDateTime& value) {
    if (!value.isValid() || value.date().year() < 1 || value.date().year() > 9999)
        return {};
    const CanonicalChars chars = canonicalChars({value.date(), value.time()});
    return QString::fromLatin1(chars.data(), static_cast<qsizetype>(chars.size()));
}

std::optional<QDateTime> parseAnyDateTime(QStringView text) {
    std::array<char, 64> buffer;
    const auto ascii = asciiText(text, buffer);
    if (!ascii)
        return std::nullopt;
    const auto parsed = parseDateTimeText(*ascii);
    if (!parsed)
        return std::nullopt;
    QDateTime result(parsed->date, parsed->time);
    if (!result.isValid() || result.time() != parsed->time)
        return std::nullopt;
    return result;
}

std::optional<QString> canonicalize(QStringView text) {
    std::array<char, 64> buffer;
    const auto ascii = asciiText(text, buffer);
    if (!ascii || isEightDigits(*ascii))
        return std::nullopt;
    const auto parsed = parseDateTimeText(*ascii);
    if (!parsed)
        return std::nullopt;
    const CanonicalChars chars = canonicalChars(*parsed);
    return QString::fromLatin1(chars.data(), static_cast<qsizetype>(chars.size()));
}

} // namespace nerin::tsql
