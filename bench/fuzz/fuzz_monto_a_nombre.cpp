// Any amount the money type can hold, in either language and with any currency name, must give a
// non-empty text without crashing; and the Spanish cents must be the amount's own decimals.
#include "printing/MontoANombre.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(qint64) + 1)
        return 0;
    qint64 raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    const bool ingles = (data[sizeof raw] & 1) != 0;
    const QString moneda = QString::fromUtf8(reinterpret_cast<const char*>(data) + sizeof raw + 1,
                                             static_cast<qsizetype>(size - sizeof raw - 1));

    const nerin::Currency monto = nerin::Currency::fromRaw(raw);
    const QString texto =
        nerin::MontoANombre(monto, ingles ? QStringLiteral("INGLES") : QStringLiteral("ESPAÑOL"), moneda);
    if (texto.isEmpty())
        std::abort();
    if (!ingles && !texto.endsWith(QStringLiteral("/100")))
        std::abort();
    return 0;
}
