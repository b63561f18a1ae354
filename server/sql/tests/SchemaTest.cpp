// The restaurant database as the server files create it: every view answers with the columns the
// screens read, the terminal's joins with unqualified columns resolve, defaults fill what INSERTs
// leave out, keys refuse duplicates, the views mean what the screens rely on, and the hot lookups
// search an index instead of scanning the history.
#include "base/tests/QtPrinters.h"
#include "server/DatabaseBuilder.h"
#include "server/SqliteConnection.h"
#include "server/tests/ResultText.h"
#include "server/tsql/SqlFunctions.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using nerin::RecordSet;
using nerin::SqliteConnection;

namespace {

class SchemaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const nerin::Status created = nerin::DatabaseBuilder::create(path(), false);
        ASSERT_TRUE(created) << created.message().toStdString();
        m_db = std::make_unique<SqliteConnection>(path());
        ASSERT_TRUE(m_db->open());
    }

    QString path() const { return m_dir.path() + QStringLiteral("/schema.db"); }

    void exec(const QString& sql) {
        auto result = m_db->execute(sql);
        ASSERT_TRUE(result) << sql.toStdString() << ": " << result.status().message().toStdString();
    }

    // The error message of a statement expected to fail ("" when it succeeded).
    QString failure(const QString& sql) { return nerin::testing_support::failureText(*m_db, sql); }

    QStringList columns(const QString& sql) {
        auto result = m_db->query(sql);
        if (!result)
            return {QStringLiteral("ERROR ") + result.status().message()};
        return result->columns();
    }

    // Every row of the result, fields joined by "|", rows by ";". NULL shows as "NULL".
    QString rows(const QString& sql) { return nerin::testing_support::resultText(*m_db, sql); }

    // A working day (with its day-opening record) with one open and one closed order of waiter 1, an
    // old closed order of another day, items (one cancelled, one with a modifier), taxes and payments.
    void seedWorkingDay() {
        const char* statements[] = {
            "DELETE FROM Parametros WHERE Id_Parametro IN ('FECHA_TRABAJO','PORPROPINA')",
            "INSERT INTO Parametros(Id_Parametro,Valor_Num,Valor_Cad) VALUES('FECHA_TRABAJO',0,'06122026')",
            "INSERT INTO Parametros(Id_Parametro,Valor_Num,Valor_Cad) VALUES('PORPROPINA',10,'')",
            // The day-opening record a new database starts with: closed, empty, not a table.
            "DELETE FROM Comanda",
            "INSERT INTO Comanda(ID_Comanda,Control,Num_Mesa,Tipo,Abierta,Fecha_Cierre,fecha_trabajo)"
            " VALUES(1,0,0,'D',0,GETDATE(),'06122026')",
            "INSERT INTO Empleado(Id_Empleado,Usuario,Nombre_Empleado,Apellido_Paterno,Apellido_Materno)"
            " VALUES(1,'mesero1','Ana','Ruiz','Diaz')",
            "INSERT INTO Empleado(Id_Empleado,Usuario,Nombre_Empleado) VALUES(2,'gerente1','Luis')",
            "INSERT INTO SubMenu(ID_SubMenu,Nombre_SubMenu) VALUES(3,'SOPAS')",
            "INSERT INTO Producto(ID_Producto,Nombre_Boton,Nombre_Cuenta,ID_Categoria) "
            "VALUES(101,'Sopa','SOPA',3)",
            "INSERT INTO Tipo_Pago(ID_Tipo_Pago,Nombre_Tipo_Pago,Clase) VALUES(1,'EFECTIVO','E')",
            "INSERT INTO Tipo_Pago(ID_Tipo_Pago,Nombre_Tipo_Pago,Clase,Comision) VALUES(2,'TARJETA','T',5)",
            "INSERT INTO Tipos_Anulacion(Nombre_Tipos_Anulacion,ID_Tipo_Anulacion) VALUES('ERROR MESERO',2)",
            "INSERT INTO Comanda(ID_Comanda,Control,Num_Mesa,ID_Empleado,CantHuespedes,fecha_trabajo)"
            " VALUES(1,1,12,1,4,'06122026')",
            "INSERT INTO "
            "Comanda(ID_Comanda,Control,Num_Mesa,ID_Empleado,CantHuespedes,Abierta,Fecha_Cierre,fecha_"
            "trabajo)"
            " VALUES(2,1,14,1,2,0,'06/12/2026 13:45','06122026')",
            "INSERT INTO Comanda(ID_Comanda,Control,Num_Mesa,ID_Empleado,CantHuespedes,Abierta,fecha_trabajo)"
            " VALUES(3,1,12,1,6,0,'05122026')",
            "INSERT INTO Cuenta(ID_Comanda,Num_Cuenta,Control,Num_Impresiones,Total) VALUES(1,1,1,1,116)",
            "INSERT INTO Cuenta(ID_Comanda,Num_Cuenta,Control,Pagada,Total) VALUES(2,1,1,1,58)",
            "INSERT INTO Cuenta(ID_Comanda,Num_Cuenta,Control,Pagada,Total) VALUES(3,1,1,1,58)",
            // Order 1: a soup at 116 with a modifier at 11.6 (taxes 16 and 1.6), a cancelled soup.
            "INSERT INTO ProductosXCuenta(ID_Comanda,Control,Num_Cuenta,ID_Producto,Precio) "
            "VALUES(1,1,1,101,116)",
            "INSERT INTO ImpuestosXCuenta(ID_ProductosXCuenta,Monto_ImpuestosXCuenta) VALUES(1,16)",
            "INSERT INTO "
            "Modificador(ID_ProductosXCuenta,ID_Tipo_Modificador,Nombre_Modificador,Precio_Modificador,"
            "Impuesto_Modificador)"
            " VALUES(1,8,'EXTRA QUESO',11.6,1.6)",
            "INSERT INTO "
            "ProductosXCuenta(ID_Comanda,Control,Num_Cuenta,ID_Producto,Precio,ID_Tipo_Anulacion,Empleado_"
            "Anulacion,Hora_Anulacion)"
            " VALUES(1,1,1,101,116,2,2,'06/12/2026 13:45')",
            "INSERT INTO ImpuestosXCuenta(ID_ProductosXCuenta,Monto_ImpuestosXCuenta) VALUES(2,16)",
            // Order 2 (closed today) and order 3 (closed yesterday): one soup at 58 each, paid.
            "INSERT INTO ProductosXCuenta(ID_Comanda,Control,Num_Cuenta,ID_Producto,Precio) "
            "VALUES(2,1,1,101,58)",
            "INSERT INTO ImpuestosXCuenta(ID_ProductosXCuenta,Monto_ImpuestosXCuenta) VALUES(3,8)",
            "INSERT INTO ProductosXCuenta(ID_Comanda,Control,Num_Cuenta,ID_Producto,Precio) "
            "VALUES(3,1,1,101,58)",
            "INSERT INTO ImpuestosXCuenta(ID_ProductosXCuenta,Monto_ImpuestosXCuenta) VALUES(4,8)",
            "INSERT INTO "
            "Pago(ID_Comanda,Control,Num_Cuenta,ID_Tipo_Pago,Monto_Pago,Propina,Referencia,Id_Empleado,"
            "comision)"
            " VALUES(2,1,1,2,58,10,'',1,5)",
            "INSERT INTO "
            "Pago(ID_Comanda,Control,Num_Cuenta,ID_Tipo_Pago,Monto_Pago,Propina,Referencia,Id_Empleado,"
            "comision)"
            " VALUES(3,1,1,1,58,7,'',1,0)",
        };
        for (const char* sql : statements)
            exec(QString::fromUtf8(sql));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SqliteConnection> m_db;
};

