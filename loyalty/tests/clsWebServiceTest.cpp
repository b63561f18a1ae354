#include "loyalty/clsWebService.h"

#include "keyboards/DialogoEspera.h"
#include "keyboards/ScriptedPrompts.h"
#include "loyalty/FirmaTransaccion.h"
#include "loyalty/SobreSoap.h"
#include "loyalty/clsLealtad.h"
#include "loyalty/tests/ServicioLealtadPrueba.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace nerin {
namespace {

using Estado = clsWebService::Estado;

const QString kElena = QStringLiteral("100000000000017");

// Signs every transaction with the same wrong digest.
class FirmaAjena : public FirmaTransaccion {
public:
    QString firmar(const QString&) const override { return QString(32, u'0'); }
};

class clsWebServiceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_servicio.iniciado()) << m_servicio.error().toStdString(); }

    fakes::ServicioLealtadPrueba m_servicio;
    ScriptedPrompts m_prompts;
    FirmaMd5 m_firma;
};

TEST(SobreSoapTest, TextsWithMarkupCharactersCrossTheEnvelopeUnchanged) {
    const QString texto = QStringLiteral(R"({"FirstName:Ana "La" <&> O'Connor","Pesos:1.00"})");
    for (const QString& operacion : {QStringLiteral("Process"), QStringLiteral("Register")}) {
        const auto solicitud = SobreSoap::leerSolicitud(SobreSoap::solicitud(operacion, texto));
        ASSERT_TRUE(solicitud);
        EXPECT_EQ(solicitud->operacion, operacion);
        EXPECT_EQ(solicitud->mensaje, texto);
        const auto respuesta = SobreSoap::leerRespuesta(SobreSoap::respuesta(operacion, texto), operacion);
        ASSERT_TRUE(respuesta);
        EXPECT_FALSE(respuesta->falla);
        EXPECT_EQ(respuesta->texto, texto);
        // The reply of another operation is not this one's.
        EXPECT_FALSE(
            SobreSoap::leerRespuesta(SobreSoap::respuesta(operacion, texto), QStringLiteral("Activate")));
    }
    const auto falla = SobreSoap::leerRespuesta(SobreSoap::falla(QStringLiteral("soap:Server"), texto),
                                                QStringLiteral("Process"));
    ASSERT_TRUE(falla);
    EXPECT_TRUE(falla->falla);
    EXPECT_EQ(falla->texto, texto);
    EXPECT_FALSE(SobreSoap::leerSolicitud("<x>no</x>"));
}

TEST_F(clsWebServiceTest, ABalanceCallEndsAsTheServiceBehavesAndIsNeverSentTwice) {
    const struct {
        const char* modo;
        int demoraMs;
        Estado estado;
        const char* mensaje; // clsLealtad's responsemessage
    } casos[] = {
        {"normal", 0, Estado::Respondio, "OK"},
        {"falla", 0, Estado::Falla,
         "El servicio de lealtad informó una falla: Falla simulada del servicio de lealtad"},
        {"malformada", 0, Estado::Respondio, clsLealtad::kSinEstructura},
        {"cerrar", 0, Estado::SinRespuesta,
         "Se perdió la conexión con el servicio de lealtad antes de su respuesta."},
        {"normal", 2000, Estado::SinRespuesta, "El servicio de lealtad no respondió a tiempo."},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.modo);
        ASSERT_TRUE(m_servicio.control(QString::fromLatin1(caso.modo), caso.demoraMs));
        const qsizetype antes = m_servicio.solicitudes().size();
        clsWebService ws(m_servicio.url());
        ws.setTiempos(1000, 600);
        clsLealtad lealtad(m_prompts, ws, m_firma);
        lealtad.cardnumber = kElena;
        EXPECT_EQ(lealtad.Saldo(), caso.estado == Estado::Respondio && caso.modo == std::string("normal"));
        EXPECT_EQ(ws.ultima().estado, caso.estado);
        EXPECT_EQ(ws.ultima().intentos, 1);
        EXPECT_EQ(lealtad.responsemessage, QString::fromUtf8(caso.mensaje));
        EXPECT_EQ(m_servicio.solicitudes().size(), antes + 1);
    }
    ASSERT_TRUE(m_servicio.control(QStringLiteral("normal")));
    clsWebService ws(m_servicio.url());
    clsLealtad lealtad(m_prompts, ws, m_firma);
    lealtad.cardnumber = kElena;
    ASSERT_TRUE(lealtad.Saldo());
    EXPECT_EQ(
        QStringList({lealtad.cardownername, lealtad.points, lealtad.pesos}),
        QStringList({QStringLiteral("ELENA VARGAS RIOS"), QStringLiteral("250"), QStringLiteral("62.50")}));
}

