#include "server/tsql/Session.h"

namespace nerin::tsql {

Session::Session(std::unique_ptr<Target> target)
    : m_target(std::move(target)), m_runner(*m_target), m_procedures(*m_target),
      m_interpreter(m_runner, m_procedures) {}

EngineStatus Session::initialize() {
    return m_target->installEngineTables();
}

} // namespace nerin::tsql