// --- Views: existence and column order -----------------------------------------------------------

struct ViewColumns {
    const char* view;
    QStringList leading; // the first columns, in this order
};

const ViewColumns kViews[] = {
    {"Vw_Permisos", {"ID_Empleado", "ID_Permiso"}},
    {"Vw_FechaTrabajo", {"Valor_Cad"}},
    {"Vw_Impresoras",
     {"Id_Impresora", "Nombre_Impresora", "Estado_1", "Redirigido", "Nombre_Impresora1", "Estado_2"}},
    {"Vw_Empleados_Sin_Tarjeta", {"ID_Empleado"}},
    {"Vw_Empleados", {"ID_Empleado", "Nombre_Empleado", "Usuario", "Admin"}},
    {"Vw_DepartamentosXEmpleado", {"id_departamento", "Nombre", "id_Empleado"}},
    {"Vw_EmpleadosFirmados", {"Id_Empleado", "Empleado", "Nombre_Terminal", "Departamento", "Hora_Inicio"}},
    {"Vw_MesaOcupada", {"Num_Mesa", "Nombre_Empleado", "ID_Comanda", "Control", "ID_Empleado"}},
    {"Vw_MesasAbiertas",
     {"ID_Comanda", "Control", "Num_Mesa", "Mesero", "Tipo", "Huespedes", "Num_Impresiones", "ID_Empleado"}},
    {"vw_mesasabiertas", {"ID_Comanda", "Control", "Num_Mesa"}},
    {"Vw_MesasCerradas", {"ID_Comanda", "Control", "Num_Mesa"}},
    {"Vw_EmpleadosDisponibles", {"ID_Empleado", "Nombre_Empleado"}},
    {"Vw_SubMenu_Default", {"Id_submenu", "Id_Terminal", "orden"}},
    {"Vw_Comanda",
     {"ID_Comanda", "Control", "Num_Cuenta", "ID_ProductosXCuenta", "id_producto", "Nombre_Cuenta", "Precio",
      "ID_Grupo_Impresoras", "Hora_Preparacion", "Tiempo_requerido", "ID_Paquete", "Orden", "Comentario",
      "Nombre_Tipo_Modificador", "ID_Tipo_Modificador", "Precio_Modificador", "Preparado"}},
    {"Vw_ImpuestosXProducto",
     {"ID_Producto", "Id_Menu", "Nombre_Cuenta", "Precio_Producto", "ID_Grupo_Impresoras", "Abierto"}},
    {"Vw_PorcentajeXProducto", {"Id_Producto", "Porcentaje"}},
    {"Vw_ListaProductos", {"ID_Producto", "codigo_barras"}},
    {"Vw_Existencias", {"Id_Producto", "Nombre_Cuenta", "Existencia", "Id_Categoria"}},
    {"Vw_TotalesImpuestos", {"ID_ProductosXCuenta", "Precio_Venta", "Impuesto"}},
    {"Vw_SeleccionarCta", {"ID_Comanda", "Control", "Num_Cuenta", "ID_ProductosXCuenta", "Nombre_Boton"}},
    {"Vw_Anulaciones", {"Fecha", "Motivo", "Gerente", "Producto", "Num_Mesa", "ID_Comanda", "Control"}},
    {"Vw_Ajuste_Pagos", {"ID_Pago", "MESA", "TIPO", "PAGO", "PROPINA", "id_empleado"}},
    {"Vw_ReimprimirCta",
     {"ID_Comanda", "Num_Mesa", "Num_Cuenta", "Mesero", "Total", "Fecha_Cierre", "Control", "ID_Empleado"}},
    {"Vw_PagosXCuenta", {"nombre_tipo_pago", "monto", "propina", "ID_Comanda", "Control", "Num_Cuenta"}},
    {"vw_descuentosxcuenta", {"nombre_tipo_cortesia", "monto", "id_comanda", "Control", "Num_cuenta"}},
    {"vw_reportecortesiasespeciales",
     {"nombrecliente", "nombre_tipo_cortesia", "total", "Id_Comanda", "Control", "Num_Cuenta"}},
    {"Vw_ControlPropina",
     {"Nombre_Empleado", "Mesas", "Huespedes", "Venta", "Venta_neta", "prop_rep", "PROPINA", "prop_com",
      "Balance", "Fecha_Trabajo", "ID_Empleado"}},
    {"Vw_Resumen_Pagos", {"Nombre_Tipo_Pago", "Total", "Propina", "Clase", "ID_Empleado"}},
    {"Vw_Resumen_Pagos_Emp", {"Nombre_Tipo_Pago", "Total", "Propina", "Clase", "ID_Empleado"}},
    {"Vw_Total_Ventas", {"Nombre_Categoria", "Precio", "Impuestos", "Total"}},
    {"Vw_Total_Pagos", {"Nombre_Tipo_Pago", "Monto", "Propina", "Clase"}},
    {"Vw_Cortesias_Totales", {"Nombre_Tipo_Cortesia", "SumaDeMonto"}},
    {"Vw_HuespedesXDia", {"Cantidad", "fecha_trabajo"}},
    {"Vw_CubiertosXDia", {"Cantidad", "fecha_trabajo"}},
    {"Vw_Resumen_Ventas", {"Nombre_Categoria", "Precio", "Impuestos", "Modificadores", "ID_Empleado"}},
    {"Vw_HuespedesXEmpleado", {"Nombre", "Huespedes", "Mesas", "ID_Empleado"}},
    {"Vw_DetalleHoras",
     {"Fecha_Trabajo", "ID_Empleado", "Departamento", "Hora_Inicio", "Hora_Final", "Minutos"}},
    {"vw_detallehoras", {"Fecha_Trabajo", "ID_Empleado"}},
};

TEST_F(SchemaTest, EveryViewAnswersWithItsColumnsInTheOrderTheScreensReadThem) {
    for (const ViewColumns& v : kViews) {
        const QString view = QString::fromUtf8(v.view);
        const QStringList got = columns(QStringLiteral("SELECT * FROM ") + view);
        ASSERT_GE(got.size(), v.leading.size()) << v.view << ": " << got.join(u',').toStdString();
        for (qsizetype i = 0; i < v.leading.size(); ++i)
            EXPECT_EQ(got[i].toLower(), v.leading[i].toLower()) << v.view << " column " << (i + 1);
    }
}

