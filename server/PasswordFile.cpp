#include "server/PasswordFile.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace nerin {

Result<QString> PasswordFile::read(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        if (errno == ENOENT)
            return Status::invalid(QStringLiteral("No existe el archivo de la clave %1.").arg(path));
        return Status::invalid(QStringLiteral("No se pudo leer el archivo de la clave %1: %2.")
                                   .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    }
    if (!S_ISREG(info.st_mode))
        return Status::invalid(QStringLiteral("%1 no es un archivo; la clave va en un archivo.").arg(path));
    if (info.st_uid != ::geteuid())
        return Status::invalid(
            QStringLiteral("El archivo de la clave %1 pertenece a otro usuario (%2); debe ser del usuario "
                           "que ejecuta la terminal (%3).")
                .arg(path)
                .arg(info.st_uid)
                .arg(::geteuid()));
    const unsigned permissions = info.st_mode & 0777U;
    if (permissions != 0600U && permissions != 0400U)
        return Status::invalid(
            QStringLiteral("El archivo de la clave %1 tiene permisos %2; solo su dueño debe poder leerlo "
                           "(permisos 600 o 400).")
                .arg(path)
                .arg(permissions, 3, 8, QLatin1Char('0')));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::invalid(
            QStringLiteral("No se pudo leer el archivo de la clave %1: %2.").arg(path, file.errorString()));
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    if (line.isEmpty())
        return Status::invalid(QStringLiteral("El archivo de la clave %1 está vacío.").arg(path));
    return QString::fromUtf8(line);
}

} // namespace nerin
