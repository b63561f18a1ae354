#pragma once

#include "server/tsql/EngineStatus.h"

#include <cassert>
#include <optional>
#include <utility>

namespace nerin::tsql {

// A value of the engine, or the EngineError that says why there is none. Reading the value of a
// failed result, or the error of a successful one, is a programming error (asserted in debug builds).
template <typename T> class [[nodiscard]] EngineResult {
public:
    EngineResult(T value) : m_value(std::move(value)) {}
    EngineResult(EngineError error) : m_status(std::move(error)) {}
    EngineResult(EngineStatus status) : m_status(std::move(status)) { assert(!m_status.isOk()); }

    bool isOk() const { return m_value.has_value(); }
    explicit operator bool() const { return isOk(); }
    const EngineError& error() const& { return m_status.error(); }
    EngineError&& error() && { return std::move(m_status).error(); }
    // The failure alone, to hand on from a function that gives back nothing.
    const EngineStatus& status() const { return m_status; }

    const T& value() const& {
        assert(isOk());
        return *m_value;
    }
    T&& value() && {
        assert(isOk());
        return std::move(*m_value);
    }
    T& value() & {
        assert(isOk());
        return *m_value;
    }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

private:
    std::optional<T> m_value;
    EngineStatus m_status;
};

} // namespace nerin::tsql
