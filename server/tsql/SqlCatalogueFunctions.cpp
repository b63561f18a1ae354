#include "server/tsql/SqlCatalogueFunctions.h"

#include <string>

namespace nerin::tsql {

namespace {

// The identity seed: IDENTITY columns start at 1, the only seed the schema accepts.
constexpr qint64 kIdentitySeed = 1;

// The object's own name from a possibly qualified, bracketed one: "dbo.[Comanda]" is "Comanda".
std::string objectName(std::string_view written) {
    std::string_view last = written;
    if (const auto dot = written.rfind('.'); dot != std::string_view::npos)
        last = written.substr(dot + 1);
    last = trimSpaces(last);
    if (last.size() >= 2 &&
        ((last.front() == '[' && last.back() == ']') || (last.front() == '"' && last.back() == '"')))
        last = last.substr(1, last.size() - 2);
    return std::string(last);
}

// The first column of the first row of `sql` with `name` bound to ?1, or NULL.
bool firstValue(sqlite3* db, const char* sql, const std::string& name, qint64& value, bool& found) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return false;
    }
    sqlite3_bind_text(statement, 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    const int code = sqlite3_step(statement);
    found = code == SQLITE_ROW;
    if (found)
        value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return code == SQLITE_ROW || code == SQLITE_DONE;
}

void identCurrent(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    NumberChars buffer;
    const std::string name = objectName(argumentText(argv[0], buffer));
    sqlite3* db = sqlite3_context_db_handle(context);
    // An IDENTITY column is SQLite's AUTOINCREMENT key, whose last value sqlite_sequence keeps.
    qint64 isIdentityTable = 0;
    bool found = false;
    if (!firstValue(db,
                    "SELECT instr(upper(sql), 'AUTOINCREMENT') > 0 FROM main.sqlite_master "
                    "WHERE type = 'table' AND name = ?1 COLLATE NOCASE",
                    name, isIdentityTable, found) ||
        !found || !isIdentityTable)
        return sqlite3_result_null(context);
    qint64 last = kIdentitySeed;
    if (!firstValue(db, "SELECT seq FROM main.sqlite_sequence WHERE name = ?1 COLLATE NOCASE", name, last,
                    found) ||
        !found)
        last = kIdentitySeed;
    sqlite3_result_int64(context, last);
}

const FunctionEntry kFunctions[] = {
    {"nerin_ident_current", 1, false, identCurrent},
};

} // namespace

std::span<const FunctionEntry> catalogueFunctions() {
    return kFunctions;
}

} // namespace nerin::tsql
