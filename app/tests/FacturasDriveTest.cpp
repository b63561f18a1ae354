// Invoicing through the real nerin-terminal: the waiter pays table 15 in cash and invoices it to a
// customer found by R.F.C., stores a new customer whose name has a quote, and a terminal without a
// fiscal printer refuses to print.
#include "app/tests/TerminalDriveFixture.h"

namespace nerin {
namespace {

using namespace fakes;

class FacturasDriveTest : public TerminalDriveFixture {
protected:
    // mesero1 pays table 15 (order 2, $420.00) in cash and says yes to the invoice.
    static QStringList pagarYFacturar() {
        return {kTarjetaMesero1,
                QStringLiteral("select Spread 2"),
                QStringLiteral("expect Spread 15"),
                QStringLiteral("click cmdVerMesa"),
                QStringLiteral("click cmdOperaciones"),
                QStringLiteral("click cmdPagar"),
                QStringLiteral("click cmdTipoPago1"),
                QStringLiteral("enter 420"),
                QStringLiteral("click cmdAceptar"),
                QStringLiteral("expect-message ¡Desea Facturar?"),
                QStringLiteral("answer yes"),
                QStringLiteral("click cmdBuscarRFC"),
                QStringLiteral("enter SAL120504KP3"),
                QStringLiteral("expect txtrazon SERVICIOS ALIMENTARIOS DEL LAGO SA DE CV"),
                QStringLiteral("click cmdImprimir")};
    }
    static QStringList cerrarMesa() {
        return {QStringLiteral("click cmdCancelar"), QStringLiteral("expect-message ¿Cerrar la mesa?"),
                QStringLiteral("answer yes"), QStringLiteral("click cmdSalir")};
    }
};

TEST_F(FacturasDriveTest, TheCashierInvoicesAPaidTableAndStoresANewCustomer) {
    EXPECT_EQ(
        conducir(pagarYFacturar() +
                 QStringList{QStringLiteral("click cmdNuevo"), QStringLiteral("expect txtCveCliente 4"),
                             QStringLiteral("expect txtRFC "), QStringLiteral("click cmdEditarRFC"),
                             QStringLiteral("enter DAN010101AB1"), QStringLiteral("click cmdEditarrazon"),
                             QStringLiteral("enter D'ANGELO Y ASOCIADOS"), QStringLiteral("click cmdAceptar"),
                             QStringLiteral("expect-message Se guardo con exito el cliente!"),
                             QStringLiteral("answer ok")} +
                 cerrarMesa()),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT Razon FROM Clientes WHERE CveCliente=4")).toString(),
              QStringLiteral("D'ANGELO Y ASOCIADOS"));
    EXPECT_EQ(valor(QStringLiteral("SELECT Facturada FROM Cuenta WHERE ID_Comanda=2")).toInt(), 1);

    imprimirCola();
    const QString caja = impresoEn("caja.txt");
    for (const char* texto : {"SERVICIOS ALIMENTARIOS DEL LAGO SA DE CV", "R.F.C. SAL120504KP3",
                              "Consumo :", "% IVA :", "Total :", "(Cuatrocientos veinte pesos 00/100 M.N.)"})
        EXPECT_EQ(caja.count(QString::fromUtf8(texto)), 1) << texto << "\n" << caja.toStdString();
}

TEST_F(FacturasDriveTest, ATerminalWithoutAFiscalPrinterRefuses) {
    ajustar(QStringLiteral("Terminal"), QStringLiteral("2"));
    EXPECT_EQ(
        conducir(pagarYFacturar() +
                 QStringList{QStringLiteral("expect-message No hay impresoras fiscales en esta terminal!"),
                             QStringLiteral("answer ok")} +
                 cerrarMesa()),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo WHERE Tipo='F'")).toInt(), 0);
    EXPECT_EQ(valor(QStringLiteral("SELECT Facturada FROM Cuenta WHERE ID_Comanda=2")).toInt(), 0);
}

} // namespace
} // namespace nerin
