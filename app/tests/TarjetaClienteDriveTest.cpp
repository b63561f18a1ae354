// Loyalty cards through the real nerin-terminal and the stand-in loyalty service: a customer's card at
// the payment screen and the points it earns when the table closes, a service that went away, a
// tampered card and a garbled reply, and a permanent card activated with its temporary card.
#include "app/tests/TerminalDriveFixture.h"
#include "crypto/MD5.h"
#include "loyalty/TramaLealtad.h"
#include "loyalty/clsWebService.h"
#include "loyalty/tests/ServicioLealtadPrueba.h"

#include <QRegularExpression>

namespace nerin {
namespace {

using namespace fakes;

// The line a keyboard card reader types for a loyalty card whose digest is that of `digestDe`.
QString pasar(const QString& tarjeta, const QString& digestDe = {}) {
    return QStringLiteral("swipe %") +
           MD5().DigestStrToHexStr(QStringLiteral("ZorP") + (digestDe.isEmpty() ? tarjeta : digestDe)) +
           QStringLiteral("_N") + tarjeta + u'_';
}

const QString kElena = QStringLiteral("100000000000017");

class TarjetaClienteDriveTest : public TerminalDriveFixture {
protected:
    void SetUp() override {
        TerminalDriveFixture::SetUp();
        ASSERT_TRUE(m_servicio.iniciado()) << m_servicio.error().toStdString();
        sql(QStringLiteral("UPDATE Parametros SET Valor_Cad='%1' WHERE Id_Parametro='URL_LEALTAD'")
                .arg(m_servicio.url()));
    }

    // mesero1 opens the payment screen of table 15 (order 2, $420.00).
    static QStringList aLaCaja() {
        return {kTarjetaMesero1,
                QStringLiteral("select Spread 2"),
                QStringLiteral("expect Spread 15"),
                QStringLiteral("click cmdVerMesa"),
                QStringLiteral("click cmdOperaciones"),
                QStringLiteral("click cmdPagar")};
    }
    // Pays the $420.00 in cash and closes the table; the accrual then runs in a wait of its own, which
    // the script sits out before it leaves the order.
    static QStringList pagarYCerrar(const QStringList& alCerrar = {}) {
        return QStringList{
                   QStringLiteral("click cmdTipoPago1"), QStringLiteral("enter 420"),
                   QStringLiteral("click cmdAceptar"),   QStringLiteral("expect-message ¡Desea Facturar?"),
                   QStringLiteral("answer no"),          QStringLiteral("expect-message ¿Cerrar la mesa?"),
                   QStringLiteral("answer yes")} +
               alCerrar + QStringList{QStringLiteral("wait 3000"), QStringLiteral("click cmdSalir")};
    }
    QStringList abonos() {
        SqliteConnection conexion(baseDeDatos());
        EXPECT_TRUE(conexion.open().isOk());
        auto filas = conexion.query(QStringLiteral("SELECT ID_Comanda, Control, Num_Cuenta, CveCliente, "
                                                   "Autorizacion, Monto, Estado FROM Abono_Lealtad"));
        QStringList abonos;
        for (; filas.isOk() && !filas->eof(); filas->moveNext()) {
            QStringList campos;
            for (int i = 0; i < 7; ++i)
                campos.append(filas->value(i).toString());
            abonos.append(campos.join(u'|'));
        }
        return abonos;
    }

