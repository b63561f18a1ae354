#include "crypto/clsDES.h"

#include "base/tests/QtPrinters.h"
#include "text/Cp1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>
#include <utility>

using nerin::clsDES;
using nerin::Cp1252;
using nerin::DesCipher;

namespace {

const QString kSizeError = QStringLiteral("Incorrect size descriptor in DES decryption");

// CBC from a zero block, done by hand with the block cipher, to look inside cipher texts and to forge
// them.
QByteArray cbcByHand(const QByteArray& in, const char (&key)[9], bool encrypting) {
    DesCipher::Key keyBytes;
    std::memcpy(keyBytes.data(), key, 8);
    const DesCipher des(keyBytes);
    QByteArray out(in.size(), '\0');
    const auto* src = reinterpret_cast<const unsigned char*>(in.constData());
    auto* dst = reinterpret_cast<unsigned char*>(out.data());
    quint64 previous = 0;
    for (qsizetype at = 0; at < in.size(); at += 8) {
        const quint64 block = DesCipher::loadBlock(src + at);
        if (encrypting) {
            previous = des.encryptBlock(block ^ previous);
            DesCipher::storeBlock(previous, dst + at);
        } else {
            DesCipher::storeBlock(des.decryptBlock(block) ^ previous, dst + at);
            previous = block;
        }
    }
    return out;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<ilegible>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

TEST(clsDES, FramingHoldsTwoRandomWordsTheLengthTheDataAndZeros) {
    const std::pair<int, int> sizes[] = {{0, 16}, {1, 16}, {4, 16}, {5, 24}, {12, 24}, {13, 32}, {100, 112}};
    clsDES des;
    des.Key(QStringLiteral("clave123"));
    for (const auto& [size, framedSize] : sizes) {
        QByteArray data(size, Qt::Uninitialized);
        for (int i = 0; i < size; ++i)
            data[i] = static_cast<char>(0xA0 + i);
        QByteArray cipherText = data;
        ASSERT_TRUE(des.EncryptByte(cipherText).isOk());
        ASSERT_EQ(cipherText.size(), framedSize) << size;

        const QByteArray plain = cbcByHand(cipherText, "clave123", false);
        const auto* header = reinterpret_cast<const unsigned char*>(plain.constData());
        EXPECT_LT(qFromLittleEndian<quint32>(header), 2147483647u);
        EXPECT_LT(qFromLittleEndian<quint32>(header + 4), 2147483647u);
        EXPECT_EQ(qFromLittleEndian<quint32>(header + 8), static_cast<quint32>(size));
        EXPECT_EQ(plain.mid(12, size), data);
        EXPECT_EQ(plain.mid(12 + size), QByteArray(framedSize - 12 - size, '\0')) << size;
    }
}

TEST(clsDES, DecryptsACipherTextMadeIndependently) {
    // Framed "Año 2024: café" (header 0x12345678, 0x0BADCAFE) under DES-CBC, key "clave123", zero IV.
    const QByteArray cipherText =
        QByteArray::fromHex("4C65608A670EA25D40A0706219FD39ACA159A0A30D71CDE354043348E10D37D2");
    clsDES des;
    const auto plain = des.DecryptString(Cp1252::decode(cipherText), QStringLiteral("clave123"));
    ASSERT_TRUE(plain.isOk()) << plain.status().message().toStdString();
    EXPECT_EQ(*plain, QStringLiteral("Año 2024: café"));
}

TEST(clsDES, TextsWithSpanishLettersRoundTripInBothFormsWithAFreshHeaderEachTime) {
    const QString texts[] = {QString(), QStringLiteral("ñ"),
                             QStringLiteral("Señor Muñoz pagó 1.234,50 € en efectivo"),
                             QString(300, QChar(u'á'))};
    clsDES des;
    for (const QString& text : texts) {
        for (const bool base64 : {false, true}) {
            const QString cipherText = des.EncryptString(text, QStringLiteral("Contraseña"), base64);
            EXPECT_NE(des.EncryptString(text, QStringLiteral("Contraseña"), base64), cipherText);
            const auto plain = des.DecryptString(cipherText, QStringLiteral("Contraseña"), base64);
            ASSERT_TRUE(plain.isOk()) << plain.status().message().toStdString();
            EXPECT_EQ(*plain, text);
        }
    }
}

TEST(clsDES, OnlyTheFirstEightCharactersOfTheKeyCountAndAWrongKeyGivesTheSizeError) {
    clsDES longKey;
    clsDES shortKey;
    const QString cipherText =
        longKey.EncryptString(QStringLiteral("secreto"), QStringLiteral("abcdefghijk"));
    EXPECT_EQ(*shortKey.DecryptString(cipherText, QStringLiteral("abcdefgh")), QStringLiteral("secreto"));
    // A wrong key reads a length that does not fit: the size error, not garbage.
    EXPECT_EQ(shortKey.DecryptString(cipherText, QStringLiteral("abcdefgX")).status().message(), kSizeError);
}

TEST(clsDES, KeySettingPersistsUntilAnotherKeyIsGiven) {
    clsDES des;
    des.Key(QStringLiteral("primera"));
    const QString underFirst = des.EncryptString(QStringLiteral("dato"));
    des.Key(QStringLiteral("primera"));
    EXPECT_EQ(*des.DecryptString(underFirst), QStringLiteral("dato"));

    // A key argument replaces the key for later calls too; an empty one keeps it.
    const QString underSecond = des.EncryptString(QStringLiteral("dato"), QStringLiteral("segunda"));
    EXPECT_FALSE(des.DecryptString(underFirst).isOk());
    EXPECT_EQ(*des.DecryptString(underSecond, QString()), QStringLiteral("dato"));
    des.Key(QStringLiteral("primera"));
    EXPECT_EQ(*des.DecryptString(underFirst), QStringLiteral("dato"));
}

TEST(clsDES, NoKeyMeansTheAllZeroKey) {
    clsDES des;
    QByteArray data("abc");
    ASSERT_TRUE(des.EncryptByte(data).isOk());
    EXPECT_EQ(cbcByHand(data, "\0\0\0\0\0\0\0\0", false).mid(8), QByteArray::fromHex("0300000061626300"));
}

TEST(clsDES, DamagedCipherTextIsRefusedNotReadOutOfBounds) {
    auto framedWithLength = [](qint32 length, qsizetype size) {
        QByteArray plain(size, '\0');
        qToLittleEndian(length, plain.data() + 8);
        return cbcByHand(plain, "clave123", true);
    };
    const std::pair<QByteArray, bool> cases[] = {
        {QByteArray(), false},
        {QByteArray(8, 'x'), false},
        {QByteArray(15, 'x'), false},
        {QByteArray(17, 'x'), false},
        {framedWithLength(4, 16), true},
        {framedWithLength(5, 16), false},
        {framedWithLength(0, 16), true},
        {framedWithLength(-1, 16), false},
        {framedWithLength(20, 32), true},
        {framedWithLength(21, 32), false},
        {framedWithLength(0x7FFFFFFF, 32), false},
    };
    clsDES des;
    des.Key(QStringLiteral("clave123"));
    for (const auto& [cipherText, accepted] : cases) {
        QByteArray data = cipherText;
        const nerin::Status status = des.DecryptByte(data);
        EXPECT_EQ(status.isOk(), accepted) << cipherText.toHex().toStdString();
        if (!accepted) {
            EXPECT_EQ(status.message(), kSizeError);
            EXPECT_EQ(data, cipherText);
        }
    }
}

TEST(clsDES, FilesRoundTripAndFailuresLeaveTheDestinationUntouched) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    QByteArray contents;
    for (int i = 0; i < 5000; ++i)
        contents.append(static_cast<char>(i * 7));
    ASSERT_TRUE(writeFile(path("original.bin"), contents));
    clsDES des;
    ASSERT_TRUE(des.EncryptFile(path("original.bin"), path("cifrado.bin"), QStringLiteral("clave")).isOk());
    EXPECT_EQ(readFile(path("cifrado.bin")).size(), 5016);
    ASSERT_TRUE(des.DecryptFile(path("cifrado.bin"), path("vuelta.bin"), QStringLiteral("clave")).isOk());
    EXPECT_EQ(readFile(path("vuelta.bin")), contents);

    ASSERT_TRUE(writeFile(path("destino.txt"), "previo"));
    ASSERT_TRUE(writeFile(path("basura.bin"), QByteArray(24, 'x')));
    EXPECT_EQ(des.EncryptFile(path("no-existe.txt"), path("destino.txt")).code(),
              nerin::Status::Code::IoError);
    EXPECT_EQ(des.DecryptFile(path("basura.bin"), path("destino.txt")).message(), kSizeError);
    EXPECT_EQ(readFile(path("destino.txt")), QByteArray("previo"));
    EXPECT_EQ(des.EncryptFile(path("destino.txt"), path("sin-carpeta/salida.bin")).code(),
              nerin::Status::Code::IoError);
    EXPECT_FALSE(QFile::exists(path("sin-carpeta/salida.bin")));
}
