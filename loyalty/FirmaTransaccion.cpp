#include "loyalty/FirmaTransaccion.h"

#include "crypto/MD5.h"

namespace nerin {

QString FirmaTransaccion::entrada(const QString& fecha, const QString& tarjeta, const QString& monto) {
    return QStringLiteral("ZorP") + fecha + tarjeta + monto;
}

QString FirmaMd5::firmar(const QString& entrada) const {
    return MD5().DigestStrToHexStr(entrada);
}

} // namespace nerin
