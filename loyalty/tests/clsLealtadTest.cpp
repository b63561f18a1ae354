#include "loyalty/clsLealtad.h"

#include "crypto/MD5.h"
#include "keyboards/ScriptedPrompts.h"
#include "loyalty/FirmaTransaccion.h"
#include "loyalty/clsWebService.h"

#include <gtest/gtest.h>

namespace nerin {
namespace {

const QString kTarjeta = QStringLiteral("123456789012345");

TEST(clsLealtadTest, AnActivationIsSentOnlyWithBothCardsWhole) {
    const struct {
        const char* tarjeta;
        const char* temporal;
        const char* aviso; // the check that failed; none when the request is made
    } casos[] = {
        {"12345678901234", "1234567", "Tarjeta Permanente debe ser a 15 dígitos"},
        {"12345678901234X", "1234567", "Completar Tarjeta Permanente, Solo números"},
        {"", "1234567", "Completar Tarjeta Permanente, Solo números"},
        {"123456789012345", "", "Completar Tarjeta Temporal"},
        {"123456789012345", "123456", "Tarjeta temporal debe ser a 7 dígitos"},
        {"123456789012345", "1234567", nullptr},
    };
    for (const auto& caso : casos) {
        ScriptedPrompts prompts;
        clsLealtad lealtad(prompts);
        lealtad.cardnumber = QString::fromUtf8(caso.tarjeta);
        lealtad.tempcard = QString::fromUtf8(caso.temporal);
        const std::optional<QString> solicitud = lealtad.solicitudActivar();
        if (!caso.aviso) {
            EXPECT_EQ(
                solicitud,
                QStringLiteral(R"({"TempCard:1234567","CardNumber:123456789012345","OperationType:A"})"));
            EXPECT_TRUE(prompts.asked().isEmpty());
            continue;
        }
        EXPECT_FALSE(solicitud) << caso.aviso;
        ASSERT_EQ(prompts.asked().size(), 1) << caso.aviso;
        EXPECT_EQ(prompts.asked().first().texto, QString::fromUtf8(caso.aviso));
        EXPECT_EQ(lealtad.responsemessage, QString::fromUtf8(clsLealtad::kValidacion));
    }
}

TEST(clsLealtadTest, ABalanceAsksWithTheLastTransactionAndReadsOwnerPointsAndPesos) {
    ScriptedPrompts prompts;
    clsLealtad lealtad(prompts);
    lealtad.cardnumber = kTarjeta;
    lealtad.branchid = QStringLiteral("7");
    EXPECT_EQ(
        lealtad.solicitudSaldo(),
        QStringLiteral(R"({"CardNumber:123456789012345","BranchID:7","AuthorizationCode:","Description:",)"
                       R"("Hash:","MonetaryAmount:","TransactionDate:","TransactionType:B","Ticket:1",)"
                       R"("Bill:1","IdSeller:1"})"));

    EXPECT_FALSE(lealtad.leerRespuesta(QStringLiteral(R"({"Result:1","Message:ok")"), true));
    EXPECT_EQ(lealtad.responsemessage, QString::fromUtf8(clsLealtad::kSinEstructura));
    EXPECT_FALSE(
        lealtad.leerRespuesta(QStringLiteral(R"({"Result:0","Message:Error: tarjeta vencida"})"), true));
    EXPECT_EQ(lealtad.responsemessage, QStringLiteral("Error: tarjeta vencida"));
    EXPECT_TRUE(lealtad.cardownername.isEmpty());
    EXPECT_TRUE(lealtad.leerRespuesta(
        QStringLiteral(R"({"Result:1","Message:Saldo","Name:Ana Ruiz","Points:120","Pesos:60.50"})"), true));
    EXPECT_EQ(QStringList({lealtad.responsemessage, lealtad.cardownername, lealtad.points, lealtad.pesos}),
              QStringList({QStringLiteral("Saldo"), QStringLiteral("Ana Ruiz"), QStringLiteral("120"),
                           QStringLiteral("60.50")}));
}

TEST(clsLealtadTest, ATransactionIsSentOnlyWithEveryFieldFilled) {
    // Each case empties or spoils one field of a complete transaction; the service's address is
    // empty, so a request that passed its checks would fail for want of a service instead.
    const struct {
        QString clsLealtad::*campo;
        const char* valor;
        const char* aviso;
    } casos[] = {
        {&clsLealtad::cardnumber, "12345678901234", "Tarjeta Permanente debe ser a 15 dígitos"},
        {&clsLealtad::Description, " ", "Completar Apellidos"},
        {&clsLealtad::branchid, "", "Completar Sucursal"},
        {&clsLealtad::amount, "12.50", "Completar Monto, Solo números"},
        {&clsLealtad::ticket, "", "Completar Ticket, Solo números"},
        {&clsLealtad::bill, "1a", "Completar Cuenta, Solo números"},
        {&clsLealtad::seller, "-3", "Completar Vendedor, Solo números"},
        {&clsLealtad::transactiontype, "", "Completar Tipo de transacción"},
    };
    const FirmaMd5 firma;
    for (const auto& caso : casos) {
        ScriptedPrompts prompts;
        clsWebService servicio(QString{});
        clsLealtad lealtad(prompts, servicio, firma, [] { return QDate(2026, 12, 7); });
        lealtad.cardnumber = kTarjeta;
        lealtad.Description = QStringLiteral("Abono por consumo en CENTRO");
        lealtad.branchid = QStringLiteral("1");
        lealtad.amount = QStringLiteral("71150");
        lealtad.ticket = QStringLiteral("12");
        lealtad.bill = QStringLiteral("1");
        lealtad.seller = QStringLiteral("3");
        lealtad.transactiontype = QStringLiteral("C");
        lealtad.*caso.campo = QString::fromUtf8(caso.valor);
        EXPECT_FALSE(lealtad.Transaccion()) << caso.aviso;
        EXPECT_EQ(prompts.mensajes(), QStringList{QString::fromUtf8(caso.aviso)});
        EXPECT_EQ(lealtad.responsemessage, QString::fromUtf8(clsLealtad::kDatosInvalidos));
        EXPECT_TRUE(lealtad.transactiondate.isEmpty()) << "nothing dated or signed before the checks pass";
    }
}

TEST(clsLealtadTest, ASwipedTrackBelongsToTheCardWhoseSaltedDigestItCarries) {
    const QString digest = MD5().DigestStrToHexStr(QStringLiteral("ZorP") + kTarjeta);
    const struct {
        QString track;
        QString tarjeta;
        bool valida;
    } casos[] = {
        {u'%' + digest + QStringLiteral("_N123_"), kTarjeta, true},
        {u'%' + digest + QStringLiteral("_N123_"), QStringLiteral("123456789012346"), false},
        {u'%' + digest, kTarjeta, false}, // no "_": no digest to read
        {QStringLiteral("%_N123_"), kTarjeta, false},
    };
    ScriptedPrompts prompts;
    for (const auto& caso : casos) {
        clsLealtad lealtad(prompts);
        lealtad.cardnumber = caso.tarjeta;
        lealtad.setCardTrack(caso.track);
        EXPECT_EQ(lealtad.ValidaTarjetaMD5(), caso.valida) << caso.track.toStdString();
    }
}

} // namespace
} // namespace nerin
