// The real nerin-terminal, started offscreen on a copy of the demo restaurant and driven by scripts:
// start-up's fatal endings (settings it cannot work with among them), its exchange-rate keypad, the
// configuration screen and its keyboard, a terminal whose database is missing, and orders from the swipe
// to the kitchen and the closed table, on the embedded database and on a PostgreSQL server.
#include "app/tests/TerminalDriveFixture.h"
#include "server/PostgresConnection.h"
#include "server/postgres/testing/PgDemoDatabase.h"

#include <QFile>
#include <functional>

namespace nerin {
namespace {

using fakes::kTarjetaMesero1;

// The first waiter signs in and opens table 21 for four guests.
QStringList abrirMesa21() {
    return {kTarjetaMesero1,
            QStringLiteral("click cmdAbrirMesa"),
            QStringLiteral("click cmd2"),
            QStringLiteral("click cmd1"),
            QStringLiteral("click cmdAceptar"),
            QStringLiteral("enter 4")};
}

// Then adds five items, one by barcode: $340.00, none of it stored yet.
QStringList mesa21ConCincoProductos() {
    return abrirMesa21() +
           QStringList{QStringLiteral("click cmdMenu3"),       QStringLiteral("click cmdProducto101"),
                       QStringLiteral("click cmdProducto101"), QStringLiteral("click cmdProducto114"),
                       QStringLiteral("click cmdProducto115"), QStringLiteral("type 2000000000103"),
                       QStringLiteral("click cmdInsBarras")};
}

class TerminalDriveTest : public fakes::TerminalDriveFixture {};

// The same drives on the embedded database and on a PostgreSQL server, whose copy of the demo the
// settings point the terminal and the print queue at.
class OrderDriveTest : public fakes::TerminalDriveFixture,
                       public ::testing::WithParamInterface<testing::Motor> {
protected:
    static void TearDownTestSuite() {
        TerminalDriveFixture::TearDownTestSuite();
        testing::PgDemoDatabase::borrarDemo();
    }
    void SetUp() override {
        TerminalDriveFixture::SetUp();
        if (GetParam() == testing::Motor::Sqlite)
            return;
        if (testing::PgTestDatabase::clusterConnInfo().isEmpty())
            GTEST_SKIP() << qPrintable(testing::PgTestDatabase::skipReason());
        const Status creada = m_pg.create();
        ASSERT_TRUE(creada) << creada.message().toStdString();
        ASSERT_TRUE(m_pg.escribirAjustes(ajustes(), m_dir->filePath(QStringLiteral("clave"))));
    }
    std::unique_ptr<Connection> conexionABase() const override {
        if (GetParam() == testing::Motor::Sqlite)
            return TerminalDriveFixture::conexionABase();
        return std::make_unique<PostgresConnection>(m_pg.connInfo());
    }

    testing::PgDemoDatabase m_pg;
};

INSTANTIATE_TEST_SUITE_P(Motores, OrderDriveTest,
                         ::testing::Values(testing::Motor::Sqlite, testing::Motor::Postgres),
                         [](const ::testing::TestParamInfo<testing::Motor>& motor) {
                             return testing::nombreDeMotor(motor.param);
                         });

TEST_F(TerminalDriveTest, DemoTerminalReachesTheAccessScreen) {
    EXPECT_EQ(conducir({QStringLiteral("expect lblTerminal CAJA PRINCIPAL")}), 0) << m_errores.toStdString();
}

TEST_F(TerminalDriveTest, FatalStartUpEndingsShowTheirMessageAndEnd) {
    const struct {
        const char* caso;
        std::function<void()> preparar;
        const char* mensaje;
        bool apagado;
    } casos[] = {
        {"terminal 0", [this] { ajustar(QStringLiteral("Terminal"), QStringLiteral("0")); },
         "El programa está mal instalado", false},
        {"unknown terminal", [this] { ajustar(QStringLiteral("Terminal"), QStringLiteral("77")); },
         "La terminal esta mal configurada, llame a soporte", true},
        {"working date ahead",
         [this] {
             sql(QStringLiteral(
                 "UPDATE Parametros SET Valor_Cad='01012099' WHERE ID_Parametro='FECHA_TRABAJO'"));
         },
         "Solo puede revivir el día anterior!", true},
        {"no card key",
         [this] {
             QSettings(ajustes(), QSettings::IniFormat).remove(QStringLiteral("Configuracion/ClaveTarjetas"));
         },
         "Falta la clave de las tarjetas (ClaveTarjetas) en la configuración de la terminal; llame a "
         "soporte.",
         false},
        {"unknown back-end", [this] { ajustar(QStringLiteral("Motor"), QStringLiteral("mysql")); },
         "El motor de base de datos \"mysql\" de la configuración no es válido; los valores aceptados son: "
         "sqlite, odbc, postgres.",
         false},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        SetUp();
        caso.preparar();
        const QString mensaje = QString::fromUtf8(caso.mensaje);
        EXPECT_EQ(conducir({QStringLiteral("expect-message ") + mensaje, QStringLiteral("answer ok")}), 0)
            << m_errores.toStdString();
        EXPECT_TRUE(m_errores.contains(QStringLiteral("nerin-terminal: ") + mensaje))
            << m_errores.toStdString();
        EXPECT_EQ(ajuste(QStringLiteral("ShutDown")) == QLatin1String("1"), caso.apagado);

        // A script that expects the access screen fails at that line: the program ended before it.
        EXPECT_EQ(
            conducir({QStringLiteral("answer ok"), QStringLiteral("expect lblTerminal CAJA PRINCIPAL")}), 1);
        EXPECT_TRUE(m_errores.contains(QStringLiteral("Línea 2: expect lblTerminal CAJA PRINCIPAL")))
            << m_errores.toStdString();
    }
}

TEST_F(TerminalDriveTest, ArgumentsThatAreNotItsOptionsAreRefused) {
    const struct {
        QStringList argumentos;
        const char* problema;
    } casos[] = {{{QStringLiteral("sobra")}, "Argumento no reconocido: sobra"},
                 {{QStringLiteral("--drive"), QStringLiteral("otro.txt")}, "--drive se dio más de una vez."},
                 {{QStringLiteral("--ventana")}, "Opción no reconocida: --ventana"}};
    for (const auto& caso : casos) {
        EXPECT_EQ(conducir({QStringLiteral("expect lblTerminal CAJA PRINCIPAL")}, caso.argumentos), 2);
        EXPECT_TRUE(m_errores.contains(QString::fromUtf8(caso.problema) + u'\n')) << m_errores.toStdString();
    }
}

TEST_F(TerminalDriveTest, ExchangeRateIsTypedOnTheValueKeypadAtStartUp) {
    sql(QStringLiteral("UPDATE FuncionesXTerminal SET Estado=1 WHERE ID_Terminal=1 AND ID_Funcion=1"));
    EXPECT_EQ(conducir({QStringLiteral("expect-message Desea modificar el T.C. $19.85 ?"),
                        QStringLiteral("answer yes"), QStringLiteral("expect lblTitulo Tipo de cambio"),
                        QStringLiteral("click cmdLimpiar"), QStringLiteral("enter 20.10"),
                        QStringLiteral("expect lblTerminal CAJA PRINCIPAL")}),
              0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT Valor_Num FROM Parametros WHERE Id_Parametro='TC_US'")).toString(),
              QStringLiteral("20.1"));
}

TEST_F(TerminalDriveTest, ConfigurationScreenChangesTheTerminalBeforeStartUp) {
    EXPECT_EQ(
        conducir({QStringLiteral("click cmdTerminal"), QStringLiteral("expect lblTitulo NUMERO DE TERMINAL"),
                  QStringLiteral("click cmdBorrarTodo"), QStringLiteral("enter 2"),
                  QStringLiteral("click chkMandar_bitacora"), QStringLiteral("click cmdGuardar"),
                  QStringLiteral("expect-message Los datos fueron guardados"), QStringLiteral("answer ok"),
                  QStringLiteral("click cmdCancelar"), QStringLiteral("expect lblTerminal MESEROS SALON")},
                 {QStringLiteral("--configurar")}),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(ajuste(QStringLiteral("Terminal")), QStringLiteral("2"));
    EXPECT_EQ(ajuste(QStringLiteral("Mandar_bitacora")), QStringLiteral("1"));
}

TEST_F(TerminalDriveTest, MissingDatabaseLeavesTheTerminalSearchingForItsServer) {
    ASSERT_TRUE(QFile::remove(baseDeDatos()));
    EXPECT_EQ(conducir({QStringLiteral("wait 2000"), QStringLiteral("expect lblDesconectada ..")}), 0)
        << m_errores.toStdString();
}

TEST_F(TerminalDriveTest, WaiterSignsInOpensATableAndATakeAwayAndSignsOut) {
    EXPECT_EQ(conducir({kTarjetaMesero1,
                        QStringLiteral("expect lblTitulo SELECCIONAR MESA"),
                        QStringLiteral("click cmdAbrirMesa"),
                        QStringLiteral("click cmd2"),
                        QStringLiteral("click cmd1"),
                        QStringLiteral("click cmdAceptar"),
                        QStringLiteral("enter 4"),
                        QStringLiteral("expect lblMesa Mesa: 21"),
                        QStringLiteral("click cmdListaMesas"),
                        QStringLiteral("click cmdAbrirMesa"),
                        QStringLiteral("click optParaLlevar"),
                        QStringLiteral("click cmdAceptar"),
                        QStringLiteral("expect lblMesa Mesa: 22"),
                        QStringLiteral("click cmdListaMesas"),
                        QStringLiteral("select Spread 3"),
                        QStringLiteral("expect Spread 21"),
                        QStringLiteral("expect Spread 4"),
                        QStringLiteral("select Spread 4"),
                        QStringLiteral("expect Spread 22"),
                        QStringLiteral("expect Spread B"),
                        QStringLiteral("click cmdSalir"),
                        QStringLiteral("expect lblTerminal CAJA PRINCIPAL")}),
              0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral(
                        "SELECT count(*) FROM Comanda WHERE Num_Mesa IN (21, 22) AND Fecha_Cierre IS NULL"))
                  .toInt(),
              2);
    EXPECT_EQ(valor(QStringLiteral("SELECT ID_Terminal FROM Empleado WHERE ID_Empleado=1")).toInt(), 0)
        << "signing out releases the terminal";
}

TEST_F(TerminalDriveTest, OrderTakenIsThereWhenTheTableIsOpenedAgain) {
    EXPECT_EQ(conducir(mesa21ConCincoProductos() +
                       QStringList{
                           QStringLiteral("expect lblTotal $340.00 M.N."),
                           QStringLiteral("click cmdListaMesas"), QStringLiteral("select Spread 3"),
                           QStringLiteral("click cmdVerMesa"), QStringLiteral("expect lblMesa Mesa: 21"),
                           QStringLiteral("expect lblTotal $340.00 M.N."), QStringLiteral("click cmdSalir")}),
              0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT count(*) FROM ProductosXCuenta p, Comanda c WHERE "
                                   "p.ID_Comanda=c.ID_Comanda AND c.Num_Mesa=21"))
                  .toInt(),
              5);
    EXPECT_EQ(valor(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE Num_Mesa=21")).toInt(), 0);
}

TEST_F(TerminalDriveTest, FailedStoreKeepsTheLinesOnScreenAndTheWaiterOnTheOrder) {
    const QString ocupada = QStringLiteral(
        "expect-message BDME La base de datos está ocupada por otra terminal; intente de nuevo.");
    const QString noGuardados =
        QStringLiteral("expect-message No se pudieron guardar los productos nuevos; siguen "
                       "en la cuenta sin guardar. Intente de nuevo.");
    const QString enMesa21 = QStringLiteral("(SELECT ID_Comanda FROM Comanda WHERE Num_Mesa=21)");
    QStringList guion = mesa21ConCincoProductos();
    // Every way off the order stores first; with the store failing, each one keeps the waiter here.
    for (const char* salida :
         {"cmdPagar", "cmdOperaciones", "imgTodoAbajo", "cmdAbrirMesa", "cmdListaMesas", "cmdSalir"}) {
        // The third statement of the first store; then the first stock check of each store.
        guion << (salida == QLatin1String("cmdPagar") ? QStringLiteral("fail-sql 3")
                                                      : QStringLiteral("fail-sql 1 SELECT Existencia"))
              << QStringLiteral("click ") + QLatin1String(salida) << ocupada << QStringLiteral("answer ok")
              << noGuardados << QStringLiteral("answer ok") << QStringLiteral("expect lblMesa Mesa: 21")
              << QStringLiteral("expect lblTotal $340.00 M.N.") << QStringLiteral("select grdComanda 5")
              << QStringLiteral("expect grdComanda LIMONADA")
              << QStringLiteral("expect-sql 0 SELECT count(*) FROM ProductosXCuenta WHERE ID_Comanda=") +
                     enMesa21;
    }
    guion << QStringLiteral("click cmdListaMesas") << QStringLiteral("expect lblTitulo SELECCIONAR MESA")
          << QStringLiteral("expect-sql 5 SELECT count(*) FROM ProductosXCuenta WHERE ID_Comanda=") + enMesa21
          << QStringLiteral("expect-sql 0 SELECT EnUsoPor FROM Comanda WHERE Num_Mesa=21");
    EXPECT_EQ(conducir(guion), 0) << m_errores.toStdString();
    EXPECT_FALSE(m_errores.contains(QStringLiteral("con una transacción abierta")))
        << m_errores.toStdString();
}

TEST_F(TerminalDriveTest, TheOrderScreensNewTableIsLockedAndCancellingItKeepsTheOrderOnScreenLocked) {
    // From table 5 a new table 21 is opened on the order screen, then "Abrir mesa" is cancelled there.
    EXPECT_EQ(
        conducir({kTarjetaMesero1, QStringLiteral("select Spread 1"), QStringLiteral("click cmdVerMesa"),
                  QStringLiteral("expect lblMesa Mesa: 5"), QStringLiteral("click cmdAbrirMesa"),
                  QStringLiteral("click cmd2"), QStringLiteral("click cmd1"),
                  QStringLiteral("click cmdAceptar"), QStringLiteral("enter 4"),
                  QStringLiteral("expect lblMesa Mesa: 21"), QStringLiteral("click cmdAbrirMesa"),
                  QStringLiteral("click cmdCancelar"), QStringLiteral("expect lblMesa Mesa: 21")}),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE Num_Mesa=21")).toInt(), 1)
        << "the table on screen is the waiter's";
    EXPECT_EQ(valor(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE Num_Mesa=5")).toInt(), 0)
        << "the table left for the new one is free";
}

TEST_P(OrderDriveTest, KitchenGetsEachItemOnceWhicheverWayItIsSent) {
    // A steak with two modifiers sent now, a soup held for course 2, the table left and opened again,
    // course 2 released.
    EXPECT_EQ(conducir(abrirMesa21() + QStringList{QStringLiteral("type 2000000000102"),
                                                   QStringLiteral("click cmdInsBarras"),
                                                   QStringLiteral("click cmdModificar"),
                                                   QStringLiteral("click cmdModificador2"),
                                                   QStringLiteral("click imgTecladoModif"),
                                                   QStringLiteral("enter SIN SAL"),
                                                   QStringLiteral("click cmdTiempo"),
                                                   QStringLiteral("click cmdTiempo2"),
                                                   QStringLiteral("click cmdAceptar"),
                                                   QStringLiteral("type 2000000000101"),
                                                   QStringLiteral("click cmdInsBarras"),
                                                   QStringLiteral("click cmdRetener"),
                                                   QStringLiteral("select grdComanda 1"),
                                                   QStringLiteral("click cmdPreparar"),
                                                   QStringLiteral("click cmdListaMesas"),
                                                   QStringLiteral("select Spread 3"),
                                                   QStringLiteral("click cmdVerMesa"),
                                                   QStringLiteral("select grdComanda 5"),
                                                   QStringLiteral("expect grdComanda Tiempo: 2"),
                                                   QStringLiteral("click cmdSigTiempo"),
                                                   QStringLiteral("click cmdSalir")}),
              0)
        << m_errores.toStdString();

    imprimirCola();
    const QString impreso = impresoEn("cocina.txt");
    EXPECT_EQ(impreso.count(QStringLiteral("FILETE MIGNON")), 1) << impreso.toStdString();
    EXPECT_EQ(impreso.count(QStringLiteral("TERMINO MEDIO")), 1);
    EXPECT_EQ(impreso.count(QStringLiteral("*SIN SAL*")), 1);
    EXPECT_EQ(impreso.count(QStringLiteral("SOPA DE TORTILLA")), 1);
    EXPECT_EQ(valor(QStringLiteral(
                        "SELECT count(*) FROM ProductosXCuenta p, Comanda c WHERE p.ID_Comanda=c.ID_Comanda "
                        "AND c.Num_Mesa=21 AND p.Preparado=1 AND p.Hora_Preparacion IS NOT NULL"))
                  .toInt(),
              2);
}

TEST_P(OrderDriveTest, KitchenGetsExactlyTheDishesTouched) {
    // The panel is opened for the arrachera just added, the steak touched: its doneness, given twice
    // by mistake, goes under the steak. A soup just added; the steak touched: only the steak goes,
    // with its doneness once. The account read again (a serving-time header, the arrachera, the soup,
    // the steak and its doneness), the arrachera gets its doneness and is touched in beside the soup
    // and out again: only the soup goes.
    const QString duplicado =
        QStringLiteral("expect-message No se pueden aplicar 2 modificadores iguales al mismo producto!");
    EXPECT_EQ(conducir(abrirMesa21() + QStringList{QStringLiteral("type 2000000000102"),
                                                   QStringLiteral("click cmdInsBarras"),
                                                   QStringLiteral("type 2000000000117"),
                                                   QStringLiteral("click cmdInsBarras"),
                                                   QStringLiteral("click cmdModificar"),
                                                   QStringLiteral("touch grdComanda 1"),
                                                   QStringLiteral("expect grdComanda FILETE MIGNON"),
                                                   QStringLiteral("click cmdModificador2"),
                                                   QStringLiteral("click cmdModificador2"),
                                                   QStringLiteral("type 2000000000101"),
                                                   QStringLiteral("click cmdInsBarras"),
                                                   QStringLiteral("touch grdComanda 1"),
                                                   QStringLiteral("click cmdPreparar"),
                                                   duplicado,
                                                   QStringLiteral("answer ok"),
                                                   QStringLiteral("touch grdComanda 2"),
                                                   QStringLiteral("expect grdComanda ARRACHERA"),
                                                   QStringLiteral("click cmdModificar"),
                                                   QStringLiteral("click cmdModificador3"),
                                                   QStringLiteral("touch grdComanda 4"),
                                                   QStringLiteral("expect grdComanda SOPA DE TORTILLA"),
                                                   QStringLiteral("touch grdComanda 2"),
                                                   QStringLiteral("touch grdComanda 2"),
                                                   QStringLiteral("click cmdPreparar"),
                                                   QStringLiteral("click cmdSalir")}),
              0)
        << m_errores.toStdString();

    imprimirCola();
    const QString impreso = impresoEn("cocina.txt");
    for (const auto& [texto, veces] :
         {std::pair{"FILETE MIGNON", 1}, std::pair{"TERMINO MEDIO", 1}, std::pair{"SOPA DE TORTILLA", 1},
          std::pair{"ARRACHERA", 0}, std::pair{"TRES CUARTOS", 0}})
        EXPECT_EQ(impreso.count(QString::fromLatin1(texto)), veces) << texto << "\n" << impreso.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT count(*) FROM ProductosXCuenta p, Comanda c WHERE "
                                   "p.ID_Comanda=c.ID_Comanda AND c.Num_Mesa=21 AND p.Preparado=0"))
                  .toInt(),
              1)
        << "the arrachera is stored, not sent";
}

TEST_P(OrderDriveTest, AFullOrderFromSwipeToClosedTable) {
    // Open, add, prepare, print the account, pay part by card with a tip and the rest in cash with
    // change, close.
    EXPECT_EQ(conducir(abrirMesa21() + QStringList{QStringLiteral("type 2000000000102"),
                                                   QStringLiteral("click cmdInsBarras"),
                                                   QStringLiteral("type 2000000000103"),
                                                   QStringLiteral("click cmdInsBarras"),
                                                   QStringLiteral("select grdComanda 1"),
                                                   QStringLiteral("click cmdPreparar"),
                                                   QStringLiteral("click cmdOperaciones"),
                                                   QStringLiteral("click cmdPagar"),
                                                   QStringLiteral("click cmdTipoPago2"),
                                                   QStringLiteral("type 200"),
                                                   QStringLiteral("click cmdPropina"),
                                                   QStringLiteral("type 20"),
                                                   QStringLiteral("click cmdAceptar"),
                                                   QStringLiteral("click cmdTipoPago1"),
                                                   QStringLiteral("enter 100"),
                                                   QStringLiteral("click cmdAceptar"),
                                                   QStringLiteral("expect-message ¡Desea Facturar?"),
                                                   QStringLiteral("answer no"),
                                                   QStringLiteral("expect-message ¿Cerrar la mesa?"),
                                                   QStringLiteral("answer yes"),
                                                   QStringLiteral("click cmdSalir")}),
              0)
        << m_errores.toStdString();

    const QString orden = QStringLiteral("(SELECT ID_Comanda FROM Comanda WHERE Num_Mesa=21)");
    EXPECT_EQ(valor(QStringLiteral("SELECT count(*) FROM Pago WHERE ID_Comanda=") + orden).toInt(), 2);
    EXPECT_EQ(valor(QStringLiteral("SELECT sum(Propina) FROM Pago WHERE ID_Comanda=") + orden).toCurrency(),
              Currency::fromUnits(20));
    EXPECT_EQ(valor(QStringLiteral("SELECT Pagada FROM Cuenta WHERE ID_Comanda=") + orden).toInt(), 1);
    EXPECT_FALSE(valor(QStringLiteral("SELECT Fecha_Cierre FROM Comanda WHERE Num_Mesa=21")).isNull());

    imprimirCola();
    EXPECT_EQ(impresoEn("cocina.txt").count(QStringLiteral("FILETE MIGNON")), 1);
    const QString tickets = impresoEn("caja.txt");
    EXPECT_EQ(tickets.count(QStringLiteral("Folio: ")), 2) << tickets.toStdString();
    EXPECT_EQ(tickets.count(QStringLiteral("Pagos Realizados:")), 1)
        << "only the closing ticket has payments";
}

} // namespace
} // namespace nerin
