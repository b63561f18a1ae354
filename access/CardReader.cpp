#include "access/CardReader.h"

namespace nerin {

QString CardReader::textoTarjeta(const QString& pista1, const QString& pista2) {
    return u'%' + pista1 + QStringLiteral("_Ñ") + pista2 + u'_';
}

} // namespace nerin
