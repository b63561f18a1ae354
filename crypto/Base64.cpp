#include "crypto/Base64.h"

#include "text/Cp1252.h"

#include <array>
#include <utility>

namespace nerin {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr quint8 kInvalid = 0xFF;
constexpr quint8 kPad = 0xFE;

constexpr std::array<quint8, 256> makeDecodeTable() {
    std::array<quint8, 256> table{};
    for (auto& entry : table)
        entry = kInvalid;
    for (quint8 i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = i;
    table['='] = kPad;
    return table;
}

constexpr std::array<quint8, 256> kDecode = makeDecodeTable();

Status refuse(const QString& why) {
    return Status::invalid(QStringLiteral("Texto Base64 inválido: %1").arg(why));
}

QString describeChar(unsigned char c) {
    if (c >= 0x21 && c < 0x7F)
        return QStringLiteral("«%1»").arg(QChar(c));
    return QStringLiteral("de código %1").arg(c);
}

// The symbols of the text without its CR LF pairs, or the refusal of the first character outside the
// alphabet (a CR or LF that is not part of such a pair included), named by its place in the text.
Result<QByteArray> symbolsOf(QByteArrayView text) {
    QByteArray symbols(text.size(), Qt::Uninitialized);
    qsizetype count = 0;
    const auto* in = reinterpret_cast<const quint8*>(text.data());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (in[i] == '\r' && i + 1 < text.size() && in[i + 1] == '\n') {
            ++i;
            continue;
        }
        if (kDecode[in[i]] == kInvalid)
            return refuse(QStringLiteral("carácter %1 no permitido en la posición %2")
                              .arg(describeChar(in[i]))
                              .arg(i + 1));
        symbols[count++] = static_cast<char>(in[i]);
    }
    symbols.truncate(count);
    return symbols;
}

} // namespace

QByteArray Base64::encode(QByteArrayView bytes) {
    const auto* in = reinterpret_cast<const quint8*>(bytes.data());
    const qsizetype size = bytes.size();
    const qsizetype encodedSize = (size + 2) / 3 * 4;
    const qsizetype lineBreaks = encodedSize > kLineLength ? (encodedSize - 1) / kLineLength : 0;

    QByteArray out(encodedSize + 2 * lineBreaks, Qt::Uninitialized);
    char* dst = out.data();
    qsizetype lineFill = 0;
    auto put = [&](char c) {
        if (lineFill == kLineLength) {
            *dst++ = '\r';
            *dst++ = '\n';
            lineFill = 0;
        }
        *dst++ = c;
        ++lineFill;
    };

    qsizetype i = 0;
    for (; i + 3 <= size; i += 3) {
        const quint32 group = quint32{in[i]} << 16 | quint32{in[i + 1]} << 8 | in[i + 2];
        put(kAlphabet[group >> 18]);
        put(kAlphabet[(group >> 12) & 0x3F]);
        put(kAlphabet[(group >> 6) & 0x3F]);
        put(kAlphabet[group & 0x3F]);
    }
    if (const qsizetype rest = size - i; rest > 0) {
        const quint32 group = quint32{in[i]} << 16 | (rest == 2 ? quint32{in[i + 1]} << 8 : 0u);
        put(kAlphabet[group >> 18]);
        put(kAlphabet[(group >> 12) & 0x3F]);
        put(rest == 2 ? kAlphabet[(group >> 6) & 0x3F] : '=');
        put('=');
    }
    return out;
}

Result<QByteArray> Base64::decode(QByteArrayView text) {
    const Result<QByteArray> symbols = symbolsOf(text);
    if (!symbols)
        return symbols.status();
    const qsizetype size = symbols->size();
    if (size % 4 != 0)
        return refuse(QStringLiteral("la longitud sin saltos de línea (%1) no es múltiplo de 4").arg(size));

    const auto* in = reinterpret_cast<const quint8*>(symbols->constData());
    qsizetype padding = 0;
    if (size > 0 && in[size - 1] == '=')
        padding = in[size - 2] == '=' ? 2 : 1;
    for (qsizetype i = 0; i < size - padding; ++i) {
        if (in[i] == '=')
            return refuse(QStringLiteral("signo \"=\" antes del final del texto"));
    }
    // The bits the padding leaves over must be zero: another value is not the encoding of any bytes.
    if (padding > 0) {
        const quint8 last = kDecode[in[size - 1 - padding]];
        const quint8 unusedBits = padding == 1 ? 0x03 : 0x0F;
        if ((last & unusedBits) != 0)
            return refuse(QStringLiteral("bits de relleno distintos de cero antes del \"=\""));
    }

    QByteArray out(size / 4 * 3 - padding, Qt::Uninitialized);
    auto* dst = reinterpret_cast<quint8*>(out.data());
    const qsizetype fullGroups = padding > 0 ? size - 4 : size;
    qsizetype i = 0;
    for (; i < fullGroups; i += 4) {
        const quint32 group = quint32{kDecode[in[i]]} << 18 | quint32{kDecode[in[i + 1]]} << 12 |
                              quint32{kDecode[in[i + 2]]} << 6 | kDecode[in[i + 3]];
        *dst++ = static_cast<quint8>(group >> 16);
        *dst++ = static_cast<quint8>(group >> 8);
        *dst++ = static_cast<quint8>(group);
    }
    if (padding > 0) {
        const quint32 group = quint32{kDecode[in[i]]} << 18 | quint32{kDecode[in[i + 1]]} << 12 |
                              (padding == 1 ? quint32{kDecode[in[i + 2]]} << 6 : 0u);
        *dst++ = static_cast<quint8>(group >> 16);
        if (padding == 1)
            *dst = static_cast<quint8>(group >> 8);
    }
    return out;
}

Result<QByteArray> Base64::decode(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() > 0x7F)
            return refuse(
                QStringLiteral("carácter «%1» no permitido en la posición %2").arg(text[i]).arg(i + 1));
    }
    return decode(QByteArrayView(text.toLatin1()));
}

QString Base64::encodeText(const QString& text) {
    return QString::fromLatin1(encode(Cp1252::encode(text)));
}

Result<QString> Base64::decodeText(const QString& text) {
    Result<QByteArray> bytes = decode(QStringView(text));
    if (!bytes)
        return bytes.status();
    return Cp1252::decode(*bytes);
}

void Base64::encodeInPlace(QByteArray& data) {
    data = encode(data);
}

Status Base64::decodeInPlace(QByteArray& data) {
    Result<QByteArray> decoded = decode(QByteArrayView(data));
    if (!decoded)
        return decoded.status();
    data = std::move(decoded).value();
    return Status::ok();
}

} // namespace nerin
