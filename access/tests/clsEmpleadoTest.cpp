// Loading the permissions of the employee signing in into the session's flags.
#include "access/clsEmpleado.h"

#include "access/tests/SignInFixture.h"

namespace nerin {
namespace {

class clsEmpleadoTest : public fakes::SignInFixture {
protected:
    void SetUp() override {
        SignInFixture::SetUp();
        firmarListo();
    }
    QList<int> banderas() const {
        QList<int> puestas;
        for (int n = 0; n <= Sesion::kPermisoCount + 2; ++n)
            if (sesion.permiso(n))
                puestas.append(n);
        return puestas;
    }
    void cargar(qint16 id) {
        clsEmpleado empleado(*context);
        empleado.setEmpleado(id);
        empleado.getPermisos(sesion);
    }

    Sesion sesion;
};

TEST_F(clsEmpleadoTest, AWaiterGetsExactlyTheFlagsOfTheWaitersGroup) {
    cargar(1);
    EXPECT_EQ(banderas(), QList<int>({28, 29, 36, 37, 40, 46, 47, 51, 62, 63, 64}));
}

TEST_F(clsEmpleadoTest, NumbersAboveSixtyEightHaveNoFlagAndAreIgnored) {
    exec(QStringLiteral("INSERT INTO PermisosXGrupo_Trabajo (ID_Grupo_Trabajo, ID_Permiso) VALUES (3, 100)"));
    cargar(2); // the manager's group also holds 69
    QList<int> todas;
    for (int n = 1; n <= 68; ++n)
        todas.append(n);
    EXPECT_EQ(banderas(), todas);
    cargar(1);
    EXPECT_FALSE(sesion.permiso(100));
    EXPECT_EQ(banderas().size(), 11);
}

TEST_F(clsEmpleadoTest, LoadingClearsTheFlagsOfTheEmployeeBefore) {
    cargar(2);
    cargar(3);
    EXPECT_FALSE(sesion.permiso(39)); // the manager's, not the cashier's
    EXPECT_TRUE(sesion.permiso(27));
    cargar(99); // nobody: no flags at all
    EXPECT_TRUE(banderas().isEmpty());
}

TEST_F(clsEmpleadoTest, AnInactiveEmployeeHoldsNoPermission) {
    exec(QStringLiteral("UPDATE Empleado SET Estado_Empleado='B' WHERE Id_Empleado=2"));
    cargar(2);
    EXPECT_TRUE(banderas().isEmpty());
}

} // namespace
} // namespace nerin
