#pragma once

#include "base/Result.h"
#include "crypto/DesCipher.h"

#include <QByteArray>
#include <QString>

namespace nerin {

// DES over texts, byte arrays and files, in the framing the system stores: n bytes of data become
// n + 12 bytes rounded up to a multiple of 8, made of two random 32-bit numbers (each below 2^31 - 1),
// n as a 32-bit little-endian number, the data, and zeros; the whole is chained in CBC mode from an
// all-zero initial block. The random numbers make two encryptions of the same data differ.
//
// The key is the first 8 Windows-1252 bytes of the key text, zeros where the text is shorter: an empty
// key (the state of a new object) is the all-zero key. A key argument that is not empty replaces the
// current key first, as Key does; an empty one keeps the current key.
//
// A cipher text that is not a positive multiple of 8 bytes, or whose decrypted length field does not
// fit in it (as when it is damaged or decrypted under another key), is refused with the message
// "Incorrect size descriptor in DES decryption".
class clsDES {
public:
    clsDES() = default;

    void Key(const QString& key);

    // An empty text when the text is too long for the 32-bit length field.
    QString EncryptString(const QString& text, const QString& key = {}, bool OutputIn64 = false);
    Result<QString> DecryptString(const QString& text, const QString& key = {}, bool IsTextIn64 = false);
    // Fails, leaving the data as it was, only for data longer than the length field can hold.
    Status EncryptByte(QByteArray& data, const QString& key = {});
    // On failure the data is left as it was.
    Status DecryptByte(QByteArray& data, const QString& key = {});
    // The destination is replaced only when the source was read and processed, and the result written,
    // in full.
    Status EncryptFile(const QString& source, const QString& destination, const QString& key = {});
    Status DecryptFile(const QString& source, const QString& destination, const QString& key = {});

    static QString Encode64(const QString& text);
    static Result<QString> Decode64(const QString& text);
    static void EncodeArray64(QByteArray& data);
    // On failure the data is left as it was.
    static Status DecodeArray64(QByteArray& data);

private:
    void useKey(const QString& key);

    QString m_keyText;
    DesCipher m_cipher;
};

} // namespace nerin
