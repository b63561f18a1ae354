#pragma once

#include "server/tsql/SqlValueFunctions.h"

#include <span>

// T-SQL's functions that read what the database knows of its own objects:
//   nerin_ident_current(table)   the last identity value generated for the table by any connection;
//                                the seed (1) when none was generated yet; NULL for a table without
//                                an identity column, an unknown table or a temporary one. The name may
//                                carry its schema and brackets ("dbo.[Comanda]").
namespace nerin::tsql {

std::span<const FunctionEntry> catalogueFunctions();

} // namespace nerin::tsql