TEST_F(clsWebServiceTest, AServiceThatCannotBeReachedIsTriedAtMostFourTimesForEveryOperation) {
    const QString url = m_servicio.url();
    m_servicio.detener();
    const struct {
        QString url;
        int intentos;
        const char* error;
    } casos[] = {
        {QString(), 0, "No hay dirección del servicio de lealtad (URL_LEALTAD)."},
        {url, clsWebService::kIntentos, "No se pudo conectar con el servicio de lealtad."},
    };
    for (const auto& caso : casos) {
        clsWebService ws(caso.url);
        for (const auto operacion :
             {&clsWebService::Process, &clsWebService::Register, &clsWebService::Activate}) {
            EXPECT_EQ((ws.*operacion)(QStringLiteral(R"({"CardNumber:1"})")), QString());
            EXPECT_EQ(ws.ultima().estado, Estado::SinConexion);
            EXPECT_EQ(ws.ultima().intentos, caso.intentos);
            EXPECT_EQ(ws.ultima().error, QString::fromUtf8(caso.error));
        }
    }
    EXPECT_TRUE(m_servicio.solicitudes().isEmpty());
}

TEST_F(clsWebServiceTest, TheWaitWindowShowsOnlyForASlowCallAndItsKeyCancelsIt) {
    DialogoEspera espera;
    int mostrada = 0;
    QTimer vigia; // a person who touches "Cancelar" as soon as the window is there
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (!espera.isVisible())
            return;
        ++mostrada;
        espera.findChild<QPushButton*>(QStringLiteral("cmdCancelarEspera"))->click();
    });
    vigia.start(20);
    clsWebService ws(m_servicio.url(), &espera);
    EXPECT_FALSE(ws.Process(QStringLiteral(R"({"CardNumber:1"})")).isEmpty());
    EXPECT_EQ(mostrada, 0);

    ASSERT_TRUE(m_servicio.control(QStringLiteral("normal"), 5000));
    QElapsedTimer reloj;
    reloj.start();
    EXPECT_EQ(ws.Process(QStringLiteral(R"({"CardNumber:1"})")), QString());
    EXPECT_GE(reloj.elapsed(), DialogoEspera::kDemoraMs);
    EXPECT_LT(reloj.elapsed(), 2000);
    EXPECT_EQ(mostrada, 1);
    EXPECT_FALSE(espera.isVisible());
    EXPECT_EQ(ws.ultima().estado, Estado::Cancelado);
    EXPECT_EQ(ws.ultima().error, QStringLiteral("Se canceló la consulta al servicio de lealtad."));
    EXPECT_EQ(espera.findChild<QLabel*>(QStringLiteral("lblEspera"))->text(),
              QStringLiteral("Consultando el servicio de lealtad…"));
}

TEST_F(clsWebServiceTest, ACardIsActivatedAndAccruesOncePerSignedAuthorisation) {
    clsWebService ws(m_servicio.url());
    // A customer on a free temporary card, with characters the envelope must escape.
    const QString alta = QStringLiteral(
        R"({"Age:40","City:León","Email:ana@example.com","FirstName:ANA","Gender:F","LastName:O'CONNOR <&>",)"
        R"("OperationType:I","PostalCode:37000","Temp_Card:1000001"})");
    ASSERT_TRUE(TramaLealtad::leer(ws.Register(alta))->exito()) << ws.ultima().error.toStdString();

    clsLealtad lealtad(m_prompts, ws, m_firma, [] { return QDate(2026, 12, 7); });
    lealtad.cardnumber = QStringLiteral("100000000000033");
    lealtad.tempcard = QStringLiteral("1000001");
    ASSERT_TRUE(lealtad.Activar()) << lealtad.responsemessage.toStdString();
    EXPECT_FALSE(lealtad.Activar());
    EXPECT_EQ(lealtad.responsemessage, QStringLiteral("La tarjeta permanente ya está activa"));

    FirmaAjena ajena;
    const struct {
        const FirmaTransaccion* firma;
        const char* autorizacion;
        bool acepta;
        const char* mensaje;
    } casos[] = {
        {&m_firma, "12-1-1", true, "OK"},
        {&m_firma, "12-1-1", false, "Autorización ya registrada"},
        {&ajena, "12-1-2", false, "Firma de la transacción inválida"},
    };
    for (const auto& caso : casos) {
        clsLealtad compra(m_prompts, ws, *caso.firma, [] { return QDate(2026, 12, 7); });
        compra.cardnumber = lealtad.cardnumber;
        compra.Description = QStringLiteral("Consumo");
        compra.branchid = QStringLiteral("1");
        compra.authorization = QString::fromLatin1(caso.autorizacion);
        compra.amount = QStringLiteral("25000"); // 250.00 pesos
        compra.transactiontype = QStringLiteral("A");
        compra.ticket = compra.bill = compra.seller = QStringLiteral("1");
        EXPECT_EQ(compra.Transaccion(), caso.acepta) << caso.autorizacion;
        EXPECT_EQ(compra.responsemessage, QString::fromUtf8(caso.mensaje));
    }
    ASSERT_TRUE(lealtad.Saldo());
    EXPECT_EQ(
        QStringList({lealtad.cardownername, lealtad.points, lealtad.pesos}),
        QStringList({QStringLiteral("ANA O'CONNOR <&>"), QStringLiteral("25"), QStringLiteral("12.50")}));
}

} // namespace
} // namespace nerin
