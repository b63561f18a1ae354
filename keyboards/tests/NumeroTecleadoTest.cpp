#include "keyboards/NumeroTecleado.h"

#include "keyboards/ValorTecleado.h"

#include <gtest/gtest.h>

namespace nerin {
namespace {

TEST(NumeroTecleado, TakesOnlyTheDigitsOfWhatIsTyped) {
    NumeroTecleado n;
    n.agregar(u"12a3");
    EXPECT_EQ(n.texto(), QStringLiteral("123"));
    n.agregar(u" -4.5");
    EXPECT_EQ(n.texto(), QStringLiteral("12345"));
}

TEST(NumeroTecleado, BackRemovesTheLastDigitAndDoesNothingWhenEmpty) {
    NumeroTecleado n;
    n.borrar();
    EXPECT_TRUE(n.texto().isEmpty());
    n.agregar(u"45");
    n.borrar();
    EXPECT_EQ(n.texto(), QStringLiteral("4"));
    n.limpiar();
    EXPECT_TRUE(n.texto().isEmpty());
}

TEST(NumeroTecleado, EmptyIsZero) {
    const auto r = NumeroTecleado{}.convertir(0, 100);
    EXPECT_TRUE(r.aceptado);
    EXPECT_EQ(r.numero, 0);
}

TEST(NumeroTecleado, RefusesANumberOutsideTheRangeInsteadOfWrapping) {
    NumeroTecleado n;
    n.agregar(u"70000");
    const auto mesa = n.convertir(0, 32767);
    EXPECT_FALSE(mesa.aceptado);
    EXPECT_EQ(mesa.mensaje, QStringLiteral("El número debe estar entre 0 y 32767"));
    EXPECT_TRUE(n.convertir(0, 2147483647).aceptado);
    EXPECT_EQ(n.convertir(0, 2147483647).numero, 70000);
    EXPECT_FALSE(n.convertir(1, 9).aceptado);
}

TEST(NumeroTecleado, RefusesDigitsBeyondAnyWholeNumber) {
    NumeroTecleado n;
    n.agregar(u"99999999999999999999999");
    EXPECT_FALSE(n.convertir(0, std::numeric_limits<qint64>::max()).aceptado);
    n.fijar(std::numeric_limits<qint64>::max());
    EXPECT_EQ(n.convertir(0, std::numeric_limits<qint64>::max()).numero, std::numeric_limits<qint64>::max());
}

TEST(NumeroTecleado, StartsFromTheDefaultNumber) {
    NumeroTecleado n;
    n.fijar(25);
    EXPECT_EQ(n.texto(), QStringLiteral("25"));
}

TEST(ValorTecleado, TakesDigitsAndOneDecimalPointAndRefusesAnythingElseWhole) {
    ValorTecleado v;
    EXPECT_TRUE(v.agregar(u"12.50"));
    EXPECT_EQ(v.valor(), Currency::fromRaw(125000));
    // Nothing of a text that is not an amount goes in: no "1300" out of "1e300".
    for (const char16_t* malo : {u"1e300", u"-5", u"5'", u"abc", u".5"}) {
        EXPECT_FALSE(v.agregar(malo));
        EXPECT_EQ(v.texto(), QStringLiteral("12.50"));
    }
    EXPECT_FALSE(v.agregar(QLatin1Char('.'))) << "a second point";
    v.limpiar();
    EXPECT_EQ(v.valor(), Currency{});
    v.agregar(QLatin1Char('.'));
    EXPECT_FALSE(v.valor().has_value());
}

TEST(ValorTecleado, ChecksEachModeAgainstTheOriginal) {
    using C = Prompts::ValueCheck;
    const Currency original = Currency::fromUnits(50);
    const Currency menos = Currency::fromUnits(40);
    const Currency mas = Currency::fromUnits(60);
    EXPECT_TRUE(ValorTecleado::revisar(menos, false, original, C::None).isEmpty());
    EXPECT_EQ(ValorTecleado::revisar(menos, false, original, C::NotLess),
              QStringLiteral("El valor no puede ser menor al original"));
    EXPECT_TRUE(ValorTecleado::revisar(mas, false, original, C::NotLess).isEmpty());
    EXPECT_EQ(ValorTecleado::revisar(mas, false, original, C::NotGreater),
              QStringLiteral("El valor no puede ser mayor al valor original"));
    EXPECT_TRUE(ValorTecleado::revisar(original, false, original, C::NotGreater).isEmpty());
    EXPECT_EQ(ValorTecleado::revisar(mas, false, original, C::Equal),
              QStringLiteral("El valor no es igual al valor original"));
    EXPECT_EQ(ValorTecleado::revisar(menos, false, original, C::Equal),
              QStringLiteral("El valor no es igual al valor original"));
    EXPECT_TRUE(ValorTecleado::revisar(original, false, original, C::Equal).isEmpty());
}

TEST(ValorTecleado, RefusesAPercentageOverOneHundred) {
    const Currency original = Currency::fromUnits(50);
    EXPECT_EQ(ValorTecleado::revisar(Currency::fromRaw(1000001), true, original, Prompts::ValueCheck::Equal),
              QStringLiteral("El valor no puede ser mayor a 100%"));
    EXPECT_TRUE(ValorTecleado::revisar(Currency::fromUnits(100), true, original, Prompts::ValueCheck::None)
                    .isEmpty());
}

} // namespace
} // namespace nerin