    ServicioLealtadPrueba m_servicio;
};

TEST_F(TarjetaClienteDriveTest, TheCardAtPaymentShowsItsOwnerAndTheTicketTheAccruedPoints) {
    // The ticket's loyalty block.
    sql(QStringLiteral("UPDATE FuncionesXTerminal SET Estado=1 WHERE ID_Terminal=1 AND ID_Funcion=19"));
    EXPECT_EQ(conducir(aLaCaja() +
                       QStringList{QStringLiteral("click cmdTarjetaCliente"),
                                   QStringLiteral("expect lblTitulo Tarjeta de cliente"), pasar(kElena),
                                   QStringLiteral("expect lblNombre ELENA VARGAS RIOS"),
                                   QStringLiteral("expect lblSaldo Puntos: 250, Pesos: 62.50"),
                                   QStringLiteral("click cmdAceptar"),
                                   QStringLiteral(
                                       "expect lblCliente ELENA VARGAS RIOS, Puntos: 250, Saldo: $62.50")} +
                       pagarYCerrar()),
              0)
        << m_errores.toStdString();
    EXPECT_EQ(abonos(), QStringList{QStringLiteral("2|1|1|100000000000017|2-1-1|42000|A")});
    const qint64 puntos =
        valor(QStringLiteral("SELECT NuevoSaldoP FROM Clientes WHERE CveCliente=100000000000017")).toInt();
    EXPECT_GT(puntos, 250);
    imprimirCola();
    const QString caja = impresoEn("caja.txt");
    EXPECT_TRUE(caja.contains(QRegularExpression(QStringLiteral("Pasta-Puntos: +%1\n").arg(puntos))))
        << caja.toStdString();
}

TEST_F(TarjetaClienteDriveTest, WithTheServiceGoneTheTableStillClosesAndPrintsAndMayAccrueLater) {
    sql(QStringLiteral("UPDATE Cuenta SET CveCliente=100000000000017 WHERE ID_Comanda=2"));
    m_servicio.detener();
    EXPECT_EQ(
        conducir(aLaCaja() +
                 pagarYCerrar({QStringLiteral("expect-message Error: No se pudo conectar con el servicio de "
                                              "lealtad."),
                               QStringLiteral("answer ok")})),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT Abierta FROM Comanda WHERE ID_Comanda=2")).toInt(), 0);
    EXPECT_TRUE(abonos().isEmpty());
    imprimirCola();
    EXPECT_TRUE(impresoEn("caja.txt").contains(QStringLiteral("Cliente: ELENA")));
}

TEST_F(TarjetaClienteDriveTest, ATamperedCardAsksNothingAndAGarbledReplyRefusesTheCard) {
    ASSERT_TRUE(m_servicio.control(QStringLiteral("malformada")));
    EXPECT_EQ(conducir(aLaCaja() +
                       QStringList{QStringLiteral("click cmdTarjetaCliente"),
                                   pasar(kElena, QStringLiteral("100000000000025")),
                                   QStringLiteral("expect-message Tarjeta Invalida!"),
                                   QStringLiteral("answer ok"), pasar(kElena),
                                   QStringLiteral("expect-message La respuesta no tiene estructura JSON."),
                                   QStringLiteral("answer ok"), QStringLiteral("click cmdCancelar"),
                                   QStringLiteral("click cmdCancelar"), QStringLiteral("click cmdSalir")}),
              0)
        << m_errores.toStdString();
    EXPECT_EQ(m_servicio.solicitudes().size(), 1); // the intact card's balance only
    EXPECT_EQ(valor(QStringLiteral("SELECT ISNULL(CveCliente,0) FROM Cuenta WHERE ID_Comanda=2")).toInt(), 0);
}

TEST_F(TarjetaClienteDriveTest, ASlowServiceIsLeftWithTheWaitWindowsKeyAndTheScreenGoesOn) {
    ASSERT_TRUE(m_servicio.control(QStringLiteral("normal"), 10000));
    EXPECT_EQ(
        conducir(aLaCaja() +
                 QStringList{QStringLiteral("click cmdTarjetaCliente"), pasar(kElena),
                             QStringLiteral("click cmdCancelarEspera"),
                             QStringLiteral("expect-message Se canceló la consulta al servicio de lealtad."),
                             QStringLiteral("answer ok"), QStringLiteral("click cmdCancelar"),
                             QStringLiteral("click cmdCancelar"), QStringLiteral("click cmdSalir")}),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT ISNULL(CveCliente,0) FROM Cuenta WHERE ID_Comanda=2")).toInt(), 0);
}

TEST_F(TarjetaClienteDriveTest, APermanentCardIsActivatedWithItsTemporaryCardsFolio) {
    // The manager's card opens his newest order (table 5 is made his), whose functions menu offers
    // the activation. The temporary card 1000001 is given to a customer first, as the customer screen
    // does.
    sql(QStringLiteral("UPDATE Comanda SET ID_Empleado=2 WHERE ID_Comanda=1"));
    clsWebService registro(m_servicio.url());
    ASSERT_TRUE(TramaLealtad::leer(registro.Register(TramaLealtad::armar(
                                       {{QStringLiteral("Age"), QStringLiteral("40")},
                                        {QStringLiteral("City"), QStringLiteral("LEON")},
                                        {QStringLiteral("Email"), QStringLiteral("oconnor@example.com")},
                                        {QStringLiteral("FirstName"), QStringLiteral("PATRICK")},
                                        {QStringLiteral("Gender"), QStringLiteral("M")},
                                        {QStringLiteral("LastName"), QStringLiteral("O'CONNOR")},
                                        {QStringLiteral("OperationType"), QStringLiteral("I")},
                                        {QStringLiteral("PostalCode"), QStringLiteral("37000")},
                                        {QStringLiteral("Temp_Card"), QStringLiteral("1000001")}})))
                    ->exito());
    EXPECT_EQ(
        conducir({kTarjetaGerente1, QStringLiteral("click cmdUtilierias"),
                  QStringLiteral("click cmdArticulos"), QStringLiteral("click cmdTarjetaProvisional"),
                  QStringLiteral("enter 1000001"), QStringLiteral("enter 1000002"),
                  QStringLiteral("expect-message El folio no corresponde, intenta nuevamente!"),
                  QStringLiteral("answer ok"), QStringLiteral("click cmdTarjetaProvisional"),
                  QStringLiteral("enter 1000001"), QStringLiteral("enter 1000001"),
                  QStringLiteral("expect lblTitulo Pase la tarjeta permanente"),
                  pasar(QStringLiteral("100000000000033")),
                  QStringLiteral("expect-message OffLine: Tarjeta Valida!"), QStringLiteral("answer ok"),
                  QStringLiteral("expect-message Activación correcta!"), QStringLiteral("answer ok")}),
        0)
        << m_errores.toStdString();
    EXPECT_TRUE(m_servicio.solicitudes().last().texto.contains(
        QStringLiteral(R"("TempCard:1000001","CardNumber:100000000000033","OperationType:A")")));
}

} // namespace
} // namespace nerin
