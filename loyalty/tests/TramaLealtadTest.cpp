#include "loyalty/TramaLealtad.h"

#include "loyalty/FirmaTransaccion.h"

#include <gtest/gtest.h>

namespace nerin {
namespace {

using Campo = TramaLealtad::Campo;

TEST(TramaLealtadTest, RequestsFrameEachFieldAndLeaveOutQuotesThatWouldBreakTheFrame) {
    EXPECT_EQ(TramaLealtad::armar({{QStringLiteral("TempCard"), QStringLiteral("1234567")},
                                   {QStringLiteral("CardNumber"), QStringLiteral("123456789012345")},
                                   {QStringLiteral("OperationType"), QStringLiteral("A")}}),
              QStringLiteral(R"({"TempCard:1234567","CardNumber:123456789012345","OperationType:A"})"));
    const QString conComillas = TramaLealtad::armar(
        {{QStringLiteral("Name"), QStringLiteral(R"(Juan "el Güero", Pérez)")}, {QStringLiteral("X"), {}}});
    EXPECT_EQ(conComillas, QStringLiteral(R"({"Name:Juan el Güero, Pérez","X:"})"));
    // What is sent reads back field by field.
    const auto leida = TramaLealtad::leer(conComillas);
    ASSERT_TRUE(leida);
    EXPECT_EQ(leida->campos, (QList<Campo>{{QStringLiteral("Name"), QStringLiteral("Juan el Güero, Pérez")},
                                           {QStringLiteral("X"), QString()}}));
}

TEST(TramaLealtadTest, RepliesAreReadWhenFramedAndSplitAtTheFirstColon) {
    const struct {
        const char* texto;
        bool enmarcada;
        const char* codigo;
        const char* mensaje;
        bool exito;
    } casos[] = {
        {R"({"Result:1","Message:Activada"})", true, "1", "Activada", true},
        {R"(  {"Result:0","Message:Error: tarjeta vencida"}  )", true, "0", "Error: tarjeta vencida", false},
        {R"({"Result:1"})", true, "1", "", true}, // a single pair: no message, no crash
        {R"({"Result"})", true, "", "", false},   // no colon: a key without value
        {R"({"Result:1","Message:sin cierre})", false, "", "", false},
        {R"(Result:1)", false, "", "", false},
        {"", false, "", "", false},
        {R"({""})", true, "", "", false},
    };
    for (const auto& caso : casos) {
        const auto respuesta = TramaLealtad::leer(QString::fromUtf8(caso.texto));
        ASSERT_EQ(respuesta.has_value(), caso.enmarcada) << caso.texto;
        if (!respuesta)
            continue;
        EXPECT_EQ(respuesta->codigo(), QString::fromUtf8(caso.codigo)) << caso.texto;
        EXPECT_EQ(respuesta->mensaje(), QString::fromUtf8(caso.mensaje)) << caso.texto;
        EXPECT_EQ(respuesta->exito(), caso.exito) << caso.texto;
    }
}

TEST(FirmaTransaccionTest, TheDefaultSignatureIsTheUpperCaseMd5OfSaltDateCardAndAmount) {
    const QString entrada = FirmaTransaccion::entrada(
        QStringLiteral("07122026"), QStringLiteral("123456789012345"), QStringLiteral("150.00"));
    EXPECT_EQ(entrada, QStringLiteral("ZorP07122026123456789012345150.00"));
    // The MD5 of "abc" is known; the hash is that digest in upper case.
    EXPECT_EQ(FirmaMd5().firmar(QStringLiteral("abc")), QStringLiteral("900150983CD24FB0D6963F7D28E17F72"));
    // The setting names the signer; a name no signer has still signs with MD5, and says so.
    for (const auto& [nombre, desconocida] : {std::pair("", false), {"md5", false}, {"SHA256", true}}) {
        bool dicha = !desconocida;
        EXPECT_EQ(FirmaTransaccion::crear(QString::fromLatin1(nombre), &dicha)->firmar(QStringLiteral("abc")),
                  QStringLiteral("900150983CD24FB0D6963F7D28E17F72"));
        EXPECT_EQ(dicha, desconocida) << nombre;
    }
}

} // namespace
} // namespace nerin
