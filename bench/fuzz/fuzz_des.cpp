// Arbitrary bytes as a key and a cipher text: decrypting must refuse or succeed without reading out of
// bounds, and whatever is encrypted must decrypt to itself.
#include "bench/fuzz/FuzzKeyAndBytes.h"
#include "crypto/clsDES.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using nerin::clsDES;
using nerin::Cp1252;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // The key takes up to 11 bytes, longer than DES uses.
    const auto [key, bytes] = FuzzKeyAndBytes::split(data, size, 12u);

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
