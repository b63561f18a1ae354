#include "loyalty/FirmaTransaccion.h"

#include "crypto/MD5.h"
#include "data/Bitacora.h"
#include "startup/TerminalContext.h"
#include "startup/TerminalSettings.h"

namespace nerin {

QString FirmaTransaccion::entrada(const QString& fecha, const QString& tarjeta, const QString& monto) {
    return QStringLiteral("ZorP") + fecha + tarjeta + monto;
}

std::unique_ptr<FirmaTransaccion> FirmaTransaccion::crear(const QString& nombre, bool* desconocida) {
    const QString limpio = nombre.trimmed();
    if (desconocida)
        *desconocida = !limpio.isEmpty() && limpio.compare(QLatin1String("MD5"), Qt::CaseInsensitive) != 0;
    return std::make_unique<FirmaMd5>();
}

std::unique_ptr<FirmaTransaccion> FirmaTransaccion::deLaTerminal(TerminalContext& context) {
    const QString nombre = context.settings().texto(QStringLiteral("FirmaLealtad"));
    bool desconocida = false;
    std::unique_ptr<FirmaTransaccion> firma = crear(nombre, &desconocida);
    if (desconocida)
        context.bitacora().EscribirBitacora(
            QStringLiteral("FirmaLealtad desconocida \"%1\"; se firma con MD5").arg(nombre));
    return firma;
}

QString FirmaMd5::firmar(const QString& entrada) const {
    return MD5().DigestStrToHexStr(entrada);
}

} // namespace nerin
