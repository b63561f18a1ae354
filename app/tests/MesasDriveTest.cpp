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

} // namespace
} // namespace nerin
