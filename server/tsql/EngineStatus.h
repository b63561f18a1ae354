#pragma once

#include "server/tsql/EngineError.h"

#include <cassert>
#include <optional>
#include <utility>

namespace nerin::tsql {

// The outcome of an engine operation that gives back nothing: success, or the EngineError that says
// why it failed. toStatus() hands the failure to code outside the engine.
class [[nodiscard]] EngineStatus {
public:
    EngineStatus() = default;
    EngineStatus(EngineError error) : m_error(std::move(error)) {}
    static EngineStatus ok() { return {}; }

    bool isOk() const { return !m_error.has_value(); }
    explicit operator bool() const { return isOk(); }
    const EngineError& error() const& {
        assert(!isOk());
        return *m_error;
    }
    EngineError&& error() && {
        assert(!isOk());
        return std::move(*m_error);
    }
    Status toStatus() const { return m_error ? m_error->toStatus() : Status::ok(); }

private:
    std::optional<EngineError> m_error;
};

} // namespace nerin::tsql
