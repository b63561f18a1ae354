#include "data/DbCommand.h"
#include "data/RecordSet.h"

#include <gtest/gtest.h>

using nerin::Currency;
using nerin::DbValue;

TEST(DbValue, NullReadsAsZeroEmptyAndInvalid) {
    const DbValue null;
    EXPECT_TRUE(null.isNull());
    EXPECT_EQ(null.toInt(), 0);
    EXPECT_EQ(null.toString(), QString());
    EXPECT_EQ(null.toCurrency(), Currency());
    EXPECT_FALSE(null.toDateTime().isValid());
}

TEST(DbValue, MoneyStoredAsDoubleReadsExactly) {
    EXPECT_EQ(DbValue(99.95).toCurrency(), *Currency::parse(u"99.95"));
    EXPECT_EQ(DbValue(0.1 + 0.2).toCurrency(), *Currency::parse(u"0.3"));
    EXPECT_EQ(DbValue(QStringLiteral(" 1234.5 ")).toCurrency(), *Currency::parse(u"1234.5"));
    EXPECT_EQ(DbValue(qint64{7}).toCurrency(), Currency::fromUnits(7));
    EXPECT_EQ(DbValue(QStringLiteral("no es número")).toCurrency(), Currency());
}

TEST(DbValue, NumbersConvertBetweenKinds) {
    EXPECT_EQ(DbValue(QStringLiteral("42")).toInt(), 42);
    EXPECT_EQ(DbValue(QStringLiteral("2.5")).toInt(), 3);
    EXPECT_EQ(DbValue(-2.5).toInt(), -3);
    EXPECT_EQ(DbValue(*Currency::parse(u"10.5")).toInt(), 11);
    EXPECT_EQ(DbValue(1e300).toInt(), 0);
    EXPECT_EQ(DbValue(QStringLiteral("abc")).toInt(), 0);
    EXPECT_DOUBLE_EQ(DbValue(QStringLiteral("0.16")).toDouble(), 0.16);
}

TEST(DbValue, TextsShowNumbersPlainlyAndDatesInDayMonthYear) {
    EXPECT_EQ(DbValue(qint64{-12}).toString(), QStringLiteral("-12"));
    EXPECT_EQ(DbValue(0.16).toString(), QStringLiteral("0.16"));
    EXPECT_EQ(DbValue(*Currency::parse(u"120.50")).toString(), QStringLiteral("120.5"));
    EXPECT_EQ(DbValue(QDateTime(QDate(2026, 12, 6), QTime(13, 45, 2))).toString(),
              QStringLiteral("06/12/2026 13:45:02"));
    EXPECT_EQ(DbValue(QDateTime(QDate(2026, 12, 6), QTime(0, 0))).toString(), QStringLiteral("06/12/2026"));
}

TEST(DbValue, DatesReadFromStoredAndWrittenTexts) {
    const QDateTime expected(QDate(2026, 12, 6), QTime(13, 45));
    EXPECT_EQ(DbValue(QStringLiteral("2026-12-06 13:45:00.000")).toDateTime(), expected);
    EXPECT_EQ(DbValue(QStringLiteral("2026-12-06 13:45:00")).toDateTime(), expected);
    EXPECT_EQ(DbValue(QStringLiteral("06/12/2026 13:45")).toDateTime(), expected);
    EXPECT_FALSE(DbValue(QStringLiteral("31/02/2026")).toDateTime().isValid());
}

TEST(RecordSet, ReadsForwardByPositionAndByNameWithoutRegardToCase) {
    nerin::RecordSet rs({QStringLiteral("ID_Comanda"), QStringLiteral("Total")});
    rs.addRow({DbValue(qint64{1}), DbValue(10.5)});
    rs.addRow({DbValue(qint64{2}), DbValue()});
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(u"id_comanda").toInt(), 1);
    rs.moveNext();
    EXPECT_EQ(rs.value(0).toInt(), 2);
    EXPECT_TRUE(rs.value(u"TOTAL").isNull());
    EXPECT_TRUE(rs.value(u"NoExiste").isNull());
    EXPECT_TRUE(rs.value(7).isNull());
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_TRUE(rs.value(0).isNull());
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_TRUE(nerin::RecordSet().eof());
}

TEST(DbCommand, ParametersAreFoundWithoutRegardToCase) {
    nerin::DbCommand command(QStringLiteral("Abrir_Mesa"), nerin::DbCommand::Kind::StoredProcedure);
    command.addParameter({QStringLiteral("@nFolio"), nerin::DbCommand::ParamType::BigInt,
                          nerin::DbCommand::Direction::Output, 0, DbValue()});
    command.setParameter(u"@NFOLIO", DbValue(qint64{77}));
    EXPECT_EQ(command.parameter(u"@nfolio").toInt(), 77);
    EXPECT_TRUE(command.parameter(u"@otro").isNull());
}
