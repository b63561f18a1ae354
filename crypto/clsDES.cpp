#include "crypto/clsDES.h"

#include "crypto/Base64.h"
#include "crypto/CipherFile.h"
#include "text/Cp1252.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <algorithm>
#include <limits>
#include <utility>

namespace nerin {

namespace {

constexpr qsizetype kBlockSize = 8;
constexpr qsizetype kHeaderSize = 12;
constexpr qsizetype kLengthOffset = 8;
constexpr qint64 kMaxDataSize = std::numeric_limits<qint32>::max();
// The random header words lie in 0 .. 2^31 - 2.
constexpr quint32 kRandomWordBound = 2147483647;

Status incorrectSize() {
    return Status::invalid(QStringLiteral("Incorrect size descriptor in DES decryption"));
}

} // namespace

void clsDES::Key(const QString& key) {
    if (key == m_keyText)
        return;
    m_keyText = key;
    const QByteArray bytes = Cp1252::encode(key);
    DesCipher::Key keyBytes{};
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), kBlockSize), keyBytes.begin());
    m_cipher.setKey(keyBytes);
}

void clsDES::useKey(const QString& key) {
    if (!key.isEmpty())
        Key(key);
}

Status clsDES::EncryptByte(QByteArray& data, const QString& key) {
    const qsizetype size = data.size();
    if (size > kMaxDataSize)
        return Status::invalid(
            QStringLiteral("Los datos (%1 bytes) superan el máximo que se puede cifrar con DES").arg(size));
    useKey(key);

    const qsizetype framedSize = (size + kHeaderSize + kBlockSize - 1) / kBlockSize * kBlockSize;
    QByteArray framed(framedSize, '\0');
    auto* out = reinterpret_cast<unsigned char*>(framed.data());
    QRandomGenerator* random = QRandomGenerator::global();
    qToLittleEndian(random->bounded(kRandomWordBound), out);
    qToLittleEndian(random->bounded(kRandomWordBound), out + 4);
    qToLittleEndian(static_cast<quint32>(size), out + kLengthOffset);
    std::copy_n(data.constData(), size, framed.data() + kHeaderSize);

    quint64 previous = 0;
    for (qsizetype at = 0; at < framedSize; at += kBlockSize) {
        previous = m_cipher.encryptBlock(DesCipher::loadBlock(out + at) ^ previous);
        DesCipher::storeBlock(previous, out + at);
    }
    data = std::move(framed);
    return Status::ok();
}

Status clsDES::DecryptByte(QByteArray& data, const QString& key) {
    useKey(key);
    const qsizetype size = data.size();
    if (size < kHeaderSize || size % kBlockSize != 0)
        return incorrectSize();

    QByteArray plain(size, Qt::Uninitialized);
    const auto* in = reinterpret_cast<const unsigned char*>(data.constData());
    auto* out = reinterpret_cast<unsigned char*>(plain.data());
    quint64 previous = 0;
    for (qsizetype at = 0; at < size; at += kBlockSize) {
        const quint64 cipherBlock = DesCipher::loadBlock(in + at);
        DesCipher::storeBlock(m_cipher.decryptBlock(cipherBlock) ^ previous, out + at);
        previous = cipherBlock;
    }

    const qint32 length = qFromLittleEndian<qint32>(out + kLengthOffset);
    if (length < 0 || length > size - kHeaderSize)
        return incorrectSize();
    data = plain.sliced(kHeaderSize, length);
    return Status::ok();
}

QString clsDES::EncryptString(const QString& text, const QString& key, bool OutputIn64) {
    QByteArray bytes = Cp1252::encode(text);
    if (!EncryptByte(bytes, key))
        return {};
    if (OutputIn64)
        return QString::fromLatin1(Base64::encode(bytes));
    return Cp1252::decode(bytes);
}

Result<QString> clsDES::DecryptString(const QString& text, const QString& key, bool IsTextIn64) {
    QByteArray bytes;
    if (IsTextIn64) {
        Result<QByteArray> decoded = Base64::decode(QStringView(text));
        if (!decoded)
            return decoded.status();
        bytes = std::move(decoded).value();
    } else {
        bytes = Cp1252::encode(text);
    }
    if (Status status = DecryptByte(bytes, key); !status)
        return status;
    return Cp1252::decode(bytes);
}

Status clsDES::EncryptFile(const QString& source, const QString& destination, const QString& key) {
    Result<QByteArray> contents = CipherFile::read(source);
    if (!contents)
        return contents.status();
    QByteArray bytes = std::move(contents).value();
    if (Status status = EncryptByte(bytes, key); !status)
        return status;
    return CipherFile::write(destination, bytes);
}

Status clsDES::DecryptFile(const QString& source, const QString& destination, const QString& key) {
    Result<QByteArray> contents = CipherFile::read(source);
    if (!contents)
        return contents.status();
    QByteArray bytes = std::move(contents).value();
    if (Status status = DecryptByte(bytes, key); !status)
        return status;
    return CipherFile::write(destination, bytes);
}

QString clsDES::Encode64(const QString& text) {
    return Base64::encodeText(text);
}

Result<QString> clsDES::Decode64(const QString& text) {
    return Base64::decodeText(text);
}

void clsDES::EncodeArray64(QByteArray& data) {
    Base64::encodeInPlace(data);
}

Status clsDES::DecodeArray64(QByteArray& data) {
    return Base64::decodeInPlace(data);
}

} // namespace nerin
