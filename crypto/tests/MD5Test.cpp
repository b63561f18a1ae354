#include "crypto/MD5.h"

#include "base/tests/QtPrinters.h"
#include "text/Cp1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using nerin::MD5;

namespace {

struct DigestCase {
    const char* text;
    const char* digest;
};

QString digestOf(const QByteArray& bytes) {
    MD5 md5;
    md5.MD5Init();
    md5.MD5Update(bytes);
    md5.MD5Final();
    return md5.GetValues();
}

} // namespace

TEST(MD5, TestSuiteMessagesGiveTheirDigestsInUpperCase) {
    const DigestCase cases[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"1234567890123456789012345678901234567890"
         "1234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    MD5 md5;
    for (const auto& c : cases)
        EXPECT_EQ(md5.DigestStrToHexStr(QString::fromLatin1(c.text)), QLatin1String(c.digest)) << c.text;
}

// Lengths around the places where the padding needs one block or two.
TEST(MD5, PaddingIsRightAtEveryBlockBoundary) {
    const std::pair<int, const char*> cases[] = {
        {55, "EF1772B6DFF9A122358552954AD0DF65"},  {56, "3B0C8AC703F828B04C6C197006D17218"},
        {57, "652B906D60AF96844EBD21B674F35E93"},  {63, "B06521F39153D618550606BE297466D5"},
        {64, "014842D480B571495A4A0363793F7367"},  {65, "C743A45E0D2E6A95CB859ADAE0248435"},
        {119, "8A7BD0732ED6A28CE75F6DABC90E1613"}, {120, "5F61C0CCAD4CAC44C75FF505E1F1E537"},
        {128, "E510683B3F5FFE4093D021808BC6FF70"},
    };
    for (const auto& [length, digest] : cases)
        EXPECT_EQ(digestOf(QByteArray(length, 'a')), QLatin1String(digest)) << length;
}

TEST(MD5, RegistersHoldTheDigestWordsLeastSignificantByteFirst) {
    MD5 md5;
    md5.DigestStrToHexStr(QString());
    EXPECT_EQ(md5.RegisterA(), 0xD98C1DD4u);
    EXPECT_EQ(md5.RegisterB(), 0x04B2008Fu);
    EXPECT_EQ(md5.RegisterC(), 0x980980E9u);
    EXPECT_EQ(md5.RegisterD(), 0x7E42F8ECu);
}

TEST(MD5, TextsAreDigestedAsWindows1252Bytes) {
    MD5 md5;
    EXPECT_EQ(md5.DigestStrToHexStr(QStringLiteral("Ñandú, pingüino y café")),
              QLatin1String("F5EC668472C165B8E294033464250C01"));
}

TEST(MD5, UpdatesSplitAtOddBoundariesGiveTheOneShotDigest) {
    QByteArray data(1000, Qt::Uninitialized);
    for (int i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>((i * 131 + 7) & 0xFF);
    const QString oneShot = digestOf(data);

    const std::vector<std::vector<int>> splits = {
        {1, 999}, {63, 1, 936}, {64, 64, 872}, {65, 127, 808}, {3, 5, 7, 11, 13, 961}, {0, 999, 0, 1},
    };
    for (const auto& pieces : splits) {
        MD5 md5;
        md5.MD5Init();
        qsizetype at = 0;
        for (const int size : pieces) {
            md5.MD5Update(QByteArrayView(data).sliced(at, size));
            at += size;
        }
        ASSERT_EQ(at, data.size());
        md5.MD5Final();
        EXPECT_EQ(md5.GetValues(), oneShot) << pieces.size() << " pieces";
    }
}

TEST(MD5, InitStartsAFreshDigest) {
    MD5 md5;
    md5.MD5Update("left over");
    md5.MD5Init();
    md5.MD5Update("abc");
    md5.MD5Final();
    EXPECT_EQ(md5.GetValues(), QLatin1String("900150983CD24FB0D6963F7D28E17F72"));
}

TEST(MD5, FileDigestEqualsTheDigestOfItsText) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Larger than one read of the file, so the digest spans several pieces.
    QString text;
    for (int i = 0; text.size() < 200 * 1024; ++i)
        text += QStringLiteral("Línea %1 del archivo de prueba\r\n").arg(i);
    const QByteArray contents = nerin::Cp1252::encode(text);
    const QString path = dir.filePath(QStringLiteral("datos.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();

    MD5 md5;
    EXPECT_EQ(md5.DigestFileToHexStr(path), md5.DigestStrToHexStr(text));
}

TEST(MD5, UnreadableFileGivesEmptyText) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    MD5 md5;
    EXPECT_TRUE(md5.DigestFileToHexStr(dir.filePath(QStringLiteral("no-existe.txt"))).isEmpty());
    EXPECT_TRUE(md5.DigestFileToHexStr(dir.path()).isEmpty());
}
