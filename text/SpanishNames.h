#pragma once

#include <QString>

namespace nerin {

// Month and day names as the system prints them: Spanish, lower case. A number out of range gives "".
class SpanishNames {
public:
    // month: 1 = January .. 12 = December.
    static QString monthName(int month);
    // Three letters: "ene", "feb", ... "dic".
    static QString monthAbbreviation(int month);
    // dayOfWeek as QDate numbers it: 1 = Monday .. 7 = Sunday.
    static QString dayName(int dayOfWeek);
    // Three letters: "lun", "mar", "mié", ... "dom".
    static QString dayAbbreviation(int dayOfWeek);
};

} // namespace nerin
