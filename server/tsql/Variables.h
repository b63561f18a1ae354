#pragma once

#include "data/DbValue.h"
#include "server/tsql/EngineResult.h"

#include <QHash>
#include <optional>

namespace nerin::tsql {

// The variables of one batch or one procedure call, by name without regard to case. Each keeps the
// type it was declared with, and every value assigned to it is converted to that type as the server
// converts it (texts cut to their length, char padded, numbers parsed from texts).
class Variables {
public:
    EngineStatus declare(const QString& name, const QString& type);
    bool contains(const QString& name) const { return m_values.contains(name.toLower()); }
    // Converts and stores; fails when the variable was not declared or the value does not convert.
    EngineStatus assign(const QString& name, const DbValue& value);
    std::optional<DbValue> value(const QString& name) const;

    // `value` converted to a T-SQL type as written ("int", "varchar(10)", "money", "datetime").
    static EngineResult<DbValue> convert(const DbValue& value, const QString& type);

private:
    struct Variable {
        QString type;
        DbValue value;
    };
    QHash<QString, Variable> m_values;
};

} // namespace nerin::tsql
