// Arbitrary bytes as a key and a text: encrypting and decrypting must give back the text, in the plain
// and in the Base64 form.
#include "bench/fuzz/FuzzKeyAndBytes.h"
#include "crypto/clsRC4.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using nerin::clsRC4;
using nerin::Cp1252;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // The key takes up to 31 bytes; none is allowed too.
    const auto [key, bytes] = FuzzKeyAndBytes::split(data, size, 32u);

    clsRC4 rc4;
    QByteArray cipherText = bytes;
    rc4.EncryptByte(cipherText, key);
    if (cipherText.size() != bytes.size())
        abort();
    rc4.DecryptByte(cipherText, key);
    if (cipherText != bytes)
        abort();

    const QString text = Cp1252::decode(bytes);
    for (const bool base64 : {false, true}) {
        const auto plain = rc4.DecryptString(rc4.EncryptString(text, key, base64), key, base64);
        if (!plain.isOk() || *plain != text)
            abort();
    }
    // Arbitrary text as Base64 cipher text is refused or decrypted, never more.
    (void)rc4.DecryptString(QString::fromLatin1(bytes), key, true);
    return 0;
}
