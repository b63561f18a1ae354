#include "server/tsql/SqlDateFunctions.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <string>

namespace nerin::tsql {

namespace {

constexpr qint64 kMsPerSecond = 1000;
constexpr qint64 kMsPerMinute = 60 * kMsPerSecond;
constexpr qint64 kMsPerHour = 60 * kMsPerMinute;
constexpr qint64 kMsPerDay = 24 * kMsPerHour;

enum class DatePart {
    Year,
    Quarter,
    Month,
    DayOfYear,
    Day,
    Week,
    Weekday,
    Hour,
    Minute,
    Second,
    Millisecond
};

struct PartName {
    std::string_view name;
    DatePart part;
};

constexpr PartName kPartNames[] = {
    {"year", DatePart::Year},       {"yy", DatePart::Year},
    {"yyyy", DatePart::Year},       {"quarter", DatePart::Quarter},
    {"qq", DatePart::Quarter},      {"q", DatePart::Quarter},
    {"month", DatePart::Month},     {"mm", DatePart::Month},
    {"m", DatePart::Month},         {"dayofyear", DatePart::DayOfYear},
    {"dy", DatePart::DayOfYear},    {"y", DatePart::DayOfYear},
    {"day", DatePart::Day},         {"dd", DatePart::Day},
    {"d", DatePart::Day},           {"week", DatePart::Week},
    {"wk", DatePart::Week},         {"ww", DatePart::Week},
    {"weekday", DatePart::Weekday}, {"dw", DatePart::Weekday},
    {"w", DatePart::Weekday},       {"hour", DatePart::Hour},
    {"hh", DatePart::Hour},         {"minute", DatePart::Minute},
    {"mi", DatePart::Minute},       {"n", DatePart::Minute},
    {"second", DatePart::Second},   {"ss", DatePart::Second},
    {"s", DatePart::Second},        {"millisecond", DatePart::Millisecond},
    {"ms", DatePart::Millisecond},
};

// The part named by the argument; on an unknown name the error names `function` as T-SQL does.
std::optional<DatePart> partArgument(sqlite3_context* context, sqlite3_value* value, const char* function) {
    NumberChars buffer;
    const std::string_view name = trimSpaces(argumentText(value, buffer));
    for (const PartName& entry : kPartNames) {
        if (equalsIgnoringAsciiCase(name, entry.name))
            return entry.part;
    }
    resultError(context, concat({"'", name, "' is not a recognized ", function, " option."}));
    return std::nullopt;
}

const qint64 kFirstJulianDay = QDate(1, 1, 1).toJulianDay();
const qint64 kLastJulianDay = QDate(9999, 12, 31).toJulianDay();
const LocalDateTime kDayZero{QDate(1900, 1, 1), QTime(0, 0)};

// Milliseconds since the start of the Julian day count: one number on which any two values subtract.
qint64 totalMs(const LocalDateTime& value) {
    return value.date.toJulianDay() * kMsPerDay + value.time.msecsSinceStartOfDay();
}

std::optional<LocalDateTime> fromTotalMs(qint64 ms) {
    if (ms < kFirstJulianDay * kMsPerDay || ms >= (kLastJulianDay + 1) * kMsPerDay)
        return std::nullopt;
    return LocalDateTime{QDate::fromJulianDay(ms / kMsPerDay),
                         QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms % kMsPerDay))};
}

// The value n units of `unitMs` milliseconds later, or no value outside years 1 to 9999.
std::optional<LocalDateTime> addMs(const LocalDateTime& value, qint64 n, qint64 unitMs) {
    qint64 delta = 0;
    qint64 ms = 0;
    if (__builtin_mul_overflow(n, unitMs, &delta) || __builtin_add_overflow(totalMs(value), delta, &ms))
        return std::nullopt;
    return fromTotalMs(ms);
}

std::optional<LocalDateTime> addMonths(const LocalDateTime& value, qint64 months) {
    // Beyond this the year leaves 1 to 9999 whatever the start.
    constexpr qint64 kMonthsInRange = 12 * 10000;
    if (months < -kMonthsInRange || months > kMonthsInRange)
        return std::nullopt;
    const QDate date = value.date.addMonths(static_cast<int>(months));
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return std::nullopt;
    return LocalDateTime{date, value.time};
}

// n years or quarters in months; counts far out of range stay out of range without overflowing.
qint64 monthsIn(qint64 n, qint64 monthsPerUnit) {
    return std::clamp<qint64>(n, -1000000, 1000000) * monthsPerUnit;
}

std::optional<LocalDateTime> addPart(const LocalDateTime& value, DatePart part, qint64 n) {
    switch (part) {
    case DatePart::Year:
        return addMonths(value, monthsIn(n, 12));
    case DatePart::Quarter:
        return addMonths(value, monthsIn(n, 3));
    case DatePart::Month:
        return addMonths(value, n);
    case DatePart::DayOfYear:
    case DatePart::Day:
    case DatePart::Weekday:
        return addMs(value, n, kMsPerDay);
    case DatePart::Week:
        return addMs(value, n, 7 * kMsPerDay);
    case DatePart::Hour:
        return addMs(value, n, kMsPerHour);
    case DatePart::Minute:
        return addMs(value, n, kMsPerMinute);
    case DatePart::Second:
        return addMs(value, n, kMsPerSecond);
    case DatePart::Millisecond:
        return addMs(value, n, 1);
    }
    return std::nullopt;
}

// Counts weeks that start on Sunday; Julian day 0 was a Monday.
qint64 sundayWeek(const QDate& date) {
    return (date.toJulianDay() + 1) / 7;
}

int quarterOf(const QDate& date) {
    return (date.month() - 1) / 3 + 1;
}

