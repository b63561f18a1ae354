#include "crypto/DesCipher.h"

#include <gtest/gtest.h>

using nerin::DesCipher;

namespace {

DesCipher::Key keyOf(quint64 value) {
    DesCipher::Key key;
    DesCipher::storeBlock(value, key.data());
    return key;
}

struct KnownAnswer {
    quint64 key;
    quint64 plain;
    quint64 cipher;
};

// Published validation vectors; together they exercise every S-box and both permutations.
constexpr KnownAnswer kKnownAnswers[] = {
    {0x133457799BBCDFF1, 0x0123456789ABCDEF, 0x85E813540F0AB405},
    {0x0E329232EA6D0D73, 0x8787878787878787, 0x0000000000000000},
    {0x0123456789ABCDEF, 0x4E6F772069732074, 0x3FA40E8A984D4815},
    {0x0000000000000000, 0x0000000000000000, 0x8CA64DE9C1B123A7},
    {0xFFFFFFFFFFFFFFFF, 0xFFFFFFFFFFFFFFFF, 0x7359B2163E4EDC58},
    {0x3000000000000000, 0x1000000000000001, 0x958E6E627A05557B},
    {0x1111111111111111, 0x1111111111111111, 0xF40379AB9E0EC533},
    {0x0123456789ABCDEF, 0x1111111111111111, 0x17668DFC7292532D},
    {0xFEDCBA9876543210, 0x0123456789ABCDEF, 0xED39D950FA74BCC4},
    {0x7CA110454A1A6E57, 0x01A1D6D039776742, 0x690F5B0D9A26939B},
    {0x0101010101010101, 0x95F8A5E5DD31D900, 0x8000000000000000},
    {0x0101010101010101, 0x8000000000000000, 0x95F8A5E5DD31D900},
    {0x8001010101010101, 0x0000000000000000, 0x95A8D72813DAA94D},
    {0x1C587F1C13924FEF, 0x305532286D6F295A, 0x63FAC0D034D9F793},
};

} // namespace

TEST(DesCipher, KnownAnswerVectorsEncryptAndDecrypt) {
    for (const auto& v : kKnownAnswers) {
        const DesCipher cipher(keyOf(v.key));
        EXPECT_EQ(cipher.encryptBlock(v.plain), v.cipher) << std::hex << v.key << " " << v.plain;
        EXPECT_EQ(cipher.decryptBlock(v.cipher), v.plain) << std::hex << v.key << " " << v.cipher;
    }
}

TEST(DesCipher, ParityBitsOfTheKeyDoNotMatter) {
    const DesCipher withParity(keyOf(0x133457799BBCDFF1));
    const DesCipher withoutParity(keyOf(0x133457799BBCDFF1 & 0xFEFEFEFEFEFEFEFE));
    EXPECT_EQ(withoutParity.encryptBlock(0x0123456789ABCDEF), withParity.encryptBlock(0x0123456789ABCDEF));
}
