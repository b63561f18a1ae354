// The real nerin-terminal at the access screen meeting a waiter who has not clocked in.
#include "app/tests/TerminalDriveFixture.h"

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

} // namespace
} // namespace nerin
