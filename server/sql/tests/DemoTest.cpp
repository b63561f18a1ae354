// The demo restaurant: a database created with the demo data holds a usable restaurant (menu, stock,
// package, payments, staff), every row the terminal's statements refer to, and staff who sign in
// with the card texts and passwords listed in README-demo.txt under the demo card key.
#include "base/tests/QtPrinters.h"
#include "crypto/clsDES.h"
#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "data/tests/RecordingMessageBox.h"
#include "server/DatabaseBuilder.h"
#include "server/SqliteConnection.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <utility>

using namespace nerin;

namespace {

const QString kClaveDemo = QStringLiteral("NERIN-DEMO-2026");

// One line of the staff list: user name, card text as the reader types it, password.
struct Persona {
    QString usuario;
    QString tarjeta;
    QString contrasena;
};

QList<Persona> personalDelReadme() {
    QFile archivo(QStringLiteral(NERIN_DEMO_STAFF));
    if (!archivo.open(QIODevice::ReadOnly))
        return {};
    QList<Persona> personal;
    bool dentro = false;
    for (const QString& linea : QString::fromUtf8(archivo.readAll()).split(u'\n')) {
        if (linea.trimmed().startsWith(QStringLiteral("```"))) {
            dentro = !dentro;
            continue;
        }
        const QStringList partes = linea.split(u' ', Qt::SkipEmptyParts);
        if (dentro && partes.size() == 3)
            personal.append({partes[0], partes[1], partes[2]});
    }
    return personal;
}

class DemoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        s_ruta = s_dir->path() + QStringLiteral("/demo.db");
        s_creada = new Status(DatabaseBuilder::create(s_ruta, true));
    }
    static void TearDownTestSuite() {
        delete s_creada;
        delete s_dir;
    }

    void SetUp() override {
        ASSERT_TRUE(*s_creada) << s_creada->message().toStdString();
        ASSERT_TRUE(m_db.open());
    }

    // Every row of a query, each as its fields' texts joined by "|".
    QStringList filas(const QString& sql) {
        auto result = m_db.query(sql);
        if (!result)
            return {QStringLiteral("ERROR ") + result.status().message()};
        QStringList salida;
        for (const QList<DbValue>& fila : result->rows()) {
            QStringList campos;
            for (const DbValue& valor : fila)
                campos.append(valor.toString());
            salida.append(campos.join(u'|'));
        }
        return salida;
    }
    // Each query gives the rows written, joined by ";".
    void esperar(std::initializer_list<std::pair<const char*, const char*>> casos) {
        for (const auto& [sql, esperado] : casos)
            EXPECT_EQ(filas(QString::fromUtf8(sql)).join(u';'), QString::fromUtf8(esperado)) << sql;
    }
    qint64 numero(const QString& sql) {
        auto result = m_db.query(sql);
        if (!result || result->eof())
            return -999;
        return result->value(0).toInt();
    }

    static QTemporaryDir* s_dir;
    static QString s_ruta;
    static Status* s_creada;
    SqliteConnection m_db{s_ruta};
};

QTemporaryDir* DemoTest::s_dir = nullptr;
QString DemoTest::s_ruta;
Status* DemoTest::s_creada = nullptr;

} // namespace

TEST_F(DemoTest, TerminalOneMenuHasAtLeastSixPagesAndFortyActiveProductsEachPricedTaxedAndOnAPage) {
    EXPECT_GE(numero("SELECT COUNT(*) FROM SubmenuxMenu WHERE Id_Menu=(SELECT Id_Menu FROM Terminal WHERE "
                     "ID_Terminal=1)"),
              6);
    const qint64 activos = numero("SELECT COUNT(*) FROM Producto WHERE Estado='A'");
    EXPECT_GE(activos, 40);
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Vw_ImpuestosXProducto WHERE Id_Menu=1"), activos);
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Vw_PorcentajeXProducto WHERE Porcentaje=0.16"), activos);
    EXPECT_EQ(filas("SELECT ID_Producto FROM Producto WHERE ID_Producto NOT IN (SELECT ID_Producto FROM "
                    "ProductosXSubmenu)"),
              QStringList());
    // Prices are positive except the open-price dish, whose price is typed at the terminal.
    EXPECT_EQ(filas("SELECT p.ID_Producto, Abierto FROM Producto p, PreciosXMenu x WHERE "
                    "p.ID_Producto=x.ID_Producto AND Precio_Producto<=0"),
              QStringList{"125|1"});
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Vw_ListaProductos WHERE codigo_barras='7501000112233'"), 1);
    EXPECT_EQ(numero("SELECT COUNT(DISTINCT codigo_barras) FROM Producto"), activos);
}

