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
    auto add = [&map](const char* name, Shape shape, const char* target, bool date = false) {
        map.emplace_back(QString::fromLatin1(name),
                         FunctionMap::Entry{shape, QString::fromLatin1(target).toLower(), date});
    };
    add("ISNULL", Shape::Call, "ifnull");
    add("GETDATE", Shape::Call, "nerin_getdate", true);
    add("DATEADD", Shape::DatePart, "nerin_dateadd", true);
    add("DATEDIFF", Shape::DatePart, "nerin_datediff");
    add("DATEPART", Shape::DatePart, "nerin_datepart");
    add("YEAR", Shape::Call, "nerin_year");
    add("MONTH", Shape::Call, "nerin_month");
    add("DAY", Shape::Call, "nerin_day");
    add("SUBSTRING", Shape::Call, "substr");
    add("LEN", Shape::Call, "nerin_len");
    add("CONVERT", Shape::Convert, "nerin_convert");
    add("CAST", Shape::Cast, "nerin_convert");
    add("CHARINDEX", Shape::Call, "nerin_charindex");
    add("LEFT", Shape::Call, "nerin_left");
    add("RIGHT", Shape::Call, "nerin_right");
    add("SPACE", Shape::Call, "nerin_space");
    add("REPLICATE", Shape::Call, "nerin_replicate");
    add("UPPER", Shape::Call, "nerin_upper");
    add("LOWER", Shape::Call, "nerin_lower");
    add("ISNUMERIC", Shape::Call, "nerin_isnumeric");
    add("ROUND", Shape::Call, "nerin_round");
    add("STR", Shape::Call, "nerin_str");
    add("SCOPE_IDENTITY", Shape::Call, "last_insert_rowid");
    add("IDENT_CURRENT", Shape::Call, "nerin_ident_current");
    add("ASCII", Shape::Call, "unicode");
    // SQLite has these with the same meaning (floor and ceiling from its math functions).
    for (const char* same : {"LTRIM", "RTRIM", "REPLACE", "ABS", "COALESCE", "NULLIF", "COUNT", "SUM", "AVG",
                             "MIN", "MAX", "CHAR", "FLOOR", "CEILING"}) {
        add(same, Shape::Call, same);
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
