#include "crypto/MD5.h"

#include "text/Cp1252.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <vector>

namespace nerin {

namespace {

constexpr qsizetype kBlockSize = 64;
constexpr qsizetype kFileChunkSize = 64 * 1024;

constexpr quint32 rotl(quint32 x, int s) {
    return (x << s) | (x >> (32 - s));
}

// One step of each of the four rounds: a = b + ((a + f(b, c, d) + word + constant) <<< s).
template <int s> inline void stepF(quint32& a, quint32 b, quint32 c, quint32 d, quint32 word, quint32 k) {
    a = b + rotl(a + (d ^ (b & (c ^ d))) + word + k, s);
}
template <int s> inline void stepG(quint32& a, quint32 b, quint32 c, quint32 d, quint32 word, quint32 k) {
    a = b + rotl(a + (c ^ (d & (b ^ c))) + word + k, s);
}
template <int s> inline void stepH(quint32& a, quint32 b, quint32 c, quint32 d, quint32 word, quint32 k) {
    a = b + rotl(a + (b ^ c ^ d) + word + k, s);
}
template <int s> inline void stepI(quint32& a, quint32 b, quint32 c, quint32 d, quint32 word, quint32 k) {
    a = b + rotl(a + (c ^ (b | ~d)) + word + k, s);
}

} // namespace

MD5::MD5() {
    MD5Init();
}

void MD5::MD5Init() {
    m_state = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u};
    m_length = 0;
}

void MD5::MD5Update(QByteArrayView bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    auto size = bytes.size();
    const auto filled = static_cast<qsizetype>(m_length % kBlockSize);
    m_length += static_cast<quint64>(size);

    if (filled > 0) {
        const qsizetype take = std::min(size, kBlockSize - filled);
        std::memcpy(m_pending.data() + filled, data, static_cast<size_t>(take));
        data += take;
        size -= take;
        if (filled + take < kBlockSize)
            return;
        processBlocks(m_pending.data(), 1);
    }
    // Whole blocks are digested where they lie, without copying.
    const qsizetype blocks = size / kBlockSize;
    processBlocks(data, blocks);
    data += blocks * kBlockSize;
    size -= blocks * kBlockSize;
    if (size > 0)
        std::memcpy(m_pending.data(), data, static_cast<size_t>(size));
}

void MD5::MD5Final() {
    const quint64 bitLength = m_length * 8;
    const auto filled = static_cast<qsizetype>(m_length % kBlockSize);
    // A one bit, zeros up to 56 bytes into a block, then the length in bits, least significant byte
    // first.
    std::array<unsigned char, 2 * kBlockSize> tail{};
    tail[0] = 0x80;
    const qsizetype padLength = filled < 56 ? 56 - filled : 120 - filled;
    qToLittleEndian(bitLength, tail.data() + padLength);
    MD5Update(QByteArrayView(tail.data(), padLength + 8));
}

QString MD5::GetValues() const {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QString hex(32, Qt::Uninitialized);
    qsizetype at = 0;
    for (const quint32 word : m_state) {
        for (int shift = 0; shift < 32; shift += 8) {
            const quint32 byte = (word >> shift) & 0xFF;
            hex[at++] = QLatin1Char(kDigits[byte >> 4]);
            hex[at++] = QLatin1Char(kDigits[byte & 0xF]);
        }
    }
    return hex;
}

QString MD5::DigestStrToHexStr(const QString& text) {
    MD5Init();
    MD5Update(Cp1252::encode(text));
    MD5Final();
    return GetValues();
}

QString MD5::DigestFileToHexStr(const QString& path) {
    MD5Init();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<char> chunk(static_cast<size_t>(kFileChunkSize));
    for (;;) {
        const qint64 got = file.read(chunk.data(), kFileChunkSize);
        if (got < 0)
            return {};
        if (got == 0)
            break;
        MD5Update(QByteArrayView(chunk.data(), got));
    }
    if (file.error() != QFileDevice::NoError)
        return {};
    MD5Final();
    return GetValues();
}