qint64 boundariesCrossed(DatePart part, const LocalDateTime& start, const LocalDateTime& end) {
    const qint64 years = end.date.year() - start.date.year();
    switch (part) {
    case DatePart::Year:
        return years;
    case DatePart::Quarter:
        return years * 4 + quarterOf(end.date) - quarterOf(start.date);
    case DatePart::Month:
        return years * 12 + end.date.month() - start.date.month();
    case DatePart::DayOfYear:
    case DatePart::Day:
    case DatePart::Weekday:
        return end.date.toJulianDay() - start.date.toJulianDay();
    case DatePart::Week:
        return sundayWeek(end.date) - sundayWeek(start.date);
    case DatePart::Hour:
        return totalMs(end) / kMsPerHour - totalMs(start) / kMsPerHour;
    case DatePart::Minute:
        return totalMs(end) / kMsPerMinute - totalMs(start) / kMsPerMinute;
    case DatePart::Second:
        return totalMs(end) / kMsPerSecond - totalMs(start) / kMsPerSecond;
    case DatePart::Millisecond:
        return totalMs(end) - totalMs(start);
    }
    return 0;
}

qint64 partOf(DatePart part, const LocalDateTime& value) {
    const QDate& date = value.date;
    switch (part) {
    case DatePart::Year:
        return date.year();
    case DatePart::Quarter:
        return quarterOf(date);
    case DatePart::Month:
        return date.month();
    case DatePart::DayOfYear:
        return date.dayOfYear();
    case DatePart::Day:
        return date.day();
    case DatePart::Week:
        return sundayWeek(date) - sundayWeek(QDate(date.year(), 1, 1)) + 1;
    case DatePart::Weekday:
        // Qt counts Monday 1 to Sunday 7; T-SQL Sunday 1 to Saturday 7.
        return date.dayOfWeek() % 7 + 1;
    case DatePart::Hour:
        return value.time.hour();
    case DatePart::Minute:
        return value.time.minute();
    case DatePart::Second:
        return value.time.second();
    case DatePart::Millisecond:
        return value.time.msec();
    }
    return 0;
}

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    }
    return false;
}

void getDateFunction(sqlite3_context* context, int, sqlite3_value**) {
    const QDateTime now = QDateTime::currentDateTime();
    resultDateTime(context, {now.date(), now.time()});
}

void dateAddFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const auto part = partArgument(context, argv[0], "dateadd");
    if (!part)
        return;
    const auto n = integerArgument(context, argv[1]);
    if (!n)
        return;
    const auto date = dateArgument(context, argv[2]);
    if (!date)
        return;
    const auto result = addPart(*date, *part, *n);
    if (!result) {
        resultError(context, "Adding a value to a 'datetime' column caused an overflow.");
        return;
    }
    resultDateTime(context, *result);
}

void dateDiffFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const auto part = partArgument(context, argv[0], "datediff");
    if (!part)
        return;
    const auto start = dateArgument(context, argv[1]);
    if (!start)
        return;
    const auto end = dateArgument(context, argv[2]);
    if (!end)
        return;
    sqlite3_result_int64(context, boundariesCrossed(*part, *start, *end));
}

void datePartFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const auto part = partArgument(context, argv[0], "datepart");
    if (!part)
        return;
    const auto date = dateArgument(context, argv[1]);
    if (!date)
        return;
    sqlite3_result_int64(context, partOf(*part, *date));
}

template <DatePart part> void fixedPartFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (anyNull(1, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const auto date = dateArgument(context, argv[0]);
    if (!date)
        return;
    sqlite3_result_int64(context, partOf(part, *date));
}

constexpr FunctionEntry kDateFunctions[] = {
    {"nerin_getdate", 0, false, getDateFunction},
    {"nerin_dateadd", 3, true, dateAddFunction},
    {"nerin_datediff", 3, true, dateDiffFunction},
    {"nerin_datepart", 2, true, datePartFunction},
    {"nerin_year", 1, true, fixedPartFunction<DatePart::Year>},
    {"nerin_month", 1, true, fixedPartFunction<DatePart::Month>},
    {"nerin_day", 1, true, fixedPartFunction<DatePart::Day>},
};

} // namespace

std::span<const FunctionEntry> dateFunctions() {
    return kDateFunctions;
}

std::optional<LocalDateTime> dateArgument(sqlite3_context* context, sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: {
        const auto date = fromDaysSince1900(sqlite3_value_double(value));
        if (!date)
            resultError(context, "Arithmetic overflow error converting expression to data type datetime.");
        return date;
    }
    case SQLITE_TEXT: {
        NumberChars buffer;
        const auto date = parseDateTimeText(argumentText(value, buffer));
        if (!date)
            resultError(context, kDateConversionFailed);
        return date;
    }
    default:
        resultError(context, "Operand type clash: varbinary is incompatible with datetime");
        return std::nullopt;
    }
}

std::optional<LocalDateTime> addDays(const LocalDateTime& value, double days) {
    // Past this many days any start leaves years 1 to 9999; the bound keeps the product in range.
    constexpr double kDaysInRange = 4000000;
    if (!(days > -kDaysInRange && days < kDaysInRange))
        return std::nullopt;
    return addMs(value, std::llround(days * static_cast<double>(kMsPerDay)), 1);
}

double daysSince1900(const LocalDateTime& value) {
    return static_cast<double>(totalMs(value) - totalMs(kDayZero)) / static_cast<double>(kMsPerDay);
}

std::optional<LocalDateTime> fromDaysSince1900(double days) {
    return addDays(kDayZero, days);
}

void resultDateTime(sqlite3_context* context, const LocalDateTime& value) {
    const CanonicalChars chars = canonicalChars(value);
    resultText(context, {chars.data(), chars.size()});
}

} // namespace nerin::tsql
