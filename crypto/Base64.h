#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

namespace nerin {

// Base64 with the standard alphabet (A-Z a-z 0-9 + /) and "=" padding, in the layout both string
// ciphers use for their printable form: a text longer than 76 characters is cut into lines of 76
// characters, each followed by CR LF, and the last line holds the rest without a CR LF after it.
//
// Decoding is strict: it removes the CR LF pairs and then refuses anything that is not exactly what
// the encoder would have written (a character outside the alphabet, a lone CR or LF, a length that is
// not a multiple of 4, a misplaced "=", padding bits that are not zero). A refused text is never
// guessed at, because a wrong guess would feed corrupted bytes to a cipher.
class Base64 {
public:
    static constexpr qsizetype kLineLength = 76;

    static QByteArray encode(QByteArrayView bytes);
    static Result<QByteArray> decode(QByteArrayView text);
    // A character outside ASCII is refused like any other character outside the alphabet.
    static Result<QByteArray> decode(QStringView text);

    // The forms the cipher classes offer: a text is Windows-1252 bytes, and decoded bytes go back to
    // text one character per byte.
    static QString encodeText(const QString& text);
    static Result<QString> decodeText(const QString& text);
    static void encodeInPlace(QByteArray& data);
    // On failure the data is left as it was.
    static Status decodeInPlace(QByteArray& data);
};

} // namespace nerin
