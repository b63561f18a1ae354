#include "crypto/clsRC4.h"

#include "base/tests/QtPrinters.h"
#include "text/Cp1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using nerin::clsRC4;
using nerin::Cp1252;

namespace {

struct KeyStreamCase {
    const char* key;
    std::vector<std::pair<int, const char*>> offsets;
};

} // namespace

// Key stream test vectors for keys of 40 to 256 bits, read far into the stream. A key of arbitrary
// bytes travels as the text whose Windows-1252 bytes it is.
TEST(clsRC4, KeyStreamMatchesPublishedVectors) {
    const KeyStreamCase cases[] = {
        {"0102030405",
         {{0, "b2396305f03dc027ccc3524a0a1118a8"},
          {16, "6982944f18fc82d589c403a47a0d0919"},
          {240, "28cb1132c96ce286421dcaadb8b69eae"},
          {1520, "3294f744d8f9790507e70f62e5bbceea"},
          {4096, "ff25b58995996707e51fbdf08b34d875"}}},
        {"01020304050607",
         {{0, "293f02d47f37c9b633f2af5285feb46b"}, {4080, "f3172ceffc3b3d997c85ccd5af1a950c"}}},
        {"0102030405060708",
         {{0, "97ab8a1bf0afb96132f2f67258da15a8"}, {496, "73239f1db7f41d80b643c0c52518ec63"}}},
        {"0102030405060708090a0b0c0d0e0f10",
         {{0, "9ac7cc9a609d1ef7b2932899cde41b97"}, {256, "d39d566bc6bce3010768151549f3873f"}}},
        {"0102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f20",
         {{0, "eaa6bd25880bf93d3f5d1e4ca2611d91"}, {4096, "f3e4c0a2e02d1d01f7f0a74618af2b48"}}},
        {"833222772a", {{0, "80ad97bdc973df8a2e879e92a497efda"}, {512, "3db9b249406cc8edffac55ccd322ba12"}}},
        {"c109163908ebe51debb46227c6cc8b37641910833222772a",
         {{0, "54b64e6b5a20b5e2ec84593dc7989da7"}, {1520, "532c7ceccb39df3236318405a4b1279c"}}},
    };
    clsRC4 rc4;
    for (const auto& c : cases) {
        QByteArray stream(4112, '\0');
        rc4.EncryptByte(stream, Cp1252::decode(QByteArray::fromHex(c.key)));
        for (const auto& [offset, expected] : c.offsets)
            EXPECT_EQ(stream.mid(offset, 16).toHex(), QByteArray(expected)) << c.key << " @" << offset;
    }
}

TEST(clsRC4, TextsWithSpanishLettersRoundTripInBothForms) {
    const QString texts[] = {QString(), QStringLiteral("ñ"),
                             QStringLiteral("Señor Muñoz pagó 1.234,50 € — ¡gracias!"),
                             QString(300, QChar(u'ü'))};
    clsRC4 rc4;
    for (const QString& text : texts) {
        for (const bool base64 : {false, true}) {
            const QString cipherText = rc4.EncryptString(text, QStringLiteral("Contraseña"), base64);
            EXPECT_EQ(cipherText.isEmpty(), text.isEmpty());
            const auto plain = rc4.DecryptString(cipherText, QStringLiteral("Contraseña"), base64);
            ASSERT_TRUE(plain.isOk()) << plain.status().message().toStdString();
            EXPECT_EQ(*plain, text);
        }
    }
}

TEST(clsRC4, EveryCallStartsTheStreamAfreshUnderTheKeyLastGiven) {
    clsRC4 rc4;
    const QString underFirst = rc4.EncryptString(QStringLiteral("mesa 12"), QStringLiteral("primera"));
    EXPECT_EQ(rc4.EncryptString(QStringLiteral("mesa 12")), underFirst);
    EXPECT_EQ(*rc4.DecryptString(underFirst), QStringLiteral("mesa 12"));
    // Encrypting is decrypting.
    EXPECT_EQ(rc4.EncryptString(underFirst), QStringLiteral("mesa 12"));

    // A key argument replaces the key for later calls too; an empty one keeps it.
    const QString underSecond = rc4.EncryptString(QStringLiteral("mesa 12"), QStringLiteral("segunda"));
    EXPECT_NE(underSecond, underFirst);
    EXPECT_EQ(rc4.EncryptString(QStringLiteral("mesa 12"), QString()), underSecond);
    rc4.Key(QStringLiteral("primera"));
    EXPECT_EQ(rc4.EncryptString(QStringLiteral("mesa 12")), underFirst);
}

TEST(clsRC4, EmptyKeyActsAsTheSingleZeroByteKey) {
    clsRC4 fresh;
    QByteArray data("abc");
    fresh.EncryptByte(data);
    EXPECT_NE(data, QByteArray("abc"));

    clsRC4 zeroKey;
    QByteArray same("abc");
    zeroKey.EncryptByte(same, QString(QChar(u'\0')));
    EXPECT_EQ(same, data);

    // Going back to the empty key after another one restores it.
    zeroKey.Key(QStringLiteral("otra"));
    zeroKey.Key(QString());
    zeroKey.DecryptByte(same);
    EXPECT_EQ(same, QByteArray("abc"));
}

TEST(clsRC4, InvalidBase64IsRefused) {
    clsRC4 rc4;
    const auto plain = rc4.DecryptString(QStringLiteral("QfFv\n"), QString(), true);
    ASSERT_FALSE(plain.isOk());
    EXPECT_TRUE(plain.status().message().startsWith(QStringLiteral("Texto Base64 inválido")));
    QByteArray data("Zm9");
    EXPECT_FALSE(clsRC4::DecodeArray64(data).isOk());
    EXPECT_EQ(data, QByteArray("Zm9"));
}

TEST(clsRC4, FilesRoundTripAndAMissingSourceFails) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString original = dir.filePath(QStringLiteral("original.txt"));
    const QString encrypted = dir.filePath(QStringLiteral("cifrado.bin"));
    const QByteArray contents =
        Cp1252::encode(QStringLiteral("Menú del día: café y ñoquis\r\n")).repeated(500);
    QFile file(original);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    file.close();

    clsRC4 rc4;
    ASSERT_TRUE(rc4.EncryptFile(original, encrypted, QStringLiteral("clave")).isOk());
    ASSERT_TRUE(rc4.DecryptFile(encrypted, original, QStringLiteral("clave")).isOk());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), contents);

    const nerin::Status missing = rc4.EncryptFile(dir.filePath(QStringLiteral("no-existe")), encrypted);
    EXPECT_EQ(missing.code(), nerin::Status::Code::IoError);
    EXPECT_TRUE(missing.message().contains(QStringLiteral("no-existe")));
}
