#pragma once

#include <QByteArray>
#include <QStringView>

namespace nerin {

// The PC850 (multilingual Latin 1) code page, the one receipt printers print Spanish letters in by
// default.
class Cp850 {
public:
    // One byte per character (a character outside the Basic Multilingual Plane counts as one); a
    // character the code page has no byte for becomes "?".
    static QByteArray encode(QStringView text);
    // The byte of one character, or '?' when there is none.
    static char encodeChar(char32_t codePoint);
    static char16_t decodeByte(unsigned char byte);
};

} // namespace nerin
