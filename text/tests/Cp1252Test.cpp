#include "text/Cp1252.h"

#include <gtest/gtest.h>

using nerin::Cp1252;

TEST(Cp1252, SpanishLettersAreOneByteEach) {
    const QByteArray bytes = Cp1252::encode(QStringLiteral("Ñoño ¿Año? €"));
    EXPECT_EQ(bytes, QByteArray("\xD1o\xF1o \xBF"
                                "A\xF1o? \x80"));
    EXPECT_EQ(Cp1252::decode(bytes), QStringLiteral("Ñoño ¿Año? €"));
}

TEST(Cp1252, EveryByteSurvivesATripThroughText) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = Cp1252::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Cp1252::encode(text), all);
}

TEST(Cp1252, UnrepresentableCharactersBecomeOneQuestionMarkEach) {
    // A Greek letter, a CJK character and an emoji outside the Basic Multilingual Plane.
    EXPECT_EQ(Cp1252::encode(QStringLiteral("aΩb中c😀d")), QByteArray("a?b?c?d"));
    // C1 controls that the code page uses for other characters are not representable either.
    EXPECT_EQ(Cp1252::encode(QString(QChar(0x80))), QByteArray("?"));
    // A lone surrogate is one unrepresentable character.
    EXPECT_EQ(Cp1252::encode(QString(QChar(0xD800)) + QStringLiteral("x")), QByteArray("?x"));
}
