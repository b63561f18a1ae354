// The real nerin-terminal driven through the functions menu: each employee's buttons, the print test,
// the waiter's closing report and the close of day.
#include "app/tests/TerminalDriveFixture.h"

#include <QDate>

namespace nerin {
namespace {

using namespace fakes;

class FuncionesDriveTest : public TerminalDriveFixture {
protected:
    // From the open tables to the menu, as the cashier and the waiters reach it.
    static QStringList menuDe(const QString& tarjeta) {
        return {tarjeta, QStringLiteral("click cmdUtilerias"), QStringLiteral("expect lblTitulo Funciones")};
    }
    QString fechaTrabajo() {
        return valor(QStringLiteral("SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='FECHA_TRABAJO'"))
            .toString();
    }
};

// The waiter sees the waiter's buttons only, and may not close the shift with tables still open.
TEST_F(FuncionesDriveTest, TheWaitersMenuShowsOnlyTheWaitersButtons) {
    EXPECT_EQ(
        conducir(menuDe(kTarjetaMesero1) +
                 QStringList{QStringLiteral("expect lblEmpleado mesero1"),
                             QStringLiteral("expect-disabled cmdApagar"),
                             QStringLiteral("expect-disabled cmdPruebaImpresion"),
                             QStringLiteral("expect-disabled cmdCambioPassword"),
                             QStringLiteral("click cmdVerificacion"),
                             QStringLiteral("expect-message Tiene mesas abiertas, cierre todas sus mesas!"),
                             QStringLiteral("answer ok"), QStringLiteral("click cmdSalir"),
                             QStringLiteral("expect lblTerminal CAJA PRINCIPAL")}),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo WHERE Tipo='T'")).toInt(), 0);
}

// The manager reaches the menu from the order screen; the print test prints on every active printer.
TEST_F(FuncionesDriveTest, ThePrintTestPrintsOnEveryActivePrinter) {
    sql(QStringLiteral("UPDATE Comanda SET ID_Empleado=2 WHERE ID_Comanda=2"));
    EXPECT_EQ(conducir({kTarjetaGerente1, QStringLiteral("expect lblMesa Mesa: 15"),
                        QStringLiteral("click cmdUtilierias"), QStringLiteral("click cmdPruebaImpresion"),
                        QStringLiteral("expect-message Prueba de impresión enviada a 4 impresoras."),
                        QStringLiteral("answer ok"), QStringLiteral("click cmdSalir")}),
              0)
        << m_errores.toStdString();
    imprimirCola();
    for (const auto& [archivo, nombre] :
         {std::pair{"caja.txt", "CAJA"}, std::pair{"cocina.txt", "COCINA"}, std::pair{"barra.txt", "BARRA"},
          std::pair{"meseros.txt", "MESEROS"}}) {
        const QString impreso = impresoEn(archivo);
        EXPECT_TRUE(impreso.contains(QStringLiteral("PRUEBA IMPRESION"))) << archivo;
        EXPECT_TRUE(impreso.contains(QLatin1String(nombre))) << archivo;
    }
}

// The cashier, without open tables, closes the shift: the report comes out of the ticket printer.
TEST_F(FuncionesDriveTest, VerificationWithoutOpenTablesPrintsTheWaitersReport) {
    EXPECT_EQ(conducir(menuDe(kTarjetaCajero1) + QStringList{QStringLiteral("click cmdVerificacion"),
                                                             QStringLiteral("click cmdSalir")}),
              0)
        << m_errores.toStdString();
    imprimirCola();
    const QString impreso = impresoEn("caja.txt");
    EXPECT_TRUE(impreso.contains(QStringLiteral("LAURA HERNANDEZ"))) << impreso.toStdString();
    EXPECT_TRUE(impreso.contains(QStringLiteral("***** FIN DEL REPORTE *****"))) << impreso.toStdString();
}

// The cashier reprints the slip of a dish the manager cancelled; it comes out of the ticket printer.
TEST_F(FuncionesDriveTest, CancelledItemsScreenReprintsTheSlipOnTheTicketPrinter) {
    sql(QStringLiteral("UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=3,Empleado_Anulacion=2,"
                       "Hora_Anulacion='06/12/2026 13:45' WHERE ID_ProductosXCuenta=6"));
    EXPECT_EQ(
        conducir(menuDe(kTarjetaCajero1) +
                 QStringList{QStringLiteral("click cmdReportes"), QStringLiteral("click cmdCancelados"),
                             QStringLiteral("select grdAnulados 1"), QStringLiteral("click cmdImprimir"),
                             QStringLiteral("click cmdSalir"), QStringLiteral("click cmdSalir")}),
        0)
        << m_errores.toStdString();
    imprimirCola();
    const QString impreso = impresoEn("caja.txt");
    EXPECT_TRUE(
        impreso.contains(QStringLiteral("*** Cancelaciones ***\n06/12/2026 13:45\n\nGerente: JUAN PEREZ "
                                        "LOPEZ\nEmpleado: ROSA MENDOZA RUIZ\nMesa: 15\nComanda: 2\n"
                                        "Razón: PLATILLO DEVUELTO")))
        << impreso.toStdString();
}

// Close of day: asked first, then the working date and the open orders move on, every other terminal is
// asked to restart and this one is not.
TEST_F(FuncionesDriveTest, CloseOfDayMovesTheDateAndAsksTheOtherTerminalsToRestart) {
    sql(QStringLiteral("UPDATE Terminal SET Reiniciar=0"));
    const QDate antes = QDate::fromString(fechaTrabajo(), QStringLiteral("ddMMyyyy"));
    ASSERT_TRUE(antes.isValid());
    const QDate nueva = std::max(antes.addDays(1), QDate::currentDate());
    EXPECT_EQ(conducir(menuDe(kTarjetaCajero1) +
                       QStringList{QStringLiteral("click cmdFinDia"),
                                   QStringLiteral("expect-message ¿Desea cerrar el día?"),
                                   QStringLiteral("answer yes"),
                                   QStringLiteral("expect-message Día cerrado. Nueva fecha de trabajo: ") +
                                       nueva.toString(QStringLiteral("dd/MM/yyyy")),
                                   QStringLiteral("answer ok"), QStringLiteral("click cmdSalir")}),
              0)
        << m_errores.toStdString();
    const QString texto = nueva.toString(QStringLiteral("ddMMyyyy"));
    EXPECT_EQ(fechaTrabajo(), texto);
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE Abierta=1 AND fecha_trabajo<>'") +
                    texto + QStringLiteral("'"))
                  .toInt(),
              0);
    EXPECT_EQ(valor(QStringLiteral("SELECT Reiniciar FROM Terminal WHERE ID_Terminal=1")).toInt(), 0);
    EXPECT_EQ(valor(QStringLiteral("SELECT Reiniciar FROM Terminal WHERE ID_Terminal=2")).toInt(), 1);
}

// The manager reprints the closed account of table 3 (printed once) from the functions menu: the
// ticket comes out of the ticket printer as a reprint, without payments; the menu shows again, and
// signing out from the reprint screen leaves nobody bound to the terminal and no order held.
TEST_F(FuncionesDriveTest, TheManagerReprintsAClosedAccountAndSignsOutFromTheReprintScreen) {
    sql(QStringLiteral("UPDATE Comanda SET ID_Empleado=2 WHERE ID_Comanda=2"));
    const QStringList reimprimir{QStringLiteral("click cmdArticulos"), QStringLiteral("click cmdReimprimir"),
                                 QStringLiteral("expect lblTitulo REIMPRIMIR CUENTA")};
    EXPECT_EQ(conducir(QStringList{kTarjetaGerente1, QStringLiteral("expect lblMesa Mesa: 15"),
                                   QStringLiteral("click cmdUtilierias")} +
                       reimprimir +
                       QStringList{QStringLiteral("click cmdAceptar"), // no row chosen: nothing
                                   QStringLiteral("select grdCuentas 1"),
                                   QStringLiteral("expect grdCuentas 3"), QStringLiteral("click cmdAceptar"),
                                   QStringLiteral("expect lblTitulo Funciones")} +
                       reimprimir +
                       QStringList{QStringLiteral("click cmdSalir"),
                                   QStringLiteral("expect lblTerminal CAJA PRINCIPAL")}),
              0)
        << m_errores.toStdString();
    imprimirCola();
    const QString impreso = impresoEn("caja.txt");
    EXPECT_EQ(impreso.count(QStringLiteral("Folio: 3")), 1) << impreso.toStdString();
    EXPECT_TRUE(impreso.contains(QStringLiteral("Reimpresiones: 1"))) << impreso.toStdString();
    EXPECT_FALSE(impreso.contains(QStringLiteral("Pagos Realizados:"))) << impreso.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT Num_Impresiones FROM Cuenta WHERE ID_Comanda=3")).toInt(), 1);
    EXPECT_EQ(valor(QStringLiteral("SELECT ID_Terminal FROM Empleado WHERE Id_Empleado=2")).toInt(), 0);
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE EnUsoPor<>0")).toInt(), 0);
}

} // namespace
} // namespace nerin
