#pragma once

#include <QString>
#include <QStringView>

namespace nerin::tsql {

// The T-SQL functions the translator accepts and how their calls are read. What each is called in
// the target comes from the Dialect.
class FunctionMap {
public:
    enum class Shape {
        Call,     // target(arguments)
        DatePart, // target('part', arguments...): the first argument is a date part word
        Convert,  // CONVERT(type, value[, style]) -> target('type', value[, style])
        Cast,     // CAST(value AS type) -> target('type', value)
    };

    struct Entry {
        Shape shape;
        QString name; // the T-SQL name, in upper case
        // The call stands for a date-time value: a "-" with it as an operand is date arithmetic.
        bool yieldsDate = false;
    };

    // The entry of a function name as written, any case; null when the function is not supported.
    static const Entry* find(QStringView name);
};

} // namespace nerin::tsql
