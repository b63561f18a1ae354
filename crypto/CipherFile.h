#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

namespace nerin {

// Whole-file reading and writing for the file forms of the ciphers. The files they handle are small
// (settings, exported lists), so a file is processed in memory. Writing goes through a temporary file
// that replaces the destination only once everything is written, so a failure never leaves a partial
// destination behind.
class CipherFile {
public:
    static Result<QByteArray> read(const QString& path);
    static Status write(const QString& path, const QByteArray& bytes);
};

} // namespace nerin
