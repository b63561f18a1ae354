#include "reports/VentasMesero.h"

#include "reports/RepHuespedes.h"
#include "startup/tests/StartupFixture.h"

#include <QMap>
#include <gtest/gtest.h>

namespace nerin::fakes {
namespace {

constexpr qint32 kMesero1 = 1; // tables 5 and 15, both open
constexpr qint16 kGerente1 = 2;
constexpr qint32 kCajero1 = 3; // sold nothing
constexpr qint32 kMesero2 = 4; // table 3, closed and paid

// The waiter's sales and the guests per waiter on the demo restaurant, looked at by gerente1.
class VentasMeseroTest : public StartupFixture {
protected:
    void SetUp() override {
        StartupFixture::SetUp();
        // A cancelled dish of mesero1 must count nowhere.
        exec(QStringLiteral(
            "UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=3 WHERE ID_ProductosXCuenta=(SELECT "
            "MIN(ID_ProductosXCuenta) FROM ProductosXCuenta WHERE ID_Comanda=2)"));
    }
    void conectar(qint16 quien = kGerente1) {
        build();
        ASSERT_TRUE(baseDatos->ConectarBD());
        context->iniciarSesion(
            Sesion(quien, QStringLiteral("gerente1"), QStringLiteral("JUAN PEREZ LOPEZ"), false));
    }
    // What the waiter's customers were charged per category, worked out from the items themselves:
    // prices are stored with their taxes, so an item's price plus its modifiers' is what was charged.
    QMap<QString, Currency> cobradoPorCategoria(qint32 mesero) {
        SqliteConnection conexion(dbFolder() + "/DBNERIN.db");
        EXPECT_TRUE(conexion.open().isOk());
        auto filas = conexion.query(
            QStringLiteral(
                "SELECT ISNULL(sm.Nombre_SubMenu, 'SIN CATEGORIA'), SUM(pxc.Precio + ISNULL((SELECT "
                "SUM(m.Precio_Modificador) FROM Modificador m WHERE m.ID_ProductosXCuenta = "
                "pxc.ID_ProductosXCuenta), 0)) FROM ProductosXCuenta pxc INNER JOIN Comanda c ON "
                "c.ID_Comanda = pxc.ID_Comanda AND c.Control = pxc.Control LEFT JOIN Producto p ON "
                "p.ID_Producto = pxc.ID_Producto LEFT JOIN SubMenu sm ON sm.ID_SubMenu = "
                "p.ID_Categoria WHERE pxc.ID_Tipo_Anulacion IS NULL AND c.fecha_trabajo = (SELECT "
                "Valor_Cad FROM Parametros WHERE Id_Parametro = 'FECHA_TRABAJO') AND c.ID_Empleado = ") +
            QString::number(mesero) + QStringLiteral(" GROUP BY ISNULL(sm.Nombre_SubMenu, 'SIN CATEGORIA')"));
        EXPECT_TRUE(filas.isOk());
        QMap<QString, Currency> cobrado;
        for (const QList<DbValue>& fila : filas->rows())
            cobrado.insert(fila.value(0).toString(), fila.value(1).toCurrency());
        return cobrado;
    }
    int trabajosT() {
        return static_cast<int>(
            field(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo WHERE Tipo='T'")).toInt());
    }
};

// A waiter who sold nothing gets "TOTAL:" 0.00 and no guests, never an error.
TEST_F(VentasMeseroTest, CategoriesTotalAndGuestsAreWhatTheWaitersOrdersHold) {
    conectar();
    const struct {
        qint32 mesero;
        const char* huespedes;
    } casos[] = {{kMesero1, "6"}, {kMesero2, "2"}, {kCajero1, "0"}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.mesero);
        const QMap<QString, Currency> esperado = cobradoPorCategoria(caso.mesero);
        VentasMesero ventas(*context, {caso.mesero, QString()});
        ASSERT_TRUE(ventas.cargar());
        const HojaResumen& hoja = ventas.hoja();
        ASSERT_EQ(hoja.filas(), esperado.size() + 2);
        QMap<QString, Currency> categorias;
        QList<Barra> barras;
        Currency total;
        for (int fila = 1; fila <= esperado.size(); ++fila) {
            barras.append(Barra{hoja.celda(fila, 0).texto, hoja.celda(fila, 1).monto.value_or(Currency())});
            categorias.insert(barras.last().etiqueta, barras.last().monto);
            total += barras.last().monto;
        }
        EXPECT_EQ(categorias, esperado);
        EXPECT_EQ(ventas.cifras().porConcepto, barras); // the middle chart is the grid's rows
        EXPECT_EQ(hoja.celda(hoja.filas() - 1, 0).texto, QStringLiteral("TOTAL:"));
        EXPECT_EQ(hoja.celda(hoja.filas() - 1, 1).monto, total);
        EXPECT_EQ(hoja.celda(hoja.filas(), 0).texto, QStringLiteral("TOTAL HUESPEDES: "));
        EXPECT_EQ(hoja.celda(hoja.filas(), 1).texto, QLatin1String(caso.huespedes));
        EXPECT_TRUE(hoja.celda(hoja.filas(), 1).negrita);
    }
}

// A manager looking at another waiter prints that waiter's report, and is refused while that waiter
// still has open tables; without permission 46 the key does nothing.
TEST_F(VentasMeseroTest, VerificationPrintsTheWaiterShownWithPermission46Only) {
    const struct {
        const char* caso;
        bool sinPermiso;
        qint32 mesero;
        bool habilitada;
        QStringList mensajes;
        int trabajos;
    } casos[] = {
        {"closed tables", false, kMesero2, true, {}, 1},
        {"open tables",
         false,
         kMesero1,
         true,
         {QStringLiteral("Tiene mesas abiertas, cierre todas sus mesas!")},
         0},
        {"no permission 46", true, kMesero2, false, {}, 0},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        SetUp();
        if (caso.sinPermiso)
            exec(QStringLiteral("DELETE FROM PermisosXGrupo_Trabajo WHERE ID_Permiso=46"));
        prompts = ScriptedPrompts();
        conectar();
        VentasMesero ventas(*context, {caso.mesero, QString()});
        ASSERT_TRUE(ventas.cargar());
        EXPECT_EQ(ventas.puedeVerificar(), caso.habilitada);
        EXPECT_EQ(ventas.verificar(), caso.trabajos == 1);
        EXPECT_EQ(prompts.mensajes(), caso.mensajes);
        EXPECT_EQ(trabajosT(), caso.trabajos);
    }
    EXPECT_EQ(
        field(QStringLiteral("SELECT COUNT(*) FROM Cola_Linea WHERE Texto LIKE '%PEDRO GARCIA%'")).toInt(),
        0);
}

TEST_F(VentasMeseroTest, AFailedGuestsReadLeavesNoHalfSheet) {
    conectar();
    faultyConnection->failAt(busyDatabase(1, QStringLiteral("SUM(CantHuespedes)")));
    VentasMesero ventas(*context, {kMesero1, QString()});
    EXPECT_FALSE(ventas.cargar());
    EXPECT_EQ(ventas.hoja().filas(), 0);
    EXPECT_TRUE(ventas.cifras().porConcepto.isEmpty());
}

TEST_F(VentasMeseroTest, GuestsPerWaiterAndTheWaitersTables) {
    conectar();
    RepHuespedes reporte(*context);
    ASSERT_TRUE(reporte.cargar());
    const HojaResumen& hoja = reporte.hoja();
    ASSERT_EQ(hoja.filas(), 2);
    const QStringList esperadas[] = {
        {QStringLiteral("PEDRO GARCIA NAVA"), QStringLiteral("2"), QStringLiteral("1")},
        {QStringLiteral("ROSA MENDOZA RUIZ"), QStringLiteral("6"), QStringLiteral("2")},
    };
    for (int fila = 1; fila <= 2; ++fila) {
        for (int columna = 0; columna < 3; ++columna)
            EXPECT_EQ(hoja.celda(fila, columna).texto, esperadas[fila - 1].at(columna));
    }
    EXPECT_TRUE(hoja.columnHidden(RepHuespedes::kColumnaEmpleado));
    EXPECT_EQ(reporte.cifras().porConcepto,
              (QList<Barra>{{QStringLiteral("PEDRO GARCIA NAVA"), Currency::fromUnits(2)},
                            {QStringLiteral("ROSA MENDOZA RUIZ"), Currency::fromUnits(6)}}));

    const std::optional<QList<RepHuespedes::Mesa>> mesas = reporte.mesas(2);
    ASSERT_TRUE(mesas);
    ASSERT_EQ(mesas->size(), 2);
    EXPECT_EQ(mesas->at(0).numMesa, 5);
    EXPECT_EQ(mesas->at(1), (RepHuespedes::Mesa{15, 2, Currency::fromUnits(420), true}));
    EXPECT_EQ(reporte.mesas(1)->value(0), (RepHuespedes::Mesa{3, 2, Currency::fromUnits(631), false}));

    EXPECT_FALSE(reporte.mesas(std::nullopt));
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Seleccione un mesero")});
}

} // namespace
} // namespace nerin::fakes
