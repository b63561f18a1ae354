// The real nerin-terminal moving, joining, reopening and closing tables: a waiter moves a table from
// the open tables, and the cashier, from the functions menu, reopens a closed table, closes an empty
// one and joins two tables into one.
#include "app/tests/TerminalDriveFixture.h"

namespace nerin {
namespace {

using namespace fakes;

class MesasDriveTest : public TerminalDriveFixture {
protected:
    qint64 numero(const QString& sql) { return valor(sql).toInt(); }
};

// Demo: mesero1's tables 5 (order 1, 8 items) and 15 (order 2, 4 items) are open, table 3 (order 3)
// is closed and paid.
TEST_F(MesasDriveTest, MoveAndJoinTablesReopenAClosedOneAndCloseAnEmptyOne) {
    EXPECT_EQ(conducir({kTarjetaMesero1, QStringLiteral("expect lblTitulo SELECCIONAR MESA"),
                        QStringLiteral("select Spread 1"), QStringLiteral("click cmdTransferir"),
                        QStringLiteral("click cmdMesa"), QStringLiteral("click cmd2"),
                        QStringLiteral("click cmd2"), QStringLiteral("click cmdAceptar"),
                        // Now 15 and 22: table 22 cannot take the number 15, which is open.
                        QStringLiteral("select Spread 2"), QStringLiteral("expect Spread 22"),
                        QStringLiteral("click cmdTransferir"), QStringLiteral("click cmdMesa"),
                        QStringLiteral("click cmd1"), QStringLiteral("click cmd5"),
                        QStringLiteral("click cmdAceptar"),
                        QStringLiteral("expect-message La mesa 15 está abierta por ROSA MENDOZA RUIZ"),
                        QStringLiteral("answer ok"), QStringLiteral("expect txtMesa "),
                        QStringLiteral("click cmdCancelar"), QStringLiteral("click cmdSalir")}),
              0)
        << m_errores.toStdString();
    EXPECT_EQ(numero(QStringLiteral("SELECT Num_Mesa FROM Comanda WHERE ID_Comanda=1 AND Control=1")), 22);
    EXPECT_EQ(
        numero(QStringLiteral("SELECT COUNT(*) FROM Bitacora WHERE Texto='Comanda 1 transferida a 22'")), 1);

    // The cashier may join tables here; an empty order waits to be closed. The cashier leaves the
    // reopening screen for the open tables and the zero-total one by signing out.
    sql(QStringLiteral("INSERT INTO PermisosXGrupo_Trabajo (ID_Grupo_Trabajo, ID_Permiso) VALUES (2, 54)"));
    sql(QStringLiteral("INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, ID_Empleado, CantHuespedes, "
                       "fecha_trabajo) SELECT 4, 1, 30, 1, 2, Valor_Cad FROM Parametros WHERE "
                       "Id_Parametro='FECHA_TRABAJO'"));
    sql(QStringLiteral("INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control) VALUES (4, 1, 1)"));
    EXPECT_EQ(conducir({kTarjetaCajero1,
                        QStringLiteral("click cmdUtilerias"),
                        QStringLiteral("click cmdArticulos"),
                        QStringLiteral("click cmdReabrirMesa"),
                        QStringLiteral("select grdMesas 1"),
                        QStringLiteral("click cmdAceptar"),
                        QStringLiteral("expect-message Mesa 3 reabierta"),
                        QStringLiteral("answer ok"),
                        QStringLiteral("click cmdMesas"), // back to the open tables, where table 3 is now
                        QStringLiteral("select Spread 1"),
                        QStringLiteral("expect Spread 3"),
                        QStringLiteral("click cmdUtilerias"),
                        QStringLiteral("click cmdArticulos"),
                        QStringLiteral("click cmdMesasCero"),
                        QStringLiteral("select grdMesas 1"),
                        QStringLiteral("expect grdMesas 30"),
                        QStringLiteral("click cmdCerrar"),
                        QStringLiteral("click cmdCerrar"), // on the empty list: nothing
                        QStringLiteral("click cmdSalir"),
                        QStringLiteral("expect lblTerminal CAJA PRINCIPAL"),
                        kTarjetaCajero1,
                        QStringLiteral("click cmdUtilerias"),
                        QStringLiteral("click cmdArticulos"),
                        QStringLiteral("click cmdUnirMesas"),
                        QStringLiteral("select grdMesas 2"),
                        QStringLiteral("expect grdMesas 15"),
                        QStringLiteral("click cmdAceptar"),
                        QStringLiteral("click cmd2"),
                        QStringLiteral("click cmd2"),
                        QStringLiteral("click cmdAceptar"),
                        QStringLiteral("click cmdCancelar"),
                        QStringLiteral("click cmdSalir")}),
              0)
        << m_errores.toStdString();
    EXPECT_EQ(numero(QStringLiteral("SELECT Abierta FROM Comanda WHERE ID_Comanda=3")), 1);
    EXPECT_EQ(numero(QStringLiteral("SELECT Abierta + CantHuespedes FROM Comanda WHERE ID_Comanda=4")), 0);
    EXPECT_EQ(numero(QStringLiteral("SELECT Abierta FROM Comanda WHERE ID_Comanda=2")), 0);
    EXPECT_EQ(
        numero(QStringLiteral("SELECT COUNT(*) FROM ProductosXCuenta WHERE ID_Comanda=1 AND Control=1")), 12);
    EXPECT_EQ(
        valor(QStringLiteral("SELECT Total FROM Cuenta WHERE ID_Comanda=1 AND Num_Cuenta=1")).toCurrency(),
        valor(QStringLiteral("SELECT SUM(Precio) FROM ProductosXCuenta WHERE ID_Comanda=1")).toCurrency() +
            valor(QStringLiteral("SELECT SUM(m.Precio_Modificador) FROM Modificador m, ProductosXCuenta p "
                                 "WHERE m.ID_ProductosXCuenta=p.ID_ProductosXCuenta AND p.ID_Comanda=1"))
                .toCurrency());
}

// Table 15 (order 2: ARRACHERA 235, AGUA JAMAICA 30, CERVEZA CLARA 45, QUESO FUNDIDO 110) split into
// two accounts, each paid on its own, the second reached through the account chooser: the table closes
// with the second. Split again and joined back in the chooser, one account holds all with its total.
TEST_F(MesasDriveTest, SplitATableIntoTwoAccountsPayEachAndJoinThemBack) {
    const QStringList dividir = {kTarjetaMesero1,
                                 QStringLiteral("select Spread 2"),
                                 QStringLiteral("click cmdVerMesa"),
                                 QStringLiteral("click cmdDividir"),
                                 QStringLiteral("select grdCuenta 1"),
                                 QStringLiteral("click cmdAgregar"),
                                 QStringLiteral("select grdCuenta 1"),
                                 QStringLiteral("click cmdAgregar"),
                                 QStringLiteral("click cmdAceptar")};
    EXPECT_EQ(conducir(dividir + QStringList{QStringLiteral("click cmdOperaciones"),
                                             QStringLiteral("click cmdPagar"),
                                             QStringLiteral("click cmdTipoPago1"),
                                             QStringLiteral("enter 155"),
                                             QStringLiteral("click cmdAceptar"),
                                             QStringLiteral("click cmdListaMesas"),
                                             QStringLiteral("select Spread 2"),
                                             QStringLiteral("click cmdVerMesa"),
                                             QStringLiteral("select grdCuentas 2"),
                                             QStringLiteral("select grdArticulos 1"),
                                             QStringLiteral("expect grdArticulos ARRACHERA"),
                                             QStringLiteral("click cmdVer"),
                                             QStringLiteral("click cmdPagar"),
                                             QStringLiteral("click cmdTipoPago1"),
                                             QStringLiteral("enter 265"),
                                             QStringLiteral("click cmdAceptar"),
                                             QStringLiteral("expect-message ¡Desea Facturar?"),
                                             QStringLiteral("answer no"),
                                             QStringLiteral("expect-message ¿Cerrar la mesa?"),
                                             QStringLiteral("answer yes"),
                                             QStringLiteral("click cmdSalir")}),
              0)
        << m_errores.toStdString();
    EXPECT_EQ(numero(QStringLiteral("SELECT Abierta FROM Comanda WHERE ID_Comanda=2")), 0);
    EXPECT_EQ(numero(QStringLiteral("SELECT COUNT(*) FROM Cuenta WHERE ID_Comanda=2 AND Pagada=1")), 2);
    EXPECT_EQ(numero(QStringLiteral("SELECT SUM(Monto_Pago) FROM Pago WHERE ID_Comanda=2")), 420);

    SetUp();
    EXPECT_EQ(
        conducir(dividir + QStringList{QStringLiteral("click cmdOtrasCuentas"),
                                       QStringLiteral("select grdCuentas 1"), QStringLiteral("click cmdUnir"),
                                       QStringLiteral("select grdCuentas 1"), // touched again: only selected
                                       QStringLiteral("select grdCuentas 2"),
                                       QStringLiteral("expect-message ¿Unir cuentas 1 y 2?"),
                                       QStringLiteral("answer yes"), QStringLiteral("select grdArticulos 4"),
                                       QStringLiteral("expect grdArticulos QUESO FUNDIDO"),
                                       QStringLiteral("click cmdVer"), QStringLiteral("click cmdListaMesas"),
                                       QStringLiteral("click cmdSalir")}),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(numero(QStringLiteral("SELECT COUNT(*) FROM Cuenta WHERE ID_Comanda=2")), 1);
    EXPECT_EQ(numero(QStringLiteral("SELECT Total FROM Cuenta WHERE ID_Comanda=2 AND Num_Cuenta=1")), 420);
    EXPECT_EQ(numero(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE EnUsoPor<>0")), 0);
}

// The manager gives a 10 % courtesy on table 15 (order 2, $420.00) from the functions menu: the open
// tables show the new total, the account ticket prints the discount and the payment screen asks
// $378.00. Taking the courtesy off brings back $420.00. The order is free after each visit.
TEST_F(MesasDriveTest, AManagersCourtesyLowersWhatIsAskedAndPrintsAndComesOffAgain) {
    // The manager signs in straight onto the newest open order of theirs: table 15 is given to them.
    sql(QStringLiteral("UPDATE Comanda SET ID_Empleado=2 WHERE ID_Comanda=2"));
    const QStringList aCortesias = {QStringLiteral("click cmdArticulos"),
                                    QStringLiteral("click cmdCortesias"),
                                    QStringLiteral("expect lblTitulo Seleccionar mesa"),
                                    QStringLiteral("select Spread 2"),
                                    QStringLiteral("click cmdAceptar"),
                                    QStringLiteral("expect lblTitulo 15 - Cortesías")};
    const QString libre = QStringLiteral("expect-sql 0 SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=2");
    EXPECT_EQ(
        conducir(QStringList{kTarjetaGerente1, QStringLiteral("expect lblMesa Mesa: 15"),
                             QStringLiteral("click cmdUtilierias")} +
                 aCortesias +
                 QStringList{QStringLiteral("click cmdPorcentaje"),
                             QStringLiteral("expect-message Elija el tipo de cortesía."),
                             QStringLiteral("answer ok"),
                             QStringLiteral("click cmdTipoCortesia1"),
                             QStringLiteral("click cmdPorcentaje"),
                             QStringLiteral("enter 10"),
                             QStringLiteral("expect lblCuenta Cuenta 1: total $378.00"),
                             QStringLiteral("select grdProductos 1"),
                             QStringLiteral("expect grdProductos -$23.50 CORTESIA DE GERENCIA"),
                             QStringLiteral("click cmdCerrar"),
                             QStringLiteral("expect lblTitulo SELECCIONAR MESA"),
                             libre,
                             QStringLiteral("select Spread 2"),
                             QStringLiteral("expect Spread 378.00"),
                             QStringLiteral("click cmdVerMesa"),
                             QStringLiteral("click cmdOperaciones"),
                             QStringLiteral("click cmdPagar"),
                             QStringLiteral("click cmdTipoPago1"),
                             QStringLiteral("expect txtMonto 378.00"),
                             QStringLiteral("cancel"),
                             QStringLiteral("click cmdCancelar"),
                             QStringLiteral("click cmdListaMesas"),
                             QStringLiteral("click cmdUtilerias")} +
                 aCortesias +
                 QStringList{QStringLiteral("click cmdQuitar"),
                             QStringLiteral("expect lblCuenta Cuenta 1: total $420.00"),
                             QStringLiteral("click cmdCerrar"), libre, QStringLiteral("select Spread 2"),
                             QStringLiteral("expect Spread 420.00"), QStringLiteral("click cmdSalir")}),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(numero(QStringLiteral("SELECT COUNT(*) FROM Cortesia")), 0);
    EXPECT_EQ(numero(QStringLiteral("SELECT COUNT(*) FROM Bitacora WHERE Id_Empleado=2 AND Texto LIKE "
                                    "'%cortesia%comanda 2 cuenta 1: 42.00'")),
              2);
    imprimirCola();
    const QString caja = impresoEn("caja.txt");
    // The type's name is cut to a third of the ticket.
    EXPECT_TRUE(caja.contains(QStringLiteral("CORTESIA DE G       -42.00\n"))) << caja.toStdString();
    EXPECT_TRUE(caja.contains(QStringLiteral("Total    $378.00\n"))) << caja.toStdString();
}

} // namespace
} // namespace nerin