TEST_F(SchemaTest, ViewsJoinedByNameDoNotExposeColumnsTheirJoinsNameUnqualified) {
    // The product search joins Vw_ImpuestosXProducto with Producto; the split joins
    // Vw_TotalesImpuestos with ProductosXCuenta.
    const QStringList ixp = columns(QStringLiteral("SELECT * FROM Vw_ImpuestosXProducto"));
    for (const char* c : {"Nombre_Boton", "Estado", "Nombre_Submenu", "Nombre_Completo"})
        EXPECT_FALSE(ixp.contains(QString::fromUtf8(c), Qt::CaseInsensitive)) << c;
    const QStringList ti = columns(QStringLiteral("SELECT * FROM Vw_TotalesImpuestos"));
    for (const char* c : {"Num_Cuenta", "ID_Comanda", "Control"})
        EXPECT_FALSE(ti.contains(QString::fromUtf8(c), Qt::CaseInsensitive)) << c;
}

// --- Joins with unqualified columns --------------------------------------------------------------

// The terminal's statements that name columns unqualified in joins, byte for byte: each column must
// exist in exactly one of the joined tables.
const char* const kUnqualifiedJoins[] = {
    "SELECT fun.ID_Funcion FROM FuncionesXTerminal fxt, Funciones fun WHERE fxt.id_funcion=fun.id_funcion "
    "and estado=1 and ID_Terminal=1",
    "SELECT Nombre_Terminal FROM Empleado,Terminal WHERE Empleado.ID_Terminal=Terminal.ID_Terminal AND "
    "ID_Empleado=1 AND Empleado.ID_Terminal<>1",
    "SELECT Contraseña FROM Empleado,EmpleadosXGrupo,PermisosXGrupo_Trabajo WHERE "
    "Empleado.ID_Empleado=EmpleadosXGrupo.ID_Empleado AND "
    "EmpleadosXGrupo.ID_Grupo_Trabajo=PermisosXGrupo_Trabajo.ID_Grupo_Trabajo AND ID_Permiso=27 AND "
    "Usuario='gerente1'",
    "SELECT Id_Empleado, Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno, "
    "Nombre_Terminal,'','' FROM Empleado emp, Terminal ter WHERE emp.Id_Terminal <> 0 AND emp.Id_Terminal = "
    "ter.Id_Terminal AND Id_Empleado <> 1",
    "SELECT Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno FROM Comanda,Empleado WHERE "
    "Comanda.EnUsoPor=Empleado.ID_Empleado AND ID_Comanda=1 AND EnUsoPor<>1",
    "SELECT Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno FROM Comanda,Empleado WHERE "
    "Comanda.ID_Empleado=Empleado.ID_Empleado AND ID_Comanda=1 ANd Control = 1",
    "SELECT ID_Comanda,Num_Mesa,Nombre_Empleado,Fecha_apertura,Control FROM Comanda,Empleado WHERE "
    "Comanda.ID_Empleado=Empleado.ID_Empleado AND Abierta=1 AND ID_Comanda NOT IN (SELECT ID_Comanda FROM "
    "ProductosXCuenta WHERE ID_Tipo_Anulacion IS NULL)",
    "SELECT Usuario FROM Comanda,Empleado WHERE Comanda.ID_Empleado=Empleado.ID_Empleado AND ID_Comanda=1",
    "SELECT Control_Paquetes.ID_Seccion_Paquete FROM Control_Paquetes,ProductosXSeccion WHERE "
    "Control_Paquetes.ID_Seccion_Paquete=ProductosXSeccion.ID_Seccion_Paquete AND ID_Producto=202 AND "
    "ID_ProductosXCuenta=10",
    "SELECT sub.ID_SubMenu,Nombre_SubMenu FROM SubMenu sub, SubmenuxMenu men WHERE sub.id_submenu = "
    "men.id_submenu AND men.Id_Menu = (SELECT Id_Menu FROM Terminal WHERE Id_Terminal=1) ORDER BY "
    "Orden,Nombre_SubMenu",
    "SELECT * FROM SubMenu sub, SubmenuxMenu men WHERE Submenu_Fijo=1 AND sub.id_submenu = men.id_submenu "
    "AND men.id_menu=(SELECT Id_Menu FROM Terminal WHERE Id_Terminal = 1) ORDER By Orden,Nombre_Submenu",
    "SELECT Pro.ID_Producto,Nombre_Submenu,Nombre_Boton,nombre_completo,Precio_Producto,Estado FROM SubMenu "
    "SubMen, productosxsubmenu PXSubMen, Producto Pro, Vw_ImpuestosXProducto IXP WHERE "
    "PXSubMen.ID_SubMenu=SubMen.ID_SubMenu AND Pro.ID_Producto = PXSubMen.ID_Producto AND "
    "IXP.ID_Producto=Pro.ID_Producto AND Pro.Estado='A' AND IXP.Id_menu = (SELECT Id_Menu FROM Terminal "
    "WHERE Id_Terminal=1) AND Nombre_Completo LIKE '%SOPA%'",
    "SELECT Fluir_Automatico FROM Producto,Grupo_Modificadores WHERE "
    "Producto.ID_Grupo_Modificadores=Grupo_Modificadores.ID_Grupo_Modificadores AND ID_Producto=101",
    "SELECT TM.ID_Tipo_Modificador ,Nombre_Tipo_Modificador ,Precio_Tipo_Modificador ,Fluir_automatico FROM "
    "Tipo_Modificador TM , Grupo_Modificadores GM , TiposXGrupo_Modificadores TGM WHERE "
    "GM.ID_Grupo_Modificadores = TGM.ID_Grupo_Modificadores AND TM.ID_Tipo_Modificador = "
    "TGM.ID_Tipo_Modificador AND GM.Grupo_Mod_Activo = 1 AND TM.Estado_Modificador = 'A' AND "
    "GM.ID_Grupo_Modificadores = 4",
    "SELECT 'SOPA DE TORTILLA</B></H>',ImpresorasXGrupo.ID_Impresora,'P',1 FROM ImpresorasXGrupo,Impresora "
    "WHERE ImpresorasXGrupo.ID_Impresora=Impresora.ID_Impresora AND ID_Grupo_Impresoras=2",
    "SELECT ID_Grupo_Impresoras FROM ProductosXCuenta,Producto WHERE "
    "ProductosXCuenta.ID_Producto=Producto.ID_Producto AND ID_ProductosXCuenta=1",
    "select pr.id_producto,pr.nombre_boton,count(pxc.id_producto) as cantidad from productosxcuenta pxc, "
    "producto pr where pr.id_producto *= pxc.id_producto and pr.estado='A' and pr.paquete=1 and id_comanda=1 "
    "and control=1 group by pr.id_producto,pr.nombre_boton ORDER BY Nombre_Boton",
    "SELECT ProductosXSeccion.ID_Producto AS ID,Nombre_Boton AS Nombre FROM "
    "Secciones_Paquete,ProductosXSeccion,Producto WHERE "
    "Secciones_Paquete.ID_Seccion_Paquete=ProductosXSeccion.ID_Seccion_Paquete AND "
    "ProductosXSeccion.ID_Producto=Producto.ID_Producto AND Secciones_Paquete.ID_Producto=201",
    "SELECT Numero,Secciones_Paquete.ID_Seccion_Paquete FROM ProductosXSeccion,Secciones_Paquete WHERE "
    "ProductosXSeccion.ID_Seccion_Paquete=Secciones_Paquete.ID_Seccion_Paquete AND "
    "Secciones_Paquete.ID_Producto=201 AND ProductosXSeccion.ID_Producto=202",
    "SELECT ID_ProductosXCuenta,Nombre_Cuenta,Id_Paquete,Paquete FROM ProductosXCuenta,Producto WHERE "
    "(id_paquete is null or paquete=1) and ProductosXCuenta.ID_Producto=Producto.ID_Producto AND "
    "ID_Comanda=1 AND Control=1 AND Num_Cuenta=1 AND ID_Tipo_Anulacion IS NULL ORDER BY "
    "ID_Paquete,ID_ProductosXCuenta",
    "SELECT Num_Cuenta,SUM(Precio_Venta+Impuesto) AS Total FROM ProductosXCuenta,Vw_TotalesImpuestos WHERE "
    "ProductosXCuenta.ID_ProductosXCuenta=Vw_TotalesImpuestos.ID_ProductosXCuenta AND ID_Comanda=1AND "
    "Control= 1 GROUP BY Num_Cuenta",
    "SELECT isnull(SUM(Impuesto_Modificador),0) AS Impuesto FROM ProductosXCuenta,Modificador WHERE "
    "ProductosXCuenta.ID_ProductosXCuenta=Modificador.ID_ProductosXCuenta AND ID_Tipo_Anulacion IS NULL AND "
    "ID_Comanda=1 AND Control=1 AND Num_cuenta=1",
    "SELECT ISNULL(SUM(Monto_ImpuestosXCuenta),0) AS Impuesto,ISNULL(SUM(CASE "
    "ISNULL(Monto_ImpuestosXCuenta,0) WHEN 0 THEN 1 ELSE 0 END),1) AS SinImpuesto FROM "
    "ProductosXCuenta,ImpuestosXCuenta WHERE "
    "ProductosXCuenta.ID_ProductosXCuenta=ImpuestosXCuenta.ID_ProductosXCuenta AND ID_Tipo_Anulacion IS NULL "
    "AND ID_Comanda=1 AND Control=1 AND Num_cuenta=1",
    "SELECT Nombre_Tipo_Pago,Monto_Pago,Propina FROM Pago,Tipo_Pago WHERE "
    "Pago.ID_Tipo_Pago=Tipo_Pago.ID_Tipo_Pago AND ID_Comanda=1 AND Control=1 AND Num_cuenta=1",
    "SELECT  "
    "Nombre_Empleado,Fecha_Cierre,Num_Mesa,Num_Impresiones,CantHuespedes,isnull(cli.nombrecliente,'') as "
    "NombreCliente FROM Comanda Com inner join Empleado Emp on com.id_empleado=emp.id_empleado inner join "
    "Cuenta Cu on com.id_comanda=cu.id_comanda left join Clientes cli on cli.cvecliente = cu.cvecliente "
    "Where Com.Id_Comanda = 1",
    "select NombreCliente + isnull(ApPaterno,'') + isnull(ApMaterno,'') as Nombre from clientes cli inner "
    "join cuenta cu on cli.cvecliente = cu.cvecliente and Id_comanda =1 AND Num_Cuenta =1",
    "select isnull(SaldoAnteriorP,0) as SaldoAnteriorP,isnull(SaldoAnterior,0) as "
    "SaldoAnterior,isnull(NuevoSaldoP,0) as NuevoSaldoP,isnull(NuevoSaldo,0) as NuevoSaldo from clientes cli "
    "inner join cuenta cu on cli.cvecliente = cu.cvecliente and Id_comanda = 1 AND Num_Cuenta = 1",
    "SELECT distinct sub.* FROM Submenu sub, productosxsubmenu pxs where pxs.id_submenu = sub.id_submenu "
    "ORDER BY Nombre_Submenu",
};

