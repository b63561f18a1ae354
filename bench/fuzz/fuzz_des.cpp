// Arbitrary bytes as a key and a cipher text: decrypting must refuse or succeed without reading out of
// bounds, and whatever is encrypted must decrypt to itself.
#include "crypto/clsDES.h"
#include "text/Cp1252.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using nerin::clsDES;
using nerin::Cp1252;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // The first byte says how many of the next bytes are the key (up to 11, longer than DES uses).
    const size_t keyLength = std::min<size_t>(data[0] % 12u, size - 1);
    const auto* chars = reinterpret_cast<const char*>(data + 1);
    const QString key = Cp1252::decode(QByteArrayView(chars, static_cast<qsizetype>(keyLength)));
    const QByteArray bytes(chars + keyLength, static_cast<qsizetype>(size - 1 - keyLength));

    clsDES des;
    QByteArray attempt = bytes;
    if (des.DecryptByte(attempt, key).isOk()) {
        if (attempt.size() > bytes.size() - 12)
            abort();
    } else if (attempt != bytes) {
        abort();
    }
    (void)des.DecryptString(Cp1252::decode(bytes), key, false);
    (void)des.DecryptString(QString::fromLatin1(bytes), key, true);

    QByteArray cipherText = bytes;
    if (!des.EncryptByte(cipherText, key).isOk() || cipherText.size() % 8 != 0 ||
        cipherText.size() < bytes.size() + 12 || cipherText.size() >= bytes.size() + 20)
        abort();
    if (!des.DecryptByte(cipherText, key).isOk() || cipherText != bytes)
        abort();

    const QString text = Cp1252::decode(bytes);
    for (const bool base64 : {false, true}) {
        const auto plain = des.DecryptString(des.EncryptString(text, key, base64), key, base64);
        if (!plain.isOk() || *plain != text)
            abort();
    }
    return 0;
}
