// The real nerin-terminal showing the sales summaries of the functions menu: a manager looks at a
// waiter's sales and at the guests per waiter, and leaves by each way out.
#include "app/tests/TerminalDriveFixture.h"

namespace nerin {
namespace {

using namespace fakes;

class VentasDriveTest : public TerminalDriveFixture {};

// Demo: mesero1 (ROSA MENDOZA RUIZ) holds the open tables 5 and 15, $1,131.50 of dishes in six
// categories; gerente1 sold nothing and, without permission 68, starts at the open tables.
TEST_F(VentasDriveTest, TheManagerLooksAtAWaitersSalesAndGuestsAndLeavesByEachWayOut) {
    sql(QStringLiteral("DELETE FROM PermisosXGrupo_Trabajo WHERE ID_Permiso=68"));
    const QStringList reportes{QStringLiteral("click cmdUtilerias"), QStringLiteral("click cmdReportes")};
    // Cancelling the picker opens nothing; then her sales, and her report refused while her tables
    // are open (not the manager's report).
    const QStringList ventasMesero{
        QStringLiteral("click cmdVentasMesero"),
        QStringLiteral("expect lblTitulo Elegir Mesero"),
        QStringLiteral("click cmdCancelar"),
        QStringLiteral("expect lblTitulo Funciones"),
        QStringLiteral("click cmdVentasMesero"),
        QStringLiteral("select grdMeseros 1"),
        QStringLiteral("click cmdAceptar"),
        QStringLiteral("expect lblTitulo VENTAS DE ROSA MENDOZA RUIZ"),
        QStringLiteral("select grdResumen 7"),
        QStringLiteral("expect grdResumen TOTAL:"),
        QStringLiteral("expect grdResumen 1,131.50"),
        QStringLiteral("click cmdVerificacion"),
        QStringLiteral("expect-message Tiene mesas abiertas, cierre todas sus mesas!"),
        QStringLiteral("answer ok"),
        QStringLiteral("click cmdFunciones"),
        QStringLiteral("expect lblTitulo Funciones")};
    // The tables of the waiter touched, once one is; then out to the open tables.
    const QStringList huespedes{QStringLiteral("click cmdHuespedes"),
                                QStringLiteral("click cmdMesasMesero"),
                                QStringLiteral("expect-message Seleccione un mesero"),
                                QStringLiteral("answer ok"),
                                QStringLiteral("select grdResumen 2"),
                                QStringLiteral("click cmdMesasMesero"),
                                QStringLiteral("expect lblTitulo Mesas de ROSA MENDOZA RUIZ"),
                                QStringLiteral("click cmdAceptar"),
                                QStringLiteral("click cmdMesas"),
                                QStringLiteral("expect lblTitulo SELECCIONAR MESA")};
    // The manager's own sales, and out of the system.
    const QStringList propias{QStringLiteral("click cmdResumenVentas"),
                              QStringLiteral("expect lblTitulo VENTAS DE JUAN PEREZ LOPEZ"),
                              QStringLiteral("select grdResumen 1"),
                              QStringLiteral("expect grdResumen 0.00"),
                              QStringLiteral("click cmdSalir"),
                              QStringLiteral("expect lblTerminal CAJA PRINCIPAL")};
    EXPECT_EQ(
        conducir(QStringList{kTarjetaGerente1} + reportes + ventasMesero + huespedes + reportes + propias), 0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo WHERE Tipo='T'")).toInt(), 0);
    EXPECT_EQ(valor(QStringLiteral("SELECT ID_Terminal FROM Empleado WHERE Id_Empleado=2")).toInt(), 0);
}

} // namespace
} // namespace nerin
