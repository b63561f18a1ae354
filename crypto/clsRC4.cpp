#include "crypto/clsRC4.h"

#include "crypto/Base64.h"
#include "crypto/CipherFile.h"
#include "text/Cp1252.h"

#include <utility>

namespace nerin {

clsRC4::clsRC4() {
    schedule(QString());
}

void clsRC4::Key(const QString& key) {
    if (key != m_keyText)
        schedule(key);
}

void clsRC4::schedule(const QString& key) {
    m_keyText = key;
    QByteArray keyBytes = Cp1252::encode(key);
    if (keyBytes.isEmpty())
        keyBytes = QByteArray(1, '\0');

    for (std::size_t i = 0; i < m_keyTable.size(); ++i)
        m_keyTable[i] = static_cast<quint8>(i);
    const auto keyLength = static_cast<std::size_t>(keyBytes.size());
    const auto* keyData = reinterpret_cast<const quint8*>(keyBytes.constData());
    quint8 j = 0;
    for (std::size_t i = 0; i < m_keyTable.size(); ++i) {
        j = static_cast<quint8>(j + m_keyTable[i] + keyData[i % keyLength]);
        std::swap(m_keyTable[i], m_keyTable[j]);
    }
}

void clsRC4::apply(QByteArray& data, const QString& key) {
    if (!key.isEmpty())
        Key(key);
    std::array<quint8, 256> s = m_keyTable;
    quint8 i = 0;
    quint8 j = 0;
    auto* bytes = reinterpret_cast<quint8*>(data.data());
    const qsizetype size = data.size();
    for (qsizetype n = 0; n < size; ++n) {
        ++i;
        j = static_cast<quint8>(j + s[i]);
        std::swap(s[i], s[j]);
        bytes[n] ^= s[static_cast<quint8>(s[i] + s[j])];
    }
}

QString clsRC4::EncryptString(const QString& text, const QString& key, bool OutputIn64) {
    QByteArray bytes = Cp1252::encode(text);
    apply(bytes, key);
    if (OutputIn64)
        return QString::fromLatin1(Base64::encode(bytes));
    return Cp1252::decode(bytes);
}

Result<QString> clsRC4::DecryptString(const QString& text, const QString& key, bool IsTextIn64) {
    QByteArray bytes;
    if (IsTextIn64) {
        Result<QByteArray> decoded = Base64::decode(QStringView(text));
        if (!decoded)
            return decoded.status();
        bytes = std::move(decoded).value();
    } else {
        bytes = Cp1252::encode(text);
    }
    apply(bytes, key);
    return Cp1252::decode(bytes);
}

void clsRC4::EncryptByte(QByteArray& data, const QString& key) {
    apply(data, key);
}

void clsRC4::DecryptByte(QByteArray& data, const QString& key) {
    apply(data, key);
}

Status clsRC4::applyToFile(const QString& source, const QString& destination, const QString& key) {
    Result<QByteArray> contents = CipherFile::read(source);
    if (!contents)
        return contents.status();
    QByteArray bytes = std::move(contents).value();
    apply(bytes, key);
    return CipherFile::write(destination, bytes);
}

Status clsRC4::EncryptFile(const QString& source, const QString& destination, const QString& key) {
    return applyToFile(source, destination, key);
}

Status clsRC4::DecryptFile(const QString& source, const QString& destination, const QString& key) {
    return applyToFile(source, destination, key);
}

QString clsRC4::Encode64(const QString& text) {
    return Base64::encodeText(text);
}

Result<QString> clsRC4::Decode64(const QString& text) {
    return Base64::decodeText(text);
}

void clsRC4::EncodeArray64(QByteArray& data) {
    Base64::encodeInPlace(data);
}

Status clsRC4::DecodeArray64(QByteArray& data) {
    return Base64::decodeInPlace(data);
}

} // namespace nerin