TEST_F(DemoTest, OneProductIsSoldOutAndOthersHaveUntrackedStock) {
    EXPECT_EQ(filas("SELECT Nombre_Cuenta FROM Producto WHERE Existencia=0 AND Estado='A'"),
              QStringList{"CHILE EN NOGADA"});
    EXPECT_GE(numero("SELECT COUNT(*) FROM Producto WHERE Existencia<0"), 1);
    EXPECT_GE(numero("SELECT COUNT(*) FROM Producto WHERE Existencia>0"), 1);
    // The products the terminal's statements order can be sold.
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Producto WHERE ID_Producto IN (101,102,103,104,201,202) AND "
                     "Existencia<>0 AND Estado='A'"),
              6);
}

TEST_F(DemoTest, ThePackageHasThreeSectionsEachOfferingActiveProducts) {
    EXPECT_EQ(filas("SELECT ID_Producto FROM Producto WHERE Paquete=1"), QStringList{"201"});
    EXPECT_EQ(
        filas("SELECT s.ID_Seccion_Paquete, COUNT(*) FROM Secciones_Paquete s, ProductosXSeccion x, "
              "Producto p WHERE s.ID_Seccion_Paquete=x.ID_Seccion_Paquete AND x.ID_Producto=p.ID_Producto "
              "AND p.Estado='A' AND p.Paquete=0 AND s.ID_Producto=201 GROUP BY s.ID_Seccion_Paquete "
              "ORDER BY s.ID_Seccion_Paquete"),
        QStringList({"5|3", "6|3", "7|3"}));
    EXPECT_EQ(filas("SELECT Numero, ID_Seccion_Paquete FROM ProductosXSeccion WHERE ID_Producto=202"),
              QStringList{"1|5"});
}

TEST_F(DemoTest, PaymentTypesAreCashTwoCardsAndDollarsAndCardsCarryACommission) {
    EXPECT_EQ(
        filas("SELECT ID_Tipo_Pago, Nombre_Tipo_Pago, Clase FROM Tipo_Pago ORDER BY ID_Tipo_Pago"),
        QStringList({"1|EFECTIVO|E", "2|TARJETA DE CREDITO|T", "3|TARJETA DE DEBITO|T", "4|DOLARES|E"}));
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Tipo_Pago WHERE Clase='T' AND Comision>0"), 2);
    EXPECT_GE(numero("SELECT COUNT(*) FROM Tipos_Anulacion WHERE Regresa_Existencia=1"), 1);
    EXPECT_GE(numero("SELECT COUNT(*) FROM Tipos_Anulacion WHERE Regresa_Existencia=0"), 1);
}

TEST_F(DemoTest, ManagerHoldsAllSixtyEightPermissionFlagsAndWaitersCannotCancelOrLogIn) {
    EXPECT_EQ(numero("SELECT COUNT(DISTINCT ID_Permiso) FROM Vw_Permisos v, Empleado e WHERE "
                     "v.ID_Empleado=e.Id_Empleado AND Usuario='gerente1' AND ID_Permiso BETWEEN 1 AND 68"),
              68);
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Vw_Permisos WHERE ID_Empleado=2 AND ID_Permiso IN (39,66,67)"), 3);
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso IN (27,39,42)"), 0);
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso IN (29,40)"), 2);
    // The password sign-in statement finds the manager and the cashier, not the waiters.
    EXPECT_EQ(
        filas("SELECT Usuario FROM Empleado,EmpleadosXGrupo,PermisosXGrupo_Trabajo WHERE "
              "Empleado.ID_Empleado=EmpleadosXGrupo.ID_Empleado AND "
              "EmpleadosXGrupo.ID_Grupo_Trabajo=PermisosXGrupo_Trabajo.ID_Grupo_Trabajo AND ID_Permiso=27 "
              "ORDER BY Usuario"),
        QStringList({"cajero1", "gerente1"}));
}

TEST_F(DemoTest, EveryCardOfTheStaffListSignsInAsItsEmployeeUnderTheDemoKeyOnly) {
    const QList<Persona> personal = personalDelReadme();
    ASSERT_EQ(personal.size(), numero("SELECT COUNT(*) FROM Empleado"));
    QTemporaryDir bitacora;
    Bitacora log(bitacora.path());
    fakes::RecordingMessageBox caja;
    auto conexion = [] { return std::make_unique<SqliteConnection>(s_ruta); };
    BaseDatos bd(
        conexion, log, caja, [] {}, kClaveDemo);
    ASSERT_TRUE(bd.ConectarBD());
    BaseDatos otraClave(
        conexion, log, caja, [] {}, QStringLiteral("OTRA CLAVE"));
    ASSERT_TRUE(otraClave.ConectarBD());
    // A keyboard card reader can type it, and the terminal's upper-casing leaves it unchanged.
    const QRegularExpression tecleable(QStringLiteral("^%[0-9A-F]{32}_[0-9A-Z_]{34,}$"));
    for (const Persona& persona : personal) {
        const qint64 id = numero(
            QStringLiteral("SELECT Id_Empleado FROM Empleado WHERE Usuario='%1'").arg(persona.usuario));
        EXPECT_GT(id, 0) << persona.usuario.toStdString();
        EXPECT_TRUE(tecleable.match(persona.tarjeta).hasMatch()) << persona.tarjeta.toStdString();
        EXPECT_EQ(bd.EmpleadoDeTarjeta(persona.tarjeta.toUpper()), id) << persona.usuario.toStdString();
        EXPECT_EQ(otraClave.EmpleadoDeTarjeta(persona.tarjeta), 0) << persona.usuario.toStdString();
    }
    EXPECT_TRUE(caja.shown.isEmpty());
}

