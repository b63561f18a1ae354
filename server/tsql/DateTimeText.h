#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTime>
#include <array>
#include <optional>
#include <string_view>

// The embedded database stores every date-time as the text "yyyy-MM-dd HH:mm:ss.zzz" in local time,
// always with milliseconds, so that text order is time order. These functions write that text and read
// it back, together with the other date texts that statements and the terminal write.
namespace nerin::tsql {

// A calendar date and a time of day with no time zone: what a stored date-time text holds. The SQL
// functions compute on these fields, so no daylight-saving rule ever shifts a stored value.
struct LocalDateTime {
    QDate date;
    QTime time;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// How a date written with separators ("06/12/2026") is read.
struct DateReading {
    // "12/06/2026" is 6 December instead of 12 June.
    bool monthFirst = false;
    char separator = '/';
    // Also accepts a two-digit year: 00-49 are 2000-2049, 50-99 are 1950-1999.
    bool twoDigitYear = false;
};

inline constexpr std::size_t kCanonicalLength = 23;
using CanonicalChars = std::array<char, kCanonicalLength>;

// Reads, with surrounding white space ignored:
//   "yyyy-MM-dd", optionally followed by a space or "T" and a time   (month and day may have one digit)
//   "yyyymmdd", optionally followed by a space and a time
//   "dd/mm/yyyy", optionally followed by a space and a time          (as `reading` says)
//   a time alone, which is that time on 1 January 1900
// where a time is "H:mm", "H:mm:ss" or "H:mm:ss.f" with one to three fraction digits. ASCII only; no
// value for anything else or a date or time that does not exist.
std::optional<LocalDateTime> parseDateTimeText(std::string_view text, const DateReading& reading = {});

// Whether the text, after leading white space, starts as the stored form does ("dddd-d"): the sign the
// functions take for a date-time where T-SQL would have had a datetime value.
bool hasCanonicalShape(std::string_view text);

// The canonical text of a value whose date is valid and in years 1 to 9999.
CanonicalChars canonicalChars(const LocalDateTime& value);

// "yyyy-MM-dd HH:mm:ss.zzz" of the value's local date and time; "" for an invalid value or a year
// outside 1 to 9999.
QString canonicalDateTime(const QDateTime& value);

// parseDateTimeText() with day-first dates, as a local QDateTime; also no value for a local time that
// does not exist (skipped by a daylight-saving change).
std::optional<QDateTime> parseAnyDateTime(QStringView text);

// The canonical text of what parseDateTimeText() reads day first, except that eight digits alone give
// no value: working dates "ddmmyyyy" are stored as plain eight-character texts and must stay as they
// are. Unlike parseAnyDateTime(), a time skipped by daylight saving is kept as written.
std::optional<QString> canonicalize(QStringView text);

} // namespace nerin::tsql
