#pragma once

#include "base/Result.h"

#include <QString>

namespace nerin {

// The password of the database login, kept in a file of its own that only the terminal's user can
// read, so that it is never written into the settings.
class PasswordFile {
public:
    // The first line of the file at `path`, without its line end. Refused, with the reason naming the
    // file, when the file is missing or unreadable, is not a regular file, belongs to another user than
    // the one running the program, may be read or written by anybody else (its permissions must be 600
    // or 400), or holds no password.
    static Result<QString> read(const QString& path);
};

} // namespace nerin
