#pragma once

#include <QByteArrayView>
#include <QString>
#include <array>

namespace nerin {

// The MD5 message digest (RFC 1321), used to fingerprint texts and files. The digest is given as
// text: the 16 digest bytes in the standard output order, as 32 upper-case hexadecimal digits.
//
// The object is also an incremental digest: MD5Init, then MD5Update as many times as needed, then
// MD5Final; GetValues and the registers then give the digest. The DigestXToHexStr functions do the
// three steps themselves and leave the registers holding the words of their digest.
class MD5 {
public:
    MD5();

    // The four 32-bit state words: after MD5Final, the words of the digest.
    quint32 RegisterA() const { return m_state[0]; }
    quint32 RegisterB() const { return m_state[1]; }
    quint32 RegisterC() const { return m_state[2]; }
    quint32 RegisterD() const { return m_state[3]; }

    // The digest of the contents of a file, read a piece at a time; an empty text when the file
    // cannot be opened or read to its end.
    QString DigestFileToHexStr(const QString& path);
    // The digest of the Windows-1252 bytes of a text.
    QString DigestStrToHexStr(const QString& text);
    // The state words as digest text; the digest itself once MD5Final has run.
    QString GetValues() const;

    void MD5Init();
    // Pads the bytes fed so far and adds their length in bits, closing the digest.
    void MD5Final();
    void MD5Update(QByteArrayView bytes);

private:
    void processBlocks(const unsigned char* blocks, qsizetype count);

    std::array<quint32, 4> m_state;
    // The bytes fed since MD5Init; the digest counts the length modulo 2^64 bits.
    quint64 m_length = 0;
    // The start of a block not yet complete: m_length % 64 bytes of it are filled.
    std::array<unsigned char, 64> m_pending{};
};

} // namespace nerin