void MD5::processBlocks(const unsigned char* blocks, qsizetype count) {
    quint32 a0 = m_state[0];
    quint32 b0 = m_state[1];
    quint32 c0 = m_state[2];
    quint32 d0 = m_state[3];
    for (qsizetype n = 0; n < count; ++n, blocks += kBlockSize) {
        std::array<quint32, 16> x;
        for (std::size_t i = 0; i < 16; ++i)
            x[i] = qFromLittleEndian<quint32>(blocks + 4 * i);
        quint32 a = a0;
        quint32 b = b0;
        quint32 c = c0;
        quint32 d = d0;

        stepF<7>(a, b, c, d, x[0], 0xd76aa478);
        stepF<12>(d, a, b, c, x[1], 0xe8c7b756);
        stepF<17>(c, d, a, b, x[2], 0x242070db);
        stepF<22>(b, c, d, a, x[3], 0xc1bdceee);
        stepF<7>(a, b, c, d, x[4], 0xf57c0faf);
        stepF<12>(d, a, b, c, x[5], 0x4787c62a);
        stepF<17>(c, d, a, b, x[6], 0xa8304613);
        stepF<22>(b, c, d, a, x[7], 0xfd469501);
        stepF<7>(a, b, c, d, x[8], 0x698098d8);
        stepF<12>(d, a, b, c, x[9], 0x8b44f7af);
        stepF<17>(c, d, a, b, x[10], 0xffff5bb1);
        stepF<22>(b, c, d, a, x[11], 0x895cd7be);
        stepF<7>(a, b, c, d, x[12], 0x6b901122);
        stepF<12>(d, a, b, c, x[13], 0xfd987193);
        stepF<17>(c, d, a, b, x[14], 0xa679438e);
        stepF<22>(b, c, d, a, x[15], 0x49b40821);

        stepG<5>(a, b, c, d, x[1], 0xf61e2562);
        stepG<9>(d, a, b, c, x[6], 0xc040b340);
        stepG<14>(c, d, a, b, x[11], 0x265e5a51);
        stepG<20>(b, c, d, a, x[0], 0xe9b6c7aa);
        stepG<5>(a, b, c, d, x[5], 0xd62f105d);
        stepG<9>(d, a, b, c, x[10], 0x02441453);
        stepG<14>(c, d, a, b, x[15], 0xd8a1e681);
        stepG<20>(b, c, d, a, x[4], 0xe7d3fbc8);
        stepG<5>(a, b, c, d, x[9], 0x21e1cde6);
        stepG<9>(d, a, b, c, x[14], 0xc33707d6);
        stepG<14>(c, d, a, b, x[3], 0xf4d50d87);
        stepG<20>(b, c, d, a, x[8], 0x455a14ed);
        stepG<5>(a, b, c, d, x[13], 0xa9e3e905);
        stepG<9>(d, a, b, c, x[2], 0xfcefa3f8);
        stepG<14>(c, d, a, b, x[7], 0x676f02d9);
        stepG<20>(b, c, d, a, x[12], 0x8d2a4c8a);

        stepH<4>(a, b, c, d, x[5], 0xfffa3942);
        stepH<11>(d, a, b, c, x[8], 0x8771f681);
        stepH<16>(c, d, a, b, x[11], 0x6d9d6122);
        stepH<23>(b, c, d, a, x[14], 0xfde5380c);
        stepH<4>(a, b, c, d, x[1], 0xa4beea44);
        stepH<11>(d, a, b, c, x[4], 0x4bdecfa9);
        stepH<16>(c, d, a, b, x[7], 0xf6bb4b60);
        stepH<23>(b, c, d, a, x[10], 0xbebfbc70);
        stepH<4>(a, b, c, d, x[13], 0x289b7ec6);
        stepH<11>(d, a, b, c, x[0], 0xeaa127fa);
        stepH<16>(c, d, a, b, x[3], 0xd4ef3085);
        stepH<23>(b, c, d, a, x[6], 0x04881d05);
        stepH<4>(a, b, c, d, x[9], 0xd9d4d039);
        stepH<11>(d, a, b, c, x[12], 0xe6db99e5);
        stepH<16>(c, d, a, b, x[15], 0x1fa27cf8);
        stepH<23>(b, c, d, a, x[2], 0xc4ac5665);

        stepI<6>(a, b, c, d, x[0], 0xf4292244);
        stepI<10>(d, a, b, c, x[7], 0x432aff97);
        stepI<15>(c, d, a, b, x[14], 0xab9423a7);
        stepI<21>(b, c, d, a, x[5], 0xfc93a039);
        stepI<6>(a, b, c, d, x[12], 0x655b59c3);
        stepI<10>(d, a, b, c, x[3], 0x8f0ccc92);
        stepI<15>(c, d, a, b, x[10], 0xffeff47d);
        stepI<21>(b, c, d, a, x[1], 0x85845dd1);
        stepI<6>(a, b, c, d, x[8], 0x6fa87e4f);
        stepI<10>(d, a, b, c, x[15], 0xfe2ce6e0);
        stepI<15>(c, d, a, b, x[6], 0xa3014314);
        stepI<21>(b, c, d, a, x[13], 0x4e0811a1);
        stepI<6>(a, b, c, d, x[4], 0xf7537e82);
        stepI<10>(d, a, b, c, x[11], 0xbd3af235);
        stepI<15>(c, d, a, b, x[2], 0x2ad7d2bb);
        stepI<21>(b, c, d, a, x[9], 0xeb86d391);

        a0 += a;
        b0 += b;
        c0 += c;
        d0 += d;
    }
    m_state = {a0, b0, c0, d0};
}

} // namespace nerin
