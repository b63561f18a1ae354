#include "tables/MesasAbiertas.h"

#include "tables/tests/TablesFixture.h"

namespace nerin {
namespace {

using Accion = MesasAbiertas::Accion;

class MesasAbiertasTest : public fakes::TablesFixture {
protected:
    MesasAbiertas& mesas() {
        if (!m_mesas)
            m_mesas = std::make_unique<MesasAbiertas>(*context);
        return *m_mesas;
    }
    // The table numbers of the grid, in order.
    QList<qint64> numeros() {
        QList<qint64> lista;
        const std::optional<RecordSet> filas = mesas().Llenar_Spread();
        EXPECT_TRUE(filas.has_value());
        if (filas) {
            for (const QList<DbValue>& fila : filas->rows())
                lista.append(MesasAbiertas::fila(fila).numMesa);
        }
        return lista;
    }
    // Opens an order behind the terminal's back; its ID_Comanda.
    qint32 abrir(int mesa, int empleado, const QString& tipo = QStringLiteral("N")) {
        exec(QStringLiteral("DECLARE @f bigint EXEC Abrir_Mesa @nNumMesa=%1, @nControl=1, @nIDEmpleado=%2, "
                            "@sTipo='%3', @nHuespedes=2, @nFolio=@f OUTPUT")
                 .arg(mesa)
                 .arg(empleado)
                 .arg(tipo));
        return static_cast<qint32>(field(QStringLiteral("SELECT MAX(ID_Comanda) FROM Comanda")).toInt());
    }
    static MesasAbiertas::Fila fila(qint32 id, qint16 mesa) { return {id, 1, mesa}; }

    std::unique_ptr<MesasAbiertas> m_mesas;
};

// ---- The grid and the buttons -------------------------------------------------------------------

TEST_F(MesasAbiertasTest, AWaiterSeesOwnTablesAndPermission42SeesEveryOpenTableByNumber) {
    firmar(1);
    const qint32 suya = abrir(9, 4);
    EXPECT_EQ(numeros(), (QList<qint64>{5, 15}));
    context->iniciarSesion(Sesion(4, {}, {}, false));
    EXPECT_EQ(numeros(), (QList<qint64>{9}));
    context->iniciarSesion(Sesion(2, {}, {}, false)); // gerente1 holds 42; the closed order 3 is not listed
    EXPECT_EQ(numeros(), (QList<qint64>{5, 9, 15}));
    EXPECT_EQ(mesas().Llenar_Spread()->rows()[1][0].toInt(), suya);
}

TEST_F(MesasAbiertasTest, ARowIsBlueOnceItsAccountWasPrinted) {
    firmar(1);
    exec(QStringLiteral("UPDATE Cuenta SET Num_Impresiones=1 WHERE ID_Comanda=2"));
    const std::optional<RecordSet> filas = mesas().Llenar_Spread();
    ASSERT_TRUE(filas);
    ASSERT_EQ(filas->recordCount(), 2);
    EXPECT_FALSE(MesasAbiertas::azul(filas->rows()[0]));
    EXPECT_TRUE(MesasAbiertas::azul(filas->rows()[1]));
    EXPECT_FALSE(MesasAbiertas::azul({DbValue(1), DbValue(1)})); // a short row is never blue
}

TEST_F(MesasAbiertasTest, DatosEmpleadoEnablesTheButtonsOfThePermissionsHeld) {
    struct Caso {
        qint16 empleado;
        bool transferir, abrir, ver, pagar;
        const char* usuario;
    } casos[] = {
        {1, true, true, true, false, "mesero1"},
        {2, true, true, true, true, "gerente1"},
        {3, true, true, true, true, "cajero1"},
        {9, false, false, false, false, ""}, // nobody
    };
    firmar(1);
    for (const Caso& caso : casos) {
        context->iniciarSesion(Sesion(caso.empleado, {}, {}, false));
        const MesasAbiertas::Botones b = mesas().DatosEmpleado();
        EXPECT_EQ(b.transferir, caso.transferir) << caso.empleado;
        EXPECT_EQ(b.abrirMesa, caso.abrir) << caso.empleado;
        EXPECT_EQ(b.verMesa, caso.ver) << caso.empleado;
        EXPECT_EQ(b.pagar, caso.pagar) << caso.empleado;
        EXPECT_EQ(b.usuario, QString::fromUtf8(caso.usuario)) << caso.empleado;
    }
    // Taking 37 away from the waiters disables "Ver mesa" for them.
    exec(QStringLiteral("DELETE FROM PermisosXGrupo_Trabajo WHERE ID_Grupo_Trabajo=3 AND ID_Permiso=37"));
    context->iniciarSesion(Sesion(1, {}, {}, false));
    EXPECT_FALSE(mesas().DatosEmpleado().verMesa);
}

TEST_F(MesasAbiertasTest, TitlesOfTheModes) {
    EXPECT_EQ(MesasAbiertas::titulo(MesasAbiertas::Modo::Normal), QStringLiteral("SELECCIONAR MESA"));
    EXPECT_EQ(MesasAbiertas::titulo(MesasAbiertas::Modo::Transferir), QStringLiteral("Transferir Mesa"));
    EXPECT_EQ(MesasAbiertas::titulo(MesasAbiertas::Modo::Cortesia), QStringLiteral("Seleccionar mesa"));
}

// ---- "Ver mesa" and "Pagar" -----------------------------------------------------------------------

TEST_F(MesasAbiertasTest, VerMesaTakesTheOrderAndOpensItsOnlyAccount) {
    firmar(1);
    EXPECT_TRUE(mesas().VerMesa(fila(2, 15), Accion::VerMesa));
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("comanda 2/1 cuenta 1 tipo -")});
    EXPECT_EQ(enUsoPor(2), 1);
    EXPECT_EQ(mesas().mesaActual(), 15);
    EXPECT_TRUE(mesas().comandaMostrada());
    EXPECT_TRUE(preguntas.mensajes().isEmpty());
}

