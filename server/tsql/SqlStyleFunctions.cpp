#include "server/tsql/SqlStyleFunctions.h"

#include <string_view>

namespace nerin::tsql {

namespace {

struct StylePattern {
    qint64 style;
    // Codes after "%": Y year, y two-digit year, m month, d day, D day padded with a space, b month name,
    // H hour, I hour of the 12-hour clock padded with a space, M minute, S second, f milliseconds,
    // F ".mmm" unless zero, p AM or PM. Anything else is written as is.
    std::string_view pattern;
};

constexpr StylePattern kStyles[] = {
    {0, "%b %D %Y %I:%M%p"},
    {100, "%b %D %Y %I:%M%p"},
    {1, "%m/%d/%y"},
    {101, "%m/%d/%Y"},
    {2, "%y.%m.%d"},
    {102, "%Y.%m.%d"},
    {3, "%d/%m/%y"},
    {103, "%d/%m/%Y"},
    {4, "%d.%m.%y"},
    {104, "%d.%m.%Y"},
    {5, "%d-%m-%y"},
    {105, "%d-%m-%Y"},
    {6, "%d %b %y"},
    {106, "%d %b %Y"},
    {7, "%b %d, %y"},
    {107, "%b %d, %Y"},
    {8, "%H:%M:%S"},
    {24, "%H:%M:%S"},
    {108, "%H:%M:%S"},
    {9, "%b %D %Y %I:%M:%S:%f%p"},
    {109, "%b %D %Y %I:%M:%S:%f%p"},
    {10, "%m-%d-%y"},
    {110, "%m-%d-%Y"},
    {11, "%y/%m/%d"},
    {111, "%Y/%m/%d"},
    {12, "%y%m%d"},
    {112, "%Y%m%d"},
    {13, "%d %b %Y %H:%M:%S:%f"},
    {113, "%d %b %Y %H:%M:%S:%f"},
    {14, "%H:%M:%S:%f"},
    {114, "%H:%M:%S:%f"},
    {20, "%Y-%m-%d %H:%M:%S"},
    {120, "%Y-%m-%d %H:%M:%S"},
    {21, "%Y-%m-%d %H:%M:%S.%f"},
    {121, "%Y-%m-%d %H:%M:%S.%f"},
    {126, "%Y-%m-%dT%H:%M:%S%F"},
    {127, "%Y-%m-%dT%H:%M:%S%F"},
};

constexpr std::string_view kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void appendNumber(std::string& out, int value, int width, char fill) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        out.append(static_cast<std::size_t>(width) - digits.size(), fill);
    out.append(digits);
}

std::string_view patternOf(qint64 style) {
    for (const StylePattern& entry : kStyles) {
        if (entry.style == style)
            return entry.pattern;
    }
    return kStyles[0].pattern;
}

} // namespace

std::string dateTimeInStyle(const LocalDateTime& value, qint64 style) {
    const std::string_view pattern = patternOf(style);
    const QDate& date = value.date;
    const QTime& time = value.time;
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            out.push_back(pattern[i]);
            continue;
        }
        switch (pattern[++i]) {
        case 'Y':
            appendNumber(out, date.year(), 4, '0');
            break;
        case 'y':
            appendNumber(out, date.year() % 100, 2, '0');
            break;
        case 'm':
            appendNumber(out, date.month(), 2, '0');
            break;
        case 'd':
            appendNumber(out, date.day(), 2, '0');
            break;
        case 'D':
            appendNumber(out, date.day(), 2, ' ');
            break;
        case 'b':
            out.append(kMonthNames[date.month() - 1]);
            break;
        case 'H':
            appendNumber(out, time.hour(), 2, '0');
            break;
        case 'I':
            appendNumber(out, (time.hour() + 11) % 12 + 1, 2, ' ');
            break;
        case 'M':
            appendNumber(out, time.minute(), 2, '0');
            break;
        case 'S':
            appendNumber(out, time.second(), 2, '0');
            break;
        case 'f':
            appendNumber(out, time.msec(), 3, '0');
            break;
        case 'F':
            if (time.msec() != 0) {
                out.push_back('.');
                appendNumber(out, time.msec(), 3, '0');
            }
            break;
        case 'p':
            out.append(time.hour() < 12 ? "AM" : "PM");
            break;
        default:
            out.push_back(pattern[i]);
            break;
        }
    }
    return out;
}

DateReading readingForStyle(qint64 style) {
    DateReading reading;
    reading.twoDigitYear = style < 100;
    switch (style % 100) {
    case 1:
        reading.monthFirst = true;
        break;
    case 4:
        reading.separator = '.';
        break;
    case 5:
        reading.separator = '-';
        break;
    case 10:
        reading.monthFirst = true;
        reading.separator = '-';
        break;
    default:
        break;
    }
    return reading;
}

} // namespace nerin::tsql
