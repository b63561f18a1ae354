#pragma once

#include "base/Status.h"

#include <cassert>
#include <optional>
#include <utility>

namespace nerin {

// A value, or the Status that says why there is none. Reading the value of a failed result is a
// programming error (asserted in debug builds).
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status status) : m_status(std::move(status)) { assert(!m_status.isOk()); }

    bool isOk() const { return m_value.has_value(); }
    explicit operator bool() const { return isOk(); }
    const Status& status() const { return m_status; }

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

    // The value, or the fallback when the operation failed.
    T valueOr(T fallback) const& { return m_value ? *m_value : std::move(fallback); }

private:
    std::optional<T> m_value;
    Status m_status;
};

} // namespace nerin
