// The real nerin-terminal driven through the printer redirection screens: a manager sends the
// kitchen's jobs to the bar, a waiter's dish comes out there, and the way back is refused until the
// kitchen is undone.
#include "app/tests/TerminalDriveFixture.h"

namespace nerin {
namespace {

using namespace fakes;

class RedireccionDriveTest : public TerminalDriveFixture {
protected:
    // The manager, from the sign-in screen through table 15 (his here) to the redirection screen.
    static QStringList redireccion() {
        return {kTarjetaGerente1,
                QStringLiteral("expect lblMesa Mesa: 15"),
                QStringLiteral("click cmdUtilierias"),
                QStringLiteral("click cmdSistema"),
                QStringLiteral("click cmdRedirigir"),
                QStringLiteral("expect lblTitulo REDIRIGIR IMPRESORAS")};
    }
};

TEST_F(RedireccionDriveTest, TheKitchenPrintsAtTheBarUntilItIsUndoneAndTheWayBackIsRefused) {
    sql(QStringLiteral("UPDATE Comanda SET ID_Empleado=2 WHERE ID_Comanda=2"));
    const QString salir = QStringLiteral("expect lblTerminal CAJA PRINCIPAL");
    EXPECT_EQ(
        conducir(
            redireccion() +
            QStringList{
                QStringLiteral("select grdImpresoras 2"),
                QStringLiteral("expect lblTitulo REDIRIGIR COCINA A:"), QStringLiteral("click cmdAceptar"),
                QStringLiteral("expect-message Elija una impresora."), QStringLiteral("answer ok"),
                QStringLiteral("select grdDestino 3"), QStringLiteral("click cmdAceptar"),
                QStringLiteral("expect grdImpresoras BARRA"), QStringLiteral("select grdImpresoras 3"),
                QStringLiteral("select grdDestino 2"), QStringLiteral("click cmdAceptar"),
                QStringLiteral("expect-message No se puede redirigir BARRA a COCINA: COCINA ya "
                               "se imprime en BARRA (COCINA → BARRA)."),
                QStringLiteral("answer ok"), QStringLiteral("click cmdCancelar"),
                QStringLiteral("click cmdSalir"), salir,
                // A waiter sends a soup to the kitchen from table 21.
                kTarjetaMesero1, QStringLiteral("click cmdAbrirMesa"), QStringLiteral("click cmd2"),
                QStringLiteral("click cmd1"), QStringLiteral("click cmdAceptar"), QStringLiteral("enter 4"),
                QStringLiteral("type 2000000000101"), QStringLiteral("click cmdInsBarras"),
                QStringLiteral("select grdComanda 1"), QStringLiteral("click cmdPreparar"),
                QStringLiteral("expect-sql 0 SELECT COUNT(*) FROM Cola_Trabajo WHERE ID_Impresora=2"),
                QStringLiteral("expect-sql 1 SELECT COUNT(*) FROM Cola_Trabajo WHERE ID_Impresora=3"),
                QStringLiteral("click cmdSalir"), salir} +
            redireccion() +
            QStringList{QStringLiteral("select grdImpresoras 2"), QStringLiteral("select grdDestino 2"),
                        QStringLiteral("click cmdAceptar"), QStringLiteral("expect grdImpresoras COCINA"),
                        QStringLiteral("click cmdSalir"), salir}),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT Redirigido FROM Impresora WHERE ID_Impresora=2")).toInt(), 2);
    imprimirCola();
    EXPECT_TRUE(impresoEn("barra.txt").contains(QStringLiteral("SOPA DE TORTILLA")))
        << impresoEn("barra.txt").toStdString();
    EXPECT_TRUE(impresoEn("cocina.txt").isEmpty()) << impresoEn("cocina.txt").toStdString();
}

} // namespace
} // namespace nerin
