#include "keyboards/NumeroTecleado.h"

#include "keyboards/ValorTecleado.h"

#include <gtest/gtest.h>
#include <limits>

namespace nerin {
namespace {

constexpr qint64 kMaxEntero = std::numeric_limits<qint64>::max();

TEST(NumeroTecleado, KeepsOnlyDigitsAndBackAndClearEditThem) {
    NumeroTecleado n;
    n.borrar(); // nothing to remove
    EXPECT_TRUE(n.texto().isEmpty());
    EXPECT_FALSE(n.agregar(u"12a3"));
    EXPECT_FALSE(n.agregar(u" -4.5"));
    EXPECT_EQ(n.texto(), QStringLiteral("12345"));
    n.borrar();
    EXPECT_EQ(n.texto(), QStringLiteral("1234"));
    n.limpiar();
    EXPECT_TRUE(n.texto().isEmpty());
    n.fijar(25);
    EXPECT_EQ(n.texto(), QStringLiteral("25"));
}

TEST(NumeroTecleado, ConvertsWithinTheRangeAndRefusesInsteadOfWrapping) {
    struct Caso {
        const char16_t* tecleado;
        qint64 minimo;
        qint64 maximo;
        bool aceptado;
        qint64 numero;
    };
    const Caso casos[] = {
        {u"", 0, 100, true, 0}, // nothing typed is zero
        {u"70000", 0, 32767, false, 0},
        {u"70000", 0, 2147483647, true, 70000},
        {u"70000", 1, 9, false, 0},
        {u"0", 1, 9, false, 0},
        {u"99999999999999999999999", 0, kMaxEntero, false, 0},
        {u"9223372036854775807", 0, kMaxEntero, true, kMaxEntero},
    };
    for (const Caso& caso : casos) {
        NumeroTecleado n;
        n.agregar(caso.tecleado);
        const auto r = n.convertir(caso.minimo, caso.maximo);
        EXPECT_EQ(r.aceptado, caso.aceptado) << QString::fromUtf16(caso.tecleado).toStdString();
        EXPECT_EQ(r.numero, caso.numero) << QString::fromUtf16(caso.tecleado).toStdString();
        if (!caso.aceptado) {
            EXPECT_EQ(r.mensaje,
                      QStringLiteral("El número debe estar entre %1 y %2").arg(caso.minimo).arg(caso.maximo));
        }
    }
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

TEST(ValorTecleado, ChecksPercentagesAndEachModeAgainstTheOriginal) {
    using C = Prompts::ValueCheck;
    const QString menor = QStringLiteral("El valor no puede ser menor al original");
    const QString mayor = QStringLiteral("El valor no puede ser mayor al valor original");
    const QString distinto = QStringLiteral("El valor no es igual al valor original");
    struct Caso {
        const char* valor;
        bool porcentaje;
        C modo;
        QString mensaje;
    };
    // Against an original of 50.
    const Caso casos[] = {
        {"40", false, C::None, {}},
        {"40", false, C::NotLess, menor},
        {"60", false, C::NotLess, {}},
        {"60", false, C::NotGreater, mayor},
        {"50", false, C::NotGreater, {}},
        {"60", false, C::Equal, distinto},
        {"40", false, C::Equal, distinto},
        {"0", false, C::Equal, distinto},
        {"50", false, C::Equal, {}},
        // A percentage is only held to 100, whatever the mode.
        {"100", true, C::Equal, {}},
        {"100.0001", true, C::None, QStringLiteral("El valor no puede ser mayor a 100%")},
    };
    for (const Caso& caso : casos) {
        EXPECT_EQ(ValorTecleado::revisar(*Currency::parse(QString::fromLatin1(caso.valor)), caso.porcentaje,
                                         Currency::fromUnits(50), caso.modo),
                  caso.mensaje)
            << caso.valor << " modo " << static_cast<int>(caso.modo);
    }
}

} // namespace
} // namespace nerin