TEST_F(SchemaTest, TheTerminalsJoinsWithUnqualifiedColumnsResolveWithoutAmbiguity) {
    seedWorkingDay();
    for (const char* sql : kUnqualifiedJoins)
        EXPECT_FALSE(rows(QString::fromUtf8(sql)).startsWith(QStringLiteral("ERROR")))
            << sql << "\n"
            << rows(QString::fromUtf8(sql)).toStdString();
}

TEST_F(SchemaTest, JoinsWithTheTerminalsTemporaryTablesResolveWithoutAmbiguity) {
    // Product buttons with counts already ordered, and the gift products of a promotion.
    exec(QStringLiteral("SELECT Producto.ID_Producto,Nombre_Boton,Producto.Existencia INTO #TempMenu FROM "
                        "ProductosXSubmenu,Producto "
                        "WHERE ProductosXSubmenu.ID_Producto=Producto.ID_Producto AND ID_Submenu=3 AND "
                        "Estado='A' ORDER BY Orden,Nombre_Boton"));
    exec(QStringLiteral(
        "SELECT ID_Producto,COUNT(ID_Producto) AS Cant INTO #TempPXC FROM ProductosXCuenta WHERE "
        "ID_Comanda=1 AND Control=1 "
        "AND Num_Cuenta=1 AND ID_Tipo_Anulacion IS NULL AND ID_Paquete IS NULL GROUP BY ID_Producto"));
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT #TempMenu.ID_Producto,Nombre_Boton,Cant,Existencia FROM #TempMenu,#TempPXC "
                  "WHERE #TempMenu.ID_Producto*=#TempPXC.ID_Producto")),
              QString());
    EXPECT_EQ(
        rows(QStringLiteral(
            "SELECT pxp.Id_Producto as ID,Nombre_Boton as Nombre,isnull(Cant,0) as Cant FROM Producto pr, "
            "ProductosxPromocion pxp,#TempPXC pxc WHERE pxp.Id_producto*=pxc.ID_Producto and pxp.id_producto "
            "= "
            "pr.id_producto ORDER BY Nombre_Boton")),
        QString());
    exec(QStringLiteral("DROP TABLE #TempPXC"));
    exec(QStringLiteral("DROP TABLE #TempMenu"));
    exec(QStringLiteral("CREATE TABLE #tmpObs(Id_Promocion INT,Cantidad INT)"));
    EXPECT_EQ(rows(QStringLiteral(
                  "select pr.id_promocion as id_producto, nombre as nombre_boton,Cantidad from promocion pr "
                  "inner join #tmpObs tmp on pr.id_promocion = tmp.Id_promocion ORDER BY Nombre")),
              QString());
    exec(QStringLiteral("DROP TABLE #tmpObs"));
}

