#include "data/CrearDirectorio.h"

#include <QDir>
#include <QFileInfo>

namespace nerin {

bool CrearDirectorio(const QString& ruta) {
    if (ruta.isEmpty())
        return false;
    // Walk the separators after the root, creating each prefix that is missing.
    qsizetype posicion = ruta.startsWith(u'/') ? 1 : 0;
    while (posicion <= ruta.size()) {
        qsizetype separador = ruta.indexOf(u'/', posicion);
        if (separador < 0)
            separador = ruta.size();
        const QString nivel = ruta.left(separador);
        if (!nivel.isEmpty() && !nivel.endsWith(u'/')) {
            const QFileInfo info(nivel);
            if (!info.exists() && !QDir().mkdir(nivel))
                return false;
        }
        posicion = separador + 1;
    }
    return QFileInfo(ruta).isDir();
}

} // namespace nerin
