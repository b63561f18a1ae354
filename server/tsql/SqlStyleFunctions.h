#pragma once

#include "server/tsql/DateTimeText.h"

#include <QtGlobal>
#include <string>

// The style numbers of T-SQL's CONVERT for date-times: how a date-time is written as text, and how a
// text is read as a date-time.
namespace nerin::tsql {

// The text of a date-time in a style, English month names:
//   0, 100   "Dec  6 2026  1:45PM"           1, 101   "12/06/26", "12/06/2026"
//   2, 102   "26.12.06", "2026.12.06"        3, 103   "06/12/26", "06/12/2026"
//   4, 104   "06.12.26", "06.12.2026"        5, 105   "06-12-26", "06-12-2026"
//   6, 106   "06 Dec 26", "06 Dec 2026"      7, 107   "Dec 06, 26", "Dec 06, 2026"
//   8, 24, 108   "13:45:00"                  9, 109   "Dec  6 2026  1:45:00:000PM"
//   10, 110  "12-06-26", "12-06-2026"        11, 111  "26/12/06", "2026/12/06"
//   12, 112  "261206", "20261206"            13, 113  "06 Dec 2026 13:45:00:000"
//   14, 114  "13:45:00:000"                  20, 120  "2026-12-06 13:45:00"
//   21, 121  "2026-12-06 13:45:00.000"       126, 127 "2026-12-06T13:45:00" (".mmm" when not zero)
// Any other style writes as style 0 does.
std::string dateTimeInStyle(const LocalDateTime& value, qint64 style);

// How a text is read as a date-time in a style: month first for 1, 101, 10 and 110; "." for 4 and
// 104; "-" for 5, 105, 10 and 110; two-digit years also accepted for styles below 100. Every other
// style reads as parseDateTimeText() does by default.
DateReading readingForStyle(qint64 style);

} // namespace nerin::tsql
