#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace nerin {

// The RC4 stream cipher over texts, byte arrays and files. Encrypting and decrypting are the same
// operation. Every call starts the key stream afresh from the key, so the same text under the same key
// always gives the same cipher text, and any call decrypts what any other call encrypted.
//
// The key is the Windows-1252 bytes of the whole key text. A key argument that is not empty replaces
// the current key first, as Key does; an empty one keeps the current key.
//
// An empty key (the state of a new object, or Key("")) acts as the one-byte key 0: the data is still
// transformed, and decrypts under an empty key again. The cipher never passes data through unchanged
// and never refuses to work for want of a key.
//
// A cipher text as text carries one byte per character (Windows-1252); OutputIn64 / IsTextIn64 choose
// the Base64 form instead (lines of 76 characters separated by CR LF).
class clsRC4 {
public:
    clsRC4();

    void Key(const QString& key);

    QString EncryptString(const QString& text, const QString& key = {}, bool OutputIn64 = false);
    // Fails only when IsTextIn64 and the text is not valid Base64.
    Result<QString> DecryptString(const QString& text, const QString& key = {}, bool IsTextIn64 = false);
    void EncryptByte(QByteArray& data, const QString& key = {});
    void DecryptByte(QByteArray& data, const QString& key = {});
    // The destination is replaced only when the source was read and the result written in full.
    Status EncryptFile(const QString& source, const QString& destination, const QString& key = {});
    Status DecryptFile(const QString& source, const QString& destination, const QString& key = {});

    static QString Encode64(const QString& text);
    static Result<QString> Decode64(const QString& text);
    static void EncodeArray64(QByteArray& data);
    // On failure the data is left as it was.
    static Status DecodeArray64(QByteArray& data);

private:
    void schedule(const QString& key);
    void apply(QByteArray& data, const QString& key);
    Status applyToFile(const QString& source, const QString& destination, const QString& key);

    QString m_keyText;
    // The permutation the key schedule makes of 0..255; every key stream starts from a copy of it.
    std::array<quint8, 256> m_keyTable{};
};

} // namespace nerin
