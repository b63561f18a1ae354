#include "loyalty/ValidacionTarjeta.h"

#include "crypto/MD5.h"
#include "startup/tests/StartupFixture.h"

#include <gtest/gtest.h>

namespace nerin::fakes {
namespace {

const QString kElena = QStringLiteral("100000000000017");

QString track(const QString& digestDe, const QString& tarjeta,
              const QString& separador = QStringLiteral("_N")) {
    return u'%' + MD5().DigestStrToHexStr(QStringLiteral("ZorP") + digestDe) + separador + tarjeta + u'_';
}

class ValidacionTarjetaTest : public StartupFixture {
protected:
    void SetUp() override {
        StartupFixture::SetUp();
        build();
        ASSERT_TRUE(baseDatos->ConectarBD());
    }
    QStringList cliente(const QString& tarjeta) {
        return rowsOf(
            dbFolder() + QStringLiteral("/DBNERIN.db"),
            // The name as the ticket joins it.
            QStringLiteral("SELECT nombrecliente + isnull(ApPaterno,'') + isnull(ApMaterno,''), Numtarjeta, "
                           "Num_Tarjeta, idtipocliente, SaldoAnteriorP, "
                           "SaldoAnterior, NuevoSaldoP, NuevoSaldo FROM Clientes WHERE CveCliente=") +
                tarjeta);
    }
};

TEST(ValidacionTarjetaReglas, TheWholeTrackIsReadFromItsPercentSignWithTheNumberAfterN) {
    const struct {
        const char* texto;
        const char* convertido;
        const char* numero;
    } casos[] = {
        {"  %ab12_N100000000000017_\r", "%AB12_N100000000000017_", "100000000000017"},
        {";x%AB12_ñ100000000000025_", "%AB12_Ñ100000000000025_", "100000000000025"},
        {"%AB12_N10000000000001_", "%AB12_N10000000000001_", ""}, // 14 digits
        {"%AB12_N1000000000000170_", "%AB12_N1000000000000170_", ""},
        {"%AB12", "%AB12_", ""},
        {"AB12_N100000000000017_", "", ""},
    };
    for (const auto& caso : casos) {
        const QString convertido = ValidacionTarjeta::convertir(QString::fromUtf8(caso.texto));
        EXPECT_EQ(convertido, QString::fromUtf8(caso.convertido)) << caso.texto;
        EXPECT_EQ(ValidacionTarjeta::numeroTarjeta(convertido), QString::fromUtf8(caso.numero)) << caso.texto;
    }
}

TEST(ValidacionTarjetaReglas, OnlyFifteenDigitKeysAreLoyaltyCards) {
    const struct {
        qint64 clave;
        bool tarjeta;
    } casos[] = {{0, false},
                 {3, false},
                 {99999999999999, false},
                 {100000000000000, true},
                 {999999999999999, true},
                 {1000000000000000, false}};
    for (const auto& caso : casos)
        EXPECT_EQ(ValidacionTarjeta::esTarjetaLealtad(caso.clave), caso.tarjeta) << caso.clave;
}

TEST_F(ValidacionTarjetaTest, OffLineATrackIsAcceptedOnItsDigestAlone) {
    const struct {
        QString texto;
        const char* mensaje;
        const char* cliente;
    } casos[] = {
        {track(kElena, kElena), ValidacionTarjeta::kOffLine, "100000000000017"},
        {track(kElena, kElena, QStringLiteral("_Ñ")), ValidacionTarjeta::kOffLine, "100000000000017"},
        {track(kElena, QStringLiteral("100000000000025")), ValidacionTarjeta::kInvalida, ""},
        {track(kElena, kElena).replace(3, 1, u'0'), ValidacionTarjeta::kInvalida, ""},
    };
    for (const auto& caso : casos) {
        ValidacionTarjeta validacion(*context);
        EXPECT_EQ(validacion.validar(caso.texto, false), *caso.cliente != '\0') << caso.texto.toStdString();
        EXPECT_EQ(prompts.mensajes().last(), QString::fromUtf8(caso.mensaje));
        EXPECT_EQ(validacion.cliente(), QString::fromUtf8(caso.cliente));
    }
}

TEST_F(ValidacionTarjetaTest, TheMirrorKeepsOneRowPerCardWithBothCardColumnsAndEveryBalance) {
    const QString nueva = QStringLiteral("100000000000033");
    const struct {
        QString tarjeta;
        const char* nombre;
        const char* puntos;
        const char* pesos;
        const char* fila; // the card's row afterwards
    } casos[] = {
        {nueva, "ANA O'NEIL", "10", "2.50", "ANA O'NEIL|100000000000033|100000000000033|1|10|2.5|10|2.5"},
        // A second swipe of the same card updates its row.
        {nueva, "ANA O'NEIL", "15", "3.75", "ANA O'NEIL|100000000000033|100000000000033|1|15|3.75|15|3.75"},
        // A balance that is not a number writes nothing.
        {nueva, "ANA", "15'", "3.75", "ANA O'NEIL|100000000000033|100000000000033|1|15|3.75|15|3.75"},
        {nueva, "ANA", "15", "1,000.00", "ANA O'NEIL|100000000000033|100000000000033|1|15|3.75|15|3.75"},
        {kElena, "ELENA VARGAS RIOS", "300", "75",
         "ELENA VARGAS RIOS|100000000000017|100000000000017|1|300|75|300|75"},
    };
    for (const auto& caso : casos) {
        ValidacionTarjeta validacion(*context);
        const bool aceptada =
            validacion.reflejar(caso.tarjeta, QString::fromUtf8(caso.nombre), QString::fromUtf8(caso.puntos),
                                QString::fromUtf8(caso.pesos));
        EXPECT_EQ(aceptada, validacion.cliente() == caso.tarjeta);
        EXPECT_EQ(cliente(caso.tarjeta), QStringList{QString::fromUtf8(caso.fila)}) << caso.puntos;
    }
    EXPECT_EQ(prompts.mensajes(), QStringList(2, QString::fromUtf8(ValidacionTarjeta::kSaldoNoValido)));
}

} // namespace
} // namespace nerin::fakes
