#include "server/tsql/Session.h"

#include "server/tsql/InformationSchema.h"
#include "server/tsql/SqlFunctions.h"

namespace nerin::tsql {

Session::Session(sqlite3* db)
    : m_db(db), m_runner(db, m_dialect), m_procedures(m_runner), m_interpreter(m_runner, m_procedures) {}

std::optional<EngineError> Session::initialize() {
    if (Status registered = registerTsqlFunctions(m_db); !registered)
        return EngineError{Status::Code::LostLink, 0, QStringLiteral("08S01"), registered.message()};
    if (auto failure = m_procedures.initialize())
        return failure;
    return InformationSchema::install(m_db);
}

} // namespace nerin::tsql
