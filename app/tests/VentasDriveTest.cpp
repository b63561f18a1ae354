// The real nerin-terminal showing the sales summaries of the functions menu: a manager looks at a
// waiter's sales and at the guests per waiter, and leaves by each way out.
#include "app/tests/TerminalDriveFixture.h"

namespace nerin {
namespace {

using namespace fakes;

class VentasDriveTest : public TerminalDriveFixture {};

// Demo: mesero1 (ROSA MENDOZA RUIZ) holds the open tables 5 and 15, $1,131.50 of dishes in six
// categories and six guests; gerente1 sold nothing and, without permission 68, starts at the open
// tables.
TEST_F(VentasDriveTest, TheManagerLooksAtAWaitersSalesAndGuestsAndLeavesByEachWayOut) {
    sql(QStringLiteral("DELETE FROM PermisosXGrupo_Trabajo WHERE ID_Permiso=68"));
    const QStringList reportes{QStringLiteral("click cmdUtilerias"), QStringLiteral("click cmdReportes")};
    EXPECT_EQ(
        conducir(QStringList{kTarjetaGerente1} + reportes +
                 QStringList{
                     // Cancelling the picker opens nothing.
                     QStringLiteral("click cmdVentasMesero"),
                     QStringLiteral("expect lblTitulo Elegir Mesero"), QStringLiteral("click cmdCancelar"),
                     QStringLiteral("expect lblTitulo Funciones"), QStringLiteral("click cmdVentasMesero"),
                     QStringLiteral("select grdMeseros 1"), QStringLiteral("click cmdAceptar"),
                     QStringLiteral("expect lblTitulo VENTAS DE ROSA MENDOZA RUIZ"),
                     QStringLiteral("select grdResumen 7"), QStringLiteral("expect grdResumen TOTAL:"),
                     QStringLiteral("expect grdResumen 1,131.50"), QStringLiteral("select grdResumen 8"),
                     QStringLiteral("expect grdResumen 6"),
                     // Her report, not the manager's, and not while her tables are open.
                     QStringLiteral("click cmdVerificacion"),
                     QStringLiteral("expect-message Tiene mesas abiertas, cierre todas sus mesas!"),
                     QStringLiteral("answer ok"), QStringLiteral("click cmdFunciones"),
                     QStringLiteral("expect lblTitulo Funciones"),
                     // The guests per waiter, and the tables of the waiter touched.
                     QStringLiteral("click cmdHuespedes"), QStringLiteral("click cmdMesasMesero"),
                     QStringLiteral("expect-message Seleccione un mesero"), QStringLiteral("answer ok"),
                     QStringLiteral("select grdResumen 2"), QStringLiteral("expect grdResumen 6"),
                     QStringLiteral("click cmdMesasMesero"),
                     QStringLiteral("expect lblTitulo Mesas de ROSA MENDOZA RUIZ"),
                     QStringLiteral("select grdMesas 2"), QStringLiteral("expect grdMesas 420.00"),
                     QStringLiteral("expect grdMesas Abierta"), QStringLiteral("click cmdAceptar"),
                     QStringLiteral("click cmdMesas"), QStringLiteral("expect lblTitulo SELECCIONAR MESA")} +
                 reportes +
                 QStringList{QStringLiteral("click cmdResumenVentas"),
                             QStringLiteral("expect lblTitulo VENTAS DE JUAN PEREZ LOPEZ"),
                             QStringLiteral("select grdResumen 1"), QStringLiteral("expect grdResumen 0.00"),
                             QStringLiteral("click cmdSalir"),
                             QStringLiteral("expect lblTerminal CAJA PRINCIPAL")}),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo WHERE Tipo='T'")).toInt(), 0);
    EXPECT_EQ(valor(QStringLiteral("SELECT ID_Terminal FROM Empleado WHERE Id_Empleado=2")).toInt(), 0);
}

} // namespace
} // namespace nerin
