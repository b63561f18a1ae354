#include "server/tsql/FunctionMap.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace nerin::tsql {

namespace {

using Named = std::pair<QString, FunctionMap::Entry>;

bool lessIgnoringCase(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

// Sorted by name, so that a name is found without building an upper-case copy of it.
std::vector<Named> entries() {
    using Shape = FunctionMap::Shape;
    std::vector<Named> map;
    auto add = [&map](const char* name, Shape shape, bool date = false) {
        const QString upper = QString::fromLatin1(name);
        map.emplace_back(upper, FunctionMap::Entry{shape, upper, date});
    };
    add("ISNULL", Shape::Call);
    add("GETDATE", Shape::Call, true);
    add("DATEADD", Shape::DatePart, true);
    add("DATEDIFF", Shape::DatePart);
    add("DATEPART", Shape::DatePart);
    add("YEAR", Shape::Call);
    add("MONTH", Shape::Call);
    add("DAY", Shape::Call);
    add("SUBSTRING", Shape::Call);
    add("LEN", Shape::Call);
    add("CONVERT", Shape::Convert);
    add("CAST", Shape::Cast);
    add("CHARINDEX", Shape::Call);
    add("LEFT", Shape::Call);
    add("RIGHT", Shape::Call);
    add("SPACE", Shape::Call);
    add("REPLICATE", Shape::Call);
    add("UPPER", Shape::Call);
    add("LOWER", Shape::Call);
    add("ISNUMERIC", Shape::Call);
    add("ROUND", Shape::Call);
    add("STR", Shape::Call);
    add("SCOPE_IDENTITY", Shape::Call);
    add("IDENT_CURRENT", Shape::Call);
    add("ASCII", Shape::Call);
    for (const char* plain : {"LTRIM", "RTRIM", "REPLACE", "ABS", "COALESCE", "NULLIF", "COUNT", "SUM", "AVG",
                              "MIN", "MAX", "CHAR", "FLOOR", "CEILING"}) {
        add(plain, Shape::Call);
    }
    std::sort(map.begin(), map.end(),
              [](const Named& a, const Named& b) { return lessIgnoringCase(a.first, b.first); });
    return map;
}

} // namespace

const FunctionMap::Entry* FunctionMap::find(QStringView name) {
    static const std::vector<Named> map = entries();
    auto found = std::lower_bound(map.cbegin(), map.cend(), name, [](const Named& entry, QStringView key) {
        return lessIgnoringCase(entry.first, key);
    });
    if (found == map.cend() || found->first.compare(name, Qt::CaseInsensitive) != 0)
        return nullptr;
    return &found->second;
}

} // namespace nerin::tsql
