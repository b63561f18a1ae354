// The real nerin-terminal at the access screen meeting a waiter who has not clocked in.
#include "app/tests/TerminalDriveFixture.h"

#include <QDate>

namespace nerin {
namespace {

using namespace fakes;

class ChecadorDriveTest : public TerminalDriveFixture {};

// The waiter's card opens the clock-in screen; once a department is chosen and the manager's card
// authorises the entry, the access screen takes the waiter's next swipe as a sign-in.
TEST_F(ChecadorDriveTest, AWaiterClocksInUnderTheManagersCardThenSignsIn) {
    EXPECT_EQ(conducir({kTarjetaMesero2, QStringLiteral("expect lblEmpleado PEDRO GARCIA NAVA"),
                        QStringLiteral("click cmdFirmar"), QStringLiteral("select lstDepartamentos 2"),
                        QStringLiteral("expect lblTitulo Validar Permiso"), kTarjetaGerente1, kTarjetaMesero2,
                        QStringLiteral("expect lblTitulo SELECCIONAR MESA"),
                        QStringLiteral("expect lblEmpleado mesero2")}),
              0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT Firmado FROM Empleado WHERE Id_Empleado=4")).toInt(), 1);
    EXPECT_EQ(valor(QStringLiteral("SELECT ID_Terminal FROM Empleado WHERE Id_Empleado=4")).toInt(), 1);
    EXPECT_NE(valor(QStringLiteral("SELECT id_departamento FROM HorasxEmpleado WHERE Id_Empleado=4")).toInt(),
              0);
}

// The manager, from the functions menu, moves mesero1's entry an hour back (it keeps its day, the
// day before) and releases mesero1 from the terminal that holds him, with the order he held.
TEST_F(ChecadorDriveTest, TheManagerCorrectsAnEntryAndReleasesAWaiterFromTheStaffScreen) {
    const QDate ayer = QDate::currentDate().addDays(-1);
    sql(QStringLiteral("UPDATE Comanda SET ID_Empleado=2 WHERE ID_Comanda=2"));
    sql(QStringLiteral("UPDATE Comanda SET EnUsoPor=1 WHERE ID_Comanda=1"));
    sql(QStringLiteral("UPDATE Empleado SET ID_Terminal=2 WHERE Id_Empleado=1"));
    sql(QStringLiteral("UPDATE HorasxEmpleado SET Hora_Inicio='%1 22:00' WHERE Id_Empleado=1")
            .arg(ayer.toString(QStringLiteral("dd/MM/yyyy"))));
    EXPECT_EQ(conducir({kTarjetaGerente1, QStringLiteral("click cmdUtilierias"),
                        QStringLiteral("click cmdMeserosFirmados"), QStringLiteral("select grdEmpleados 1"),
                        QStringLiteral("click cmdHoraAbajo"), QStringLiteral("click cmdAceptar"),
                        QStringLiteral("select grdEmpleados 1"), QStringLiteral("cancel"),
                        QStringLiteral("expect grdEmpleados ROSA MENDOZA RUIZ"),
                        QStringLiteral("expect grdEmpleados 09:00 PM"), QStringLiteral("click cmdDesfirmar"),
                        QStringLiteral("expect-message ¿Desea desfirmar a ROSA MENDOZA RUIZ?"),
                        QStringLiteral("answer yes"), QStringLiteral("click cmdCancelar")}),
              0)
        << m_errores.toStdString();
    EXPECT_EQ(
        valor(QStringLiteral("SELECT Hora_Inicio FROM HorasxEmpleado WHERE Id_Empleado=1")).toDateTime(),
        QDateTime(ayer, QTime(21, 0)));
    EXPECT_EQ(valor(QStringLiteral("SELECT ID_Terminal FROM Empleado WHERE Id_Empleado=1")).toInt(), 0);
    EXPECT_EQ(valor(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=1")).toInt(), 0);
}

// From the functions menu: cancelling the clock-in screen leaves the waiter at work; clocking out under
// the manager's card prints the exit report and leaves for the access screen.
TEST_F(ChecadorDriveTest, ClockingOutFromTheMenuPrintsTheExitReportAndSignsOut) {
    EXPECT_EQ(conducir({kTarjetaMesero1, QStringLiteral("click cmdUtilerias"),
                        QStringLiteral("click cmdChecador"), QStringLiteral("click cmdCancelar"),
                        QStringLiteral("expect lblTitulo Funciones"), QStringLiteral("click cmdChecador"),
                        QStringLiteral("click cmdFirmar"), QStringLiteral("select lstDepartamentos 1"),
                        QStringLiteral("expect lblTitulo Validar Permiso"), kTarjetaGerente1,
                        QStringLiteral("expect lblTerminal CAJA PRINCIPAL")}),
              0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT Firmado FROM Empleado WHERE Id_Empleado=1")).toInt(), 0);
    EXPECT_EQ(valor(QStringLiteral("SELECT ID_Terminal FROM Empleado WHERE Id_Empleado=1")).toInt(), 0);
    imprimirCola();
    const QString impreso = impresoEn("caja.txt");
    EXPECT_EQ(impreso.count(QStringLiteral("Desgloce de Horas:")), 1) << impreso.toStdString();
}

} // namespace
} // namespace nerin
