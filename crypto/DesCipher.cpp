#include "crypto/DesCipher.h"

#include <QtEndian>
#include <cstddef>

namespace nerin {

namespace {

// The tables as the standard gives them: each entry names, from 1 for the most significant bit, the
// input bit that goes to that output position.

// clang-format off
constexpr quint8 kInitialPermutation[64] = {
    58, 50, 42, 34, 26, 18, 10,  2,
    60, 52, 44, 36, 28, 20, 12,  4,
    62, 54, 46, 38, 30, 22, 14,  6,
    64, 56, 48, 40, 32, 24, 16,  8,
    57, 49, 41, 33, 25, 17,  9,  1,
    59, 51, 43, 35, 27, 19, 11,  3,
    61, 53, 45, 37, 29, 21, 13,  5,
    63, 55, 47, 39, 31, 23, 15,  7,
};

constexpr quint8 kFinalPermutation[64] = {
    40,  8, 48, 16, 56, 24, 64, 32,
    39,  7, 47, 15, 55, 23, 63, 31,
    38,  6, 46, 14, 54, 22, 62, 30,
    37,  5, 45, 13, 53, 21, 61, 29,
    36,  4, 44, 12, 52, 20, 60, 28,
    35,  3, 43, 11, 51, 19, 59, 27,
    34,  2, 42, 10, 50, 18, 58, 26,
    33,  1, 41,  9, 49, 17, 57, 25,
};

constexpr quint8 kExpansion[48] = {
    32,  1,  2,  3,  4,  5,
     4,  5,  6,  7,  8,  9,
     8,  9, 10, 11, 12, 13,
    12, 13, 14, 15, 16, 17,
    16, 17, 18, 19, 20, 21,
    20, 21, 22, 23, 24, 25,
    24, 25, 26, 27, 28, 29,
    28, 29, 30, 31, 32,  1,
};

constexpr quint8 kPermutation[32] = {
    16,  7, 20, 21,
    29, 12, 28, 17,
     1, 15, 23, 26,
     5, 18, 31, 10,
     2,  8, 24, 14,
    32, 27,  3,  9,
    19, 13, 30,  6,
    22, 11,  4, 25,
};

constexpr quint8 kPermutedChoice1[56] = {
    57, 49, 41, 33, 25, 17,  9,
     1, 58, 50, 42, 34, 26, 18,
    10,  2, 59, 51, 43, 35, 27,
    19, 11,  3, 60, 52, 44, 36,
    63, 55, 47, 39, 31, 23, 15,
     7, 62, 54, 46, 38, 30, 22,
    14,  6, 61, 53, 45, 37, 29,
    21, 13,  5, 28, 20, 12,  4,
};

constexpr quint8 kPermutedChoice2[48] = {
    14, 17, 11, 24,  1,  5,
     3, 28, 15,  6, 21, 10,
    23, 19, 12,  4, 26,  8,
    16,  7, 27, 20, 13,  2,
    41, 52, 31, 37, 47, 55,
    30, 40, 51, 45, 33, 48,
    44, 49, 39, 56, 34, 53,
    46, 42, 50, 36, 29, 32,
};

constexpr quint8 kKeyRotations[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

// Eight boxes of four rows of sixteen: the outer bits of a 6-bit group choose the row, the inner four
// the column.
constexpr quint8 kSBoxes[8][64] = {
    {
        14,  4, 13,  1,  2, 15, 11,  8,  3, 10,  6, 12,  5,  9,  0,  7,
         0, 15,  7,  4, 14,  2, 13,  1, 10,  6, 12, 11,  9,  5,  3,  8,
         4,  1, 14,  8, 13,  6,  2, 11, 15, 12,  9,  7,  3, 10,  5,  0,
        15, 12,  8,  2,  4,  9,  1,  7,  5, 11,  3, 14, 10,  0,  6, 13,
    },
    {
        15,  1,  8, 14,  6, 11,  3,  4,  9,  7,  2, 13, 12,  0,  5, 10,
         3, 13,  4,  7, 15,  2,  8, 14, 12,  0,  1, 10,  6,  9, 11,  5,
         0, 14,  7, 11, 10,  4, 13,  1,  5,  8, 12,  6,  9,  3,  2, 15,
        13,  8, 10,  1,  3, 15,  4,  2, 11,  6,  7, 12,  0,  5, 14,  9,
    },
    {
        10,  0,  9, 14,  6,  3, 15,  5,  1, 13, 12,  7, 11,  4,  2,  8,
        13,  7,  0,  9,  3,  4,  6, 10,  2,  8,  5, 14, 12, 11, 15,  1,
        13,  6,  4,  9,  8, 15,  3,  0, 11,  1,  2, 12,  5, 10, 14,  7,
         1, 10, 13,  0,  6,  9,  8,  7,  4, 15, 14,  3, 11,  5,  2, 12,
    },
    {
         7, 13, 14,  3,  0,  6,  9, 10,  1,  2,  8,  5, 11, 12,  4, 15,
        13,  8, 11,  5,  6, 15,  0,  3,  4,  7,  2, 12,  1, 10, 14,  9,
        10,  6,  9,  0, 12, 11,  7, 13, 15,  1,  3, 14,  5,  2,  8,  4,
         3, 15,  0,  6, 10,  1, 13,  8,  9,  4,  5, 11, 12,  7,  2, 14,
    },
    {
         2, 12,  4,  1,  7, 10, 11,  6,  8,  5,  3, 15, 13,  0, 14,  9,
        14, 11,  2, 12,  4,  7, 13,  1,  5,  0, 15, 10,  3,  9,  8,  6,
         4,  2,  1, 11, 10, 13,  7,  8, 15,  9, 12,  5,  6,  3,  0, 14,
        11,  8, 12,  7,  1, 14,  2, 13,  6, 15,  0,  9, 10,  4,  5,  3,
    },
    {
        12,  1, 10, 15,  9,  2,  6,  8,  0, 13,  3,  4, 14,  7,  5, 11,
        10, 15,  4,  2,  7, 12,  9,  5,  6,  1, 13, 14,  0, 11,  3,  8,
         9, 14, 15,  5,  2,  8, 12,  3,  7,  0,  4, 10,  1, 13, 11,  6,
         4,  3,  2, 12,  9,  5, 15, 10, 11, 14,  1,  7,  6,  0,  8, 13,
    },
    {
         4, 11,  2, 14, 15,  0,  8, 13,  3, 12,  9,  7,  5, 10,  6,  1,
        13,  0, 11,  7,  4,  9,  1, 10, 14,  3,  5, 12,  2, 15,  8,  6,
         1,  4, 11, 13, 12,  3,  7, 14, 10, 15,  6,  8,  0,  5,  9,  2,
         6, 11, 13,  8,  1,  4, 10,  7,  9,  5,  0, 15, 14,  2,  3, 12,
    },
    {
        13,  2,  8,  4,  6, 15, 11,  1, 10,  9,  3, 14,  5,  0, 12,  7,
         1, 15, 13,  8, 10,  3,  7,  4, 12,  5,  6, 11,  0, 14,  9,  2,
         7, 11,  4,  1,  9, 12, 14,  2,  0,  6, 10, 13, 15,  3,  5,  8,
         2,  1, 14,  7,  4, 10,  8, 13, 15, 12,  9,  0,  3,  5,  6, 11,
    },
};
// clang-format on

// The bits of an inWidth-bit value rearranged by a table of outWidth entries.
quint64 permute(quint64 value, int inWidth, const quint8* table, int outWidth) {
    quint64 out = 0;
    for (int i = 0; i < outWidth; ++i)
        out = out << 1 | ((value >> (inWidth - table[i])) & 1u);
    return out;
}

// Look-up tables derived from the standard ones. A permutation of 64 bits is the OR of what each of
// the 8 input bytes contributes; the expansion likewise over the 4 bytes of a half block; each S-box
// is merged with the permutation P that follows it, so a round is 4 + 8 look-ups.
struct Tables {
    quint64 initialPermutation[8][256];
    quint64 finalPermutation[8][256];
    quint64 expansion[4][256];
    quint32 substitution[8][64];

    Tables() {
        for (int byte = 0; byte < 8; ++byte) {
            for (quint64 value = 0; value < 256; ++value) {
                const quint64 placed = value << (56 - 8 * byte);
                initialPermutation[byte][value] = permute(placed, 64, kInitialPermutation, 64);
                finalPermutation[byte][value] = permute(placed, 64, kFinalPermutation, 64);
            }
        }
        for (int byte = 0; byte < 4; ++byte) {
            for (quint64 value = 0; value < 256; ++value)
                expansion[byte][value] = permute(value << (24 - 8 * byte), 32, kExpansion, 48);
        }
        for (std::size_t box = 0; box < 8; ++box) {
            for (std::size_t group = 0; group < 64; ++group) {
                const std::size_t row = (group >> 4 & 2) | (group & 1);
                const std::size_t column = group >> 1 & 0xF;
                const quint64 output = quint64{kSBoxes[box][row * 16 + column]} << (28 - 4 * box);
                substitution[box][group] = static_cast<quint32>(permute(output, 32, kPermutation, 32));
            }
        }
    }
};

const Tables& tables() {
    static const Tables built;
    return built;
}

template <std::size_t bytes> quint64 lookUpBytes(const quint64 (&table)[bytes][256], quint64 value) {
    quint64 out = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        out |= table[i][(value >> (8 * (bytes - 1 - i))) & 0xFF];
    return out;
}

} // namespace

DesCipher::DesCipher(const Key& key) {
    setKey(key);
}

void DesCipher::setKey(const Key& key) {
    const quint64 permuted = permute(loadBlock(key.data()), 64, kPermutedChoice1, 56);
    constexpr quint64 kHalfMask = (quint64{1} << 28) - 1;
    quint64 c = permuted >> 28;
    quint64 d = permuted & kHalfMask;
    for (std::size_t round = 0; round < 16; ++round) {
        const int shift = kKeyRotations[round];
        c = ((c << shift) | (c >> (28 - shift))) & kHalfMask;
        d = ((d << shift) | (d >> (28 - shift))) & kHalfMask;
        m_subKeys[round] = permute(c << 28 | d, 56, kPermutedChoice2, 48);
    }
}

quint64 DesCipher::encryptBlock(quint64 block) const {
    return crypt(block, false);
}

quint64 DesCipher::decryptBlock(quint64 block) const {
    return crypt(block, true);
}

quint64 DesCipher::crypt(quint64 block, bool decrypting) const {
    const Tables& t = tables();
    const quint64 permuted = lookUpBytes(t.initialPermutation, block);
    auto left = static_cast<quint32>(permuted >> 32);
    auto right = static_cast<quint32>(permuted);
    for (std::size_t round = 0; round < 16; ++round) {
        const quint64 subKey = m_subKeys[decrypting ? 15 - round : round];
        const quint64 mixed = lookUpBytes(t.expansion, right) ^ subKey;
        quint32 f = 0;
        for (std::size_t box = 0; box < 8; ++box)
            f ^= t.substitution[box][(mixed >> (42 - 6 * box)) & 0x3F];
        const quint32 next = left ^ f;
        left = right;
        right = next;
    }
    // The halves are swapped once more before the final permutation.
    return lookUpBytes(t.finalPermutation, quint64{right} << 32 | left);
}

quint64 DesCipher::loadBlock(const unsigned char* bytes) {
    return qFromBigEndian<quint64>(bytes);
}

void DesCipher::storeBlock(quint64 block, unsigned char* bytes) {
    qToBigEndian(block, bytes);
}

} // namespace nerin