TEST_F(DemoTest, EveryPasswordOfTheStaffListIsStoredEncipheredUnderTheDemoKey) {
    const QList<Persona> personal = personalDelReadme();
    ASSERT_FALSE(personal.isEmpty());
    for (const Persona& persona : personal) {
        const QStringList guardada =
            filas(QStringLiteral("SELECT Contraseña FROM Empleado WHERE Usuario='%1'").arg(persona.usuario));
        ASSERT_EQ(guardada.size(), 1) << persona.usuario.toStdString();
        EXPECT_NE(guardada[0], persona.contrasena);
        clsDES des;
        const Result<QString> clara = des.DecryptString(guardada[0], kClaveDemo, true);
        ASSERT_TRUE(clara) << persona.usuario.toStdString();
        EXPECT_EQ(*clara, persona.contrasena) << persona.usuario.toStdString();
    }
}

TEST_F(DemoTest, TheRowsTheTerminalStatementsNameExist) {
    esperar({
        {"SELECT Usuario FROM Empleado WHERE Id_Empleado IN (1,2) ORDER BY Id_Empleado", "mesero1;gerente1"},
        {"SELECT ID_Impresora FROM Impresora WHERE EsDeCheques=1 AND ID_Terminal=1", "1"},
        {"SELECT Id_Impresora FROM Impresora WHERE Fiscal=1 AND Id_Terminal=1", "1"},
        {"SELECT ID_Grupo_Impresoras, ID_Impresora FROM ImpresorasXGrupo WHERE ID_Grupo_Impresoras IN (2,3) "
         "ORDER BY 1",
         "2|2;3|3"},
        {"SELECT ID_Grupo_Impresoras FROM Producto WHERE ID_Producto IN (101,103) ORDER BY ID_Producto",
         "2;3"},
        {"SELECT TM.ID_Tipo_Modificador, Precio_Tipo_Modificador FROM Tipo_Modificador TM, "
         "TiposXGrupo_Modificadores TGM WHERE TM.ID_Tipo_Modificador=TGM.ID_Tipo_Modificador AND "
         "TGM.ID_Grupo_Modificadores=(SELECT ID_Grupo_Modificadores FROM Producto WHERE ID_Producto=101) "
         "AND TM.ID_Tipo_Modificador IN (7,8) ORDER BY 1",
         "7|0;8|15.5"},
        {"SELECT COUNT(*) FROM ProductosxPromocion WHERE Id_Promocion=1 AND Id_Producto=104", "1"},
        {"SELECT COUNT(*) FROM SubMenu s, ProductosXSubmenu x WHERE s.ID_SubMenu=x.ID_Submenu AND "
         "s.ID_SubMenu=3 AND x.ID_Producto=101",
         "1"},
        {"SELECT COUNT(*) FROM Tipos_Anulacion WHERE ID_Tipo_Anulacion=2", "1"},
        {"SELECT Nombre FROM Vw_DepartamentosXEmpleado WHERE Id_Empleado=1 AND id_departamento=3", "SALON"},
        // The terminal's own customer screens create keys 2 and 123456789012345: the demo leaves them free.
        {"SELECT COUNT(*) FROM Clientes WHERE CveCliente IN (2,123456789012345)", "0"},
    });
    EXPECT_GE(numero("SELECT COUNT(*) FROM Clientes"), 1);
}

