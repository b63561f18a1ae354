// Arbitrary bytes as a key and a text: encrypting and decrypting must give back the text, in the plain
// and in the Base64 form.
#include "crypto/clsRC4.h"
#include "text/Cp1252.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using nerin::clsRC4;
using nerin::Cp1252;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // The first byte says how many of the next bytes are the key (up to 31; none is allowed too).
    const size_t keyLength = std::min<size_t>(data[0] % 32u, size - 1);
    const auto* chars = reinterpret_cast<const char*>(data + 1);
    const QString key = Cp1252::decode(QByteArrayView(chars, static_cast<qsizetype>(keyLength)));
    const QByteArray bytes(chars + keyLength, static_cast<qsizetype>(size - 1 - keyLength));

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
