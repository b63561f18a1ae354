#pragma once

#include "data/DbValue.h"

#include <QByteArray>

namespace nerin {

// The conversion of values between the terminal and PostgreSQL's text format: parameters go as text
// with the type they have, and fields are read by the type of their column, so that money stays exact
// and dates stay in local time.
class PgValues {
public:
    // Type OIDs of the built-in types (fixed in PostgreSQL's catalogue).
    enum Oid : unsigned int {
        kBool = 16,
        kName = 19,
        kInt8 = 20,
        kInt2 = 21,
        kInt4 = 23,
        kText = 25,
        kOid = 26,
        kFloat4 = 700,
        kFloat8 = 701,
        kBpchar = 1042,
        kVarchar = 1043,
        kDate = 1082,
        kTimestamp = 1114,
        kTimestampTz = 1184,
        kNumeric = 1700,
        kBytea = 17,
    };

    struct Parameter {
        unsigned int type = 0; // 0: the server infers it (a NULL)
        QByteArray text;
        bool null = true;
    };

    // Integers go as int8, doubles as float8, money as numeric (exact, four decimals), texts as text
    // and dates as timestamp written in local time; NULL as a NULL of the type the server infers.
    static Parameter parameter(const DbValue& value);

    // A field in text format of a column of type `type`: int2/int4/int8/oid as integers, numeric as
    // money (rounded to four decimals as Currency rounds; a value out of its range as a double),
    // float4/float8 as doubles, bool as 1 or 0, timestamp and date as local date-times (timestamptz
    // converted to local time), anything else as text. `text` is null for a NULL.
    static DbValue field(unsigned int type, const char* text, int length);
};

} // namespace nerin