TEST_F(DemoTest, TerminalsPrintersAndSettingsMakeAWorkingDemoWithoutHardware) {
    esperar({
        {"SELECT ID_Terminal, servidor FROM Terminal ORDER BY ID_Terminal", "1|1;2|0"},
        {"SELECT ID_Terminal, COUNT(*) FROM FuncionesXTerminal WHERE ID_Funcion BETWEEN 1 AND 25 GROUP BY "
         "ID_Terminal ORDER BY ID_Terminal",
         "1|25;2|25"},
        {"SELECT Puerto FROM Impresora WHERE Puerto NOT LIKE 'file:%.txt?texto'", ""},
        {"SELECT ID_Terminal FROM Terminal WHERE ID_Terminal NOT IN (SELECT ID_Terminal FROM Impresora WHERE "
         "EsDeCheques=1)",
         ""},
        {"SELECT Valor_Num FROM Parametros WHERE Id_Parametro IN ('ANCHO_TICKET','Num_Tiempos') ORDER BY "
         "Id_Parametro",
         "40;3"},
        {"SELECT COUNT(*) FROM Empresas WHERE CveEmpresa=(SELECT Valor_Num FROM Parametros WHERE "
         "Id_Parametro='CVEEMPRESA')",
         "1"},
    });
    EXPECT_GE(
        numero("SELECT COUNT(*) FROM Parametros WHERE Id_Parametro LIKE 'TXTTICKET%' AND Valor_Cad<>''"), 1);
}

TEST_F(DemoTest, StartUpFunctionQueryGivesEachTerminalItsDemoFunctions) {
    const QString funciones = QStringLiteral("SELECT fun.ID_Funcion FROM FuncionesXTerminal fxt, Funciones "
                                             "fun WHERE fxt.id_funcion=fun.id_funcion and "
                                             "estado=1 and ID_Terminal=%1 ORDER BY fun.ID_Funcion");
    const QStringList comunes{"6", "12", "13", "14", "15", "16", "21", "22", "23", "24"};
    QStringList caja = comunes;
    caja.insert(1, QStringLiteral("10"));
    caja.insert(7, QStringLiteral("17"));
    caja.insert(8, QStringLiteral("19"));
    EXPECT_EQ(filas(funciones.arg(1)), caja);
    EXPECT_EQ(filas(funciones.arg(2)), comunes);
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Funciones WHERE ID_Funcion BETWEEN 1 AND 25"), 25);
}

TEST_F(DemoTest, ServiceIsUnderWayWithTwoOpenTablesOfMeseroUnoAndOnePaidTable) {
    esperar({
        {"SELECT ID_Comanda, Control, Num_Mesa FROM Vw_MesasAbiertas WHERE ID_Empleado=1 ORDER BY Num_Mesa",
         "1|1|5;2|1|15"},
        // Every account total is what its live items, modifiers and taxes add up to.
        {"SELECT c.ID_Comanda, c.Total FROM Cuenta c WHERE c.Total <> (SELECT SUM(Precio_Venta+Impuesto) "
         "FROM ProductosXCuenta p, Vw_TotalesImpuestos v WHERE p.ID_ProductosXCuenta=v.ID_ProductosXCuenta "
         "AND p.ID_Comanda=c.ID_Comanda AND p.Control=c.Control AND p.Num_Cuenta=c.Num_Cuenta)",
         ""},
        {"SELECT c.ID_Comanda, Pagada, Abierta FROM Cuenta c, Comanda o, Pago p WHERE "
         "c.ID_Comanda=o.ID_Comanda AND c.Control=o.Control AND p.ID_Comanda=c.ID_Comanda AND "
         "p.Monto_Pago=c.Total",
         "3|1|0"},
        // The item numbers the terminal's statements use: 1 sent, 5 not sent yet, 10 a package head on
        // order 1 whose section 5 already has its row.
        {"SELECT ID_ProductosXCuenta, ID_Producto, Preparado FROM ProductosXCuenta WHERE "
         "ID_ProductosXCuenta IN (1,5,10) ORDER BY 1",
         "1|101|1;5|104|0;10|201|1"},
        {"SELECT ID_Seccion_Paquete FROM Control_Paquetes WHERE ID_ProductosXCuenta=10 ORDER BY 1", "5;7"},
    });
}

TEST_F(DemoTest, SalesCountDownTrackedStockOnlyAndTheNextTableGetsTheNextOrderNumber) {
    EXPECT_EQ(
        filas("SELECT ID_Producto, Existencia FROM Producto WHERE ID_Producto IN (101,104,137) ORDER BY 1"),
        QStringList({"101|-1", "104|11", "137|46"}));
    // The start-up check compares the working date with the newest order's.
    EXPECT_EQ(filas("SELECT top 1 fecha_trabajo FROM comanda ORDER BY id_comanda DESC"),
              filas("SELECT Valor_Cad FROM Vw_FechaTrabajo"));
    EXPECT_EQ(
        filas("DECLARE @nFolio bigint EXEC Abrir_Mesa @nNumMesa=20, @nControl=2, @nIDEmpleado=4, @sTipo='N', "
              "@nHuespedes=3, @nFolio=@nFolio OUTPUT SELECT @nFolio AS nFolio"),
        QStringList{"4"});
    EXPECT_EQ(numero("SELECT COUNT(*) FROM Comanda WHERE ID_Comanda=1"), 1);
}
