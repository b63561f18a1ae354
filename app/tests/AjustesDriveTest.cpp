// The real nerin-terminal correcting a payment: the cashier adjusts the tip and the type of the card
// payment of closed table 3, prints the list, and deletes the payment, which puts the table back
// among the open ones with its whole amount due.
#include "app/tests/TerminalDriveFixture.h"

namespace nerin {
namespace {

using namespace fakes;

class AjustesDriveTest : public TerminalDriveFixture {};

// Demo: table 3 (order 3, mesero2) is closed, paid 631.00 by credit card with a tip of 95.00.
TEST_F(AjustesDriveTest, AdjustTipAndTypeThenDeleteThePaymentToReopenTheTable) {
    EXPECT_EQ(conducir({kTarjetaCajero1,
                        QStringLiteral("click cmdUtilerias"),
                        QStringLiteral("click cmdArticulos"),
                        QStringLiteral("click cmdPropinas"),
                        QStringLiteral("click cmdAjustarPropina"),
                        QStringLiteral("expect-message Seleccione alguna cuenta para modificar!"),
                        QStringLiteral("answer ok"),
                        QStringLiteral("select grdPagos 1"),
                        QStringLiteral("click cmdAjustarPropina"),
                        QStringLiteral("click cmdLimpiar"),
                        QStringLiteral("enter 100"),
                        QStringLiteral("expect grdPagos 100.00"),
                        QStringLiteral("click cmdAjustarTipo"),
                        QStringLiteral("click cmdAceptar"),
                        QStringLiteral("expect-message Seleccione un tipo de pago!"),
                        QStringLiteral("answer ok"),
                        QStringLiteral("click TARJETA DE DEBITO"),
                        QStringLiteral("click cmdAceptar"),
                        QStringLiteral("expect grdPagos TARJETA DE DEBITO"),
                        QStringLiteral("click cmdImprimir"),
                        QStringLiteral("click cmdBorrar"),
                        QStringLiteral("expect-message ¿Esta seguro de querer borrar el pago?"),
                        QStringLiteral("answer yes"),
                        QStringLiteral("expect-message La mesa fue reabierta"),
                        QStringLiteral("answer ok"),
                        QStringLiteral("click cmdCancelar"),
                        QStringLiteral("click cmdMesasAbiertas"),
                        QStringLiteral("select Spread 1"),
                        QStringLiteral("expect Spread 3"),
                        QStringLiteral("expect Spread 631.00"),
                        QStringLiteral("click cmdSalir")}),
              0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM Pago WHERE ID_Comanda=3")).toInt(), 0);
    EXPECT_EQ(valor(QStringLiteral("SELECT Pagada FROM Cuenta WHERE ID_Comanda=3")).toInt(), 0);
    EXPECT_EQ(valor(QStringLiteral("SELECT Transaccion FROM Transacciones")).toString(),
              QStringLiteral("DELETE FROM Pago WHERE ID_Pago=1"));

    // The list printed on the cashier's printer, with the adjusted tip.
    imprimirCola();
    const QString impreso = impresoEn("caja.txt");
    EXPECT_TRUE(impreso.contains(QStringLiteral("Propina"))) << impreso.toStdString();
    EXPECT_TRUE(impreso.contains(QStringLiteral("$100.00"))) << impreso.toStdString();
}

} // namespace
} // namespace nerin
