#pragma once

#include <QString>
#include <utility>

namespace nerin {

// The outcome of an operation of our own infrastructure: success, or the reason it failed in words a
// person can read. The code is a coarse class that callers may branch on; the message is what gets
// shown or logged.
class [[nodiscard]] Status {
public:
    enum class Code { Ok, InvalidInput, NotFound, IoError, DatabaseError, CommandTextError, LostLink };

    Status() = default;
    static Status ok() { return {}; }
    static Status error(Code code, QString message) { return Status(code, std::move(message)); }
    static Status invalid(QString message) { return Status(Code::InvalidInput, std::move(message)); }

    bool isOk() const { return m_code == Code::Ok; }
    explicit operator bool() const { return isOk(); }
    Code code() const { return m_code; }
    const QString& message() const { return m_message; }

private:
    Status(Code code, QString message) : m_code(code), m_message(std::move(message)) {}

    Code m_code = Code::Ok;
    QString m_message;
};

} // namespace nerin