// --- Defaults ------------------------------------------------------------------------------------

TEST_F(SchemaTest, InsertsNamingFewColumnsFillTheOthersWithUsableDefaults) {
    exec(QStringLiteral("INSERT INTO "
                        "Cuenta(Id_Comanda,Num_Cuenta,Pagada,Num_Impresiones,Total,Control,Num_Tiempo,Ultimo_"
                        "Tiempo,facturada) "
                        "VALUES(1,2,0,0,0,1,1,1,0)"));
    EXPECT_EQ(rows(QStringLiteral("SELECT CveCliente FROM Cuenta WHERE ID_Comanda=1 AND Num_Cuenta=2")),
              QStringLiteral("0"));

    exec(QStringLiteral("INSERT INTO Control_Paquetes(ID_ProductosXCuenta,ID_Seccion_Paquete) VALUES(10,5)"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Ordenados FROM Control_Paquetes")), QStringLiteral("1"));

    exec(QStringLiteral("INSERT INTO Comanda(ID_Comanda,Control,Num_Mesa,ID_Empleado) VALUES(1,1,12,1)"));
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT EnUsoPor, Abierta, isnull(CantHuespedes,0), Tipo FROM Comanda WHERE Control=1")),
              QStringLiteral("0|1|0|N"));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Comanda WHERE Control=1 AND Fecha_Apertura IS NOT "
                                  "NULL AND Fecha_Cierre IS NULL")),
              QStringLiteral("1"));

    exec(QStringLiteral(
        "INSERT INTO "
        "Pago(ID_Comanda,Control,Num_Cuenta,ID_Tipo_Pago,Monto_Pago,Propina,Referencia,Id_Empleado,comision) "
        "VALUES(1,1,1,1,350,50,'',1,0)"));
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT ID_Pago, count(*) FROM Pago WHERE Fecha_Pago IS NOT NULL GROUP BY ID_Pago")),
              QStringLiteral("1|1"));

    exec(QStringLiteral(
        "INSERT INTO "
        "clientes(cvecliente,nombrecliente,numtarjeta,idtipocliente,saldoanteriorp,saldoanterior) "
        "VALUES(123456789012345,'MARIA LOPEZ GARCIA','123456789012345',1,120,35.5)"));
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT cvecliente, activo, isnull(tel,''), isnull(FechaNacimiento,'') FROM clientes")),
              QStringLiteral("123456789012345|1||"));

    exec(QStringLiteral(
        "INSERT INTO Empleado(Id_Empleado,Usuario,Nombre_Empleado) VALUES(7,'mesero7','Ana')"));
    EXPECT_EQ(
        rows(QStringLiteral(
            "SELECT Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno, ID_Terminal, Firmado "
            "FROM Empleado")),
        QStringLiteral("Ana  |0|0"));
}

TEST_F(SchemaTest, LogAndDeletionRecordsNeedOnlyTheColumnsTheTerminalWrites) {
    exec(QStringLiteral("INSERT INTO Bitacora(FechaHora,ID_Empleado,Texto) VALUES('06/12/2026 "
                        "13:45:00',1,'Comanda 1 cerrada')"));
    exec(QStringLiteral("INSERT INTO Bitacora(FechaHora,Id_Empleado,Texto) VALUES(GETDATE(),1,'Pago')"));
    exec(QStringLiteral("INSERT INTO Transacciones(Transaccion) VALUES('DELETE FROM Pago WHERE ID_Pago=1')"));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Bitacora")), QStringLiteral("2"));
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Transaccion FROM Transacciones WHERE Fecha IS NOT NULL")),
              QStringLiteral("1"));
}

TEST_F(SchemaTest, PrintJobsOpenWithDefaultsAndOnlyKnownStates) {
    exec(QStringLiteral("INSERT INTO Cola_Trabajo(Tipo,ID_Impresora,Usuario) VALUES('C',2,'mesero1')"));
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT ID_Trabajo, Estado, Intentos FROM Cola_Trabajo WHERE Fecha_Alta IS NOT NULL")),
              QStringLiteral("1|A|0"));
    exec(QStringLiteral("INSERT INTO Cola_Linea(ID_Trabajo,Num_Linea,Texto) VALUES(1,1,'<H>PRUEBA</H>')"));
    EXPECT_FALSE(failure(QStringLiteral("UPDATE Cola_Trabajo SET Estado='X' WHERE ID_Trabajo=1")).isEmpty());
    EXPECT_FALSE(
        failure(QStringLiteral("INSERT INTO Cola_Linea(ID_Trabajo,Num_Linea,Texto) VALUES(1,1,'otra')"))
            .isEmpty());
    EXPECT_FALSE(failure(QStringLiteral(
                             "INSERT INTO Cola_Linea(ID_Trabajo,Num_Linea,Texto) VALUES(99,1,'sin trabajo')"))
                     .isEmpty());
}

// --- Keys ----------------------------------------------------------------------------------------

TEST_F(SchemaTest, AnOrderNumberMayRepeatOnlyWithAnotherControl) {
    exec(QStringLiteral("INSERT INTO Comanda(ID_Comanda,Control,Num_Mesa,ID_Empleado) VALUES(1,1,12,1)"));
    exec(QStringLiteral(
        "INSERT INTO Comanda(ID_Comanda,Control,Num_Mesa,ID_Empleado,Num_Anexo) VALUES(1,2,12,1,1)"));
    EXPECT_FALSE(failure(QStringLiteral(
                             "INSERT INTO Comanda(ID_Comanda,Control,Num_Mesa,ID_Empleado) VALUES(1,1,13,1)"))
                     .isEmpty());
    exec(QStringLiteral("INSERT INTO Cuenta(ID_Comanda,Num_Cuenta,Control) VALUES(1,1,1)"));
    exec(QStringLiteral("INSERT INTO Cuenta(ID_Comanda,Num_Cuenta,Control) VALUES(1,1,2)"));
    EXPECT_FALSE(
        failure(QStringLiteral("INSERT INTO Cuenta(ID_Comanda,Num_Cuenta,Control) VALUES(1,1,1)")).isEmpty());
}

