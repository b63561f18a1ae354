#include "access/RespaldoCierre.h"

#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "server/RespaldoSqlite.h"
#include "startup/TerminalContext.h"

#include <QCoreApplication>

namespace nerin {

QString respaldarTrasCierre(TerminalContext& context) {
    const QString base = context.baseDatos().connection().archivoLocal();
    if (base.isEmpty())
        return {};
    const Result<QString> hecho =
        RespaldoSqlite::respaldar(base, RespaldoSqlite::carpeta(), context.ahora(), [](qint64, qint64) {
            if (QCoreApplication::instance())
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    if (hecho) {
        context.bitacora().EscribirBitacora(QStringLiteral("Respaldo de la base de datos: ") + *hecho);
        return {};
    }
    context.bitacora().EscribirBitacora(QStringLiteral("Falló el respaldo de la base de datos: ") +
                                        hecho.status().message());
    return QStringLiteral("El día se cerró, pero no se pudo respaldar la base de datos: ") +
           hecho.status().message() + QStringLiteral(" Avise a soporte.");
}

} // namespace nerin
