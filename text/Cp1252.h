#pragma once

#include <QByteArray>
#include <QString>

namespace nerin {

// The Windows-1252 single-byte code page, the one in which the system turns texts into bytes for
// ciphers and digests and in which printers receive Spanish letters.
//
// Decoding maps every one of the 256 byte values to a character, and encoding maps those characters
// back, so that any byte string survives a trip through text unchanged: the five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number.
class Cp1252 {
public:
    // One byte per character (a character outside the Basic Multilingual Plane counts as one); a
    // character the code page cannot represent becomes "?".
    static QByteArray encode(QStringView text);
    // One character per byte.
    static QString decode(QByteArrayView bytes);
    // The byte of one character, or '?' when the code page has none for it.
    static char encodeChar(char32_t codePoint);
    static char16_t decodeByte(unsigned char byte);
};

} // namespace nerin