TEST_F(SchemaTest, CataloguesRefuseDuplicateKeysRegardlessOfCase) {
    exec(QStringLiteral(
        "INSERT INTO Parametros(Id_Parametro,Valor_Cad) VALUES('DIRECCIONCALLE','AV. JUAREZ 100')"));
    EXPECT_FALSE(
        failure(
            QStringLiteral("INSERT INTO Parametros(Id_Parametro,Valor_Cad) VALUES('DireccionCalle','OTRA')"))
            .isEmpty());
    EXPECT_EQ(rows(QStringLiteral("SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='direccioncalle'")),
              QStringLiteral("AV. JUAREZ 100"));
    exec(QStringLiteral("INSERT INTO Clientes(CveCliente,RFC,Razon,DirCalle,DirCol,DirDelMun) "
                        "VALUES(2,'PEGJ800101AB1','X','','','')"));
    EXPECT_FALSE(
        failure(QStringLiteral("INSERT INTO Clientes(CveCliente,RFC,Razon,DirCalle,DirCol,DirDelMun) "
                               "VALUES(2,'','','','','')"))
            .isEmpty());
    exec(QStringLiteral("INSERT INTO Control_Paquetes(ID_ProductosXCuenta,ID_Seccion_Paquete) VALUES(10,5)"));
    EXPECT_FALSE(
        failure(QStringLiteral(
                    "INSERT INTO Control_Paquetes(ID_ProductosXCuenta,ID_Seccion_Paquete) VALUES(10,5)"))
            .isEmpty());
}

TEST_F(SchemaTest, ServerNumberedRowsGetIncreasingIdentities) {
    for (int i = 0; i < 3; ++i)
        exec(QStringLiteral("INSERT INTO ProductosXCuenta(ID_Comanda,Control,Num_Cuenta,ID_Producto,Precio) "
                            "VALUES(1,1,1,101,85)"));
    exec(QStringLiteral("INSERT INTO HorasxEmpleado(Id_Empleado,Fecha_Trabajo) VALUES(1,'06122026')"));
    exec(QStringLiteral("INSERT INTO HorasxEmpleado(Id_Empleado,Fecha_Trabajo) VALUES(1,'06122026')"));
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_ProductosXCuenta FROM ProductosXCuenta ORDER BY 1")),
              QStringLiteral("1;2;3"));
    EXPECT_EQ(rows(QStringLiteral("SELECT max(Id_Entrada) FROM HorasxEmpleado WHERE Id_Empleado=1")),
              QStringLiteral("2"));
}

TEST_F(SchemaTest, AFifteenDigitLoyaltyCardFitsTheCustomerAndAccountKeys) {
    exec(QStringLiteral(
        "INSERT INTO "
        "clientes(cvecliente,nombrecliente,numtarjeta,idtipocliente,saldoanteriorp,saldoanterior) "
        "VALUES(123456789012345,'MARIA','123456789012345',1,120,35.5)"));
    exec(
        QStringLiteral("UPDATE clientes SET Num_Tarjeta='123456789012345' WHERE CveCliente=123456789012345"));
    exec(QStringLiteral("INSERT INTO Cuenta(ID_Comanda,Num_Cuenta,Control) VALUES(1,1,1)"));
    exec(
        QStringLiteral("UPDATE Cuenta SET CveCliente=123456789012345 WHERE Id_Comanda = 1 AND Num_Cuenta=1"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Count(*) FROM clientes WHERE Num_tarjeta=123456789012345")),
              QStringLiteral("1"));
    EXPECT_EQ(
        rows(QStringLiteral(
            "select NombreCliente from clientes cli inner join cuenta cu on cli.cvecliente = cu.cvecliente "
            "and Id_comanda =1 AND Num_Cuenta =1")),
        QStringLiteral("MARIA"));
}

// --- What the views mean -------------------------------------------------------------------------

TEST_F(SchemaTest, OpenTableViewsListOnlyOpenOrders) {
    seedWorkingDay();
    EXPECT_EQ(
        rows(QStringLiteral(
            "SELECT ID_Comanda, Control, Num_Mesa, Num_Impresiones FROM Vw_MesasAbiertas ORDER BY Num_Mesa")),
        QStringLiteral("1|1|12|1"));
    EXPECT_EQ(rows(QStringLiteral("SELECT MAX(Num_Mesa) + 1 FROM vw_mesasabiertas")), QStringLiteral("13"));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Nombre_Empleado, ID_Comanda FROM Vw_MesaOcupada WHERE Num_Mesa=12")),
        QStringLiteral("Ana Ruiz Diaz|1"));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM Vw_MesaOcupada WHERE Num_Mesa=14")), QString());
    // Closed by the zero-total screen: Abierta=0 alone removes it.
    exec(QStringLiteral("UPDATE Comanda SET Abierta=0,CantHuespedes=0 WHERE ID_Comanda = 1 AND Control=1"));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Vw_MesasAbiertas WHERE id_empleado=1")),
              QStringLiteral("0"));
}

TEST_F(SchemaTest, ClosedTablesAndReprintsAreThoseOfTheWorkingDate) {
    seedWorkingDay();
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Comanda, Control, Num_Mesa FROM Vw_MesasCerradas ")),
              QStringLiteral("2|1|14"));
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT ID_Comanda, Num_Cuenta, Control FROM Vw_ReimprimirCta ORDER BY ID_Comanda")),
              QStringLiteral("1|1|1;2|1|1"));
    exec(QStringLiteral("UPDATE Parametros SET Valor_Cad='05122026' WHERE Id_Parametro='FECHA_TRABAJO'"));
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Comanda FROM Vw_MesasCerradas ")), QStringLiteral("3"));
}

TEST_F(SchemaTest, ItemViewsCountLiveItemsWithModifiersAndAgreeOnTheAmountDue) {
    seedWorkingDay();
    // The order screen: the live soup with its modifier, the cancelled one left out.
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_ProductosXCuenta, Nombre_Cuenta, Nombre_Tipo_Modificador, "
                                  "Precio_Modificador FROM Vw_Comanda "
                                  "WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=1")),
              QStringLiteral("1|SOPA|EXTRA QUESO|11.6"));
    // Net 100 + modifier 10, taxes 16 + 1.6: the account's amount due is 127.6.
    EXPECT_EQ(
        rows(QStringLiteral(
            "SELECT Num_Cuenta,SUM(Precio_Venta+Impuesto) AS Total FROM ProductosXCuenta,Vw_TotalesImpuestos "
            "WHERE ProductosXCuenta.ID_ProductosXCuenta=Vw_TotalesImpuestos.ID_ProductosXCuenta "
            "AND ID_Comanda=1AND Control= 1 GROUP BY Num_Cuenta")),
        QStringLiteral("1|127.6"));
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT Precio_Venta, Impuesto FROM Vw_TotalesImpuestos WHERE ID_ProductosXCuenta=1")),
              QStringLiteral("110|17.6"));
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT Nombre_Boton FROM Vw_SeleccionarCta WHERE ID_Comanda=1 AND Num_Cuenta=1")),
              QStringLiteral("Sopa"));
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT Motivo, Gerente, Producto, Num_Mesa, ID_Comanda, Control FROM Vw_Anulaciones")),
              QStringLiteral("ERROR MESERO|Luis  |SOPA|12|1|1"));
}

