#pragma once

#include "base/Result.h"

#include <QString>

namespace nerin::tsql {

// A failure of the engine as the server would have reported it: the class the terminal's error
// reporting tells apart, the server's error number, the SQLSTATE, and the message.
struct EngineError {
    Status::Code code = Status::Code::CommandTextError;
    int nativeError = 0;
    QString sqlState;
    QString message;

    Status toStatus() const { return Status::error(code, message); }

    static EngineError commandText(QString message, int native = 102) {
        return {Status::Code::CommandTextError, native, QStringLiteral("42000"), std::move(message)};
    }
    static EngineError notFound(QString message, int native = 208) {
        return {Status::Code::NotFound, native, QStringLiteral("42S02"), std::move(message)};
    }
};

} // namespace nerin::tsql
