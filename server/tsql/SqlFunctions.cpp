#include "server/tsql/SqlFunctions.h"

#include "server/tsql/SqlArithmeticFunctions.h"
#include "server/tsql/SqlCatalogueFunctions.h"
#include "server/tsql/SqlCompareFunctions.h"
#include "server/tsql/SqlConvertFunctions.h"
#include "server/tsql/SqlDateFunctions.h"
#include "server/tsql/SqlNumberFunctions.h"
#include "server/tsql/SqlTextFunctions.h"

namespace nerin::tsql {

namespace {

Status failure(sqlite3* db, const char* what) {
    return Status::error(Status::Code::DatabaseError,
                         QStringLiteral("Cannot register %1: %2")
                             .arg(QString::fromUtf8(what), QString::fromUtf8(sqlite3_errmsg(db))));
}

} // namespace

Status registerTsqlFunctions(sqlite3* db) {
    const std::span<const FunctionEntry> families[] = {
        arithmeticFunctions(), dateFunctions(), convertFunctions(),  textFunctions(),
        numberFunctions(),     likeFunctions(), catalogueFunctions()};
    for (const auto& family : families) {
        for (const FunctionEntry& entry : family) {
            // Innocuous: none has side effects, so schemas may use them even when not trusted.
            const int flags =
                SQLITE_UTF8 | SQLITE_INNOCUOUS | (entry.deterministic ? SQLITE_DETERMINISTIC : 0);
            if (sqlite3_create_function_v2(db, entry.name, entry.argumentCount, flags, nullptr,
                                           entry.function, nullptr, nullptr, nullptr) != SQLITE_OK)
                return failure(db, entry.name);
        }
    }
    if (sqlite3_create_collation_v2(db, kCollationName, SQLITE_UTF8, nullptr, collateIgnoringCase, nullptr) !=
        SQLITE_OK)
        return failure(db, kCollationName);
    return Status::ok();
}

} // namespace nerin::tsql