TEST_F(SchemaTest, DailyReportsCoverOnlyTheWorkingDate) {
    seedWorkingDay();
    // Today: order 1 (127.6 with taxes 17.6) and order 2 (58 with tax 8); yesterday's order 3 is out.
    EXPECT_EQ(rows(QStringLiteral("SELECT Nombre_Categoria, Precio, Impuestos, Total FROM Vw_Total_Ventas")),
              QStringLiteral("SOPAS|160|25.6|185.6"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Nombre_Categoria,Precio+Impuestos+Modificadores FROM "
                                  "Vw_Resumen_Ventas WHERE ID_Empleado=1")),
              QStringLiteral("SOPAS|185.6"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Nombre_Tipo_Pago, Monto, Propina, Clase FROM Vw_Total_Pagos")),
              QStringLiteral("TARJETA|58|10|T"));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM Vw_Resumen_Pagos WHERE ID_Empleado=1")),
              QStringLiteral("TARJETA|58|10|T|1"));
    EXPECT_EQ(
        rows(QStringLiteral(
            "SELECT MESA,TIPO,PAGO,PROPINA FROM Vw_Ajuste_Pagos WHERE id_empleado=1 ORDER BY TIPO, MESA")),
        QStringLiteral("14|TARJETA|58|10"));
    EXPECT_EQ(
        rows(QStringLiteral(
            "select Cantidad from Vw_HuespedesXDia where fecha_trabajo=(select valor_cad from parametros "
            "where id_parametro='fecha_trabajo')")),
        QStringLiteral("6"));
    EXPECT_EQ(rows(QStringLiteral("select Cantidad from Vw_CubiertosXDia where fecha_trabajo='06122026'")),
              QStringLiteral("2"));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Nombre, Huespedes, Mesas FROM Vw_HuespedesXEmpleado ORDER BY Nombre")),
        QStringLiteral("Ana Ruiz Diaz|6|2"));
}

TEST_F(SchemaTest, TipControlOwesTheHouseItsShareOfNetSalesAfterCardCommissions) {
    seedWorkingDay();
    // Net sales 110 + 50 = 160; PORPROPINA 10 % -> 16 owed; tip 10 less 5 % commission -> 9.5.
    EXPECT_EQ(
        rows(QStringLiteral(
            "SELECT SUM(Mesas), SUM(Huespedes), SUM(Venta), SUM(Venta_neta), SUM(prop_rep), SUM(PROPINA), "
            "SUM(prop_com), SUM(Balance) FROM Vw_ControlPropina WHERE Fecha_Trabajo=(SELECT valor_cad FROM "
            "Parametros WHERE Id_Parametro='FECHA_TRABAJO') AND ID_Empleado=1 GROUP BY Nombre_Empleado")),
        QStringLiteral("2|6|185.6|160|16|10|9.5|-6.5"));
}

TEST_F(SchemaTest, CourtesiesSplitIntoDiscountsAndHouseAccountCharges) {
    seedWorkingDay();
    exec(QStringLiteral(
        "INSERT INTO Tipo_Cortesia(ID_Tipo_Cortesia,Nombre_Tipo_Cortesia) VALUES(1,'GERENCIA')"));
    exec(QStringLiteral("INSERT INTO Tipo_Cortesia(ID_Tipo_Cortesia,Nombre_Tipo_Cortesia,Especial) "
                        "VALUES(2,'CUENTA CASA',1)"));
    exec(QStringLiteral("INSERT INTO Clientes(CveCliente,nombrecliente,ApPaterno) VALUES(5,'PEDRO','SOTO')"));
    exec(QStringLiteral("INSERT INTO Cortesia(ID_ProductosXCuenta,ID_Tipo_Cortesia,Monto) VALUES(1,1,20)"));
    exec(QStringLiteral(
        "INSERT INTO Cortesia(ID_ProductosXCuenta,ID_Tipo_Cortesia,Monto,CveCliente) VALUES(1,2,30,5)"));
    exec(QStringLiteral(
        "INSERT INTO Cortesia(ID_ProductosXCuenta,ID_Tipo_Cortesia,Monto) VALUES(2,1,99)")); // cancelled item
    EXPECT_EQ(rows(QStringLiteral("Select nombre_tipo_cortesia,monto from vw_descuentosxcuenta where "
                                  "id_comanda=1 and Num_cuenta=1")),
              QStringLiteral("GERENCIA|20"));
    EXPECT_EQ(rows(QStringLiteral("select nombrecliente as nombre,nombre_tipo_cortesia as tipo, total From "
                                  "vw_reportecortesiasespeciales "
                                  "Where Id_Comanda = 1 AND Num_Cuenta = 1")),
              QStringLiteral("PEDRO SOTO|CUENTA CASA|30"));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM Vw_Cortesias_Totales ORDER BY 1")),
              QStringLiteral("CUENTA CASA|30;GERENCIA|20"));
}

TEST_F(SchemaTest, StaffViewsFollowPermissionsShiftsAndCards) {
    seedWorkingDay();
    exec(QStringLiteral("INSERT INTO EmpleadosXGrupo(ID_Empleado,ID_Grupo_Trabajo) VALUES(2,1)"));
    exec(QStringLiteral("INSERT INTO EmpleadosXGrupo(ID_Empleado,ID_Grupo_Trabajo) VALUES(2,2)"));
    exec(QStringLiteral("INSERT INTO PermisosXGrupo_Trabajo(ID_Grupo_Trabajo,ID_Permiso) VALUES(1,39)"));
    exec(QStringLiteral("INSERT INTO PermisosXGrupo_Trabajo(ID_Grupo_Trabajo,ID_Permiso) VALUES(2,39)"));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Count(*) FROM Vw_Permisos WHERE ID_Empleado=2 AND ID_Permiso = 39")),
        QStringLiteral("1"));
    exec(QStringLiteral("UPDATE Empleado SET Estado_Empleado='B' WHERE Id_Empleado=2"));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Count(*) FROM Vw_Permisos WHERE ID_Empleado=2 AND ID_Permiso = 39")),
        QStringLiteral("0"));

    exec(QStringLiteral("UPDATE Empleado SET Num_Tarjeta='XXX' WHERE Id_Empleado=1"));
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Empleado FROM Vw_Empleados_Sin_Tarjeta")), QStringLiteral("1"));

    // A shift whose start was corrected to a bare time of day is placed on its working date.
    exec(QStringLiteral("INSERT INTO Departamento(id_departamento,Nombre) VALUES(3,'SALON')"));
    exec(QStringLiteral(
        "INSERT INTO HorasxEmpleado(Id_Empleado,id_departamento,Hora_Inicio,Hora_Final,Fecha_Trabajo) "
        "VALUES(1,3,'01/01/1900 08:30','06/12/2026 10:00','06122026')"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Departamento,Minutos FROM Vw_DetalleHoras WHERE "
                                  "Fecha_Trabajo=(SELECT Valor_Cad FROM Parametros "
                                  "WHERE Id_Parametro='Fecha_Trabajo') AND id_empleado=1")),
              QStringLiteral("SALON|90"));
    exec(QStringLiteral("INSERT INTO HorasxEmpleado(Id_Empleado,id_departamento,Hora_Inicio,Fecha_Trabajo) "
                        "VALUES(1,0,'06/12/2026 11:00','06122026')"));
    exec(QStringLiteral("UPDATE Empleado SET Firmado=1 WHERE Id_Empleado=1"));
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT Id_Empleado, Empleado, Departamento, Hora_Inicio FROM Vw_EmpleadosFirmados")),
              QStringLiteral("1|Ana Ruiz Diaz||06/12/2026 11:00:00"));
}

