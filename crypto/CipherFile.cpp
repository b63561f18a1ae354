#include "crypto/CipherFile.h"

#include <QFile>
#include <QSaveFile>

namespace nerin {

Result<QByteArray> CipherFile::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::error(
            Status::Code::IoError,
            QStringLiteral("No se puede abrir el archivo «%1»: %2").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Status::error(
            Status::Code::IoError,
            QStringLiteral("No se puede leer el archivo «%1»: %2").arg(path, file.errorString()));
    return bytes;
}

Status CipherFile::write(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Status::error(
            Status::Code::IoError,
            QStringLiteral("No se puede escribir el archivo «%1»: %2").arg(path, file.errorString()));
    return Status::ok();
}

} // namespace nerin
