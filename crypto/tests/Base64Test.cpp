#include "crypto/Base64.h"

#include "base/tests/QtPrinters.h"

#include <gtest/gtest.h>

using nerin::Base64;

TEST(Base64, StandardVectorsEncodeAndDecode) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {"\xFB\xFF", "+/8="},
    };
    for (const auto& [plain, encoded] : cases) {
        EXPECT_EQ(Base64::encode(QByteArray(plain)), QByteArray(encoded)) << plain;
        const auto decoded = Base64::decode(QByteArrayView(encoded));
        ASSERT_TRUE(decoded.isOk()) << encoded;
        EXPECT_EQ(*decoded, QByteArray(plain));
    }
}

// Lines hold 76 characters and are joined by CR LF, with nothing after the last line.
TEST(Base64, LongEncodingsAreCutIntoLinesOf76) {
    const std::pair<int, QByteArray> cases[] = {
        {57, QByteArray(76, 'A')},
        {58, QByteArray(76, 'A') + "\r\n" + "AA=="},
        {60, QByteArray(76, 'A') + "\r\n" + "AAAA"},
        {114, QByteArray(76, 'A') + "\r\n" + QByteArray(76, 'A')},
        {115, QByteArray(76, 'A') + "\r\n" + QByteArray(76, 'A') + "\r\n" + "AA=="},
    };
    for (const auto& [size, expected] : cases) {
        const QByteArray encoded = Base64::encode(QByteArray(size, '\0'));
        EXPECT_EQ(encoded, expected) << size;
        EXPECT_EQ(*Base64::decode(QByteArrayView(encoded)), QByteArray(size, '\0')) << size;
    }
}

TEST(Base64, EveryByteValueSurvivesARoundTrip) {
    QByteArray all;
    for (int round = 0; round < 3; ++round) {
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
    }
    for (qsizetype size = 0; size <= all.size(); size += 37) {
        const QByteArray part = all.left(size);
        EXPECT_EQ(*Base64::decode(QByteArrayView(Base64::encode(part))), part) << size;
    }
}

TEST(Base64, CrLfPairsAreIgnoredWherever) {
    EXPECT_EQ(*Base64::decode(QByteArrayView("Zm\r\n9v\r\nYmFy\r\n")), QByteArray("foobar"));
    EXPECT_EQ(*Base64::decode(QByteArrayView("\r\n")), QByteArray());
}

TEST(Base64, MalformedTextIsRefusedWithTheReason) {
    const std::pair<const char*, const char*> cases[] = {
        {"Zm9", "múltiplo de 4"},
        {"Zm9vY", "múltiplo de 4"},
        {"Zm9v!A==", "carácter «!» no permitido en la posición 5"},
        {"Zm 9v", "posición 3"},
        {"Zm9v\n", "de código 10"},
        {"Zm9v\r", "de código 13"},
        {"Zm9v\n\r", "de código 10"},
        {"Zm-_", "«-»"},
        {"Zm=v", "antes del final"},
        {"Z===", "antes del final"},
        {"====", "antes del final"},
        {"Zm9vYg=A", "antes del final"},
        {"Zh==", "bits de relleno"},
        {"Zm9=", "bits de relleno"},
    };
    for (const auto& [text, reason] : cases) {
        const auto decoded = Base64::decode(QByteArrayView(text));
        ASSERT_FALSE(decoded.isOk()) << text;
        EXPECT_TRUE(decoded.status().message().startsWith(QStringLiteral("Texto Base64 inválido: ")));
        EXPECT_TRUE(decoded.status().message().contains(QString::fromUtf8(reason)))
            << text << ": " << decoded.status().message().toStdString();
    }
}

TEST(Base64, CharactersOutsideAsciiAreRefusedInTexts) {
    const auto decoded = Base64::decode(QStringView(u"Zm9ñ"));
    ASSERT_FALSE(decoded.isOk());
    EXPECT_TRUE(decoded.status().message().contains(QStringLiteral("«ñ»")));
    // A character whose low byte is a letter of the alphabet is not taken for that letter.
    EXPECT_FALSE(Base64::decode(QStringView(u"Zm9\u0141")).isOk());
}

TEST(Base64, TextFormsUseWindows1252) {
    EXPECT_EQ(Base64::encodeText(QStringLiteral("Año")), QStringLiteral("QfFv"));
    EXPECT_EQ(*Base64::decodeText(QStringLiteral("QfFv")), QStringLiteral("Año"));
}