// --- Indexes -------------------------------------------------------------------------------------

class SchemaPlanTest : public SchemaTest {
protected:
    void SetUp() override {
        SchemaTest::SetUp();
        ASSERT_EQ(sqlite3_open_v2(path().toUtf8().constData(), &m_raw, SQLITE_OPEN_READONLY, nullptr),
                  SQLITE_OK);
        ASSERT_TRUE(nerin::tsql::registerTsqlFunctions(m_raw));
    }
    void TearDown() override { sqlite3_close(m_raw); }

    // The plan's lines (EXPLAIN QUERY PLAN details) of a statement in SQLite's own dialect.
    QStringList plan(const char* sql) {
        QStringList lines;
        sqlite3_stmt* stmt = nullptr;
        const QByteArray text = QByteArray("EXPLAIN QUERY PLAN ") + sql;
        if (sqlite3_prepare_v2(m_raw, text.constData(), -1, &stmt, nullptr) != SQLITE_OK)
            return {QStringLiteral("ERROR ") + QString::fromUtf8(sqlite3_errmsg(m_raw))};
        while (sqlite3_step(stmt) == SQLITE_ROW)
            lines.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3))));
        sqlite3_finalize(stmt);
        return lines;
    }

    sqlite3* m_raw = nullptr;
};

struct HotLookup {
    const char* sql;
    const char* searched; // the table (or alias) that must be searched through an index
};

const HotLookup kHotLookups[] = {
    {"SELECT * FROM Comanda WHERE ID_Comanda=1 AND Control=1", "Comanda"},
    {"SELECT * FROM Comanda WHERE ID_Comanda=1", "Comanda"},
    {"SELECT * FROM Comanda WHERE fecha_trabajo='06122026' AND ID_Empleado=1", "Comanda"},
    {"SELECT * FROM Comanda WHERE EnUsoPor=1", "Comanda"},
    {"SELECT * FROM Comanda WHERE Num_Mesa=12 AND Abierta=1", "Comanda"},
    {"SELECT * FROM Cuenta WHERE ID_Comanda=1 AND Control=1", "Cuenta"},
    {"SELECT * FROM ProductosXCuenta WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=1", "ProductosXCuenta"},
    {"SELECT * FROM ProductosXCuenta WHERE ID_Paquete=3", "ProductosXCuenta"},
    {"SELECT * FROM ProductosXCuenta WHERE ID_ProductosXCuenta=3", "ProductosXCuenta"},
    {"SELECT * FROM Modificador WHERE ID_ProductosXCuenta=1 AND ID_Tipo_Modificador=7", "Modificador"},
    {"SELECT * FROM ImpuestosXCuenta WHERE ID_ProductosXCuenta=1", "ImpuestosXCuenta"},
    {"SELECT * FROM Cortesia WHERE ID_ProductosXCuenta=1", "Cortesia"},
    {"SELECT * FROM Pago WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=1", "Pago"},
    {"SELECT * FROM Pago WHERE ID_Comanda=1 AND Control=1", "Pago"},
    {"SELECT * FROM Empleado WHERE Num_Tarjeta='q1YwC5nH3kT8xA=='", "Empleado"},
    {"SELECT * FROM Empleado WHERE Usuario='gerente1'", "Empleado"},
    {"SELECT * FROM Clientes WHERE Num_Tarjeta=123456789012345", "Clientes"},
    {"SELECT * FROM HorasxEmpleado WHERE Id_Empleado=2 ORDER BY Id_Entrada DESC", "HorasxEmpleado"},
    {"SELECT * FROM Cola_Trabajo WHERE Estado='P' ORDER BY ID_Trabajo", "Cola_Trabajo"},
    {"SELECT * FROM Vw_MesasAbiertas WHERE ID_Empleado=1", "c"},
    {"SELECT * FROM Vw_MesaOcupada WHERE Num_Mesa=12", "c"},
    {"SELECT * FROM Vw_MesasCerradas", "c"},
    {"SELECT * FROM Vw_Comanda WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=1", "pxc"},
    {"SELECT * FROM Vw_Anulaciones", "c"},
    {"SELECT * FROM Vw_ReimprimirCta WHERE ID_Empleado=1", "c"},
    {"SELECT * FROM Vw_Ajuste_Pagos WHERE id_empleado=1", "c"},
    {"SELECT * FROM Vw_Resumen_Pagos WHERE ID_Empleado=1", "c"},
    {"SELECT * FROM Vw_Total_Pagos", "c"},
    {"SELECT * FROM Vw_Total_Ventas", "c"},
    {"SELECT * FROM Vw_Resumen_Ventas WHERE ID_Empleado=1", "c"},
    {"SELECT * FROM Vw_Cortesias_Totales", "c"},
    {"SELECT * FROM Vw_HuespedesXEmpleado", "c"},
    {"SELECT * FROM Vw_HuespedesXDia WHERE fecha_trabajo='06122026'", "c"},
    {"SELECT * FROM Vw_CubiertosXDia WHERE fecha_trabajo='06122026'", "c"},
    {"SELECT * FROM Vw_ControlPropina WHERE Fecha_Trabajo='06122026' AND ID_Empleado=1", "c"},
    {"SELECT * FROM Vw_DetalleHoras WHERE Fecha_Trabajo='06122026' AND ID_Empleado=1", "h"},
    {"SELECT * FROM vw_descuentosxcuenta WHERE id_comanda=1 AND Num_cuenta=1", "pxc"},
    {"SELECT * FROM Vw_PagosXCuenta WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=1", "pg"},
    {"SELECT * FROM Vw_SeleccionarCta WHERE ID_Comanda=1 AND Num_Cuenta=2", "pxc"},
};

TEST_F(SchemaPlanTest, HotLookupsSearchAnIndexInsteadOfScanningHistory) {
    for (const HotLookup& lookup : kHotLookups) {
        const QStringList lines = plan(lookup.sql);
        const QString joined = lines.join(QStringLiteral(" / "));
        bool searched = false;
        for (const QString& line : lines) {
            if (line.startsWith(QStringLiteral("SEARCH ") + QString::fromUtf8(lookup.searched) + u' '))
                searched = true;
            EXPECT_FALSE(line.startsWith(QStringLiteral("SCAN ") + QString::fromUtf8(lookup.searched)))
                << lookup.sql << ": " << joined.toStdString();
        }
        EXPECT_TRUE(searched) << lookup.sql << ": " << joined.toStdString();
    }
}

} // namespace
