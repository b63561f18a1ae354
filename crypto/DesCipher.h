#pragma once

#include <QtGlobal>
#include <array>

namespace nerin {

// The DES block cipher (FIPS 46): 64-bit blocks under a 64-bit key of which 56 bits count (the low bit
// of each key byte, the parity bit, is ignored). A block is a 64-bit number whose most significant
// byte is the first byte of the block as stored, the order in which the standard numbers its bits.
//
// Setting the key works out the sixteen sub-keys once; each block then costs a handful of table
// look-ups per round.
class DesCipher {
public:
    using Key = std::array<quint8, 8>;

    explicit DesCipher(const Key& key = {});
    void setKey(const Key& key);

    quint64 encryptBlock(quint64 block) const;
    quint64 decryptBlock(quint64 block) const;

    // The block stored in 8 bytes, first byte most significant, and back.
    static quint64 loadBlock(const unsigned char* bytes);
    static void storeBlock(quint64 block, unsigned char* bytes);

private:
    quint64 crypt(quint64 block, bool decrypting) const;

    std::array<quint64, 16> m_subKeys{};
};

} // namespace nerin
