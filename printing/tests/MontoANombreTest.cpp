#include "printing/MontoANombre.h"

#include <gtest/gtest.h>

using nerin::Currency;
using nerin::MontoANombre;

namespace {

Currency monto(const char* texto) {
    return *Currency::parse(QString::fromLatin1(texto));
}

struct Caso {
    const char* monto;
    const char* texto;
};

void revisar(const Caso* casos, std::size_t cuantos, const QString& idioma, const QString& moneda) {
    for (std::size_t i = 0; i < cuantos; ++i) {
        EXPECT_EQ(MontoANombre(monto(casos[i].monto), idioma, moneda), QString::fromUtf8(casos[i].texto))
            << casos[i].monto;
    }
}

} // namespace

TEST(MontoANombre, SpanishAmountsReadAsOnMexicanDocuments) {
    const Caso casos[] = {
        {"0", "Cero pesos 00/100"},
        {"21.5", "Veinte y un pesos 50/100"},
        {"100", "Cien pesos 00/100"},
        {"115.07", "Ciento quince pesos 07/100"},
        {"1000", "Un mil pesos 00/100"},
        {"2345678.9", "Dos millón trescientos cuarenta y cinco mil seiscientos setenta y ocho pesos 90/100"},
        {"120.50", "Ciento veinte pesos 50/100"},
        {"5000300", "Cinco millón trescientos pesos 00/100"},
        {"1000000", "Un millón pesos 00/100"},
        {"1000000000", "Un millón pesos 00/100"},
        {"3000000000000", "Tres trillón pesos 00/100"},
        {"0.99", "Cero pesos 99/100"},
        {"12.345", "Doce pesos 345/100"},
        {"1", "Un peso 00/100"},
        {"1.5", "Un peso 50/100"},
        {"101", "Ciento un pesos 00/100"},
        {"555", "Quinientos cincuenta y cinco pesos 00/100"},
        {"777", "Setecientos setenta y siete pesos 00/100"},
        {"999", "Novecientos noventa y nueve pesos 00/100"},
        {"216", "Doscientos dieciseis pesos 00/100"},
        {"410", "Cuatrocientos diez pesos 00/100"},
        {"20000", "Veinte mil pesos 00/100"},
        {"200000", "Doscientos mil pesos 00/100"},
        {"922337203685477.5807", "Novecientos veinte y dos trillón trescientos treinta y siete millón "
                                 "doscientos tres millón seiscientos "
                                 "ochenta y cinco mil cuatrocientos setenta y siete pesos 5807/100"},
        {"-15.25", "Menos quince pesos 25/100"},
    };
    revisar(casos, std::size(casos), QStringLiteral("ESPAÑOL"), QStringLiteral("pesos"));
}

TEST(MontoANombre, EnglishAmountsReadInDollarsAndCents) {
    const Caso casos[] = {
        {"0", "Zero Dollars and zero Cents"},
        {"1", "One Dollar and zero Cents"},
        {"21.5", "Twenty One Dollars and 50 Cents"},
        {"115.07", "One hundred Fifteen Dollars and 07 Cents"},
        {"2001", "Two Thousand One Dollars and zero Cents"},
        {"1000000000", "One Billion Dollars and zero Cents"},
    };
    revisar(casos, std::size(casos), QStringLiteral("ingles"), QStringLiteral("pesos"));
}

TEST(MontoANombre, TheSingularOfTheCurrencyAfterOne) {
    EXPECT_EQ(MontoANombre(monto("1"), QStringLiteral("español"), QStringLiteral("dólares")),
              QStringLiteral("Un dólar 00/100"));
    EXPECT_EQ(MontoANombre(monto("1"), QStringLiteral("ESPAÑOL"), QStringLiteral("euros")),
              QStringLiteral("Un euro 00/100"));
}

TEST(MontoANombre, PartsRefuseWhatIsNotADigitGroup) {
    const QString es = QStringLiteral("ESPAÑOL");
    EXPECT_EQ(nerin::NombreDigito(QStringLiteral("0"), es), QString());
    EXPECT_EQ(nerin::NombreDigito(QStringLiteral("x"), es), QString());
    EXPECT_EQ(nerin::NombreDigito(QStringLiteral("12"), es), QString());
    EXPECT_EQ(nerin::NombreDecenas(QStringLiteral("07"), es), QString());
    EXPECT_EQ(nerin::NombreDecenas(QStringLiteral("3x"), es), QString());
    EXPECT_EQ(nerin::NombreDecenas(QStringLiteral("30"), es), QStringLiteral("treinta "));
    EXPECT_EQ(nerin::NombreCientos(QStringLiteral("000"), es), QString());
    EXPECT_EQ(nerin::NombreCientos(QStringLiteral("1234"), es), QString());
    EXPECT_EQ(nerin::NombreCientos(QStringLiteral("200"), es), QStringLiteral("doscientos "));
    EXPECT_EQ(nerin::NombreCientos(QStringLiteral("5"), es), QStringLiteral("cinco"));
}