TEST_F(MesasAbiertasTest, PagarNeedsAPrintedAccountAndVerMesaDoesNot) {
    firmar(2);
    EXPECT_FALSE(mesas().VerMesa(fila(1, 5), Accion::Pagar));
    EXPECT_EQ(preguntas.mensajes(), QStringList{QStringLiteral("Aun no se imprime la cuenta!")});
    EXPECT_EQ(enUsoPor(1), 0);
    EXPECT_TRUE(navegacion.rutas.isEmpty());

    exec(QStringLiteral("UPDATE Cuenta SET Num_Impresiones=1 WHERE ID_Comanda=1"));
    EXPECT_TRUE(mesas().VerMesa(fila(1, 5), Accion::Pagar));
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("comanda 1/1 cuenta 1 tipo - pagar")});
}

TEST_F(MesasAbiertasTest, AnOrderClosedSinceTheGridWasReadIsRefused) {
    struct Caso {
        const char* cierre;
    } casos[] = {
        {"Abierta=0, Fecha_Cierre=getdate()"}, // paid at another terminal
        {"Abierta=0"},                         // closed empty, without a closing time
    };
    firmar(1);
    for (const Caso& caso : casos) {
        exec(QStringLiteral("UPDATE Comanda SET Abierta=1, Fecha_Cierre=NULL WHERE ID_Comanda=2"));
        exec(QStringLiteral("UPDATE Comanda SET %1 WHERE ID_Comanda=2").arg(QString::fromUtf8(caso.cierre)));
        preguntas = {};
        EXPECT_FALSE(mesas().VerMesa(fila(2, 15), Accion::VerMesa)) << caso.cierre;
        EXPECT_EQ(preguntas.mensajes(), QStringList{QStringLiteral("La Mesa ya fue cerrada!")})
            << caso.cierre;
        EXPECT_EQ(enUsoPor(2), 0);
    }
    EXPECT_TRUE(navegacion.rutas.isEmpty());
}

TEST_F(MesasAbiertasTest, AnOrderHeldByAnotherEmployeeIsRefusedWithTheirFullName) {
    firmar(1);
    exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=4 WHERE ID_Comanda=1"));
    EXPECT_FALSE(mesas().VerMesa(fila(1, 5), Accion::VerMesa));
    EXPECT_EQ(preguntas.mensajes(), QStringList{QStringLiteral("Mesa en uso por PEDRO GARCIA NAVA")});
    EXPECT_EQ(enUsoPor(1), 4);
    // One the employee already holds opens.
    exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=1 WHERE ID_Comanda=1"));
    EXPECT_TRUE(mesas().VerMesa(fila(1, 5), Accion::VerMesa));
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("comanda 1/1 cuenta 1 tipo -")});
}

