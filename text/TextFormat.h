#pragma once

#include "text/Currency.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTime>
#include <optional>

namespace nerin {

// Numbers and dates written with the format patterns the system stores and prints with, and the date
// texts it reads back.
class TextFormat {
public:
    // Number patterns: an optional literal prefix, digit placeholders, an optional literal suffix
    // ("$#,##0.00 M.N."). In the placeholders, "0" is a digit always shown, "#" one shown only when
    // needed, a "," among the whole-part placeholders groups the whole part in threes, and "." is the
    // decimal point. The value is rounded half away from zero to the number of fraction placeholders;
    // "#" fraction places drop trailing zeros. With no "0" in the whole part, a whole part of zero is
    // left out (".00" writes 0.5 as ".50"). A negative value gets "-" before everything, prefix
    // included ("-$1,234.50"); one that rounds to zero gets no sign. A pattern without placeholders
    // gives the plain text of the value.
    static QString number(Currency value, QStringView pattern);
    // As above, taking the double as the shortest decimal that reads back as it; NaN and infinities
    // give "".
    static QString number(double value, QStringView pattern);
    // "" when there is no value.
    static QString number(const std::optional<Currency>& value, QStringView pattern);

    // Date patterns, letters in either case:
    //   d dd ddd dddd   day 6, 06, dom, domingo     m mm mmm mmmm   month 12, 12, dic, diciembre
    //   yy yyyy         year 26, 2026               y               day of the year
    //   h hh            hour 9, 09                  n nn            minute 5, 05
    //   s ss            second 9, 09                AMPM AM/PM      "AM" or "PM", and 12-hour clock
    // "m" and "mm" are minutes instead of month when the nearest token before them is an hour or the
    // nearest after them is a second; other characters between tokens do not count. With AMPM anywhere
    // the hours run 12, 1, ... 11 (noon and midnight are 12). Any other character is written as is.
    // An invalid value gives "".
    static QString dateTime(const QDateTime& value, QStringView pattern);
    // Time tokens show midnight.
    static QString date(const QDate& value, QStringView pattern);
    // Date tokens show the classic day zero, 30 Dec 1899.
    static QString time(const QTime& value, QStringView pattern);

    // "ddmmyyyy": exactly eight digits forming a real date.
    static std::optional<QDate> parseWorkingDate(QStringView ddmmyyyy);
    // "dd/mm/yyyy hh:mm:ss", "dd/mm/yyyy hh:mm" or "dd/mm/yyyy", in local time. Day, month and hour may
    // have one digit; the year has four; surrounding spaces are ignored. No value for anything else or
    // a date or time that does not exist.
    static std::optional<QDateTime> parseDateTime(QStringView text);
};

} // namespace nerin
