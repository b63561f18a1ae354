// Arbitrary bytes as Base64 text and as data: decoding never misbehaves, what the encoder writes always
// decodes to the data, and whatever decodes is exactly what the encoder would have written.
#include "crypto/Base64.h"
#include "text/Cp1252.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using nerin::Base64;

namespace {

QByteArray withoutCrLf(QByteArray text) {
    return text.replace("\r\n", "");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const auto decoded = Base64::decode(QByteArrayView(bytes));
    if (decoded.isOk()) {
        if (withoutCrLf(Base64::encode(*decoded)) != withoutCrLf(bytes))
            abort();
    } else if (decoded.status().message().isEmpty()) {
        abort();
    }
    // The text form agrees with the byte form on every text.
    const auto fromText = Base64::decode(QStringView(nerin::Cp1252::decode(bytes)));
    if (fromText.isOk() != decoded.isOk() || (fromText.isOk() && *fromText != *decoded))
        abort();

    const auto roundTrip = Base64::decode(QByteArrayView(Base64::encode(bytes)));
    if (!roundTrip.isOk() || *roundTrip != bytes)
        abort();
    return 0;
}