TEST_F(MesasAbiertasTest, AnOrderWithSeveralAccountsGoesThroughTheAccountChooser) {
    firmar(2);
    exec(QStringLiteral(
        "INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control, Num_Impresiones) VALUES (1, 2, 1, 1)"));
    EXPECT_TRUE(mesas().VerMesa(fila(1, 5), Accion::VerMesa));
    EXPECT_TRUE(mesas().VerMesa(fila(1, 5), Accion::Pagar));
    EXPECT_EQ(navegacion.rutas,
              (QStringList{QStringLiteral("elegirCuenta 1/1"), QStringLiteral("elegirCuenta 1/1 pagar")}));
    EXPECT_FALSE(mesas().comandaMostrada());
}

TEST_F(MesasAbiertasTest, WithoutNavigationTheChecksAndTheLockStillHold) {
    firmar(1);
    context->setNavegacion(nullptr);
    EXPECT_TRUE(mesas().VerMesa(fila(1, 5), Accion::VerMesa));
    EXPECT_EQ(enUsoPor(1), 1);
    mesas().Transferir(fila(1, 5));
    mesas().Utilerias();
    EXPECT_TRUE(mesas().AceptarCortesia(fila(2, 15)));
    EXPECT_TRUE(navegacion.rutas.isEmpty());
}

TEST_F(MesasAbiertasTest, ADatabaseFailureIsLoggedByTheHandlerAndOpensNothing) {
    firmar(1);
    exec(QStringLiteral("DROP TABLE Cuenta"));
    EXPECT_FALSE(mesas().VerMesa(fila(1, 5), Accion::VerMesa));
    EXPECT_TRUE(navegacion.rutas.isEmpty());
    const QStringList lineas = logLines(QStringLiteral("NerinComTra"));
    EXPECT_TRUE(lineas.filter(QStringLiteral("**************ERROR***************")).size() == 1);
    EXPECT_EQ(lineas.filter(QStringLiteral(" cmdVerMesa-")).size(), 1) << lineas.join(u'\n').toStdString();
}

// ---- The other modes and the way out ---------------------------------------------------------------

TEST_F(MesasAbiertasTest, CourtesyModeHoldsTheOrderWhileTheCourtesyScreenStandsWithTheTableNumber) {
    firmar(1);
    qint64 mientras = -1;
    navegacion.alCortesias = [&] { mientras = enUsoPor(2); };
    EXPECT_TRUE(mesas().AceptarCortesia(fila(2, 15)));
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("cortesias 2/1 15")});
    EXPECT_EQ(mientras, 1);
    EXPECT_EQ(enUsoPor(2), 0) << "given back once the courtesy screen has closed";
    // Held by another employee: refused, the lock stays theirs.
    exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=4 WHERE ID_Comanda=1"));
    EXPECT_FALSE(mesas().AceptarCortesia(fila(1, 5)));
    EXPECT_EQ(preguntas.mensajes(), QStringList{QStringLiteral("Mesa en uso por PEDRO GARCIA NAVA")});
    EXPECT_EQ(enUsoPor(1), 4);
}

TEST_F(MesasAbiertasTest, TransferUtilitiesAndSignOut) {
    firmar(1);
    mesas().Transferir(std::nullopt); // nothing to transfer
    mesas().Transferir(fila(2, 15));
    mesas().Utilerias();
    EXPECT_EQ(navegacion.rutas,
              (QStringList{QStringLiteral("transferirMesas 2/1 mesa 15"), QStringLiteral("funciones")}));

    exec(QStringLiteral("UPDATE Empleado SET ID_Terminal=1 WHERE Id_Empleado=1"));
    ASSERT_TRUE(mesas().VerMesa(fila(1, 5), Accion::VerMesa));
    mesas().Salir(acceso);
    EXPECT_EQ(acceso.returns, QStringList{QStringLiteral("frmMesasAbiertas unload")});
    EXPECT_EQ(enUsoPor(1), 0);
    EXPECT_EQ(field(QStringLiteral("SELECT ID_Terminal FROM Empleado WHERE Id_Empleado=1")).toInt(), 0);
    EXPECT_FALSE(context->sesion().activa());
}

} // namespace
} // namespace nerin
